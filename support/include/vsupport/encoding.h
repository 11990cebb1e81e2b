/** @file
 * Text encodings: the registry of encoding names, the five font encodings
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

/** @name Text encoding numbers (conversions are chosen by these) */
/** @{ */

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

/** The first name registered for text encoding textEnc; "" when it has none. */
const char *VdeTextEncValueToName(int32_t textEnc);
/** The MIME name of text encoding textEnc, else its first name; "" when it
    has none. */
const char *VdeTextEncValueToMimeName(int32_t textEnc);
/** The number of the text encoding named name (compared as V_StrANICmp()
    does); 0 when none. */
int32_t VdeTextEncNameToValue(const char *name);
/** Compares ignoring everything but letters and digits, and case. */
int V_StrANICmp(const char *a, const char *b);

/** @} */
/** @name Font encodings */
/** @{ */

/** A font encoding: which bytes begin and end its double-byte characters. */
typedef struct VdeFontEncT {
    unsigned char leadBytes[256];  /**< non-zero: begins a double-byte character */
    unsigned char trailBytes[256]; /**< non-zero: may be its second byte */
    const char *name;              /**< the encoding's name */
} VdeFontEncT;

/** The number of font encodings. */
#define VDE_FONT_ENC_COUNT 5

/** The five font encodings, by number. */
extern VdeFontEncT vdeFontEncs[VDE_FONT_ENC_COUNT];
/** Font encoding number of Vellix Roman (0). */
extern int32_t vdeVellixRomanEncodingId;
/** Font encoding number of Japanese Shift_JIS (1). */
extern int32_t vdeJISX0208_ShiftJISEncodingId;
/** Font encoding number of Korean (2). */
extern int32_t vdeKSC5601_1992EncodingId;
/** Font encoding number of Big5 (3). */
extern int32_t vdeBIG5EncodingId;
/** Font encoding number of GB 2312 EUC (4). */
extern int32_t vdeGB2312_80_EUCEncodingId;
/** The highest font encoding number. */
extern int32_t vdeLastEncodingId;
/** The font encoding of dialog text, set by V_VdeInitFontEncs(). */
extern int32_t vdeDialogEncodingId;

/** The locale asks for EUC file names. Each locale flag is -1 until
    determined, and counts as set only when >= 1. */
extern int32_t vdeLocaleIsEUC;
/** The locale asks for JIS file names. */
extern int32_t vdeLocaleIsJIS;
/** The locale is Traditional Chinese in CNS EUC. */
extern int32_t vdeLocaleIsCNS;
/** The locale is a Roman one. */
extern int32_t vdeLocaleIsRoman;

/** Each clears the record's tables, marks its bytes and names it;
   -1 for a null record, else 0. */
int32_t VdeInitVellixRomanEncoding(VdeFontEncT *enc);
/** As VdeInitVellixRomanEncoding(), for Shift_JIS. */
int32_t VdeInitJISX0208_ShiftJISEncoding(VdeFontEncT *enc);
/** As VdeInitVellixRomanEncoding(), for Korean. */
int32_t VdeInitKSC5601_1992Encoding(VdeFontEncT *enc);
/** As VdeInitVellixRomanEncoding(), for Big5. */
int32_t VdeInitBIG5Encoding(VdeFontEncT *enc);
/** As VdeInitVellixRomanEncoding(), for GB 2312 EUC. */
int32_t VdeInitGB2312_80_EUCEncoding(VdeFontEncT *enc);

/** Fills the records, picks the dialog encoding by name, detects the locale;
   returns the dialog encoding number. */
int32_t V_VdeInitFontEncs(const char *dialogEncodingName);
/** Sets the locale flags as the character-type locale localeName asks. */
void VdeSetLocaleFlags(const char *localeName);

/** The text encoding of font encoding fontEnc (0 for an unknown one). */
int32_t V_FontEncToTextEnc(int32_t fontEnc);
/** The font encoding of text encoding textEnc (0, Vellix Roman, for a
    single-byte one). */
