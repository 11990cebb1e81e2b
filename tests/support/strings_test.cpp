// String functions: the host set's case maps checked against glibc's own
// Unicode case rules, comparisons against the C library over generated
// strings, and the size rules of the bounded copies and appends.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <cstring>
#include <cwctype>
#include <iconv.h>
#include <random>
#include <string>
#include <vector>

#include "vsupport/memory.h"
#include "vsupport/strings.h"

namespace {

// The host character set's case pairs as glibc sees them: decode each byte
// with iconv's MACINTOSH table and keep the letters whose Unicode small (or
// capital) form is again a byte of the set, both ways round.
struct OracleMaps {
    unsigned char lower[256];
    unsigned char upper[256];
};

std::vector<wchar_t> decodeAll()
{
    iconv_t cd = iconv_open("WCHAR_T", "MACINTOSH");
    EXPECT_NE(cd, reinterpret_cast<iconv_t>(-1));
    std::vector<wchar_t> out(256, 0);
    for (int b = 1; b < 256; b++) {
        char in = static_cast<char>(b);
        char *ip = &in;
        size_t il = 1, ol = sizeof(wchar_t);
        char *op = reinterpret_cast<char *>(&out[b]);
        iconv(cd, &ip, &il, &op, &ol);
    }
    iconv_close(cd);
    return out;
}

OracleMaps oracleMaps()
{
    std::string saved = std::setlocale(LC_CTYPE, nullptr);
    EXPECT_NE(std::setlocale(LC_CTYPE, "C.UTF-8"), nullptr);
    std::vector<wchar_t> wide = decodeAll();
    OracleMaps m{};
    for (int b = 0; b < 256; b++) m.lower[b] = m.upper[b] = static_cast<unsigned char>(b);
    for (int b = 1; b < 256; b++) {
        wchar_t small = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(wide[b])));
        if (small == wide[b] || std::towupper(static_cast<wint_t>(small)) != static_cast<wint_t>(wide[b]))
            continue;
        for (int s = 1; s < 256; s++)
            if (wide[s] == small) {
                m.lower[b] = static_cast<unsigned char>(s);
                m.upper[s] = static_cast<unsigned char>(b);
            }
    }
    std::setlocale(LC_CTYPE, saved.c_str());
    return m;
}

TEST(CaseMap, MatchesTheSetsUnicodeCasePairs)
{
    OracleMaps m = oracleMaps();
    int pairs = 0;
    for (int b = 0; b < 256; b++) {
        EXPECT_EQ(VdeVToLower[b], m.lower[b]) << "byte " << b;
        EXPECT_EQ(VdeVToUpper[b], m.upper[b]) << "byte " << b;
        if (VdeVToLower[b] != b) pairs++;
    }
    EXPECT_EQ(pairs, 26 + 29);
    for (int b = 0; b < 256; b++) {
        if (VdeVToLower[b] != b) {
            EXPECT_EQ(VdeVToUpper[VdeVToLower[b]], b);
        }
        if (VdeVToUpper[b] != b) {
            EXPECT_EQ(VdeVToLower[VdeVToUpper[b]], b);
        }
    }
}

// Strings over an alphabet that hits both cases, accents, bytes above 0x80
// and early ends.
std::string randomString(std::mt19937 &rng)
{
    static const unsigned char alphabet[] = {'a', 'A', 'b', 'B', 'z', 'Z', ' ', '-', '0', 0x80, 0x8A,
                                             0xE7, 0x87, 0xD9, 0xD8, 0xFF, 0x7F, 0xA0};
    std::string s;
    size_t n = rng() % 6;
    for (size_t i = 0; i < n; i++) s += static_cast<char>(alphabet[rng() % sizeof alphabet]);
    return s;
}

std::string folded(const std::string &s)
{
    std::string out = s;
    for (char &c : out) c = static_cast<char>(VdeVToLower[static_cast<unsigned char>(c)]);
    return out;
}

int sign(int v) { return (v > 0) - (v < 0); }

