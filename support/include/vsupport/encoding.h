/* Text encodings: the registry of encoding names, the five font encodings
   and their lead/trail byte tables, locale detection, the host's 8-bit set
   Vellix Roman (tables and one-byte conversions), the backslash notation and
   the string functions that never split a double-byte character.
   Usable from C and C++. */
#ifndef VSUPPORT_ENCODING_H
#define VSUPPORT_ENCODING_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif
#pragma GCC visibility push(default)

/* ---- Text encoding numbers (conversions are chosen by these) ------------ */

enum {
    VDE_TE_VELLIX = 0,
    VDE_TE_ISOLATIN1 = 1,
    VDE_TE_ASCII = 2,
    VDE_TE_ANSI = 3,
    VDE_TE_MAC = 4,
    VDE_TE_JIS7 = 5,
    VDE_TE_SHIFTJIS = 6,
    VDE_TE_EUCJP = 7,
    VDE_TE_BIG5 = 8,
    VDE_TE_CNSEUC = 9,
    VDE_TE_GBEUC = 10,
    VDE_TE_HZ = 11,
    VDE_TE_EUCKR = 12,
    VDE_TE_SYMBOL = 13,
    VDE_TE_DINGBATS = 14,
    VDE_TE_WINGDINGS = 15,
    VDE_TE_UTF8 = 16,
    VDE_TE_LAST = 16
};

const char *VdeTextEncValueToName(int32_t textEnc);
const char *VdeTextEncValueToMimeName(int32_t textEnc);
int32_t VdeTextEncNameToValue(const char *name);
/* Compares ignoring everything but letters and digits, and case. */
int V_StrANICmp(const char *a, const char *b);

/* ---- Font encodings ----------------------------------------------------- */

typedef struct VdeFontEncT {
    unsigned char leadBytes[256];  /* non-zero: begins a double-byte character */
    unsigned char trailBytes[256]; /* non-zero: may be its second byte */
    const char *name;
} VdeFontEncT;

#define VDE_FONT_ENC_COUNT 5

extern VdeFontEncT vdeFontEncs[VDE_FONT_ENC_COUNT];
extern int32_t vdeVellixRomanEncodingId;
extern int32_t vdeJISX0208_ShiftJISEncodingId;
extern int32_t vdeKSC5601_1992EncodingId;
extern int32_t vdeBIG5EncodingId;
extern int32_t vdeGB2312_80_EUCEncodingId;
extern int32_t vdeLastEncodingId;
extern int32_t vdeDialogEncodingId;

/* -1 undetermined; a flag counts as set only when >= 1. */
extern int32_t vdeLocaleIsEUC;
extern int32_t vdeLocaleIsJIS;
extern int32_t vdeLocaleIsCNS;
extern int32_t vdeLocaleIsRoman;

/* Each clears the record's tables, marks its bytes and names it;
   -1 for a null record, else 0. */
int32_t VdeInitVellixRomanEncoding(VdeFontEncT *enc);
int32_t VdeInitJISX0208_ShiftJISEncoding(VdeFontEncT *enc);
int32_t VdeInitKSC5601_1992Encoding(VdeFontEncT *enc);
int32_t VdeInitBIG5Encoding(VdeFontEncT *enc);
int32_t VdeInitGB2312_80_EUCEncoding(VdeFontEncT *enc);

/* Fills the records, picks the dialog encoding by name, detects the locale;
   returns the dialog encoding number. */
int32_t V_VdeInitFontEncs(const char *dialogEncodingName);
/* Sets the locale flags as the character-type locale localeName asks. */
void VdeSetLocaleFlags(const char *localeName);

int32_t V_FontEncToTextEnc(int32_t fontEnc);
int32_t V_TextEncToFontEnc(int32_t textEnc);
const char *V_FontEncName(int32_t fontEnc);
int32_t V_FontEncId(const char *name);

/* ---- Vellix Roman tables (each replaceable through its pointer) ---------- */