int32_t V_TextEncToFontEnc(int32_t textEnc);
/** The name of font encoding fontEnc; null beyond the last. */
const char *V_FontEncName(int32_t fontEnc);
/** The number of the font encoding named name, without case; 0 when none. */
int32_t V_FontEncId(const char *name);

/** @} */
/** @name Vellix Roman tables (each replaceable through its pointer) */
/** @{ */

/** Each byte to itself. */
extern const unsigned char *VdeIdentMap;
/** 0 to 15 to the characters 0 to 9, A to F. */
extern const unsigned char *VdeHexDtoA;
/** Hexadecimal digits (either case) to 0 to 15; 0 for the others. */
extern const unsigned char *VdeHexAtoD;
/** Property bits of each byte (VDE_CP_). */
extern const uint16_t *VdeCharProps;
/** Vellix Roman to ASCII. */
extern const unsigned char *VdeVToAsciiMap;
/** ASCII to Vellix Roman. */
extern const unsigned char *VdeAsciiToVMap;
/** Vellix Roman to ISO 8859-1. */
extern const unsigned char *VdeVToIsoMap;
/** ISO 8859-1 to Vellix Roman. */
extern const unsigned char *VdeIsoToVMap;
/** Vellix Roman to ANSI. */
extern const unsigned char *VdeVToAnMap;
/** ANSI to Vellix Roman. */
extern const unsigned char *VdeAnToVMap;
/** Code point of each byte; 0xFFFF where the byte has no character. */
extern const uint16_t *VdeVellixToUnicodeMap;
/** Bytes below 0x20 that have an external form; 0 for the others. */
extern const unsigned char *vx_control_to_external_map;

/** @name Property bits of VdeCharProps
 * @{ */
#define VDE_CP_UPPER 0x0002 /**< Upper-case letter. */
#define VDE_CP_LOWER 0x0004 /**< Lower-case letter. */
#define VDE_CP_LETTER 0x0008 /**< Letter. */
#define VDE_CP_DIGIT 0x0010 /**< Decimal digit. */
#define VDE_CP_HEXDIGIT 0x0020 /**< Hexadecimal digit. */
#define VDE_CP_BLANK 0x0080 /**< Blank. */
#define VDE_CP_WORD 0x0100 /**< Part of a word. */
#define VDE_CP_SENTENCE_END 0x0400 /**< Ends a sentence. */
#define VDE_CP_ALNUM 0x0800 /**< Letter or digit. */
#define VDE_CP_CONSONANT 0x4000 /**< Consonant. */
#define VDE_CP_CLOSE 0x8000 /**< Closing punctuation. */
#define VDE_CP_OPEN 0xA000 /**< Opening punctuation. */
#define VDE_CP_SPACE 0x2000 /**< White space. */
/** @} */

/** c from Vellix Roman to ISO 8859-1. These one-byte conversions give 0
    for a byte without a counterpart. */
int VdeVellixToIsoLatin1(int c);
/** c from ISO 8859-1 to Vellix Roman. */
int VdeIsoLatin1ToVellix(int c);
/** c from Vellix Roman to ASCII. */
int VdeVellixToAscii(int c);
/** The same as VdeVellixToAscii(). */
int VdeVellixTo7BitAscii(int c);
/** c from ASCII to Vellix Roman. */
int VdeAsciiToVellix(int c);
/** c from Vellix Roman to ANSI. */
int VdeVellixToAnsi(int c);
/** c from ANSI to Vellix Roman. */
int VdeAnsiToVellix(int c);
/** c from Vellix Roman to the Macintosh set. */
int VdeVellixToMac(int c);
/** c from the Macintosh set to Vellix Roman. */
int VdeMacToVellix(int c);
/** c unchanged. */
int VdeVellixToVellix(int c);

