// The formatter against glibc's snprintf over generated specifications,
// through its three front ends (buffer, bounded buffer, channel); then the
// places where it is meant to differ.
#include "address_cap.h"

#include <gtest/gtest.h>


#include <climits>
#include <cmath>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "vsupport/print.h"

namespace {

int32_t bounded(char *dst, int32_t capacity, const char *format, ...)
{
    va_list args;
    va_start(args, format);
    int32_t n = VdeVSnprintf(dst, capacity, format, args);
    va_end(args);
    return n;
}

// A custom output function sees every piece, empty literal runs included.
int32_t record(void *context, const char *text, int32_t length)
{
    static_cast<std::vector<std::string> *>(context)->emplace_back(text, static_cast<size_t>(length));
    return length;
}

std::vector<std::string> pieces(const char *format, ...)
{
    std::vector<std::string> out;
    va_list args;
    va_start(args, format);
    out.push_back(std::to_string(Vde_doprnt(record, &out, format, args)));
    va_end(args);
    return out;
}

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
#pragma GCC diagnostic ignored "-Wformat-security"
template <class... A>
void expectLikeSnprintf(const std::string &format, A... args)
{
    SCOPED_TRACE("format \"" + format + "\"");
    const char *f = format.c_str();
    int want = std::snprintf(nullptr, 0, f, args...);
    ASSERT_GE(want, 0);
    std::string expected(static_cast<size_t>(want), '\0');
    std::snprintf(&expected[0], expected.size() + 1, f, args...);

    std::string got(expected.size() + 16, '#');
    EXPECT_EQ(V_Sprintf(&got[0], f, args...), want);
    EXPECT_EQ(got.c_str(), expected);
    // A short buffer keeps a terminated prefix and counts only what it kept.
    int32_t cap = static_cast<int32_t>(expected.size() / 2 + 1);
    std::string part(static_cast<size_t>(cap) + 4, '#');
    EXPECT_EQ(bounded(&part[0], cap, f, args...), cap - 1);
    EXPECT_EQ(part.c_str(), expected.substr(0, static_cast<size_t>(cap - 1)));
    EXPECT_EQ(part[static_cast<size_t>(cap)], '#');

    char *data = nullptr;
    size_t size = 0;
    V_ChannelT channel{0, nullptr, open_memstream(&data, &size)};
    EXPECT_EQ(V_Printf(&channel, f, args...), want);
    std::fclose(channel.stream);
    EXPECT_EQ(std::string(data, size), expected);
    std::free(data);
}
#pragma GCC diagnostic pop

// Flags, width and precision (digits or large numbers), a length modifier
// and a conversion, with a value of the type they call for.
TEST(Formatter, AgreesWithSnprintfOnGeneratedSpecifications)
{
    std::mt19937 rng(11);
    const long long ints[] = {0, 1, -1, 42, 255, 65536, -70000, INT_MAX, INT_MIN, 4294967295LL, LLONG_MIN, 123456789012LL};
    const double doubles[] = {0.0, -0.0, 1.5, -2.25, 1e300, 1e-300, 123456.789, 0.1, HUGE_VAL, -HUGE_VAL, NAN};
    const std::string strings[] = {"", "a", "Outline", std::string(300, 'x'), "\xE7t\xE9"};
    int pointee = 0;
    for (int i = 0; i < 6000; i++) {
        std::string spec = "%";
        for (char f : std::string("-+ #0'"))
            if (rng() % 4 == 0)
                spec += f;
        for (const char *dot : {"", "."})
            switch (rng() % 5) {
            case 0: break;
            case 1: spec += dot; break;
            case 2: spec += dot + std::to_string(250 + rng() % 100); break;
            default: spec += dot + std::to_string(rng() % 25); break;
            }
        std::string length = std::vector<std::string>{"", "h", "hh", "l", "ll", "j", "z", "t", "L"}[rng() % 9];
        long long v = ints[rng() % 12];
        double d = doubles[rng() % 11];
        switch (rng() % 5) {
        case 0:
            if (length == "L")
                expectLikeSnprintf(spec + length + "feEgG"[rng() % 5], static_cast<long double>(d));
            else
                expectLikeSnprintf(spec + (rng() % 3 ? "" : "l") + "feEgG"[rng() % 5], d);
            break;
        case 1: expectLikeSnprintf(spec + "c", static_cast<int>(1 + rng() % 255)); break;  // null differs: below
        case 2: expectLikeSnprintf(spec + "s", strings[rng() % 5].c_str()); break;
        case 3: expectLikeSnprintf(spec + "p", rng() % 2 ? nullptr : &pointee); break;
        default:
            length = length == "L" ? "" : length;
            spec += length + "diouxX"[rng() % 6];
            if (length.empty() || length[0] == 'h')
                expectLikeSnprintf(spec, static_cast<int>(v));
            else
                expectLikeSnprintf(spec, v);
        }
    }
    expectLikeSnprintf("Level %d of %s: %5.1f%% done (%#x)", 3, "Body", 42.25, 255u);
    expectLikeSnprintf(std::string(600, 'L') + "%d" + std::string(600, 'T'), 7);
    expectLikeSnprintf("%" + std::string(80, '-') + "5d|%" + std::string(80, '0') + "5d", 42, 43);
    expectLikeSnprintf("%300d|%.400x|%-280c|%500.3f", -5, 255u, 'q', 2.5);  // past the 256-byte buffer
    expectLikeSnprintf("%*d|%-*.*f|%.*s|%*x", -7, 42, 9, -3, 2.5, -1, "star", 12, 255u);  // negative stars
}

// Where the formatter differs from snprintf on purpose: each row formats
// into a buffer and gives what must come out and be counted.
TEST(Formatter, DeparturesFromSnprintf)
{
    const char *volatile none = nullptr;  // hidden from the format checker: null is the point
    int32_t *volatile nowhere = nullptr;
    std::string y = "%y|%5y %d|%-y", lh = "a%lhd", pct = "[%5%][%-3%]", star = "ab%*dcd", huge = "ab%99999999999999999999dcd";
    struct Row {
        int32_t (*print)(char *, const std::string &, const char *, int32_t *);
        std::string format, out;
        int32_t count;
    } rows[] = {
        // Letters that are no conversion print as text (as glibc prints them).
        {[](char *b, const std::string &f, const char *, int32_t *) { return V_Sprintf(b, f.c_str(), 9); }, y, "%y|%5y 9|%-y", 12},
        {[](char *b, const std::string &f, const char *, int32_t *) { return V_Sprintf(b, f.c_str(), 9); }, lh, "a%lhd", 5},
        {[](char *b, const std::string &f, const char *, int32_t *) { return V_Sprintf(b, f.c_str()); }, pct, "[%][%]", 6},
        // A null string prints as empty; a null character ends its piece.
        {[](char *b, const std::string &, const char *s, int32_t *) { return V_Sprintf(b, "[%5s]", s); }, "", "[     ]", 7},
        {[](char *b, const std::string &, const char *, int32_t *) { return V_Sprintf(b, "a%cb", 0); }, "", "ab", 2},
        {[](char *b, const std::string &, const char *, int32_t *) { return V_Sprintf(b, "a%-4cb", 0); }, "", "ab", 2},
        {[](char *b, const std::string &, const char *, int32_t *) { return V_Sprintf(b, "a%4cb", 0); }, "", "a   b", 5},
        {[](char *b, const std::string &, const char *, int32_t *) { return V_Sprintf(b, nullptr); }, "", "", 0},
        {[](char *b, const std::string &, const char *, int32_t *n) { return V_Sprintf(b, "a%nb", n); }, "", "ab", 2},
        // Output too large for any block ends the call with what came before.
        {[](char *b, const std::string &, const char *, int32_t *) { return V_Sprintf(b, "ab%100000000dcd", 1); }, "", "ab", 2},
        {[](char *b, const std::string &, const char *, int32_t *) { return V_Sprintf(b, "ab%.100000000dcd", 1); }, "", "ab", 2},
        {[](char *b, const std::string &f, const char *, int32_t *) { return V_Sprintf(b, f.c_str(), INT_MIN, 1); }, star, "ab", 2},
        {[](char *b, const std::string &f, const char *, int32_t *) { return V_Sprintf(b, f.c_str(), 1); }, huge, "ab", 2},
        // No room at all: nothing stored, not even a terminator.
        {[](char *b, const std::string &, const char *, int32_t *) { return bounded(b, 0, "abc"); }, "", "keep", 0},
        {[](char *b, const std::string &, const char *, int32_t *) { return bounded(b, -3, "abc"); }, "", "keep", 0},
        {[](char *b, const std::string &, const char *, int32_t *) { return bounded(b, 1, "abc"); }, "", "", 0},
    };
    for (const Row &r : rows) {
        char buf[64] = "keep";
        EXPECT_EQ(r.print(buf, r.format, none, nowhere), r.count) << r.format << " -> " << r.out;
        EXPECT_STREQ(buf, r.out.c_str());
    }
    // A format ending inside a specification is text, and nothing past its
    // end is read (ASan checks the heap copies).
    for (std::string f : {"abc%", "abc%-5", "abc%5.", "x%l", "%*", "%.*", "%'#0"}) {
        std::vector<char> heap(f.begin(), f.end());
        heap.push_back('\0');
        char buf[32];
        EXPECT_EQ(V_Sprintf(buf, heap.data(), 1, 2), static_cast<int32_t>(f.size()));
        EXPECT_EQ(buf, f);
    }
    EXPECT_EQ(bounded(nullptr, 100, "abc%d", 5), 0);
    std::string a(300, 'a'), b(5000, 'b'), got(6000, '\0');  // the buffer grows more than once
    EXPECT_EQ(V_Sprintf(&got[0], "%s|%d|%s|%.2s", a.c_str(), 7, b.c_str(), "xyz"), 5306);
    EXPECT_EQ(got.c_str(), a + "|7|" + b + "|xy");
    EXPECT_EQ(pieces("%d:%s%%", 42, "x"), (std::vector<std::string>{"", "42", ":", "x", "", "%", "", "5"}));
    EXPECT_EQ(pieces(nullptr), (std::vector<std::string>{"", "0"}));
}

TEST(FormatterDeathTest, RefusedGrowthEndsTheCallWithWhatWasOutput)
{
    std::string big(64u << 20, 's');  // 64 MB to print, the address space capped well below
    EXPECT_EXIT(
        {
            if (!addresscap::capAddressSpace())
                std::_Exit(3);
            char buf[16];
            int32_t n = V_Sprintf(buf, "ab%scd", big.c_str());
            std::_Exit(n == 2 && std::strcmp(buf, "ab") == 0 ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
}

}  // namespace
