// Text encodings: the registry, font encodings and locale flags, the Vellix
// Roman tables and the backslash notation.
#include <gtest/gtest.h>

#include <string>

#include "oracle.h"
#include "vsupport/encoding.h"
#include "vsupport/memory.h"
#include "vsupport/strings.h"
#include "support_internal.h"

namespace {

struct FontEncs : ::testing::Test {
    static void SetUpTestSuite() { V_VdeInitFontEncs("VellixRoman"); }
};

TEST(Registry, NamesAndMimeNames) {
    EXPECT_STREQ(VdeTextEncValueToName(9), "CNS_EUC");
    EXPECT_STREQ(VdeTextEncValueToMimeName(9), "EUC-TW");
    EXPECT_STREQ(VdeTextEncValueToMimeName(6), "Shift_JIS");
    EXPECT_STREQ(VdeTextEncValueToMimeName(7), "EUC-JP");
    EXPECT_STREQ(VdeTextEncValueToName(0), "");
    EXPECT_STREQ(VdeTextEncValueToMimeName(13), "");
    EXPECT_STREQ(VdeTextEncValueToName(99), "");
    // Every name reads back to its own number.
    for (int32_t v = 1; v <= VDE_TE_LAST; ++v) {
        const char *name = VdeTextEncValueToName(v);
        if (*name) {
            EXPECT_EQ(VdeTextEncNameToValue(name), v) << name;
        }
    }
}

TEST(Registry, NameLookupIgnoresCaseAndPunctuation) {
    EXPECT_EQ(VdeTextEncNameToValue("shift-jis"), 6);
    EXPECT_EQ(VdeTextEncNameToValue("SHIFT_JIS"), 6);
    EXPECT_EQ(VdeTextEncNameToValue("ShiftJIS"), 6);
    EXPECT_EQ(VdeTextEncNameToValue("utf8"), 16);
    EXPECT_EQ(VdeTextEncNameToValue("euc cns"), 9);
    EXPECT_EQ(VdeTextEncNameToValue("no-such-set"), 0);
    EXPECT_EQ(VdeTextEncNameToValue(nullptr), 0);
    EXPECT_EQ(V_StrANICmp("a-b  c", "ABC"), 0);
    EXPECT_EQ(V_StrANICmp("--", nullptr), 0);
    EXPECT_LT(V_StrANICmp("ab", "ac"), 0);
    EXPECT_GT(V_StrANICmp("abc", "ab"), 0);
    // Accented letters count as letters and fold through the host's case map.
    EXPECT_EQ(V_StrANICmp("\x8A" "b", "\x80" "B"), 0);
}

TEST_F(FontEncs, RecordsNumbersAndNames) {
    const char *names[] = {"VellixRoman", "JISX0208.ShiftJIS", "KSC5601-1992", "BIG5", "GB2312-80.EUC"};
    const int textEncs[] = {0, 6, 12, 8, 10};
    for (int f = 0; f < 5; ++f) {
        EXPECT_STREQ(V_FontEncName(f), names[f]);
        EXPECT_EQ(V_FontEncId(names[f]), f);
        EXPECT_EQ(V_FontEncToTextEnc(f), textEncs[f]);
        EXPECT_EQ(V_TextEncToFontEnc(textEncs[f]), f);
    }
    EXPECT_EQ(V_FontEncName(5), nullptr);
    EXPECT_EQ(V_FontEncName(-1), nullptr);
    EXPECT_EQ(V_FontEncId("big5"), 3);
    EXPECT_EQ(V_FontEncId("unknown"), 0);
    EXPECT_EQ(V_FontEncToTextEnc(7), 0);
    EXPECT_EQ(V_TextEncToFontEnc(16), 0);
    // A pair needs a marked lead and a marked trail byte.
    const VdeFontEncT &sj = vdeFontEncs[1];
    EXPECT_TRUE(sj.leadBytes[0xFC] && sj.trailBytes[0x80]);
    EXPECT_FALSE(sj.leadBytes[0xA0] || sj.trailBytes[0x7F]);
    EXPECT_EQ(VdeInitBIG5Encoding(nullptr), -1);
}

TEST_F(FontEncs, DialogEncodingChosenByName) {
    EXPECT_EQ(V_VdeInitFontEncs("big5"), 3);
    EXPECT_EQ(vdeDialogEncodingId, 3);
    EXPECT_EQ(V_VdeInitFontEncs("no such font"), 3);  // keeps its value
    EXPECT_EQ(V_VdeInitFontEncs("VellixRoman"), 0);
}

TEST(Locale, FlagsByLocaleName) {
    struct Case {
        const char *name;
        int euc, jis, cns, roman;
    } cases[] = {
        {"ja_JP.SJIS", 0, 0, 0, 0},   {"ja_JP.EUC", 1, 0, 0, 0},  {"japanese", 1, 0, 0, 0},
        {"ja_JP.JIS7", 0, 1, 0, 0},   {"ja_JP.UTF-8", 1, 0, 0, 0}, {"zh_TW.Big5", 0, 0, 1, 0},
        {"en_US.UTF-8", 0, 0, 0, 1},  {"C", 0, 0, 0, 1},
    };
    for (const Case &c : cases) {
        VdeSetLocaleFlags(c.name);
        EXPECT_EQ(vdeLocaleIsEUC, c.euc) << c.name;
        EXPECT_EQ(vdeLocaleIsJIS, c.jis) << c.name;
        EXPECT_EQ(vdeLocaleIsCNS, c.cns) << c.name;
        EXPECT_EQ(vdeLocaleIsRoman, c.roman) << c.name;
    }
    // Once determined, start-up leaves the flags alone.
    VdeSetLocaleFlags("zh_TW");
    checkEUC();
    EXPECT_EQ(vdeLocaleIsCNS, 1);
}

// A byte of a single-byte set as UTF-8, through glibc.
std::string iconvOne(const char *from, unsigned char byte) {
    enctest::Iconv cd("UTF-8", from);
    return cd(std::string(1, static_cast<char>(byte))).value_or("");
}

using enctest::utf8;

TEST(RomanTables, ByteMapsAgreeWithTheUnicodeTable) {
    for (int b = 0x20; b < 256; ++b) {
        uint16_t cp = VdeVellixToUnicodeMap[b];
        if (cp == 0xFFFF || b == 0x7F) continue;
        int iso = VdeVellixToIsoLatin1(b), ansi = VdeVellixToAnsi(b);
        if (iso) {
            EXPECT_EQ(iconvOne("ISO-8859-1", iso), utf8(cp)) << b;
            EXPECT_EQ(VdeIsoLatin1ToVellix(iso), b);
        } else {
            EXPECT_GT(cp, 0xFF) << b;  // only characters outside Latin-1 lack an ISO form
        }
        if (ansi) {
            EXPECT_EQ(iconvOne("CP1252", ansi), utf8(cp)) << b;
            EXPECT_EQ(VdeAnsiToVellix(ansi), b);
        }
        if (b < 0x7F) EXPECT_EQ(VdeVellixToAscii(b), b);
        else EXPECT_EQ(VdeVellixToAscii(b), 0);
    }
    EXPECT_EQ(VdeVellixToAnsi(0xD2), 0x93);  // left double quote exists in ANSI
    EXPECT_EQ(VdeVellixToIsoLatin1(0xD2), 0);
}

TEST(RomanTables, SpecialCharacters) {
    using Fn = int (*)(int);
    for (Fn to : {VdeVellixToAscii, VdeVellixToIsoLatin1, VdeVellixToAnsi}) {
        EXPECT_EQ(to(0x08), 0x09);
        EXPECT_EQ(to(0x09), 0x0A);
        for (int b = 0x10; b <= 0x14; ++b) EXPECT_EQ(to(b), ' ');
        EXPECT_EQ(to(0x06), '-');
        EXPECT_EQ(to(0x15), '-');
    }
    for (Fn from : {VdeAsciiToVellix, VdeIsoLatin1ToVellix, VdeAnsiToVellix}) {
        EXPECT_EQ(from(0x09), 0x08);
        for (int b : {0x0A, 0x0C, 0x0D}) EXPECT_EQ(from(b), 0x0A);
        EXPECT_EQ(from(0x01), 0);
    }
    EXPECT_EQ(VdeVellixToAscii(0x0A), 0x0A);
    EXPECT_EQ(VdeVellixToAscii(0x0B), 0x0A);
    EXPECT_EQ(VdeVellixToAnsi(0x0A), 0xB6);
    EXPECT_EQ(VdeVellixToAnsi(0x0B), 0xA7);
    EXPECT_EQ(VdeVellixToAnsi(0x04), '-');
    EXPECT_EQ(VdeVellixToAscii(0x04), 0);
    EXPECT_EQ(VdeVellixToAscii(0x7F), '?');
    EXPECT_EQ(VdeVellixToIsoLatin1(0x7F), 0);
    EXPECT_EQ(VdeVellixToAnsi(0x7F), 0xAD);
    EXPECT_EQ(VdeVellixTo7BitAscii(0x41), 'A');
    EXPECT_EQ(VdeVellixToMac(0x80), 0x80);
    EXPECT_EQ(VdeVellixToMac(0x08), 0x09);
    EXPECT_EQ(VdeMacToVellix(0x09), 0x08);
    EXPECT_EQ(VdeMacToVellix(0x0D), 0x0A);
    EXPECT_EQ(VdeMacToVellix(0x01), '?');
    EXPECT_EQ(VdeMacToVellix(0xE9), 0xE9);
    EXPECT_EQ(VdeVellixToVellix(0x9A), 0x9A);
}

TEST(RomanTables, PropertiesAndHexDigits) {
    for (int b = 0; b < 256; ++b) {
        bool letter = VdeCharProps[b] & VDE_CP_LETTER;
        // Every byte with a case partner is a letter, and its partner too.
        if (VdeVToLower[b] != b || VdeVToUpper[b] != b) {
            EXPECT_TRUE(letter) << b;
        }
        EXPECT_EQ((VdeCharProps[b] & VDE_CP_DIGIT) != 0, b >= '0' && b <= '9') << b;
    }
    EXPECT_TRUE(VdeCharProps[0xA7] & VDE_CP_LETTER);  // sharp s
    EXPECT_FALSE(VdeCharProps['-'] & VDE_CP_LETTER);
    EXPECT_TRUE(VdeCharProps['B'] & VDE_CP_CONSONANT);
    EXPECT_FALSE(VdeCharProps[0x8E] & VDE_CP_CONSONANT);  // e acute
    EXPECT_EQ(VdeCharProps['('] & VDE_CP_OPEN, VDE_CP_OPEN);
    EXPECT_TRUE(VdeCharProps[0x15] & VDE_CP_ALNUM);
    for (int d = 0; d < 16; ++d) {
        EXPECT_EQ(VdeHexAtoD[VdeHexDtoA[d]], d);
        EXPECT_EQ(VdeHexAtoD[VdeVToLower[VdeHexDtoA[d]]], d);
    }
    EXPECT_EQ(VdeHexDtoA[16], 0);
    EXPECT_EQ(VdeHexAtoD['g'], 0);
    EXPECT_EQ(VdeIdentMap[0xC3], 0xC3);
}

TEST(RomanTables, ControlConversionsInPlace) {
    char s[] = "a\x08" "b\x09" "c\x10\x11\x15\x0A";
    VdeVXControlToExternal(s);
    EXPECT_STREQ(s, "a\tb\nc  -\x0A");
    char t[] = "x\ty\t";
    VdeExternalControlToVX(t);
    EXPECT_STREQ(t, "x\x08y\x08");
    VdeVXControlToExternal(nullptr);
}

std::string dbText(const std::string &in) {
    char *w = VdeVellixToDbText(in.c_str());
    std::string out = w;
    V_Free(w);
    return out;
}
std::string fromDbText(const std::string &in) {
    char *r = VdeDbTextToVellix(in.c_str());
    std::string out = r;
    V_Free(r);
    return out;
}

TEST(Backslash, WritesAndReadsEverySpecialByte) {
    EXPECT_EQ(dbText(" \\"), "\\s\\\\");
    EXPECT_EQ(fromDbText("\\s\\\\"), " \\");
    std::string specials = "\x04\x05\x08\x09\x0A\x10\x11\x12\x13\x14\x15 \\";
    EXPECT_EQ(dbText(specials), "\\-\\_\\t\\r\\p\\#\\ \\i\\N\\M\\+\\s\\\\");
    EXPECT_EQ(fromDbText(dbText(specials)), specials);
    EXPECT_EQ(fromDbText("\\n\\h\\P\\q"), "\x09\x09\x0Aq");
    EXPECT_EQ(fromDbText("ab\\"), "ab");  // a final backslash gives nothing
    EXPECT_EQ(dbText(""), "");
    char *n = VdeVellixToDbText(nullptr);
    EXPECT_STREQ(n, "");
    V_Free(n);
}

TEST(Backslash, LengthLimits) {
    EXPECT_EQ(dbText(std::string(300, 'a')).size(), 254u);
    // An escape started at 253 characters still completes.
    EXPECT_EQ(dbText(std::string(253, 'a') + " b"), std::string(253, 'a') + "\\s");
    EXPECT_EQ(fromDbText(std::string(300, 'z')).size(), 255u);
}

}  // namespace
