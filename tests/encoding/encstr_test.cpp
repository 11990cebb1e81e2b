// String functions that must never split a double-byte character.
#include <gtest/gtest.h>

#include <stdlib.h>
#include <string.h>

#include "vsupport/encoding.h"

namespace {

constexpr int32_t kRoman = 0, kSjis = 1, kBig5 = 3;

// Two Shift_JIS characters whose second bytes are ASCII letters: 0x88 'A'
// and 0x89 'a' (both valid pairs), then a single 'A'.
const char kSj[] = "\x88" "A" "\x89" "a" "A";

struct EncStr : ::testing::Test {
    static void SetUpTestSuite() { V_VdeInitFontEncs("VellixRoman"); }
};

TEST_F(EncStr, LengthCountsCharacters) {
    EXPECT_EQ(V_StrLenEnc("\x88\x9F\x88\xA0" "A", kSjis), 3);
    EXPECT_EQ(V_StrLenEnc("\x88\x9F\x88\xA0" "A", kRoman), 5);
    EXPECT_EQ(V_StrLenEnc("\x88", kSjis), 1);  // a lone lead byte counts alone
    EXPECT_EQ(V_StrLenEnc(nullptr, kSjis), 0);
}

TEST_F(EncStr, SplittingTest) {
    EXPECT_EQ(IsSplittingDBChar(kSj, 1, kSjis), 1);
    EXPECT_EQ(IsSplittingDBChar(kSj, 2, kSjis), 0);
    EXPECT_EQ(IsSplittingDBChar(kSj, 3, kSjis), 1);
    EXPECT_EQ(IsSplittingDBChar(kSj, 4, kSjis), 0);
    EXPECT_EQ(IsSplittingDBChar(kSj, 5, kSjis), 0);  // the end
    EXPECT_EQ(IsSplittingDBChar(kSj, 0, kSjis), 0);
    EXPECT_EQ(IsSplittingDBChar(kSj, 1, kRoman), 0);
    // Counting from the start: 0x88 0x88 0x41 pairs the first two bytes.
    EXPECT_EQ(IsSplittingDBChar("\x88\x88" "A", 2, kSjis), 0);
    EXPECT_EQ(IsSplittingDBChar("\x88\x88" "A", 1, kSjis), 1);
}

TEST_F(EncStr, SearchesOnlyAtCharacterBoundaries) {
    EXPECT_EQ(V_StrChrEnc(kSj, 'A', 0, kSjis), kSj + 4);
    EXPECT_EQ(V_StrChrEnc(kSj, 'a', 0, kSjis), nullptr);  // only a second byte
    EXPECT_EQ(V_StrChrEnc(kSj, 'a', 0, kRoman), kSj + 3);
    EXPECT_EQ(V_StrChrEnc(kSj, 0x89, 'a', kSjis), kSj + 2);
    EXPECT_EQ(V_StrChrEnc(kSj, 0, 0, kSjis), nullptr);
    EXPECT_EQ(V_StrRChrEnc(kSj, 'A', 0, kSjis), kSj + 4);
    EXPECT_EQ(V_StrRChrEnc(kSj, 0x88, 'A', kSjis), kSj);
    EXPECT_EQ(V_StrRChrEnc("", 'A', 0, kSjis), nullptr);
    EXPECT_EQ(V_StrRChrEnc(kSj, 0, 0, kSjis), nullptr);
    EXPECT_EQ(V_StrStrEnc(kSj, "A", kSjis), 4);
    EXPECT_EQ(V_StrStrEnc(kSj, "A", kRoman), 1);
    EXPECT_EQ(V_StrStrEnc(kSj, "a", kSjis), -1);
    EXPECT_EQ(V_StrStrEnc(kSj, "\x89" "a", kSjis), 2);
    EXPECT_EQ(V_StrStrEnc("", "", kSjis), -1);
    EXPECT_EQ(V_StrStrEnc(kSj, nullptr, kSjis), -1);
    // After a miss the search resumes at the next character, not the next byte:
    // "A\x88" must not match across the boundary inside 0x88 'A'.
    EXPECT_EQ(V_StrStrEnc("x\x88" "A\x88" "B", "A\x88", kSjis), -1);
}

TEST_F(EncStr, CaseInsensitiveComparisons) {
    // Single bytes fold; the second byte of a pair does not.
    EXPECT_EQ(V_StrIEqualEnc("\x88" "A" "b", "\x88" "A" "B", kSjis), 1);
    EXPECT_EQ(V_StrIEqualEnc("\x88" "A", "\x88" "a", kSjis), 0);
    EXPECT_EQ(V_StrIEqualEnc("\x88" "A", "\x88" "a", kRoman), 1);
    EXPECT_EQ(V_StrIEqualEnc(nullptr, "", kSjis), 1);
    EXPECT_EQ(V_StrIEqualEnc("\x80", "\x8A", kRoman), 1);  // A diaeresis, both cases
    EXPECT_EQ(V_StrICmpEnc("abc", "ABD", kSjis), 'c' - 'd');
    EXPECT_EQ(V_StrICmpEnc("\x88\x9F", "\x88\xA0", kSjis), 0x889F - 0x88A0);
    EXPECT_EQ(V_StrICmpEnc("\x88\x9F", "a", kSjis), 0x889F - 'a');
    EXPECT_EQ(V_StrICmpEnc("", "a", kSjis), -'a');
    EXPECT_LT(V_StrMCmpEnc("Abc", "abc", kSjis), 0);
    EXPECT_EQ(V_StrMCmpEnc("abc", "abc", kSjis), 0);
    const char *a = "b", *b = "A";
    EXPECT_GT(V_StrQsortCmpEnc(&a, &b, kSjis), 0);
}

TEST_F(EncStr, CountedComparisonsAndAffixes) {
    EXPECT_EQ(V_StrIEqualNEnc("ABx", "aby", 2, kSjis), 1);
    EXPECT_EQ(V_StrIEqualNEnc("ABx", "aby", 3, kSjis), 0);
    EXPECT_EQ(V_StrIEqualNEnc("x", "y", 0, kSjis), 1);
    // A pair that starts inside the count is compared whole.
    EXPECT_EQ(V_StrIEqualNEnc("\x88\x9F", "\x88\xA0", 1, kSjis), 0);
    EXPECT_EQ(V_StrCmpNEnc("abc", "abd", 2, kSjis), 0);
    EXPECT_NE(V_StrCmpNEnc("Abc", "abc", 2, kSjis), 0);
    EXPECT_EQ(V_StrICmpNEnc("Abc", "abd", 2, kSjis), 0);
    EXPECT_EQ(V_StrCmpNEnc("a", "b", 0, kSjis), 0);
    EXPECT_EQ(V_StrIPrefixEnc("\x88" "Axyz", "\x88" "AX", kSjis), 1);
    EXPECT_EQ(V_StrIPrefixEnc("ab", "abc", kSjis), 0);
    EXPECT_EQ(V_StrIPrefixEnc("ab", "", kSjis), 1);
    EXPECT_EQ(V_StrISuffixEnc("xx\x88" "A", "\x88" "a", kSjis), 0);
    EXPECT_EQ(V_StrISuffixEnc("xx\x88" "A", "\x88" "A", kSjis), 1);
    EXPECT_EQ(V_StrISuffixEnc("x\x88" "A", "A", kSjis), 0);  // would begin inside a pair
    EXPECT_EQ(V_StrISuffixEnc("x\x88" "A", "A", kRoman), 1);
    EXPECT_EQ(V_StrISuffixEnc("xAB", "ab", kSjis), 1);
    EXPECT_EQ(V_StrISuffixEnc(nullptr, "", kSjis), 1);
    EXPECT_EQ(V_StrISuffixEnc(nullptr, "a", kSjis), 0);
    EXPECT_EQ(V_StrISuffixEnc("a", "ba", kSjis), 0);
}

TEST_F(EncStr, TruncateAndCopyKeepPairsWhole) {
    char s[] = "\x88\x9F\x88\xA0" "A";
    V_StrTruncEnc(s, 3, kSjis);
    EXPECT_STREQ(s, "\x88\x9F");
    char t[] = "\x88\x9F" "AB";
    V_StrTruncEnc(t, 2, kSjis);
    EXPECT_STREQ(t, "\x88\x9F");
    V_StrTruncEnc(t, 10, kSjis);
    EXPECT_STREQ(t, "\x88\x9F");
    V_StrTruncEnc(t, -1, kSjis);
    EXPECT_STREQ(t, "");
    V_StrTruncEnc(nullptr, 1, kSjis);

    char buf[8];
    memset(buf, 'z', sizeof buf);
    EXPECT_EQ(V_StrCpyNEnc(buf, "AB\x88\x9F", 4, kSjis), 2);  // the pair would need 5 bytes
    EXPECT_STREQ(buf, "AB");
    EXPECT_EQ(V_StrCpyNEnc(buf, "AB\x88\x9F", 5, kSjis), 4);
    EXPECT_STREQ(buf, "AB\x88\x9F");
    EXPECT_EQ(V_StrCpyNEnc(buf, "AB\x88\x9F", 4, kRoman), 3);
    EXPECT_EQ(V_StrCpyNEnc(buf, nullptr, 4, kSjis), 0);
    EXPECT_STREQ(buf, "");
    EXPECT_EQ(V_StrCpyNEnc(nullptr, "a", 4, kSjis), 0);
}

TEST_F(EncStr, AppendKeepsPairsWholeWithinCapacity) {
    char buf[6] = "ab";
    EXPECT_EQ(V_StrCatNEnc(buf, "c\x88\x9F", 5, kSjis), 3);  // the pair needs 5 of 4
    EXPECT_STREQ(buf, "abc");
    EXPECT_EQ(V_StrCatNEnc(buf, "", 6, kSjis), 0);
    EXPECT_EQ(V_StrCatNEnc(buf, nullptr, 6, kSjis), 0);
    EXPECT_EQ(V_StrCatDblCharNEnc(buf, 0x88, 0x9F, 6, kSjis), 5);
    EXPECT_STREQ(buf, "abc\x88\x9F");
    EXPECT_EQ(V_StrCatNEnc(buf, "x", 6, kSjis), 5);  // already full
    char b2[10] = "a";
    EXPECT_EQ(V_StrNCatNEnc(b2, "\x88\x9F\x88\xA0", 3, 10, kSjis), 3);  // count 3 takes one pair
    EXPECT_STREQ(b2, "a\x88\x9F");
    EXPECT_EQ(V_StrNCatNEnc(b2, "\xA4\x40" "b", 9, 10, kBig5), 6);
    EXPECT_STREQ(b2, "a\x88\x9F\xA4\x40" "b");
    EXPECT_EQ(V_StrNCatNEnc(b2, nullptr, 9, 10, kSjis), 6);
}

}  // namespace