TEST(Compare, AgreesWithTheCLibraryOnGeneratedStrings)
{
    std::mt19937 rng(7);
    for (int i = 0; i < 20000; i++) {
        std::string a = randomString(rng), b = randomString(rng);
        if (rng() % 4 == 0) b = a.substr(0, rng() % (a.size() + 1)) + b;
        int n = static_cast<int>(rng() % 7);
        // A null string must behave as the empty one.
        const char *pa = a.empty() && rng() % 2 ? nullptr : a.c_str();
        const char *pb = b.empty() && rng() % 2 ? nullptr : b.c_str();
        SCOPED_TRACE(testing::PrintToString(a) + " vs " + testing::PrintToString(b));
        EXPECT_EQ(sign(V_StrCmp(pa, pb)), sign(std::strcmp(a.c_str(), b.c_str())));
        EXPECT_EQ(V_StrEqual(pa, pb), a == b);
        EXPECT_EQ(sign(V_StrCmpN(pa, pb, n)), sign(std::strncmp(a.c_str(), b.c_str(), static_cast<size_t>(n))));
        EXPECT_EQ(V_StrEqualN(pa, pb, n), std::strncmp(a.c_str(), b.c_str(), static_cast<size_t>(n)) == 0);

        std::string fa = folded(a), fb = folded(b);
        EXPECT_EQ(sign(V_StrICmp(pa, pb)), sign(std::strcmp(fa.c_str(), fb.c_str())));
        EXPECT_EQ(V_StrIEqual(pa, pb), fa == fb);
        EXPECT_EQ(sign(V_StrICmpN(pa, pb, n)), sign(std::strncmp(fa.c_str(), fb.c_str(), static_cast<size_t>(n))));
        EXPECT_EQ(V_StrIEqualN(pa, pb, n), std::strncmp(fa.c_str(), fb.c_str(), static_cast<size_t>(n)) == 0);

        EXPECT_EQ(V_StrPrefix(pa, pb), a.compare(0, b.size(), b) == 0);
        EXPECT_EQ(V_StrIPrefix(pa, pb), fa.compare(0, fb.size(), fb) == 0);
        bool ends = a.size() >= b.size() && a.compare(a.size() - b.size(), b.size(), b) == 0;
        EXPECT_EQ(V_StrSuffix(pa, pb), ends);
        bool iends = fa.size() >= fb.size() && fa.compare(fa.size() - fb.size(), fb.size(), fb) == 0;
        EXPECT_EQ(V_StrISuffix(pa, pb), iends);
        size_t at = a.find(b); // but a search with a null or in "" finds nothing
        EXPECT_EQ(V_StrSubString(pa, pb), !pb || a.empty() || at == std::string::npos ? -1 : static_cast<int32_t>(at));
    }
}

TEST(Compare, CaseAndAccentsThroughTheHostMap)
{
    EXPECT_EQ(V_StrICmp("Outline", "outline"), 0);
    EXPECT_LT(V_StrMCmp("Outline", "outline"), 0);
    EXPECT_EQ(V_StrIEqual("\x80\x41", "\x8A\x61"), 1);
    EXPECT_EQ(V_StrIEqualN("\xE7X", "\x87yy", 1), 1);
    // Mapped byte values order: every accented letter after all of ASCII.
    EXPECT_GT(V_StrICmp("\x80", "z"), 0);
    EXPECT_EQ(V_StrSIEqual("Move-Right", "move right"), 1);
    EXPECT_EQ(V_StrSIEqual("- a-b -", "AB"), 1);
    EXPECT_EQ(V_StrSIEqual("ab", "abc"), 0);
    // Negative n compares the first character only; 0 compares nothing.
    EXPECT_EQ(V_StrCmpN("ab", "ax", -3), 0);
    EXPECT_NE(V_StrCmpN("ab", "xb", -3), 0);
    EXPECT_EQ(V_StrCmpN("abc", "xyz", 0), 0);
    EXPECT_EQ(V_StrPrefixN("Body", "Boxes", 2), 1);
    EXPECT_EQ(V_StrPrefixN("Body", "Boxes", 3), 0);
    EXPECT_EQ(V_StrPrefixN("Bo", "Boxes", 9), 0);
    EXPECT_EQ(V_StrPrefixN("x", "y", 0), 1);
}

TEST(Compare, SortsThroughTheMapWithCaseBreakingTies)
{
    // 0xE7 is the capital of 0x87; 0x80 maps to 0x8A, after both.
    const char *words[] = {"\xE7t", "beta", "\xE7s", "Alpha", "alpha", "\x87s", "Beta", "zeta", "\x80"};
    std::qsort(words, 9, sizeof words[0], V_StrQsortCmp);
    const char *expected[] = {"Alpha", "alpha", "Beta", "beta", "zeta", "\x87s", "\xE7s", "\xE7t", "\x80"};
    for (int i = 0; i < 9; i++) EXPECT_STREQ(words[i], expected[i]) << i;
}

TEST(NullStrings, DestinationsAndEditsLeaveNullAlone)
{
    V_StrCpy(nullptr, "a");
    V_StrTrunc(nullptr, 3);
    V_StrStrip(nullptr, "a");
    V_StrReverse(nullptr, 4);
    V_StrStripLeadingSpaces(nullptr);
    V_StrStripTrailingSpaces(nullptr);
    EXPECT_EQ(V_StrCpyN(nullptr, "a", 4) + V_StrCat(nullptr, "a") + V_StrCatN(nullptr, "a", 4) +
                  V_StrNCatN(nullptr, "a", 1, 4) + V_StrCatCharN(nullptr, 'a', 4) + V_StrCatIntN(nullptr, 5, 4),
              0);
    EXPECT_EQ(V_StrCopyString(nullptr), nullptr);
    EXPECT_EQ(V_StrAlphaToInt(nullptr), 0);
    EXPECT_EQ(V_StrAlphaToReal(nullptr), 0.0);
}

TEST(Search, CharactersAndSubstrings)
{
    const char *s = "a.b.c";
    EXPECT_EQ(V_StrChr(s, '.'), s + 1);
    EXPECT_EQ(V_StrRChr(s, '.'), s + 3);
    EXPECT_EQ(V_StrChr(s, 0), nullptr);
    EXPECT_EQ(V_StrRChr(s, 0), nullptr);
    EXPECT_EQ(V_StrChr(nullptr, 'a'), nullptr);
    const char *accented = "x\xE7y";
    EXPECT_EQ(V_StrChr(accented, 0xE7), accented + 1);
}

