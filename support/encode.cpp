// The registry of text encodings, the font encoding records and their
// start-up, locale detection, and the backslash notation of Vellix Roman.
#include <stdlib.h>
#include <initializer_list>
#include <string.h>

#include "convertutils.h"
#include "support_internal.h"
#include "vsupport/memory.h"
#include "vsupport/strings.h"

namespace {

struct EncodingName {
    int32_t value;
    const char *name;
    bool mime;
};

constexpr EncodingName kNames[] = {
    {1, "ISO-8859-1", false}, {2, "US-ASCII", false},  {3, "ANSI", false},
    {4, "MacASCII", false},   {5, "JIS7", false},      {6, "Shift_JIS", false},
    {7, "JIS8_EUC", false},   {7, "EUC-JP", true},     {8, "Big5", false},
    {9, "CNS_EUC", false},    {9, "EUC-TW", true},     {9, "EUC-CNS", false},
    {10, "GB8_EUC", false},   {10, "EUC-CN", true},    {10, "GB", false},
    {11, "HZ", false},        {12, "KSC8_EUC", false}, {12, "EUC-KR", true},
    {16, "UTF-8", false},
};

// The text encoding of each font encoding, by font encoding number.
constexpr int32_t kFontToText[VDE_FONT_ENC_COUNT] = {VDE_TE_VELLIX, VDE_TE_SHIFTJIS, VDE_TE_EUCKR,
                                                     VDE_TE_BIG5, VDE_TE_GBEUC};

bool isAlnum(unsigned char c) { return VdeCharProps[c] & (VDE_CP_LETTER | VDE_CP_DIGIT); }

// The locale name from the environment, by the usual precedence.
const char *environmentLocale() {
    for (const char *var : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        const char *v = getenv(var);
        if (v && *v) return v;
    }
    return "C";
}

// Backslash notation: byte and the letter after the backslash; the first row
// of a byte is the written form, later rows are read as well.
struct Escape {
    unsigned char byte;
    char letter;
};
constexpr Escape kEscapes[] = {
    {0x04, '-'}, {0x05, '_'}, {0x08, 't'}, {0x09, 'r'}, {0x09, 'n'}, {0x09, 'h'},
    {0x0A, 'p'}, {0x0A, 'P'}, {0x10, '#'}, {0x11, ' '}, {0x12, 'i'}, {0x13, 'N'},
    {0x14, 'M'}, {0x15, '+'}, {0x20, 's'}, {0x5C, '\\'},
};
constexpr int kDbTextMax = 255;

}  // namespace

extern "C" {

VdeFontEncT vdeFontEncs[VDE_FONT_ENC_COUNT];
int32_t vdeVellixRomanEncodingId = 0;
int32_t vdeJISX0208_ShiftJISEncodingId = 1;
int32_t vdeKSC5601_1992EncodingId = 2;
int32_t vdeBIG5EncodingId = 3;
int32_t vdeGB2312_80_EUCEncodingId = 4;
int32_t vdeLastEncodingId = 4;
int32_t vdeDialogEncodingId = 0;

int32_t vdeLocaleIsEUC = -1;
int32_t vdeLocaleIsJIS = -1;
int32_t vdeLocaleIsCNS = -1;
int32_t vdeLocaleIsRoman = -1;

const char *VdeTextEncValueToName(int32_t textEnc) {
    for (const EncodingName &n : kNames)
        if (n.value == textEnc) return n.name;
    return "";
}

const char *VdeTextEncValueToMimeName(int32_t textEnc) {
    for (const EncodingName &n : kNames)
        if (n.value == textEnc && n.mime) return n.name;
    return VdeTextEncValueToName(textEnc);
}

int32_t VdeTextEncNameToValue(const char *name) {
    for (const EncodingName &n : kNames)
        if (V_StrANICmp(n.name, name) == 0) return n.value;
    return 0;
}

int V_StrANICmp(const char *a, const char *b) {
    const unsigned char *p = reinterpret_cast<const unsigned char *>(a ? a : "");
    const unsigned char *q = reinterpret_cast<const unsigned char *>(b ? b : "");
    for (;;) {
        while (*p && !isAlnum(*p)) ++p;
        while (*q && !isAlnum(*q)) ++q;
        int d = VdeVToUpper[*p] - VdeVToUpper[*q];
        if (d != 0 || *p == 0) return d;
        ++p;
        ++q;
    }
}

int32_t V_FontEncToTextEnc(int32_t fontEnc) {
    return fontEnc >= 0 && fontEnc < VDE_FONT_ENC_COUNT ? kFontToText[fontEnc] : 0;
}

int32_t V_TextEncToFontEnc(int32_t textEnc) {
    for (int32_t f = 1; f < VDE_FONT_ENC_COUNT; ++f)
        if (kFontToText[f] == textEnc) return f;
    return vdeVellixRomanEncodingId;
}

const char *V_FontEncName(int32_t fontEnc) {
    if (fontEnc < 0 || fontEnc > vdeLastEncodingId) return nullptr;
    return vdeFontEncs[fontEnc].name;
}

int32_t V_FontEncId(const char *name) {
    for (int32_t f = 0; f <= vdeLastEncodingId; ++f)
        if (vdeFontEncs[f].name && V_StrIEqual(vdeFontEncs[f].name, name)) return f;
    return 0;
}

}  // extern "C"

