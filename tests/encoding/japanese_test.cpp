// JIS7, Shift_JIS and EUC-JP against glibc iconv: every JIS X 0208
// character and every half-width katakana, in every direction.
#include <gtest/gtest.h>

#include <clocale>
#include <string>
#include <vector>

#include "oracle.h"
#include "vsupport/memory.h"

namespace {

using enctest::convert;
using enctest::hex;
using enctest::Iconv;

constexpr int32_t JIS = VDE_TE_JIS7, SJIS = VDE_TE_SHIFTJIS, EUC = VDE_TE_EUCJP;
const std::string kEnter = "\x1b$B", kLeave = "\x1b(J";

// glibc closes ISO-2022-JP with ESC ( B (ASCII); this library writes ESC ( J
// (JIS X 0201 Roman), which reads the same for the characters compared here.
std::string asLibraryJis(std::string s) {
    for (size_t at; (at = s.find("\x1b(B")) != std::string::npos;) s.replace(at, 3, kLeave);
    return s;
}

// Every JIS X 0208 character that glibc knows, in EUC-JP form.
std::vector<std::string> allEucCharacters() { return enctest::eucPairs("EUC-JP"); }

TEST(JapaneseOracle, EveryJisX0208CharacterInEveryDirection) {
    Iconv eucToSjis("SJIS", "EUC-JP"), sjisToJis("ISO-2022-JP", "SJIS");
    ASSERT_TRUE(eucToSjis.ok() && sjisToJis.ok());
    std::vector<std::string> all = allEucCharacters();
    ASSERT_GT(all.size(), 6800u);
    int compared = 0, failures = 0;
    for (const std::string &euc : all) {
        auto sj = eucToSjis(euc);
        if (!sj) continue;  // a character glibc's Shift_JIS lacks
        std::string jis = asLibraryJis(*sjisToJis(*sj));
        ++compared;
        std::vector<std::pair<enctest::Result, std::string>> checks = {
            {convert(euc, EUC, SJIS), *sj}, {convert(*sj, SJIS, EUC), euc},
            {convert(*sj, SJIS, JIS), jis}, {convert(euc, EUC, JIS), jis},
            {convert(jis, JIS, SJIS), *sj}, {convert(jis, JIS, EUC), euc},
        };
        for (size_t k = 0; k < checks.size(); ++k) {
            const auto &[got, want] = checks[k];
            if (got.status == 0 && got.text == want) continue;
            if (++failures <= 10)
                ADD_FAILURE() << "EUC " << hex(euc) << "check " << k << ": got " << hex(got.text) << "want "
                              << hex(want);
        }
    }
    EXPECT_GT(compared, 6800);
    EXPECT_EQ(failures, 0);
}

TEST(JapaneseOracle, WholeTextOfAllCharactersMatches) {
    // One long text, lines of 40 characters: modes switch at every line end.
    Iconv eucToSjis("SJIS", "EUC-JP"), eucToJis("ISO-2022-JP", "EUC-JP");
    std::string euc;
    int n = 0;
    for (const std::string &c : allEucCharacters()) {
        if (!eucToSjis(c)) continue;
        euc += c;
        if (++n % 40 == 0) euc += "ab\n";
    }
    auto sj = eucToSjis(euc);
    ASSERT_TRUE(sj);
    EXPECT_EQ(convert(euc, EUC, SJIS).text, *sj);
    EXPECT_EQ(convert(*sj, SJIS, EUC).text, euc);
    std::string jis = asLibraryJis(*eucToJis(euc));
    EXPECT_EQ(convert(*sj, SJIS, JIS).text, jis);
    EXPECT_EQ(convert(jis, JIS, EUC).text, euc);
}

TEST(JapaneseOracle, HalfWidthKatakana) {
    // glibc transliterates by the tables of the current locale.
    std::string saved = setlocale(LC_ALL, nullptr);
    ASSERT_NE(setlocale(LC_ALL, "C.UTF-8"), nullptr);
    Iconv sjisToEuc("EUC-JP", "SJIS"), sjisToUtf8("UTF-8", "SJIS");
    Iconv toFullWidth("ISO-2022-JP//TRANSLIT", "UTF-8"), jisToUtf8("UTF-8", "ISO-2022-JP");
    for (int k = 0xA1; k <= 0xDF; ++k) {
        std::string sj(1, static_cast<char>(k));
        std::string euc = *sjisToEuc(sj);
        EXPECT_EQ(convert(sj, SJIS, EUC).text, euc) << k;
        EXPECT_EQ(convert(euc, EUC, SJIS).text, sj) << k;
        std::string viaSjis = convert(sj, SJIS, JIS).text;
        EXPECT_EQ(convert(euc, EUC, JIS).text, viaSjis) << k;
        ASSERT_EQ(viaSjis.substr(0, 3), kEnter);
        if (k == 0xDE || k == 0xDF) {
            // The sound marks alone: their spacing full-width forms.
            EXPECT_EQ(*jisToUtf8(viaSjis), enctest::utf8(k == 0xDE ? 0x309B : 0x309C));
        } else {
            // glibc's transliteration gives the full-width form.
            EXPECT_EQ(viaSjis, asLibraryJis(*toFullWidth(*sjisToUtf8(sj)))) << k;
        }
    }
    setlocale(LC_ALL, saved.c_str());
}

// Unicode places a voiced kana right after its plain form, a semi-voiced
// one two after (U+30A6 U+3099 is the exception, U+30F4).
uint32_t decodeOne(const std::string &jis) {
    Iconv toUcs("UCS-4BE", "ISO-2022-JP");
    auto u = toUcs(jis);
    if (!u || u->size() != 4) return 0;
    uint32_t v = 0;
    for (unsigned char c : *u) v = v << 8 | c;
    return v;
}

TEST(JapaneseOracle, SoundMarksMergeIntoTheKana) {
    int merged = 0;
    for (int k = 0xA1; k <= 0xDD; ++k) {
        std::string plain = convert(std::string(1, static_cast<char>(k)), SJIS, JIS).text;
        uint32_t base = decodeOne(plain);
        for (int mark : {0xDE, 0xDF}) {
            bool takes = mark == 0xDE ? (k >= 0xB6 && k <= 0xC4) || (k >= 0xCA && k <= 0xCE) || k == 0xB3
                                      : k >= 0xCA && k <= 0xCE;
            std::string sj{static_cast<char>(k), static_cast<char>(mark)};
            std::string euc{'\x8e', static_cast<char>(k), '\x8e', static_cast<char>(mark)};
            std::string jis = convert(sj, SJIS, JIS).text;
            EXPECT_EQ(convert(euc, EUC, JIS).text, jis) << k;
            if (!takes) {
                EXPECT_EQ(jis.size(), 3 + 4 + 3u) << k;  // kana and mark apart
                continue;
            }
            ++merged;
            uint32_t want = k == 0xB3 ? 0x30F4 : base + (mark == 0xDE ? 1 : 2);
            EXPECT_EQ(decodeOne(jis), want) << std::hex << k << " " << mark;
        }
    }
    EXPECT_EQ(merged, 15 + 5 + 1 + 5);
}

TEST(Japanese, HalfWidthKanaReportsAMergedMark) {
    struct Case {
        int kana, next, merged;
        unsigned char first, second;
    } cases[] = {
        {0xB1, 'x', 0, 0x83, 0x41},  {0xB6, 0xDE, 1, 0x83, 0x4B}, {0xCA, 0xDF, 1, 0x83, 0x70},
        {0xB3, 0xDE, 1, 0x83, 0x94}, {0xB1, 0xDE, 0, 0x83, 0x41}, {0xB6, 0xDF, 0, 0x83, 0x4A},
    };
    for (const Case &c : cases) {
        unsigned char a = 0, b = 0;
        EXPECT_EQ(Vdehan2zen(c.kana, c.next, &a, &b), c.merged) << std::hex << c.kana;
        EXPECT_EQ(a, c.first);
        EXPECT_EQ(b, c.second);
    }
    unsigned char a = 1, b = 2;
    for (int notKana : {0x41, 0xA0, 0xE0, -1}) EXPECT_EQ(Vdehan2zen(notKana, 0xDE, &a, &b), -1);
    EXPECT_EQ(a, 1);
    EXPECT_EQ(b, 2);
}

TEST(Japanese, GivenExamples) {
    EXPECT_EQ(convert("\x88\x9F", SJIS, JIS).text, kEnter + "\x30\x21" + kLeave);
    EXPECT_EQ(convert("\xB0\xA1", EUC, SJIS).text, "\x88\x9F");
    char *s = V_StrConvertEnc("\x88", SJIS, EUC);  // ends with a lead byte alone
    EXPECT_EQ(s, nullptr);
    EXPECT_EQ(convert("ab\x88", SJIS, EUC).status, -1);
    EXPECT_EQ(convert("ab\x88", SJIS, EUC).text, "ab");  // what came before stays
}

TEST(Japanese, TruncatedInputFailsEverywhere) {
    EXPECT_EQ(convert("\xB0", EUC, SJIS).status, -1);
    EXPECT_EQ(convert("\x8E", EUC, JIS).status, -1);
    EXPECT_EQ(convert(kEnter + "\x30", JIS, SJIS).status, -1);
    EXPECT_EQ(convert(kEnter + "\x30", JIS, EUC).status, -1);
    // A JIS7 text cut short still closes its double-byte run.
    auto r = convert("\x88\x9F\x88", SJIS, JIS);
    EXPECT_EQ(r.status, -1);
    EXPECT_EQ(r.text, kEnter + "\x30\x21" + kLeave);
}

TEST(Japanese, Jis7EscapesAndLineEnds) {
    // Any ESC ( sequence and an unknown escape leave double-byte mode.
    EXPECT_EQ(convert(kEnter + "\x30\x21\x1b(Bx", JIS, EUC).text, "\xB0\xA1x");
    EXPECT_EQ(convert(kEnter + "\x30\x21\x1bKx", JIS, EUC).text, "\xB0\xA1Kx");
    // A line end leaves double-byte mode and is copied.
    EXPECT_EQ(convert(kEnter + "\x30\x21\n\x30\x21", JIS, EUC).text, "\xB0\xA1\n\x30\x21");
    EXPECT_EQ(convert("\x88\x9F\n\x88\x9F", SJIS, JIS).text,
              kEnter + "\x30\x21" + kLeave + "\n" + kEnter + "\x30\x21" + kLeave);
    // An escape cut short at the end is passed over.
    EXPECT_EQ(convert("a\x1b$", JIS, EUC).text, "a");
    EXPECT_EQ(convert("a\x1b", JIS, EUC).text, "a");
}

TEST(Japanese, SingleBytesTakeTheHostControls) {
    // Into Shift_JIS, the host's own set: tab becomes 0x08.
    EXPECT_EQ(convert("a\tb\r\n", JIS, SJIS).text, "a\x08" "b\r\n");
    EXPECT_EQ(convert("a\tb\r\n", EUC, SJIS).text, "a\x08" "b\n\n");
    // A byte without a host counterpart is left out, and the text goes on.
    EXPECT_EQ(convert("a\x01" "b", EUC, SJIS).text, "ab");
    EXPECT_EQ(convert("a\tb", SJIS, EUC).text, "a\tb");
}

TEST(Japanese, BytesOutsideTheSetsAreCopied) {
    EXPECT_EQ(convert("\x88\x20", SJIS, EUC).text, "\x88\x20");  // second byte out of range
    EXPECT_EQ(convert("\xB0\x41", EUC, SJIS).text, "\xB0\x41");
    EXPECT_EQ(convert("\x8E\x41", EUC, SJIS).text, "\x8E\x41");
    EXPECT_EQ(convert("\xF0\x40", SJIS, EUC).text, "\xF0\x40");  // user-defined rows
}

}  // namespace
