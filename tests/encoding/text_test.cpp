// Text encodings: the registry, font encodings and locale flags, string
// functions that never split a double-byte character, and fixed character
// lists.
#include "oracle.h"

#include <gtest/gtest.h>

#include <cstring>
#include <iterator>
#include <string>

#include "vsupport/strings.h"
#include "support_internal.h"

namespace {

TEST(Registry, NamesNumbersAndFontEncodings)
{
    for (int32_t v = 1; v <= VDE_TE_LAST; ++v)  // every name reads back to its own number
        if (const char *name = VdeTextEncValueToName(v); *name) {
            EXPECT_EQ(VdeTextEncNameToValue(name), v) << name;
        }
    EXPECT_EQ(std::string(VdeTextEncValueToMimeName(9)) + VdeTextEncValueToMimeName(13) + VdeTextEncValueToName(99), "EUC-TW");
    // Lookups ignore case and punctuation; accents fold through the host's map.
    for (auto [name, value] : {std::pair<const char *, int32_t>{"shift-jis", 6}, {"utf8", 16}, {"euc cns", 9}, {"no-such-set", 0}, {nullptr, 0}})
        EXPECT_EQ(VdeTextEncNameToValue(name), value) << (name ? name : "null");
    EXPECT_EQ(V_StrANICmp("a-b  c", "ABC") + V_StrANICmp("--", nullptr) + V_StrANICmp("\x8A" "b", "\x80" "B"), 0);
    EXPECT_TRUE(V_StrANICmp("ab", "ac") < 0 && V_StrANICmp("abc", "ab") > 0);
    V_VdeInitFontEncs("VellixRoman");
    for (int f = 0; f < 5; ++f)
        EXPECT_EQ(V_FontEncId(V_FontEncName(f)) * 100 + V_TextEncToFontEnc(V_FontEncToTextEnc(f)), f * 101);
    EXPECT_EQ(V_FontEncName(5) == nullptr && V_FontEncName(-1) == nullptr, true);
    EXPECT_EQ(V_FontEncId("big5") * 100 + V_FontEncId("unknown") + V_FontEncToTextEnc(7) + V_TextEncToFontEnc(16), 300);
    const VdeFontEncT &sj = vdeFontEncs[1];  // a pair needs a marked lead and a marked trail byte
    EXPECT_TRUE(sj.leadBytes[0xFC] && sj.trailBytes[0x80] && !sj.leadBytes[0xA0] && !sj.trailBytes[0x7F]);
    EXPECT_EQ(VdeInitBIG5Encoding(nullptr), -1);
    EXPECT_EQ(V_VdeInitFontEncs("big5") * 10 + vdeDialogEncodingId, 33);  // the dialog encoding, by name
    EXPECT_EQ(V_VdeInitFontEncs("no such font") * 10 + V_VdeInitFontEncs("VellixRoman"), 30);  // keeps its value
    for (auto [name, flags] : {std::pair("ja_JP.SJIS", 0), {"ja_JP.EUC", 1000}, {"ja_JP.JIS7", 100}, {"zh_TW.Big5", 10}, {"C", 1}}) {
        VdeSetLocaleFlags(name);  // EUC, JIS, CNS, Roman
        EXPECT_EQ(vdeLocaleIsEUC * 1000 + vdeLocaleIsJIS * 100 + vdeLocaleIsCNS * 10 + vdeLocaleIsRoman, flags) << name;
    }
}

// Shift_JIS pairs whose second bytes are ASCII letters (0x88 'A', 0x89 'a'),
// then a single 'A': nothing matches, cuts or counts inside a pair.
TEST(EncStr, NoMatchCutOrCountInsideAPair)
{
    constexpr int32_t R = 0, S = 1, B5 = 3;
    V_VdeInitFontEncs("VellixRoman");
    const char kSj[] = "\x88" "A" "\x89" "a" "A";
    const std::pair<int, int> ints[] = {
        {V_StrLenEnc("\x88\x9F\x88\xA0" "A", S), 3}, {V_StrLenEnc("\x88\x9F\x88\xA0" "A", R), 5},
        {IsSplittingDBChar(kSj, 1, S), 1}, {IsSplittingDBChar(kSj, 2, S), 0}, {IsSplittingDBChar(kSj, 3, S), 1},
        {IsSplittingDBChar(kSj, 5, S), 0}, {IsSplittingDBChar(kSj, 0, S), 0}, {IsSplittingDBChar(kSj, 1, R), 0},
        {V_StrStrEnc(kSj, "A", S), 4}, {V_StrStrEnc(kSj, "A", R), 1}, {V_StrStrEnc(kSj, "a", S), -1},
        {V_StrStrEnc(kSj, "\x89" "a", S), 2}, {V_StrStrEnc("", "", S), -1}, {V_StrStrEnc(kSj, nullptr, S), -1},
        {V_StrStrEnc("x\x88" "A\x88" "B", "A\x88", S), -1},  // resumes at the next character, not byte
        {V_StrIEqualEnc("\x88" "A" "b", "\x88" "A" "B", S), 1}, {V_StrIEqualEnc("\x88" "A", "\x88" "a", S), 0},
        {V_StrIEqualEnc("\x88" "A", "\x88" "a", R), 1}, {V_StrIEqualEnc(nullptr, "", S), 1},
        {V_StrICmpEnc("abc", "ABD", S), 'c' - 'd'}, {V_StrICmpEnc("\x88\x9F", "\x88\xA0", S), 0x889F - 0x88A0},
        {V_StrICmpEnc("\x88\x9F", "a", S), 0x889F - 'a'}, {V_StrICmpEnc("", "a", S), -'a'},
        {V_StrMCmpEnc("Abc", "abc", S) < 0, 1}, {V_StrMCmpEnc("abc", "abc", S), 0},
        {V_StrIEqualNEnc("ABx", "aby", 2, S), 1}, {V_StrIEqualNEnc("ABx", "aby", 3, S), 0},
        {V_StrIEqualNEnc("x", "y", 0, S), 1}, {V_StrIEqualNEnc("\x88\x9F", "\x88\xA0", 1, S), 0},  // a pair begun is whole
        {V_StrCmpNEnc("abc", "abd", 2, S), 0}, {V_StrCmpNEnc("Abc", "abc", 2, S) != 0, 1}, {V_StrICmpNEnc("Abc", "abd", 2, S), 0},
        {V_StrIPrefixEnc("\x88" "Axyz", "\x88" "AX", S), 1}, {V_StrIPrefixEnc("ab", "abc", S), 0}, {V_StrIPrefixEnc("ab", "", S), 1},
        {V_StrISuffixEnc("xx\x88" "A", "\x88" "a", S), 0}, {V_StrISuffixEnc("xx\x88" "A", "\x88" "A", S), 1},
        {V_StrISuffixEnc("x\x88" "A", "A", S), 0}, {V_StrISuffixEnc("x\x88" "A", "A", R), 1}, {V_StrISuffixEnc("a", "ba", S), 0},
    };
    for (size_t i = 0; i < std::size(ints); ++i)
        EXPECT_EQ(ints[i].first, ints[i].second) << "row " << i;
    const std::tuple<int, int, int, const char *> chars[] = {  // first, second, font: where found
        {'A', 0, S, kSj + 4}, {'a', 0, S, nullptr}, {'a', 0, R, kSj + 3}, {0x89, 'a', S, kSj + 2}, {0, 0, S, nullptr}};
    for (auto [first, second, font, at] : chars)
        EXPECT_EQ(V_StrChrEnc(kSj, first, second, font), at) << first;
    EXPECT_TRUE(V_StrRChrEnc(kSj, 'A', 0, S) == kSj + 4 && V_StrRChrEnc(kSj, 0x88, 'A', S) == kSj);
    EXPECT_TRUE(V_StrRChrEnc("", 'A', 0, S) == nullptr && V_StrRChrEnc(kSj, 0, 0, S) == nullptr);
    const char *a = "b", *b = "A";
    EXPECT_GT(V_StrQsortCmpEnc(&a, &b, S), 0);

    const std::tuple<const char *, int32_t, const char *> cuts[] = {
        {"\x88\x9F\x88\xA0" "A", 3, "\x88\x9F"}, {"\x88\x9F" "AB", 2, "\x88\x9F"}, {"\x88\x9F", 10, "\x88\x9F"}, {"ab", -1, ""}};
    for (auto [text, at, after] : cuts) {
        std::string s = text;
        V_StrTruncEnc(s.data(), at, S);
        EXPECT_STREQ(s.c_str(), after) << at;
    }
    V_StrTruncEnc(nullptr, 1, S);
    char buf[10] = "zzzzzzzzz";
    EXPECT_EQ(V_StrCpyNEnc(buf, "AB\x88\x9F", 4, S), 2);  // the pair would need 5 bytes
    EXPECT_EQ(V_StrCpyNEnc(buf, "AB\x88\x9F", 5, S) * 10 + V_StrCpyNEnc(buf, "AB\x88\x9F", 4, R), 43);
    EXPECT_EQ(V_StrCpyNEnc(buf, nullptr, 4, S) + V_StrCpyNEnc(nullptr, "a", 4, S), 0);
    EXPECT_STREQ(buf, "");
    std::strcpy(buf, "ab");
    EXPECT_EQ(V_StrCatNEnc(buf, "c\x88\x9F", 5, S), 3);  // the pair needs 5 of 4
    EXPECT_EQ(V_StrCatNEnc(buf, "d", 5, S), 4);  // the last byte of room
    buf[3] = '\0';
    EXPECT_EQ(V_StrCatNEnc(buf, "", 6, S) + V_StrCatNEnc(buf, nullptr, 6, S), 0);
    EXPECT_EQ(V_StrCatDblCharNEnc(buf, 0x88, 0x9F, 6, S) * 10 + V_StrCatNEnc(buf, "x", 6, S), 55);  // then full
    EXPECT_STREQ(buf, "abc\x88\x9F");
    std::strcpy(buf, "a");
    EXPECT_EQ(V_StrNCatNEnc(buf, "\x88\x9F\x88\xA0", 3, 10, S), 3);  // a count of 3 takes one pair
    EXPECT_EQ(V_StrNCatNEnc(buf, "\xA4\x40" "b", 9, 10, B5) * 10 + V_StrNCatNEnc(buf, nullptr, 9, 10, S), 66);
    EXPECT_STREQ(buf, "a\x88\x9F\xA4\x40" "b");
}

}  // namespace