TEST(BoundedCopy, StaysWithinTheSize)
{
    char buf[8];
    std::memset(buf, '#', sizeof buf);
    EXPECT_EQ(V_StrCpyN(buf, "abcdef", 4), 3);
    EXPECT_STREQ(buf, "abc");
    EXPECT_EQ(buf[4], '#');
    EXPECT_EQ(V_StrCpyN(buf, "abcdef", 1), 0);
    EXPECT_STREQ(buf, "");
    EXPECT_EQ(buf[1], 'b');
    // No room for even the terminator: nothing is stored.
    buf[0] = 'q';
    EXPECT_EQ(V_StrCpyN(buf, "abc", 0), 0);
    EXPECT_EQ(V_StrCpyN(buf, "abc", -5), 0);
    EXPECT_EQ(buf[0], 'q');
}

TEST(BoundedAppend, SizeRulesOfEachForm)
{
    char buf[16];
    std::strcpy(buf, "12345");
    EXPECT_EQ(V_StrCatN(buf, "abc", 4), 5);
    EXPECT_STREQ(buf, "12345");
    EXPECT_EQ(V_StrNCatN(buf, "abc", 3, 4), 3);
    EXPECT_STREQ(buf, "123");
    EXPECT_EQ(V_StrCatN(buf, "abcdefgh", 7), 6);
    EXPECT_STREQ(buf, "123abc");
    EXPECT_EQ(V_StrNCatN(buf, "xyz", 2, 16), 8);
    EXPECT_STREQ(buf, "123abcxy");
    EXPECT_EQ(V_StrNCatN(buf, "z", 1, 0), 8); // no room: untouched
    EXPECT_STREQ(buf, "123abcxy");
    EXPECT_EQ(V_StrCatCharN(buf, '!', 10), 9);
    EXPECT_EQ(V_StrCatCharN(buf, '?', 10), 9);
    EXPECT_STREQ(buf, "123abcxy!");
    EXPECT_EQ(V_StrCat(buf, "AB"), 11);
    EXPECT_STREQ(buf, "123abcxy!AB");

    std::strcpy(buf, "n=");
    EXPECT_EQ(V_StrCatIntN(buf, -2147483647 - 1, 16), 13);
    EXPECT_STREQ(buf, "n=-2147483648");
    std::strcpy(buf, "n=");
    EXPECT_EQ(V_StrCatIntN(buf, 12345, 5), 4);
    EXPECT_STREQ(buf, "n=12");

    // The most negative size has no room at all (and must not overflow).
    for (int32_t size : {0, -1, INT32_MIN}) {
        EXPECT_EQ(V_StrCatN(buf, "x", size), 4);
        EXPECT_EQ(V_StrCatCharN(buf, 'x', size), 4);
        EXPECT_EQ(V_StrCatIntN(buf, 7, size), 4);
        EXPECT_EQ(V_StrNCatN(buf, "x", 1, size), 4);
        EXPECT_EQ(V_StrCpyN(buf, "x", size), 0);
        EXPECT_STREQ(buf, "n=12");
    }
}

TEST(Allocation, NewStringsAreZeroFilledCopiesOwnedByTheCaller)
{
    char *blank = V_StrNew(5);
    ASSERT_NE(blank, nullptr);
    for (int i = 0; i <= 5; i++) EXPECT_EQ(blank[i], '\0') << i;
    V_Free(blank);

    char source[] = "Level";
    char *copy = V_StrCopyString(source);
    ASSERT_NE(copy, nullptr);
    source[0] = 'X';
    EXPECT_STREQ(copy, "Level");
    EXPECT_EQ(V_StrLen(copy), 5);
    EXPECT_EQ(V_StrLen(nullptr), 0);
    V_Free(copy);
}

TEST(InPlaceEdits, StripTruncateReverse)
{
    char s[32];
    std::strcpy(s, "  a b  ");
    V_StrStripTrailingSpaces(s);
    EXPECT_STREQ(s, "  a b");
    V_StrStripLeadingSpaces(s);
    EXPECT_STREQ(s, "a b");
    std::strcpy(s, "\t x ");
    V_StrStripLeadingSpaces(s); // blanks only: the tab stays
    EXPECT_STREQ(s, "\t x ");

    std::strcpy(s, "Move-Right now");
    V_StrStrip(s, "- o");
    EXPECT_STREQ(s, "MveRightnw");

    V_StrTrunc(s, 3);
    EXPECT_STREQ(s, "Mve");
    V_StrTrunc(s, -1); // before the block: ignored
    EXPECT_STREQ(s, "Mve");

    std::strcpy(s, "abcdef");
    V_StrReverse(s, 4);
    EXPECT_STREQ(s, "dcbaef");
    V_StrReverse(s, 100);
    EXPECT_STREQ(s, "feabcd");
}

} // namespace
