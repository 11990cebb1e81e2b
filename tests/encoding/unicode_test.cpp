// Conversion to UTF-8 through the Unicode tables against glibc iconv: the
// single-byte sets from their fixed tables, the double-byte sets from table
// files that tools/mkucod makes from the system's charmaps.
#include "oracle.h"
#include "process.h"
#include "ucod.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using enctest::hex;
using enctest::Iconv;
using enctest::utf8;
using lindrel_test::TempDir;

using Table = lindrel_test::UcodTable;
using lindrel_test::kUcodTables;

std::string toUtf8(const std::string &s, int32_t from) { return enctest::convert(s, from, VDE_TE_UTF8).text; }

// The four tables, loaded in this process for the whole program.
class UnicodeTables : public testing::Environment {
public:
    void SetUp() override
    {
        for (const Table &t : kUcodTables)
            ASSERT_TRUE(lindrel_test::makeUcod(t, dir_.path())) << t.file;
        V_VdeInitFontEncs("VellixRoman");
        V_VdeInitUnicode(dir_.path().c_str());
    }

private:
    TempDir dir_;
};
const auto *const kEnv = testing::AddGlobalTestEnvironment(new UnicodeTables);

class DoubleByte : public testing::TestWithParam<Table> {};

// Every lead and trail byte pair of the set: where glibc has a character,
// the same one; where it has none, none. Single bytes read as ASCII but for
// the host's controls.
TEST_P(DoubleByte, EveryCharacterAgreesWithIconv)
{
    const Table t = GetParam();
    const VdeFontEncT &enc = vdeFontEncs[V_TextEncToFontEnc(t.textEnc)];
    Iconv oracle("UTF-8", t.iconvName);
    int compared = 0, failures = 0;
    for (int lead = 0x80; lead < 256; ++lead)
        for (int trail = 1; trail < 256 && enc.leadBytes[lead]; ++trail) {
            std::string code{char(lead), char(trail)}, want = oracle(code).value_or(""), got = toUtf8(code, t.textEnc);
            compared += !want.empty() && enc.trailBytes[trail];
            if (enc.trailBytes[trail] && got != want && ++failures <= 10)
                ADD_FAILURE() << hex(code) << "got " << hex(got) << "want " << hex(want);
        }
    EXPECT_GT(compared, 6800);
    EXPECT_EQ(failures, 0);
    std::string printable;
    for (int b = 0x20; b < 0x7F; ++b)
        printable += char(b);
    EXPECT_EQ(toUtf8(printable, t.textEnc), *oracle(printable));
    EXPECT_EQ(toUtf8("a\x08" "b\x09" "c\x0A\x01", t.textEnc), "a\tb" + utf8(0x2028) + "c" + utf8(0x2029));
}

INSTANTIATE_TEST_SUITE_P(Sets, DoubleByte, testing::ValuesIn(kUcodTables),
                         [](const auto &info) { return std::to_string(info.param.textEnc); });

TEST(SingleByte, EveryByteOfTheFixedTables)
{
    // Vellix Roman is the classic Macintosh set but for the bytes below: no
    // character there, or (0xDB) the currency sign.
    const std::string noChar = "\x7F\xA1\xAD\xB5\xB6\xB7\xB8\xB9\xBA\xBD\xC3\xC5\xC6\xCA\xD6\xD7\xF0";
    Iconv mac("UTF-8", "MACINTOSH"), latin1("UTF-8", "ISO-8859-1"), kana("UTF-8", "SJIS");
    for (int b = 0x20; b < 256; ++b) {
        std::string in(1, char(b));
        std::string roman = noChar.find(char(b)) != std::string::npos ? "" : b == 0xDB ? utf8(0xA4) : *mac(in);
        EXPECT_EQ(toUtf8(in, VDE_TE_VELLIX), roman) << b;
        EXPECT_EQ(toUtf8(in, VDE_TE_ISOLATIN1), b == 0x7F ? "" : *latin1(in)) << b;
        if (b >= 0xA1 && b <= 0xDF) {  // half-width katakana
            EXPECT_EQ(toUtf8(in, VDE_TE_SHIFTJIS), *kana(in)) << b;
        }
    }
    // The host's controls: tab, line and paragraph ends, special spaces, hyphen.
    const uint32_t controls[] = {0x09, 0x2028, 0x2029, 0x2029, 0, 0, 0, 0, 0x2007, 0xA0, 0x2009, 0x2002, 0x2003, 0x2011};
    for (int b = 0x08; b <= 0x15; ++b)
        EXPECT_EQ(toUtf8(std::string(1, char(b)), VDE_TE_VELLIX), controls[b - 8] ? utf8(controls[b - 8]) : "") << b;
    for (int b : {0x01, 0x07, 0x16, 0x1F})
        EXPECT_EQ(toUtf8(std::string(1, char(b)), VDE_TE_VELLIX), "") << b;
    // Published values of the symbol fonts; their control bytes are the host's.
    EXPECT_EQ(toUtf8("a\"\xA5\xE5", VDE_TE_SYMBOL), utf8(0x3B1) + utf8(0x2200) + utf8(0x221E) + utf8(0x2211));
    EXPECT_EQ(toUtf8("!H\xAC", VDE_TE_DINGBATS), utf8(0x2701) + utf8(0x2605) + utf8(0x2460));
    EXPECT_EQ(toUtf8("J \xFF", VDE_TE_WINGDINGS), utf8(0xF04A) + " " + utf8(0xF0FF));
    for (int32_t font : {VDE_TE_SYMBOL, VDE_TE_DINGBATS, VDE_TE_WINGDINGS})
        EXPECT_EQ(toUtf8("\x08\x0B", font), "\t" + utf8(0x2029)) << font;
    EXPECT_EQ(enctest::convertString("\x01\x02", VDE_TE_VELLIX, VDE_TE_UTF8), "(null)");  // nothing produced
}

}  // namespace