/** The control bytes of s that have an external form to that form, in place. */
void VdeVXControlToExternal(char *s);
/** The external forms of control bytes in s back to the bytes (the inverse of
    VdeVXControlToExternal()). */
void VdeExternalControlToVX(char *s);

/** Encodes s in the backslash notation. Both directions return a new
    string, the caller's, or null without memory. */
char *VdeVellixToDbText(const char *s);
/** Decodes the backslash notation of s. */
char *VdeDbTextToVellix(const char *s);

/** @} */
/** @name Encoding-aware strings (font encoding number last) */
/** @{ */

/** 1 when position falls between the two bytes of a double-byte character of
    s, else 0. */
int IsSplittingDBChar(const char *s, int32_t position, int32_t fontEnc);
/** The byte offset of the first pattern in s that begins on a character
    boundary; -1 when none (or either is null, or s is empty). */
int32_t V_StrStrEnc(const char *s, const char *pattern, int32_t fontEnc);
/** The first character first, second (second 0 for a single byte) in s, or
    null. */
char *V_StrChrEnc(const char *s, int first, int second, int32_t fontEnc);
/** The last character first, second in s, or null. */
char *V_StrRChrEnc(const char *s, int first, int second, int32_t fontEnc);
/** The characters of s, a double-byte one counting once. */
int32_t V_StrLenEnc(const char *s, int32_t fontEnc);
/** 1 when a and b are equal, single-byte characters compared without case. */
int V_StrIEqualEnc(const char *a, const char *b, int32_t fontEnc);
/** V_StrIEqualEnc() over the first count bytes (1 when count < 1). */
int V_StrIEqualNEnc(const char *a, const char *b, int32_t count, int32_t fontEnc);
/** 1 when s begins with prefix, without case. */
int V_StrIPrefixEnc(const char *s, const char *prefix, int32_t fontEnc);
/** 1 when s ends with suffix, without case and not inside a double-byte
    character. */
int V_StrISuffixEnc(const char *s, const char *suffix, int32_t fontEnc);
/** Orders a and b by their first differing character, single bytes without
    case. */
int V_StrICmpEnc(const char *a, const char *b, int32_t fontEnc);
/** Orders by at most count bytes, with case. */
int V_StrCmpNEnc(const char *a, const char *b, int32_t count, int32_t fontEnc);
/** Orders by at most count bytes, without case. */
int V_StrICmpNEnc(const char *a, const char *b, int32_t count, int32_t fontEnc);
/** V_StrICmpEnc(), case breaking ties. */
int V_StrMCmpEnc(const char *a, const char *b, int32_t fontEnc);
/** V_StrMCmpEnc() of two char ** (for sorting). */
int V_StrQsortCmpEnc(const void *a, const void *b, int32_t fontEnc);
/** Cuts s at length bytes, a byte earlier rather than split a character; a
    negative length empties it. */
void V_StrTruncEnc(char *s, int32_t length, int32_t fontEnc);
/** Copies at most size - 1 bytes of src, leaving out a character that would
    not fit whole. Returns the length copied. */
int32_t V_StrCpyNEnc(char *dst, const char *src, int32_t size, int32_t fontEnc);
/** Appends src within size bytes, leaving out a character that would not fit
    whole. Returns the new length. */
int32_t V_StrCatNEnc(char *dst, const char *src, int32_t size, int32_t fontEnc);
/** Appends at most count bytes of src within size bytes, by V_StrCatNEnc()'s
    rule. Returns the new length. */
int32_t V_StrNCatNEnc(char *dst, const char *src, int32_t count, int32_t size,
                      int32_t fontEnc);
/** Appends the character first, second within size bytes. Returns the new
    length. */
int32_t V_StrCatDblCharNEnc(char *dst, int first, int second, int32_t size,
                            int32_t fontEnc);

/** @} */

#pragma GCC visibility pop
#ifdef __cplusplus
}
#endif

#endif /* VSUPPORT_ENCODING_H */
