// Conversion to UTF-8 through the Unicode tables, against glibc iconv: the
// single-byte sets from their fixed tables, the double-byte sets from
// table files made from the system's charmaps.
#include <gtest/gtest.h>

#include <string>

#include "oracle.h"
#include "ucod.h"
#include "vsupport/memory.h"

namespace {

using enctest::hex;
using enctest::Iconv;
using enctest::utf8;

constexpr int32_t UTF8 = VDE_TE_UTF8;

// The table files live for the whole program.
class UnicodeTables : public ::testing::Environment {
public:
    void SetUp() override {
        ASSERT_FALSE(dir_.path().empty());
        for (const auto &t : enctest::kUcodTables) ASSERT_TRUE(enctest::makeUcod(t, dir_.path())) << t.table;
        V_VdeInitFontEncs("VellixRoman");
        V_VdeInitUnicode(dir_.path().c_str());
    }

private:
    enctest::TempDir dir_;
};
const auto *const kEnv = ::testing::AddGlobalTestEnvironment(new UnicodeTables);

std::string toUtf8(const std::string &s, int32_t from) { return enctest::convertString(s, from, UTF8); }

struct AsianSet {
    int32_t textEnc;
    const char *iconvName;
    const char *name;
};

class AsianToUtf8 : public ::testing::TestWithParam<AsianSet> {};

TEST_P(AsianToUtf8, EveryDoubleByteCharacterAgreesWithIconv) {
    const AsianSet set = GetParam();
    const VdeFontEncT &enc = vdeFontEncs[V_TextEncToFontEnc(set.textEnc)];
    Iconv oracle("UTF-8", set.iconvName);
    ASSERT_TRUE(oracle.ok());
    int compared = 0, failures = 0;
    for (int lead = 0x80; lead < 256; ++lead) {
        if (!enc.leadBytes[lead]) continue;
        for (int trail = 1; trail < 256; ++trail) {
            if (!enc.trailBytes[trail]) continue;
            std::string code{static_cast<char>(lead), static_cast<char>(trail)};
            auto want = oracle(code);
            // Where glibc has no character, the table has none either.
            std::string expected = want ? *want : "";
            std::string got = toUtf8(code, set.textEnc);
            if (want) ++compared;
            if (got != expected && ++failures <= 10)
                ADD_FAILURE() << hex(code) << "got " << hex(got) << "want " << hex(expected);
        }
    }
    EXPECT_GT(compared, 6800);
    EXPECT_EQ(failures, 0);
}

TEST_P(AsianToUtf8, SingleBytesAgreeExceptTheHostControls) {
    const AsianSet set = GetParam();
    Iconv oracle("UTF-8", set.iconvName);
    std::string printable;
    for (int b = 0x20; b < 0x7F; ++b) printable += static_cast<char>(b);
    EXPECT_EQ(toUtf8(printable, set.textEnc), *oracle(printable));
    // Control bytes read as Vellix Roman's: tab, line and paragraph ends.
    EXPECT_EQ(toUtf8("a\x08" "b\x09" "c\x0A", set.textEnc), "a\t" "b" + utf8(0x2028) + "c" + utf8(0x2029));
    EXPECT_EQ(toUtf8("\x01\x02", set.textEnc), "");
}

INSTANTIATE_TEST_SUITE_P(Sets, AsianToUtf8,
                         ::testing::Values(AsianSet{VDE_TE_SHIFTJIS, "SJIS", "ShiftJIS"},
                                           AsianSet{VDE_TE_EUCKR, "EUC-KR", "Korean"},
                                           AsianSet{VDE_TE_BIG5, "BIG5", "Big5"},
                                           AsianSet{VDE_TE_GBEUC, "EUC-CN", "GB"}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(SingleByteToUtf8, HalfWidthKatakanaAgree) {
    Iconv oracle("UTF-8", "SJIS");
    std::string kana;
    for (int b = 0xA1; b <= 0xDF; ++b) kana += static_cast<char>(b);
    EXPECT_EQ(toUtf8(kana, VDE_TE_SHIFTJIS), *oracle(kana));
}

TEST(SingleByteToUtf8, VellixRomanEveryByte) {
    // The upper half is the classic Macintosh set but for the bytes below:
    // the host has no character there, or (0xDB) the currency sign.
    const std::string noChar = "\xA1\xAD\xB5\xB6\xB7\xB8\xB9\xBA\xBD\xC3\xC5\xC6\xCA\xD6\xD7\xF0";
    Iconv mac("UTF-8", "MACINTOSH");
    for (int b = 0x20; b < 256; ++b) {
        std::string in(1, static_cast<char>(b)), got = toUtf8(in, VDE_TE_VELLIX);
        if (b == 0x7F || noChar.find(static_cast<char>(b)) != std::string::npos) EXPECT_EQ(got, "") << b;
        else if (b == 0xDB) EXPECT_EQ(got, utf8(0x00A4));
        else EXPECT_EQ(got, *mac(in)) << b;
    }
    // The controls of the host: tab, line end, paragraph ends, special spaces, hyphen.
    const uint32_t controls[] = {0x0009, 0x2028, 0x2029, 0x2029};
    for (int b = 0x08; b <= 0x0B; ++b) EXPECT_EQ(toUtf8(std::string(1, static_cast<char>(b)), VDE_TE_VELLIX), utf8(controls[b - 8]));
    const uint32_t spaces[] = {0x2007, 0x00A0, 0x2009, 0x2002, 0x2003, 0x2011};
    for (int b = 0x10; b <= 0x15; ++b) EXPECT_EQ(toUtf8(std::string(1, static_cast<char>(b)), VDE_TE_VELLIX), utf8(spaces[b - 0x10]));
    for (int b : {0x01, 0x07, 0x0C, 0x16, 0x1F}) EXPECT_EQ(toUtf8(std::string(1, static_cast<char>(b)), VDE_TE_VELLIX), "");
}

TEST(SingleByteToUtf8, IsoLatin1AndSymbolFonts) {
    Iconv latin1("UTF-8", "ISO-8859-1");
    for (int b = 1; b < 256; ++b) {
        std::string in(1, static_cast<char>(b));
        EXPECT_EQ(toUtf8(in, VDE_TE_ISOLATIN1), b == 0x7F ? "" : *latin1(in)) << b;
    }
    // Published values of the symbol fonts.
    EXPECT_EQ(toUtf8("a\"", VDE_TE_SYMBOL), utf8(0x03B1) + utf8(0x2200));
    EXPECT_EQ(toUtf8("\xA5\xE5", VDE_TE_SYMBOL), utf8(0x221E) + utf8(0x2211));
    EXPECT_EQ(toUtf8("!H", VDE_TE_DINGBATS), utf8(0x2701) + utf8(0x2605));
    EXPECT_EQ(toUtf8("\xAC", VDE_TE_DINGBATS), utf8(0x2460));
    EXPECT_EQ(toUtf8("J \xFF", VDE_TE_WINGDINGS), utf8(0xF04A) + " " + utf8(0xF0FF));
    // Their control bytes are the host's.
    for (int32_t font : {VDE_TE_SYMBOL, VDE_TE_DINGBATS, VDE_TE_WINGDINGS})
        EXPECT_EQ(toUtf8("\x08\x0B", font), "\t" + utf8(0x2029)) << font;
}

TEST(ConvertEnc, CopiesEmptyResultsAndMissingConverters) {
    char *same = V_StrConvertEnc("abc\x88\x9F", VDE_TE_SHIFTJIS, VDE_TE_SHIFTJIS);
    ASSERT_NE(same, nullptr);
    EXPECT_STREQ(same, "abc\x88\x9F");
    V_Free(same);
    EXPECT_EQ(V_StrConvertEnc("", VDE_TE_SHIFTJIS, VDE_TE_SHIFTJIS), nullptr);
    EXPECT_EQ(V_StrConvertEnc(nullptr, VDE_TE_SHIFTJIS, VDE_TE_SHIFTJIS), nullptr);
    EXPECT_EQ(V_StrConvertEnc("abc", VDE_TE_ASCII, UTF8), nullptr);       // no converter
    EXPECT_EQ(V_StrConvertEnc("abc", VDE_TE_BIG5, VDE_TE_SHIFTJIS), nullptr);
    EXPECT_EQ(V_StrConvertEnc("\x01\x02", VDE_TE_VELLIX, UTF8), nullptr);  // nothing produced
    // A pair without a converter still copies its bytes into the list.
    auto r = enctest::convert("abc", VDE_TE_BIG5, VDE_TE_SHIFTJIS);
    EXPECT_EQ(r.status, -1);
    EXPECT_EQ(r.text, "abc");
}

TEST(ConvertEnc, ByteMapsLeaveOutBytesWithoutCounterpart) {
    struct Case {
        const char *in;
        int32_t from, to;
        const char *out;
    } cases[] = {
        {"caf\x8E \x7F!", VDE_TE_VELLIX, VDE_TE_ASCII, "caf ?!"},
        {"caf\x8E\x08", VDE_TE_VELLIX, VDE_TE_ISOLATIN1, "caf\xE9\t"},
        {"\xE9\t\r", VDE_TE_ISOLATIN1, VDE_TE_VELLIX, "\x8E\x08\x0A"},
        {"\x93x\x94", VDE_TE_ANSI, VDE_TE_VELLIX, "\xD2x\xD3"},
        {"\x8E\x08", VDE_TE_VELLIX, VDE_TE_MAC, "\x8E\t"},
        {"\x8E\t", VDE_TE_MAC, VDE_TE_VELLIX, "\x8E\x08"},
        {"\x8E\x08", VDE_TE_VELLIX, VDE_TE_SHIFTJIS, "\t"},
    };
    for (const Case &c : cases) EXPECT_EQ(enctest::convertString(c.in, c.from, c.to), c.out) << hex(c.in);
}

TEST(ConvertEnc, AssertsOnImpossibleNumbers) {
    EXPECT_DEATH(V_StrConvertEnc("a", 17, VDE_TE_VELLIX), "");
    EXPECT_DEATH(V_StrConvertEnc("a", VDE_TE_VELLIX, VDE_TE_SYMBOL), "");
    EXPECT_DEATH(V_StrConvertEnc("a", VDE_TE_VELLIX, 17), "");
}

TEST(LString, CodePointsOfAString) {
    int32_t *l = VdeTextEncStringToLString("A\x88\x9F\xB1", VDE_TE_SHIFTJIS);
    ASSERT_NE(l, nullptr);
    EXPECT_EQ(l[0], 0x41);
    EXPECT_EQ(l[1], 0x4E9C);
    EXPECT_EQ(l[2], 0xFF71);
    EXPECT_EQ(l[3], 0);
    V_Free(l);
    EXPECT_EQ(VdeTextEncStringToLString("", VDE_TE_SHIFTJIS), nullptr);
    EXPECT_EQ(VdeTextEncStringToLString(nullptr, VDE_TE_VELLIX), nullptr);
    EXPECT_EQ(VdeTextEncStringToLString("abc", VDE_TE_JIS7), nullptr);
    // Counted input: a pair cut by the count reads as a single byte; a
    // code point 0 ends the output; bytes without a character give none.
    int32_t out[8] = {-1, -1, -1, -1, -1, -1, -1, -1};
    const unsigned char sj[] = {'A', 0x88, 0x9F, 0x88, 0x9F};
    EXPECT_EQ(translateStringToUCS4(sj, 4, VDE_TE_SHIFTJIS, out), 2);
    EXPECT_EQ(out[1], 0x4E9C);
    EXPECT_EQ(out[2], -1);
    const unsigned char text[] = {'a', 0x01, 'b', 0, 'c'};
    EXPECT_EQ(translateStringToUCS4(text, 5, VDE_TE_VELLIX, out), 3);  // byte 0 has no character
    EXPECT_EQ(out[2], 'c');
    EXPECT_EQ(translateStringToUCS4(text, 5, VDE_TE_ISOLATIN1, out), 3);  // its byte 0 is U+0000
    EXPECT_EQ(out[1], 0x01);
    EXPECT_EQ(translateStringToUCS4(text, 5, VDE_TE_ASCII, out), -1);
    EXPECT_EQ(translateStringToUCS4(nullptr, 3, VDE_TE_VELLIX, out), 0);
}

}  // namespace
