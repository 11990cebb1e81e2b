// The formatter against glibc's snprintf over generated specifications,
// through all three front ends (buffer, bounded buffer, channel), plus the
// places where it is meant to differ and the channel-0 path to stderr.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "address_cap.h"
#include "vsupport/print.h"

namespace {

// ---- helpers ---------------------------------------------------------------

int32_t bounded(char *dst, int32_t capacity, const char *format, ...)
{
    va_list args;
    va_start(args, format);
    int32_t n = VdeVSnprintf(dst, capacity, format, args);
    va_end(args);
    return n;
}

// A channel whose stream is an in-memory file, read back as a string.
struct MemoryChannel {
    char *data = nullptr;
    size_t size = 0;
    V_ChannelT channel{0, nullptr, open_memstream(&data, &size)};
    ~MemoryChannel()
    {
        std::fclose(channel.stream);
        std::free(data);
    }
    std::string text()
    {
        std::fflush(channel.stream);
        return std::string(data, size);
    }
};

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
#pragma GCC diagnostic ignored "-Wformat-security"
// Formats through every front end and checks each against snprintf.
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

    MemoryChannel mc;
    EXPECT_EQ(V_Printf(&mc.channel, f, args...), want);
    EXPECT_EQ(mc.text(), expected);
}
#pragma GCC diagnostic pop

template <class T>
void withStars(const std::string &format, const std::vector<int> &stars, T value)
{
    switch (stars.size()) {
    case 0: expectLikeSnprintf(format, value); break;
    case 1: expectLikeSnprintf(format, stars[0], value); break;
    default: expectLikeSnprintf(format, stars[0], stars[1], value); break;
    }
}

// Random specification: flags, width, precision (digits or stars).
std::string randomSpec(std::mt19937 &rng, std::vector<int> &stars, bool numericFields)
{
    std::string spec = "%";
    for (char f : std::string("-+ #0'"))
        if (rng() % 4 == 0) spec += f;
    auto field = [&](bool precision) {
        switch (rng() % 6) {
        case 0: break;
        case 1: spec += precision ? "." : ""; break;
        case 2: spec += (precision ? "." : "") + std::string("*");
                stars.push_back(static_cast<int>(rng() % 61) - 30);
                break;
        case 3: if (numericFields) spec += (precision ? "." : "") + std::to_string(250 + rng() % 100); break;
        default: spec += (precision ? "." : "") + std::to_string(rng() % 25); break;
        }
    };
    field(false);
    field(true);
    return spec;
}

// ---- differential ----------------------------------------------------------

TEST(Differential, IntegersWithEveryLengthAndFlag)
{
    std::mt19937 rng(11);
    const long long values[] = {0, 1, -1, 42, -42, 255, 256, 65535, 65536, 70000, -70000,
                                INT_MAX, INT_MIN, 4294967295LL, LLONG_MAX, LLONG_MIN, 123456789012LL};
    const char *lengths[] = {"", "h", "hh", "l", "ll", "j", "z", "t"};
    for (int i = 0; i < 3000; i++) {
        std::vector<int> stars;
        std::string spec = randomSpec(rng, stars, true);
        std::string length = lengths[rng() % 8];
        spec += length + "diouxX"[rng() % 6];
        long long v = values[rng() % (sizeof values / sizeof values[0])];
        if (length.empty() || length[0] == 'h') withStars(spec, stars, static_cast<int>(v));
        else withStars(spec, stars, v);
    }
}

