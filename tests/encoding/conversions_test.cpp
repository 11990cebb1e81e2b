// The converters between Asian encodings against glibc iconv, character by
// character over whole sets and as one long text; GB 2312 in HZ; then one
// table of the cases iconv cannot judge (host controls, broken and unmapped
// input, byte maps).
#include "oracle.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>
#include <vector>

namespace {

using enctest::convert;
using enctest::hex;
using enctest::Iconv;
using enctest::Result;

constexpr int32_t JIS = VDE_TE_JIS7, SJIS = VDE_TE_SHIFTJIS, EUC = VDE_TE_EUCJP, GB = VDE_TE_GBEUC, HZ = VDE_TE_HZ,
                  BIG5 = VDE_TE_BIG5, CNS = VDE_TE_CNSEUC;
const std::string kEnter = "\x1b$B", kLeave = "\x1b(J";

// glibc closes ISO-2022-JP with ESC ( B (ASCII); the library writes ESC ( J
// (JIS X 0201 Roman), which reads the same for these characters.
std::string asLibraryJis(std::string s)
{
    for (size_t at; (at = s.find("\x1b(B")) != std::string::npos;)
        s.replace(at, 3, kLeave);
    return s;
}

std::vector<std::string> inSet(const std::vector<std::string> &codes, const char *to, const char *from)
{
    Iconv cd(to, from);
    std::vector<std::string> out;
    for (const std::string &c : codes)
        if (auto r = cd(c))
            out.push_back(*r);
    return out;
}

std::vector<std::string> japanese(const char *set)
{
    std::vector<std::string> sjis = inSet(enctest::eucPairs("EUC-JP"), "SJIS", "EUC-JP");
    for (int kana = 0xA1; kana <= 0xDF && std::string(set) != "ISO-2022-JP"; ++kana)
        sjis.push_back(std::string(1, char(kana)));  // half-width katakana (to JIS: below)
    return inSet(sjis, set, "SJIS");
}

std::vector<std::string> big5()
{
    std::vector<std::string> out;
    for (int lead = 0xA1; lead <= 0xF9; ++lead)
        for (int cell = 0; cell < 157 && (lead < 0xF9 || cell <= 0xD5 - 0xA1 + 63); ++cell)  // no extensions
            out.push_back({char(lead), char(cell < 63 ? 0x40 + cell : 0xA1 + cell - 63)});
    return out;
}

std::vector<std::string> cns()
{
    std::vector<std::string> out;
    for (int r = 0xA1; r <= 0xFE; ++r)
        for (int c = 0xA1; c <= 0xFE; ++c) {
            out.push_back({char(r), char(c)});
            out.push_back({'\x8E', '\xA2', char(r), char(c)});
        }
    return out;
}

struct OracleCase {
    const char *name;
    int32_t from, to;
    const char *iconvFrom, *iconvTo;
    std::vector<std::string> (*codes)();
    size_t minimum;
};

class Oracle : public testing::TestWithParam<OracleCase> {};

// Every character iconv maps from one set to the other, one at a time and
// then all in one text with ASCII and line ends between them (modes switch
// at each line end), converts to what iconv gives. Big5 and CNS EUC are
// compared only where both hold the character (planes 1 and 2).
TEST_P(Oracle, EveryCharacterAndTheWholeTextAgreeWithIconv)
{
    const OracleCase &c = GetParam();
    Iconv oracle(c.iconvTo, c.iconvFrom);
    ASSERT_TRUE(oracle.ok());
    std::string text, want;
    size_t compared = 0, failures = 0;
    for (const std::string &code : c.codes()) {
        auto expected = oracle(code);
        if (!expected || (c.to == CNS && expected->size() == 4 && expected->compare(0, 2, "\x8E\xA2") != 0) ||
            (c.to == BIG5 && expected->size() != 2))
            continue;
        std::string e = c.to == JIS ? asLibraryJis(*expected) : *expected;
        Result got = convert(code, c.from, c.to);
        if ((got.status != 0 || got.text != e) && ++failures <= 10)
            ADD_FAILURE() << hex(code) << "got " << hex(got.text) << "want " << hex(e);
        text += code + (++compared % 40 == 0 ? "ab\n" : "");
    }
    EXPECT_GE(compared, c.minimum);
    EXPECT_EQ(failures, 0u);
    auto whole = oracle(text);
    ASSERT_TRUE(whole);
    EXPECT_TRUE(convert(text, c.from, c.to) == (Result{0, c.to == JIS ? asLibraryJis(*whole) : *whole}));
}

INSTANTIATE_TEST_SUITE_P(
    Sets, Oracle,
    testing::Values(OracleCase{"EucToSjis", EUC, SJIS, "EUC-JP", "SJIS", [] { return japanese("EUC-JP"); }, 6900},
                    OracleCase{"SjisToEuc", SJIS, EUC, "SJIS", "EUC-JP", [] { return japanese("SJIS"); }, 6900},
                    OracleCase{"SjisToJis", SJIS, JIS, "SJIS", "ISO-2022-JP", [] { return japanese("SJIS"); }, 6800},
                    OracleCase{"EucToJis", EUC, JIS, "EUC-JP", "ISO-2022-JP", [] { return japanese("EUC-JP"); }, 6800},
                    OracleCase{"JisToSjis", JIS, SJIS, "ISO-2022-JP", "SJIS", [] { return japanese("ISO-2022-JP"); }, 6800},
                    OracleCase{"JisToEuc", JIS, EUC, "ISO-2022-JP", "EUC-JP", [] { return japanese("ISO-2022-JP"); }, 6800},
                    OracleCase{"Big5ToCns", BIG5, CNS, "BIG5", "EUC-TW", big5, 13000},
                    OracleCase{"CnsToBig5", CNS, BIG5, "EUC-TW", "BIG5", cns, 13000}),
    [](const auto &info) { return std::string(info.param.name); });

// Half-width katakana have no JIS X 0208 form of their own: they become
// the full-width forms glibc transliterates to, and a following sound mark
// merges into the kana that takes it.
TEST(Japanese, HalfWidthKatakanaIntoJis)
{
    std::string saved = setlocale(LC_ALL, nullptr);  // glibc transliterates by the locale's tables
    ASSERT_NE(setlocale(LC_ALL, "C.UTF-8"), nullptr);
    Iconv sjisToUtf8("UTF-8", "SJIS"), toFullWidth("ISO-2022-JP//TRANSLIT", "UTF-8"), toUcs("UCS-4BE", "ISO-2022-JP");
    auto decodeOne = [&](const std::string &jis) {
        auto u = toUcs(jis);
        uint32_t v = 0;
        for (unsigned char ch : u.value_or(""))
            v = v << 8 | ch;
        return u && u->size() == 4 ? v : 0;
    };
    int merged = 0;
    for (int k = 0xA1; k <= 0xDF; ++k) {
        std::string sj(1, char(k)), jis = convert(sj, SJIS, JIS).text;
        EXPECT_EQ(convert("\x8E" + sj, EUC, JIS).text, jis) << k;
        if (k >= 0xDE)  // the sound marks alone: their spacing forms
            EXPECT_EQ(decodeOne(jis), k == 0xDE ? 0x309Bu : 0x309Cu);
        else
            EXPECT_EQ(jis, asLibraryJis(*toFullWidth(*sjisToUtf8(sj)))) << k;
        for (int mark : {0xDE, 0xDF}) {
            if (k >= 0xDE)
                continue;
            bool takes = mark == 0xDE ? (k >= 0xB6 && k <= 0xC4) || (k >= 0xCA && k <= 0xCE) || k == 0xB3
                                      : k >= 0xCA && k <= 0xCE;
            std::string pair = convert(sj + char(mark), SJIS, JIS).text;
            EXPECT_EQ(convert(std::string("\x8E") + char(k) + "\x8E" + char(mark), EUC, JIS).text, pair) << k;
            if (takes) {
                ++merged;  // Unicode places a voiced kana right after its plain form, a semi-voiced one two after
                EXPECT_EQ(decodeOne(pair), k == 0xB3 ? 0x30F4 : decodeOne(jis) + (mark == 0xDE ? 1 : 2)) << k;
                EXPECT_EQ(convert(sj + char(mark) + sj + char(mark), SJIS, JIS).text, pair.substr(0, 5) + pair.substr(3));
            } else {
                EXPECT_EQ(pair.size(), 3 + 4 + 3u) << k;  // kana and mark apart
            }
        }
    }
    EXPECT_EQ(merged, 15 + 5 + 1 + 5);
    setlocale(LC_ALL, saved.c_str());
}

// Every GB 2312 character goes into ~{ ~} as seven bits, and back.
TEST(GbHz, EveryCharacterBothWays)
{
    for (const std::string &g : enctest::eucPairs("EUC-CN")) {
        const std::string hz = std::string("~{") + char(g[0] & 0x7F) + char(g[1] & 0x7F) + "~}";
        ASSERT_EQ(convert(g, GB, HZ).text, hz) << hex(g);
        ASSERT_TRUE(convert(hz, HZ, GB) == (Result{0, g})) << hex(g);
    }
}

// What iconv cannot judge: (text, from, to) and the status and text out.
// Status 9 marks a row run through V_StrConvertEnc ("(null)" for no result).
struct Row {
    std::string in;
    int32_t from, to, status;
    std::string out;
};

TEST(Conversions, HostControlsBrokenAndUnmappedInput)
{
    const Row rows[] = {
        // Japanese: the host's controls, escapes, line ends, cut input.
        {"a\tb\r\n", JIS, SJIS, 0, "a\x08" "b\r\n"}, {"a\tb\r\n", EUC, SJIS, 0, "a\x08" "b\n\n"},
        {"a\x01" "b", EUC, SJIS, 0, "ab"}, {"a\tb", SJIS, EUC, 0, "a\tb"},
        {kEnter + "\x30\x21\x1b(Bx", JIS, EUC, 0, "\xB0\xA1x"}, {kEnter + "\x30\x21\x1bKx", JIS, EUC, 0, "\xB0\xA1Kx"},
        {kEnter + "\x30\x21\n\x30\x21", JIS, EUC, 0, "\xB0\xA1\n\x30\x21"},
        {"\x88\x9F\n\x88\x9F", SJIS, JIS, 0, kEnter + "\x30\x21" + kLeave + "\n" + kEnter + "\x30\x21" + kLeave},
        {"a\x1b$", JIS, EUC, 0, "a"}, {"a\x1b", JIS, EUC, 0, "a"},
        {"\x88\x20", SJIS, EUC, 0, "\x88\x20"}, {"\xB0\x41", EUC, SJIS, 0, "\xB0\x41"},
        {"\x8E\x41", EUC, SJIS, 0, "\x8E\x41"}, {"\xF0\x40", SJIS, EUC, 0, "\xF0\x40"},  // user-defined rows
        {"ab\x88", SJIS, EUC, -1, "ab"}, {"\xB0", EUC, SJIS, -1, ""}, {"\x8E", EUC, JIS, -1, ""},
        {kEnter + "\x30", JIS, SJIS, -1, ""}, {kEnter + "\x30", JIS, EUC, -1, ""},
        {"\x88\x9F\x88", SJIS, JIS, -1, kEnter + "\x30\x21" + kLeave}, {"\x88", SJIS, EUC, 9, "(null)"},
        // HZ: tildes doubled so that they read back, a lone one dropped.
        {"a~~b", HZ, GB, 0, "a~b"}, {"a~b", GB, HZ, 0, "a~~b"}, {"a~xb", HZ, GB, 0, "axb"},
        {"~{\x30\x21\n\x30\x21", HZ, GB, 0, "\xB0\xA1\n\x30\x21"}, {"\xB0\xA1\n\xB0\xA1", GB, HZ, 0, "~{0!~}\n~{0!~}"},
        {"\xB0\x41", GB, HZ, 0, "\xB0\x41"}, {"\xB0~x", GB, HZ, 0, "\xB0~~x"}, {"\xB0~~x", HZ, GB, 0, "\xB0~x"},
        {"\xB0\xA1\xB0~", GB, HZ, 0, "~{0!~}\xB0~~"}, {"~{\x30", HZ, GB, -1, ""}, {"\xB0\xA1\xB0", GB, HZ, -1, "~{0!~}"},
        // Big5 and CNS: no counterpart gives the target's first symbol.
        {"\xC8\x40", BIG5, CNS, 0, "\xA1\xA1"}, {"\xFE\xFE", CNS, BIG5, 0, "\xA1\x40"},
        {"\xF9\xD5", BIG5, CNS, 0, "\x8E\xA2\xF2\xC4"}, {"\xF9\xF9", BIG5, CNS, 0, "\xA1\xA1"},
        {"ab\x80" "c", BIG5, CNS, 0, "ab\x80" "c"}, {"\xA4\x30", BIG5, CNS, 0, "\xA1\xA1" "0"},
        {"Hello, 1~2\n", BIG5, CNS, 0, "Hello, 1~2\n"}, {"Hello, 1~2\n", CNS, BIG5, 0, "Hello, 1~2\n"},
        {"\x8E\xA3\xA1\xA1", CNS, BIG5, 0, "\xC9\x40"}, {"\x8E\xA1\xC4\xA1", CNS, BIG5, 0, "\xA4\x40"},  // plane 1 in four bytes
        {"a\xA4", BIG5, CNS, -1, "a"}, {"a\xC4", CNS, BIG5, -1, "a"}, {"a\x8E\xA2\xA1", CNS, BIG5, -1, "a"},
        // Byte maps leave out bytes without a counterpart.
        {"caf\x8E \x7F!", VDE_TE_VELLIX, VDE_TE_ASCII, 9, "caf ?!"}, {"caf\x8E\x08", VDE_TE_VELLIX, VDE_TE_ISOLATIN1, 9, "caf\xE9\t"},
        {"\xE9\t\r", VDE_TE_ISOLATIN1, VDE_TE_VELLIX, 9, "\x8E\x08\x0A"}, {"\x93x\x94", VDE_TE_ANSI, VDE_TE_VELLIX, 9, "\xD2x\xD3"},
        {"\x8E\x08", VDE_TE_VELLIX, VDE_TE_MAC, 9, "\x8E\t"}, {"\x8E\t", VDE_TE_MAC, VDE_TE_VELLIX, 9, "\x8E\x08"},
        {"\x8E\x08", VDE_TE_VELLIX, SJIS, 9, "\t"},
        // The same encoding is copied; no converter, or no output, gives none.
        {"abc\x88\x9F", SJIS, SJIS, 9, "abc\x88\x9F"}, {"", SJIS, SJIS, 9, "(null)"},
        {"abc", VDE_TE_ASCII, VDE_TE_UTF8, 9, "(null)"}, {"abc", BIG5, SJIS, 9, "(null)"},
        {"abc", BIG5, SJIS, -1, "abc"},  // into the list, the bytes still go
    };
    for (const Row &r : rows) {
        if (r.status == 9)
            EXPECT_EQ(enctest::convertString(r.in, r.from, r.to), r.out) << hex(r.in) << r.from << "->" << r.to;
        else
            EXPECT_TRUE(convert(r.in, r.from, r.to) == (Result{r.status, r.out}))
                << hex(r.in) << r.from << "->" << r.to << ": " << convert(r.in, r.from, r.to).status << " "
                << hex(convert(r.in, r.from, r.to).text);
    }
    EXPECT_EQ(V_StrConvertEnc(nullptr, SJIS, SJIS), nullptr);
    EXPECT_DEATH(V_StrConvertEnc("a", 17, VDE_TE_VELLIX), "");
    EXPECT_DEATH(V_StrConvertEnc("a", VDE_TE_VELLIX, VDE_TE_SYMBOL), "");
    EXPECT_DEATH(V_StrConvertEnc("a", VDE_TE_VELLIX, 17), "");
}

}  // namespace