const VdeFontEncT *VdeFontEncRecord(int32_t fontEnc) {
    VDE_ASSERT(fontEnc >= 0 && fontEnc < VDE_FONT_ENC_COUNT);
    return &vdeFontEncs[fontEnc];
}

void VdeMarkBytes(unsigned char *table, int lo, int hi) {
    for (int b = lo; b <= hi; ++b) table[b] = 1;
}

int32_t VdeFillFontEnc(VdeFontEncT *enc, const char *name, const int (*lead)[2], int nLead,
                       const int (*trail)[2], int nTrail) {
    if (!enc) return -1;
    memset(enc->leadBytes, 0, sizeof enc->leadBytes);
    memset(enc->trailBytes, 0, sizeof enc->trailBytes);
    for (int i = 0; i < nLead; ++i) VdeMarkBytes(enc->leadBytes, lead[i][0], lead[i][1]);
    for (int i = 0; i < nTrail; ++i) VdeMarkBytes(enc->trailBytes, trail[i][0], trail[i][1]);
    enc->name = name;
    return 0;
}

extern "C" {

int32_t V_VdeInitFontEncs(const char *dialogEncodingName) {
    VdeInitVellixRomanEncoding(&vdeFontEncs[0]);
    VdeInitJISX0208_ShiftJISEncoding(&vdeFontEncs[1]);
    VdeInitKSC5601_1992Encoding(&vdeFontEncs[2]);
    VdeInitBIG5Encoding(&vdeFontEncs[3]);
    VdeInitGB2312_80_EUCEncoding(&vdeFontEncs[4]);
    vdeVellixRomanEncodingId = 0;
    vdeJISX0208_ShiftJISEncodingId = 1;
    vdeKSC5601_1992EncodingId = 2;
    vdeBIG5EncodingId = 3;
    vdeGB2312_80_EUCEncodingId = 4;
    vdeLastEncodingId = 4;
    for (int32_t f = 0; f <= vdeLastEncodingId; ++f)
        if (V_StrIEqual(vdeFontEncs[f].name, dialogEncodingName)) vdeDialogEncodingId = f;
    checkEUC();
    return vdeDialogEncodingId;
}

void VdeSetLocaleFlags(const char *localeName) {
    bool sjis = false;
    vdeLocaleIsEUC = vdeLocaleIsJIS = vdeLocaleIsCNS = 0;
    if (V_StrPrefix(localeName, "japanese") || V_StrPrefix(localeName, "ja_JP.EUC"))
        vdeLocaleIsEUC = 1;
    else if (V_StrPrefix(localeName, "ja_JP.JIS"))
        vdeLocaleIsJIS = 1;
    else if (V_StrPrefix(localeName, "ja_JP.SJIS"))
        sjis = true;
    else if (V_StrPrefix(localeName, "ja"))
        vdeLocaleIsEUC = 1;
    else if (V_StrPrefix(localeName, "zh_TW"))
        vdeLocaleIsCNS = 1;
    vdeLocaleIsRoman = (vdeLocaleIsEUC || vdeLocaleIsJIS || vdeLocaleIsCNS || sjis) ? 0 : 1;
}

void checkEUC(void) {
    if (vdeLocaleIsEUC != -1 || vdeLocaleIsCNS != -1) return;
    VdeSetLocaleFlags(environmentLocale());
}

char *VdeVellixToDbText(const char *s) {
    char *out = static_cast<char *>(V_Calloc(kDbTextMax + 1, 1, 0));
    if (!out) return nullptr;
    int n = 0;
    for (const unsigned char *p = reinterpret_cast<const unsigned char *>(s ? s : ""); *p && n < kDbTextMax - 1; ++p) {
        char letter = 0;
        for (const Escape &e : kEscapes)
            if (e.byte == *p) { letter = e.letter; break; }
        if (letter) {
            out[n++] = '\\';
            out[n++] = letter;
        } else {
            out[n++] = static_cast<char>(*p);
        }
    }
    return out;
}

char *VdeDbTextToVellix(const char *s) {
    char *out = static_cast<char *>(V_Calloc(kDbTextMax + 1, 1, 0));
    if (!out) return nullptr;
    int n = 0;
    for (const char *p = s ? s : ""; *p && n < kDbTextMax; ++p) {
        if (*p != '\\') {
            out[n++] = *p;
            continue;
        }
        if (!*++p) break;  // a backslash that ends the text gives nothing
        char c = *p;
        for (const Escape &e : kEscapes)
            if (e.letter == *p) { c = static_cast<char>(e.byte); break; }
        out[n++] = c;
    }
    return out;
}

}  // extern "C"
