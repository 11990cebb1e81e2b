// GB EUC and HZ, Big5 and CNS EUC: every character of each set, with glibc
// iconv as the oracle where it has the pair, and HZ's published escape
// structure where it has not.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "oracle.h"

namespace {

using enctest::convert;
using enctest::hex;
using enctest::Iconv;

constexpr int32_t GB = VDE_TE_GBEUC, HZ = VDE_TE_HZ, BIG5 = VDE_TE_BIG5, CNS = VDE_TE_CNSEUC;

std::vector<std::string> allGbCharacters() { return enctest::eucPairs("EUC-CN"); }

TEST(GbHz, EveryGb2312CharacterRoundTrips) {
    std::vector<std::string> all = allGbCharacters();
    ASSERT_GT(all.size(), 7400u);
    for (const std::string &g : all) {
        std::string seven{static_cast<char>(g[0] & 0x7F), static_cast<char>(g[1] & 0x7F)};
        auto hz = convert(g, GB, HZ);
        ASSERT_EQ(hz.text, "~{" + seven + "~}") << hex(g);
        auto back = convert(hz.text, HZ, GB);
        ASSERT_EQ(back.status, 0);
        ASSERT_EQ(back.text, g) << hex(g);
    }
}

TEST(GbHz, LongMixedTextHasTheHzStructure) {
    std::string gb;
    int n = 0;
    for (const std::string &g : allGbCharacters()) {
        gb += g;
        if (++n % 50 == 0) gb += (n % 100 == 0) ? "\n" : " a~b ";
    }
    auto hz = convert(gb, GB, HZ);
    ASSERT_EQ(hz.status, 0);
    // Seven bits only; escapes balanced; GB runs only inside ~{ ... ~}.
    bool dbl = false;
    for (size_t i = 0; i < hz.text.size();) {
        unsigned char c = hz.text[i];
        ASSERT_LT(c, 0x80) << i;
        if (!dbl && c == '~') {
            char e = hz.text.at(i + 1);
            ASSERT_TRUE(e == '{' || e == '~') << i;
            dbl = e == '{';
            i += 2;
        } else if (dbl && c == '~' && hz.text.at(i + 1) == '}') {
            dbl = false;
            i += 2;
        } else if (dbl) {
            ASSERT_TRUE(c >= 0x21 && c <= 0x77 && hz.text[i + 1] >= 0x21 && hz.text[i + 1] <= 0x7E) << i;
            i += 2;
        } else {
            ASSERT_NE(c, '\n' + 0x80);
            ++i;
        }
    }
    EXPECT_FALSE(dbl);
    auto back = convert(hz.text, HZ, GB);
    EXPECT_EQ(back.status, 0);
    EXPECT_EQ(back.text, gb);
}

TEST(GbHz, GivenExamplesAndEscapes) {
    EXPECT_EQ(convert("~{\x30\x21~}", HZ, GB).text, "\xB0\xA1");
    EXPECT_EQ(convert("\xB0\xA1", GB, HZ).text, "~{\x30\x21~}");
    EXPECT_EQ(convert("a~~b", HZ, GB).text, "a~b");
    EXPECT_EQ(convert("a~b", GB, HZ).text, "a~~b");  // so that it reads back
    EXPECT_EQ(convert("a~xb", HZ, GB).text, "axb");  // a lone tilde is dropped
    EXPECT_EQ(convert("~{\x30\x21\n\x30\x21", HZ, GB).text, "\xB0\xA1\n\x30\x21");
    EXPECT_EQ(convert("\xB0\xA1\n\xB0\xA1", GB, HZ).text, "~{\x30\x21~}\n~{\x30\x21~}");
    EXPECT_EQ(convert("\xB0\x41", GB, HZ).text, "\xB0\x41");  // not a GB pair: unchanged
    // A tilde after a stray lead byte is doubled too, and reads back as one.
    EXPECT_EQ(convert("\xB0~x", GB, HZ).text, "\xB0~~x");
    EXPECT_EQ(convert("\xB0~~x", HZ, GB).text, "\xB0~x");
    EXPECT_EQ(convert("\xB0\xA1\xB0~", GB, HZ).text, "~{\x30\x21~}\xB0~~");
    EXPECT_EQ(convert("~{\x30", HZ, GB).status, -1);
    auto cut = convert("\xB0\xA1\xB0", GB, HZ);
    EXPECT_EQ(cut.status, -1);
    EXPECT_EQ(cut.text, "~{\x30\x21~}");
}

// A Big5 character's bytes for lead and 0-based cell of its row of 157.
std::string big5(int lead, int cell) {
    return {static_cast<char>(lead), static_cast<char>(cell < 63 ? 0x40 + cell : 0xA1 + cell - 63)};
}

bool isCnsPlane1Or2(const std::string &s) {
    return s.size() == 2 || (s.size() == 4 && s.compare(0, 2, "\x8E\xA2") == 0);
}

TEST(Big5Cns, EveryBig5CharacterBothSetsHold) {
    Iconv toCns("EUC-TW", "BIG5");
    int compared = 0, failures = 0;
    for (int lead = 0xA1; lead <= 0xF9; ++lead)
        for (int cell = 0; cell < 157; ++cell) {
            if (lead == 0xF9 && cell > 0xD5 - 0xA1 + 63) break;  // extensions after level 2
            std::string b = big5(lead, cell);
            auto want = toCns(b);
            if (!want || !isCnsPlane1Or2(*want)) continue;
            ++compared;
            auto got = convert(b, BIG5, CNS);
            if (got.status != 0 || got.text != *want)
                if (++failures <= 10)
                    ADD_FAILURE() << "Big5 " << hex(b) << "got " << hex(got.text) << "want " << hex(*want);
        }
    EXPECT_GT(compared, 13000);
    EXPECT_EQ(failures, 0);
}

TEST(Big5Cns, EveryCnsCharacterBothSetsHold) {
    Iconv toBig5("BIG5", "EUC-TW");
    int compared = 0, failures = 0;
    auto check = [&](const std::string &c) {
        auto want = toBig5(c);
        if (!want || want->size() != 2) return;
        ++compared;
        auto got = convert(c, CNS, BIG5);
        if (got.status != 0 || got.text != *want)
            if (++failures <= 10) ADD_FAILURE() << "CNS " << hex(c) << "got " << hex(got.text) << "want " << hex(*want);
    };
    for (int r = 0xA1; r <= 0xFE; ++r)
        for (int c = 0xA1; c <= 0xFE; ++c) {
            check({static_cast<char>(r), static_cast<char>(c)});
            check({'\x8E', '\xA2', static_cast<char>(r), static_cast<char>(c)});
        }
    EXPECT_GT(compared, 13000);
    EXPECT_EQ(failures, 0);
}

TEST(Big5Cns, UnmappedTruncatedAndSingleBytes) {
    // Characters without a counterpart become the first symbol of the target.
    EXPECT_EQ(convert("\xC8\x40", BIG5, CNS).text, "\xA1\xA1");  // outside the ranges
    EXPECT_EQ(convert("\xFE\xFE", CNS, BIG5).text, "\xA1\x40");
    // Any plane byte up to 0xB0 reads as plane 2.
    EXPECT_EQ(convert("\x8E\xA3\xA1\xA1", CNS, BIG5).text, convert("\x8E\xA2\xA1\xA1", CNS, BIG5).text);
    // The box-drawing extension after the last level-2 hanzi is not Big5 proper.
    EXPECT_EQ(convert("\xF9\xD5", BIG5, CNS).text, "\x8E\xA2\xF2\xC4");
    EXPECT_EQ(convert("\xF9\xF9", BIG5, CNS).text, "\xA1\xA1");
    EXPECT_EQ(convert("ab\x80" "c", BIG5, CNS).text, "ab\x80" "c");  // not a lead byte: passes
    EXPECT_EQ(convert("\xA4\x30", BIG5, CNS).text, "\xA1\xA1" "0");  // a lead without its trail
    // ASCII passes unchanged both ways.
    EXPECT_EQ(convert("Hello, 1~2\n", BIG5, CNS).text, "Hello, 1~2\n");
    EXPECT_EQ(convert("Hello, 1~2\n", CNS, BIG5).text, "Hello, 1~2\n");
    // Input that ends inside a character.
    EXPECT_EQ(convert("a\xA4", BIG5, CNS).status, -1);
    EXPECT_EQ(convert("a\xC4", CNS, BIG5).status, -1);
    auto r = convert("a\x8E\xA2\xA1", CNS, BIG5);
    EXPECT_EQ(r.status, -1);
    EXPECT_EQ(r.text, "a");
    // Plane 1 in its four-byte form reads as plane 1.
    EXPECT_EQ(convert("\x8E\xA1\xC4\xA1", CNS, BIG5).text, convert("\xC4\xA1", CNS, BIG5).text);
}

}  // namespace