TEST(Differential, FloatsCharactersStringsPointers)
{
    std::mt19937 rng(12);
    const double doubles[] = {0.0, -0.0, 1.5, -2.25, 1e300, 1e-300, 123456.789, 0.1, HUGE_VAL, -HUGE_VAL, NAN};
    const std::string strings[] = {"", "a", "Outline", std::string(300, 'x'), "\xE7t\xE9"};
    int pointee = 0;
    void *pointers[] = {nullptr, &pointee};
    for (int i = 0; i < 3000; i++) {
        std::vector<int> stars;
        switch (rng() % 5) {
        case 0: {
            std::string spec = randomSpec(rng, stars, true) + (rng() % 3 == 0 ? "l" : "") + "feEgG"[rng() % 5];
            withStars(spec, stars, doubles[rng() % (sizeof doubles / sizeof doubles[0])]);
            break;
        }
        case 1: {
            std::string spec = randomSpec(rng, stars, true) + "L" + "feEgG"[rng() % 5];
            withStars(spec, stars, static_cast<long double>(doubles[rng() % (sizeof doubles / sizeof doubles[0])]));
            break;
        }
        case 2: // a null character is the one %c that differs (see below)
            withStars(randomSpec(rng, stars, true) + "c", stars, static_cast<int>(1 + rng() % 255));
            break;
        case 3:
            withStars(randomSpec(rng, stars, true) + "s", stars, strings[rng() % 5].c_str());
            break;
        default:
            withStars(randomSpec(rng, stars, true) + "p", stars, pointers[rng() % 2]);
            break;
        }
    }
}

TEST(Differential, MixedFormatsAndTextThatIsNoConversion)
{
    expectLikeSnprintf("Level %d of %s: %5.1f%% done (%#x)", 3, "Body", 42.25, 255u);
    expectLikeSnprintf(std::string(600, 'L') + "%d" + std::string(600, 'T'), 7);
    // Far more than 63 characters of specification.
    expectLikeSnprintf("%" + std::string(80, '-') + "5d|", 42);
    expectLikeSnprintf("%" + std::string(80, '0') + "5d|", 42);
    // Widths and precisions past the 256-byte buffer, in one call.
    expectLikeSnprintf("%300d|%.400x|%-280c|%500.3f", -5, 255u, 'q', 2.5);
}

// ---- where the formatter is meant to differ --------------------------------

TEST(Formatter, FormatEndingInsideASpecificationPrintsAsText)
{
    // glibc refuses these outright; here they are text, and nothing past
    // the terminator is read (ASan checks the copies on the heap).
    for (std::string f : {"abc%", "abc%-5", "abc%5.", "x%l", "%*", "%.*", "%'#0"}) {
        char *heap = static_cast<char *>(std::malloc(f.size() + 1));
        std::memcpy(heap, f.c_str(), f.size() + 1);
        char buf[32];
        EXPECT_EQ(V_Sprintf(buf, heap, 1, 2), static_cast<int32_t>(f.size()));
        EXPECT_EQ(buf, f);
        std::free(heap);
    }
}

TEST(Formatter, LettersThatAreNoConversionPrintAsText)
{
    // As glibc prints them (not asked of glibc here: the sanitizer's printf
    // interceptor complains about such formats).
    char buf[32];
    const std::string a = "%y|%5y %d|%-y", b = "a%lhd";
    EXPECT_EQ(V_Sprintf(buf, a.c_str(), 9), 12);
    EXPECT_STREQ(buf, "%y|%5y 9|%-y");
    EXPECT_EQ(V_Sprintf(buf, b.c_str(), 9), 5);
    EXPECT_STREQ(buf, "a%lhd");
}

TEST(Formatter, NullStringAndNullCharacter)
{
    char buf[32];
    const char *volatile none = nullptr;  // hidden from the format checker: null is the point
    EXPECT_EQ(V_Sprintf(buf, "[%s]", none), 2);
    EXPECT_STREQ(buf, "[]");
    EXPECT_EQ(V_Sprintf(buf, "[%5s]", none), 7);
    EXPECT_STREQ(buf, "[     ]");
    EXPECT_EQ(V_Sprintf(buf, "a%cb", 0), 2);
    EXPECT_STREQ(buf, "ab");
    // The piece is measured to its first null byte: the padding after it goes.
    EXPECT_EQ(V_Sprintf(buf, "a%-4cb", 0), 2);
    EXPECT_EQ(V_Sprintf(buf, "a%4cb", 0), 5);
    EXPECT_STREQ(buf, "a   b");
}

