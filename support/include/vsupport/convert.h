/** @file
 * Character-set conversion between the text encodings of encoding.h: the
   character list (a growable byte buffer), the conversion matrix, Unicode
   tables and their .UCOD files, and two Unicode character tests.
   Usable from C and C++. */
#ifndef VSUPPORT_CONVERT_H
#define VSUPPORT_CONVERT_H

#include <stdint.h>

#include "vsupport/encoding.h"

#ifdef __cplusplus
extern "C" {
#endif
#pragma GCC visibility push(default)

/** @name Character list */
/** @{ */

#define VDE_CL_TAG 0x4368726Eu /**< "Chrn" */

#define VDE_CL_CALLERS 1    /**< the buffer belongs to the caller */
#define VDE_CL_FIXED 2      /**< the buffer may not grow */
#define VDE_CL_OVERFLOWED 4 /**< a change of size was asked of a fixed list */

/** A growable buffer of characters, always terminated: what the converters
    append to. */
typedef struct VdeCharListT {
    uint32_t tag;      /**< VDE_CL_TAG */
    int32_t capacity;  /**< characters, not counting the terminating null */
    int32_t length;    /**< characters in use; buffer[length] is 0 */
    int32_t growBy;    /**< the buffer grows to a multiple of this; 0: fixed */
    int32_t flags;     /**< VDE_CL_CALLERS, VDE_CL_FIXED, VDE_CL_OVERFLOWED */
    char *buffer;      /**< the characters; null before the first growth */
} VdeCharListT;

/** Makes cl an empty list without a buffer, growing in steps of growBy (at
    least 1). */
void VdeClInit(VdeCharListT *cl, int32_t growBy);
/** Makes cl a list over the caller's buffer of size bytes (capacity size -
    1); growBy below 1 makes it fixed, else it moves to its own buffer when it
    must grow. */
void VdeClInitWithBuffer(VdeCharListT *cl, char *buffer, int32_t size, int32_t growBy);
/** Sets the capacity (0 frees an owned buffer); a fixed list only records
    that it overflowed. */
void VdeClSetSize(VdeCharListT *cl, int32_t capacity);
/** Appends c count times. Returns the new length - 1. */
int32_t VdeClAdd1CharNTimes(VdeCharListT *cl, int c, int32_t count);
/** Appends s. Returns the new length - 1. */
int32_t VdeClAddString(VdeCharListT *cl, const char *s);
/** Appends count bytes of chars (nothing for null or count < 1). Returns the
    new length - 1. */
int32_t VdeClAddNChars(VdeCharListT *cl, const char *chars, int32_t count);
/** Sets the capacity to the length. */
void VdeClTrim(VdeCharListT *cl);
/** Shortens the list to length (0 <= length < its length); else nothing. */
void VdeClSetLen(VdeCharListT *cl, int32_t length);
/** 1 when a fixed list was asked to change its size, else 0. */
int VdeClOverflowed(const VdeCharListT *cl);

/** @} */
/** @name Conversion */
/** @{ */

/** A new string, or null on failure or when nothing was produced. */
char *V_StrConvertEnc(const char *s, int32_t from, int32_t to);
/** Appends the converted bytes to cl; 0 on success, -1 when the pair has no
   converter or the input ends inside a double-byte character. */
int32_t VdeTransliterateBytes(const unsigned char *bytes, int32_t count,
                              VdeCharListT *cl, int32_t from, int32_t to);

/** The converters of the matrix, all of one shape. */
typedef int32_t (*VdeConverterT)(const unsigned char *in, int32_t count, VdeCharListT *cl);

/** Converts count bytes of in, appending to cl: JIS (7-bit, with escapes) to
    Shift_JIS. Returns 0, or -1 when the input ends inside a character. */
int32_t VdeJisToShiftJis(const unsigned char *in, int32_t count, VdeCharListT *cl);
/** Converts count bytes of in, appending to cl: JIS to EUC-JP. Returns 0, or
    -1 when the input ends inside a character. */
int32_t VdeJisToEuc(const unsigned char *in, int32_t count, VdeCharListT *cl);
/** Converts count bytes of in, appending to cl: Shift_JIS to JIS. Returns 0,
    or -1 when the input ends inside a character. */
int32_t VdeShiftJisToJis(const unsigned char *in, int32_t count, VdeCharListT *cl);
/** Converts count bytes of in, appending to cl: Shift_JIS to EUC-JP. Returns
    0, or -1 when the input ends inside a character. */
int32_t VdeShiftJisToEuc(const unsigned char *in, int32_t count, VdeCharListT *cl);
/** Converts count bytes of in, appending to cl: EUC-JP to Shift_JIS. Returns
    0, or -1 when the input ends inside a character. */
int32_t VdeEucToShiftJis(const unsigned char *in, int32_t count, VdeCharListT *cl);
/** Converts count bytes of in, appending to cl: EUC-JP to JIS. Returns 0, or
    -1 when the input ends inside a character. */
int32_t VdeEucToJis(const unsigned char *in, int32_t count, VdeCharListT *cl);
/** Converts count bytes of in, appending to cl: GB 2312 EUC to HZ. Returns 0,
    or -1 when the input ends inside a character. */
int32_t VdeGb8ToHz(const unsigned char *in, int32_t count, VdeCharListT *cl);
/** Converts count bytes of in, appending to cl: HZ to GB 2312 EUC. Returns 0,
    or -1 when the input ends inside a character. */
int32_t VdeHzToGb8(const unsigned char *in, int32_t count, VdeCharListT *cl);
/** Converts count bytes of in, appending to cl: Big5 to CNS EUC. Returns 0,
    or -1 when the input ends inside a character. */
int32_t VdeBig52CNSEUC(const unsigned char *in, int32_t count, VdeCharListT *cl);
/** Converts count bytes of in, appending to cl: CNS EUC to Big5. Returns 0,
    or -1 when the input ends inside a character. */
int32_t VdeCNSEUC2Big5(const unsigned char *in, int32_t count, VdeCharListT *cl);

/** JIS X 0208 arithmetic: the JIS pair first, second becomes its Shift_JIS
    pair, in place. */
void Vdejis2sjis(unsigned char *first, unsigned char *second);
/** The Shift_JIS pair first, second becomes its JIS X 0208 pair, in place. */
void Vdesjis2jis(unsigned char *first, unsigned char *second);
/** Full-width Shift_JIS form of a half-width katakana (0xA1 to 0xDF), merging
   the sound mark `next` (0xDE, 0xDF) when the kana takes it: 1 when next was
   merged, 0 when not, -1 (nothing written) for any other byte. */
int Vdehan2zen(int kana, int next, unsigned char *first, unsigned char *second);

/** @} */
/** @name Unicode */
/** @{ */

/** Whole contents of DIRECTORY/unicode/TABLE.UCOD (a new block, the
    caller's), or null. */
unsigned char *VdeGetPackedUnicodeInfo(const char *table, const char *directory);
/** Loads the four double-byte tables once (a missing file leaves its table
   absent). */
void V_VdeInitUnicode(const char *directory);
/** Code points of s ended by 0, or null. */
int32_t *VdeTextEncStringToLString(const char *s, int32_t textEnc);
/** Code points of count bytes in textEnc into out, up to a code point 0; a
   byte gives at most one, so out needs room for count. Returns how many were
   written, or -1 when the encoding has no usable table. */
int32_t translateStringToUCS4(const unsigned char *in, int32_t count, int32_t textEnc,
                              int32_t *out);
/** Appends s in textEnc as UTF-8; always succeeds (writes nothing when the
   encoding has no table). */
int32_t vdeTranslateToUnicode(const unsigned char *in, int32_t count,
                              VdeCharListT *cl, int32_t textEnc);

/** 1 for printable ASCII without the backslash and the tilde (0x20 to 0x7D
    but 0x5C), else 0. */
int V_LCharIsSafeForAscii(int32_t codePoint);
/** 1 when codePoint may stand in an XML name (first: as its first character),
    else 0. */
int V_LCharIsSafeForName(int32_t codePoint, int first);

/** @} */

#pragma GCC visibility pop
#ifdef __cplusplus
}
#endif

#endif /* VSUPPORT_CONVERT_H */