extern const unsigned char *VdeIdentMap;
extern const unsigned char *VdeHexDtoA;
extern const unsigned char *VdeHexAtoD;
extern const uint16_t *VdeCharProps;
extern const unsigned char *VdeVToAsciiMap;
extern const unsigned char *VdeAsciiToVMap;
extern const unsigned char *VdeVToIsoMap;
extern const unsigned char *VdeIsoToVMap;
extern const unsigned char *VdeVToAnMap;
extern const unsigned char *VdeAnToVMap;
/* Code point of each byte; 0xFFFF where the byte has no character. */
extern const uint16_t *VdeVellixToUnicodeMap;
/* Bytes below 0x20 that have an external form; 0 for the others. */
extern const unsigned char *vx_control_to_external_map;

/* Property bits of VdeCharProps. */
#define VDE_CP_UPPER 0x0002
#define VDE_CP_LOWER 0x0004
#define VDE_CP_LETTER 0x0008
#define VDE_CP_DIGIT 0x0010
#define VDE_CP_HEXDIGIT 0x0020
#define VDE_CP_BLANK 0x0080
#define VDE_CP_WORD 0x0100
#define VDE_CP_SENTENCE_END 0x0400
#define VDE_CP_ALNUM 0x0800
#define VDE_CP_CONSONANT 0x4000
#define VDE_CP_CLOSE 0x8000
#define VDE_CP_OPEN 0xA000
#define VDE_CP_SPACE 0x2000

/* One byte to one byte; 0 means no counterpart. */
int VdeVellixToIsoLatin1(int c);
int VdeIsoLatin1ToVellix(int c);
int VdeVellixToAscii(int c);
int VdeVellixTo7BitAscii(int c);
int VdeAsciiToVellix(int c);
int VdeVellixToAnsi(int c);
int VdeAnsiToVellix(int c);
int VdeVellixToMac(int c);
int VdeMacToVellix(int c);
int VdeVellixToVellix(int c);

/* In place, over a whole string. */
void VdeVXControlToExternal(char *s);
void VdeExternalControlToVX(char *s);

/* Backslash notation; both return a new string (null without memory). */
char *VdeVellixToDbText(const char *s);
char *VdeDbTextToVellix(const char *s);

/* ---- Encoding-aware strings (font encoding number last) ------------------ */

int IsSplittingDBChar(const char *s, int32_t position, int32_t fontEnc);
int32_t V_StrStrEnc(const char *s, const char *pattern, int32_t fontEnc);
char *V_StrChrEnc(const char *s, int first, int second, int32_t fontEnc);
char *V_StrRChrEnc(const char *s, int first, int second, int32_t fontEnc);
int32_t V_StrLenEnc(const char *s, int32_t fontEnc);
int V_StrIEqualEnc(const char *a, const char *b, int32_t fontEnc);
int V_StrIEqualNEnc(const char *a, const char *b, int32_t count, int32_t fontEnc);
int V_StrIPrefixEnc(const char *s, const char *prefix, int32_t fontEnc);
int V_StrISuffixEnc(const char *s, const char *suffix, int32_t fontEnc);
int V_StrICmpEnc(const char *a, const char *b, int32_t fontEnc);
int V_StrCmpNEnc(const char *a, const char *b, int32_t count, int32_t fontEnc);
int V_StrICmpNEnc(const char *a, const char *b, int32_t count, int32_t fontEnc);
int V_StrMCmpEnc(const char *a, const char *b, int32_t fontEnc);
int V_StrQsortCmpEnc(const void *a, const void *b, int32_t fontEnc);
void V_StrTruncEnc(char *s, int32_t length, int32_t fontEnc);
int32_t V_StrCpyNEnc(char *dst, const char *src, int32_t size, int32_t fontEnc);
int32_t V_StrCatNEnc(char *dst, const char *src, int32_t size, int32_t fontEnc);
int32_t V_StrNCatNEnc(char *dst, const char *src, int32_t count, int32_t size,
                      int32_t fontEnc);
int32_t V_StrCatDblCharNEnc(char *dst, int first, int second, int32_t size,
                            int32_t fontEnc);

#pragma GCC visibility pop
#ifdef __cplusplus
}
#endif

#endif /* VSUPPORT_ENCODING_H */