TEST(Formatter, NullFormatAndBufferForms)
{
    char buf[16] = "keep";
    MemoryChannel mc;
    EXPECT_EQ(V_Printf(&mc.channel, nullptr), 0);
    EXPECT_EQ(mc.text(), "");
    EXPECT_EQ(V_Sprintf(buf, nullptr), 0);
    EXPECT_STREQ(buf, "");
    EXPECT_EQ(V_Sprintf(buf, "%d", 42), 2);
    EXPECT_STREQ(buf, "42");
    // A per-cent conversion prints one sign whatever its flags (as glibc).
    const std::string percents = "[%5%][%-3%]";
    EXPECT_EQ(V_Sprintf(buf, percents.c_str()), 6);
    EXPECT_STREQ(buf, "[%][%]");
    EXPECT_EQ(bounded(nullptr, 100, "abc%d", 5), 0);
    // No room at all: nothing stored, not even a terminator.
    std::strcpy(buf, "keep");
    EXPECT_EQ(bounded(buf, 0, "abc"), 0);
    EXPECT_EQ(bounded(buf, -3, "abc"), 0);
    EXPECT_STREQ(buf, "keep");
    EXPECT_EQ(bounded(buf, 1, "abc"), 0);
    EXPECT_STREQ(buf, "");
}

TEST(Formatter, CountStoresSixteenOrThirtyTwoBits)
{
    char buf[2048];
    int32_t full = -1;
    EXPECT_EQ(V_Sprintf(buf, "ab%ncd", &full), 4);
    EXPECT_EQ(full, 2);

    union {
        int32_t whole;
        int16_t half[2];
    } target;
    target.whole = 0x7FFF7FFF;
    std::string long1000(1000, 'y');
    EXPECT_EQ(V_Sprintf(buf, "%s%hn", long1000.c_str(), &target.half[0]), 1000);
    EXPECT_EQ(target.half[0], 1000);
    EXPECT_EQ(target.half[1], 0x7FFF); // the other half is untouched

    // 'l' changes nothing: the count is a 32-bit integer.
    int32_t pair[2] = {-1, -1};
    const std::string withL = "xyz%ln";
    EXPECT_EQ(V_Sprintf(buf, withL.c_str(), &pair[0]), 3);
    EXPECT_EQ(pair[0], 3);
    EXPECT_EQ(pair[1], -1);
    // The count is of what the output function accepted.
    int32_t kept = -1;
    EXPECT_EQ(bounded(buf, 3, "abcdef%n", &kept), 2);
    EXPECT_EQ(kept, 2);
    // A null target is skipped, not written through.
    int32_t *nowhere = nullptr;
    EXPECT_EQ(V_Sprintf(buf, "a%nb", nowhere), 2);
}

TEST(Formatter, StringBufferGrowsMoreThanOnce)
{
    std::string a(300, 'a'), b(5000, 'b');
    std::string got(6000, '\0');
    EXPECT_EQ(V_Sprintf(&got[0], "%s|%d|%s|%.2s", a.c_str(), 7, b.c_str(), "xyz"), 5306);
    EXPECT_EQ(got.c_str(), a + "|7|" + b + "|xy");
}

// A custom output function sees every piece, including empty literal runs.
int32_t record(void *context, const char *text, int32_t length)
{
    static_cast<std::vector<std::string> *>(context)->emplace_back(text, static_cast<size_t>(length));
    return length;
}

int32_t recordVia(std::vector<std::string> *pieces, const char *format, ...)
{
    va_list args;
    va_start(args, format);
    int32_t n = Vde_doprnt(record, pieces, format, args);
    va_end(args);
    return n;
}

TEST(Formatter, PiecesReachTheOutputFunctionInOrder)
{
    std::vector<std::string> pieces;
    EXPECT_EQ(recordVia(&pieces, "%d:%s%%", 42, "x"), 5);
    EXPECT_EQ(pieces, (std::vector<std::string>{"", "42", ":", "x", "", "%", ""}));
    // A null format is the empty one: a single empty run.
    pieces.clear();
    EXPECT_EQ(recordVia(&pieces, nullptr), 0);
    EXPECT_EQ(pieces, std::vector<std::string>{""});
}

TEST(Formatter, OutputTooLargeForAnyBlockEndsTheCall)
{
    char buf[64];
    EXPECT_EQ(V_Sprintf(buf, "ab%100000000dcd", 1), 2);
    EXPECT_STREQ(buf, "ab");
    EXPECT_EQ(V_Sprintf(buf, "ab%.100000000dcd", 1), 2);
    const std::string star = "ab%*dcd", huge = "ab%99999999999999999999dcd";
    EXPECT_EQ(V_Sprintf(buf, star.c_str(), INT_MIN, 1), 2);
    EXPECT_EQ(V_Sprintf(buf, huge.c_str(), 1), 2);
    EXPECT_STREQ(buf, "ab");
}

TEST(FormatterDeathTest, RefusedGrowthEndsTheCallWithWhatWasOutput)
{
    // 64 MB to print, with the address space capped well below that.
    std::string big(64u << 20, 's');
    EXPECT_EXIT(
        {
            if (!addresscap::capAddressSpace()) std::_Exit(3);
            char buf[16];
            int32_t n = V_Sprintf(buf, "ab%scd", big.c_str());
            std::_Exit(n == 2 && std::strcmp(buf, "ab") == 0 ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
}

// ---- channel 0: standard error --------------------------------------------

// Points standard error at a packet socket for the test's duration, so that
// each write the formatter makes arrives as one message.
class StderrPackets {
public:
    StderrPackets()
    {
        std::fflush(stderr);
        saved_ = dup(2);
        int fds[2];
        EXPECT_EQ(socketpair(AF_UNIX, SOCK_SEQPACKET, 0, fds), 0);
        dup2(fds[1], 2);
        close(fds[1]);
        reader_ = fds[0];
        fcntl(reader_, F_SETFL, O_NONBLOCK);
    }
    ~StderrPackets()
    {
        restore();
        close(reader_);
    }
    std::vector<std::string> take()
    {
        restore();
        std::vector<std::string> out;
        char buf[4096];
        for (ssize_t n; (n = recv(reader_, buf, sizeof buf, 0)) > 0;) out.emplace_back(buf, static_cast<size_t>(n));
        return out;
    }

private:
    void restore()
    {
        if (saved_ < 0) return;
        std::fflush(stderr);
        dup2(saved_, 2);
        close(saved_);
        saved_ = -1;
    }
    int saved_ = -1;
    int reader_ = -1;
};

std::string joined(const std::vector<std::string> &pieces)
{
    std::string all;
    for (const auto &p : pieces) all += p;
    return all;
}

TEST(ChannelZero, WritesToStandardError)
{
    StderrPackets err;
    EXPECT_EQ(V_Printf(nullptr, "abc"), 3);
    EXPECT_EQ(V_Printf(nullptr, "%d%%|%s|", 5, "x"), 5);
    EXPECT_EQ(joined(err.take()), "abc5%|x|");
}

TEST(ChannelZero, LongLiteralRunsArriveWholeAndInOrder)
{
    std::string run;
    for (int i = 0; i < 600; i++) run += static_cast<char>('A' + i % 26);
    {
        StderrPackets err;
        EXPECT_EQ(V_Printf(nullptr, (run + "%d").c_str(), 12), 602);
        auto packets = err.take();
        EXPECT_EQ(joined(packets), run + "12");
        ASSERT_EQ(packets.size(), 4u);
        EXPECT_EQ(packets[0].size(), 255u);
        EXPECT_EQ(packets[1].size(), 255u);
        EXPECT_EQ(packets[2].size(), 90u);
    }
    {
        StderrPackets err;
        EXPECT_EQ(V_Printf(nullptr, ("%d" + run).c_str(), 12), 602);
        auto packets = err.take();
        EXPECT_EQ(joined(packets), "12" + run);
        ASSERT_EQ(packets.size(), 2u); // the run at the end goes out in one piece
        EXPECT_EQ(packets[1], run);
    }
    {
        StderrPackets err;
        std::string big(1000, 'w');
        EXPECT_EQ(V_Printf(nullptr, "%s|%c", big.c_str(), 0), 1001);
        EXPECT_EQ(joined(err.take()), big + "|");
    }
}

} // namespace
