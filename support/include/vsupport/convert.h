/* Character-set conversion between the text encodings of encoding.h: the
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

/* ---- Character list ----------------------------------------------------- */

#define VDE_CL_TAG 0x4368726Eu /* "Chrn" */

#define VDE_CL_CALLERS 1    /* the buffer belongs to the caller */
#define VDE_CL_FIXED 2      /* the buffer may not grow */
#define VDE_CL_OVERFLOWED 4 /* a change of size was asked of a fixed list */

typedef struct VdeCharListT {
    uint32_t tag;      /* VDE_CL_TAG */
    int32_t capacity;  /* characters, not counting the terminating null */
    int32_t length;    /* characters in use; buffer[length] is 0 */
    int32_t growBy;    /* the buffer grows to a multiple of this; 0: fixed */
    int32_t flags;
    char *buffer;
} VdeCharListT;

void VdeClInit(VdeCharListT *cl, int32_t growBy);
void VdeClInitWithBuffer(VdeCharListT *cl, char *buffer, int32_t size, int32_t growBy);
void VdeClSetSize(VdeCharListT *cl, int32_t capacity);
int32_t VdeClAdd1CharNTimes(VdeCharListT *cl, int c, int32_t count);
int32_t VdeClAddString(VdeCharListT *cl, const char *s);
int32_t VdeClAddNChars(VdeCharListT *cl, const char *chars, int32_t count);
void VdeClTrim(VdeCharListT *cl);
void VdeClSetLen(VdeCharListT *cl, int32_t length);
int VdeClOverflowed(const VdeCharListT *cl);

/* ---- Conversion --------------------------------------------------------- */

/* A new string, or null on failure or when nothing was produced. */
char *V_StrConvertEnc(const char *s, int32_t from, int32_t to);
/* Appends the converted bytes to cl; 0 on success, -1 when the pair has no
   converter or the input ends inside a double-byte character. */
int32_t VdeTransliterateBytes(const unsigned char *bytes, int32_t count,
                              VdeCharListT *cl, int32_t from, int32_t to);

/* The converters of the matrix, all of one shape. */
typedef int32_t (*VdeConverterT)(const unsigned char *in, int32_t count, VdeCharListT *cl);

int32_t VdeJisToShiftJis(const unsigned char *in, int32_t count, VdeCharListT *cl);
int32_t VdeJisToEuc(const unsigned char *in, int32_t count, VdeCharListT *cl);
int32_t VdeShiftJisToJis(const unsigned char *in, int32_t count, VdeCharListT *cl);
int32_t VdeShiftJisToEuc(const unsigned char *in, int32_t count, VdeCharListT *cl);
int32_t VdeEucToShiftJis(const unsigned char *in, int32_t count, VdeCharListT *cl);
int32_t VdeEucToJis(const unsigned char *in, int32_t count, VdeCharListT *cl);
int32_t VdeGb8ToHz(const unsigned char *in, int32_t count, VdeCharListT *cl);
int32_t VdeHzToGb8(const unsigned char *in, int32_t count, VdeCharListT *cl);
int32_t VdeBig52CNSEUC(const unsigned char *in, int32_t count, VdeCharListT *cl);
int32_t VdeCNSEUC2Big5(const unsigned char *in, int32_t count, VdeCharListT *cl);

/* JIS X 0208 arithmetic: two bytes in place. */
void Vdejis2sjis(unsigned char *first, unsigned char *second);
void Vdesjis2jis(unsigned char *first, unsigned char *second);
/* Full-width Shift_JIS form of a half-width katakana (0xA1 to 0xDF), merging
   the sound mark `next` (0xDE, 0xDF) when the kana takes it: 1 when next was
   merged, 0 when not, -1 (nothing written) for any other byte. */
int Vdehan2zen(int kana, int next, unsigned char *first, unsigned char *second);

/* ---- Unicode ------------------------------------------------------------ */

/* Whole contents of <directory>/unicode/<table>.UCOD, or null. */
unsigned char *VdeGetPackedUnicodeInfo(const char *table, const char *directory);
/* Loads the four double-byte tables once (a missing file leaves its table
   absent). */
void V_VdeInitUnicode(const char *directory);
/* Code points of s ended by 0, or null. */
int32_t *VdeTextEncStringToLString(const char *s, int32_t textEnc);
/* Code points of count bytes in textEnc into out, up to a code point 0; a
   byte gives at most one, so out needs room for count. Returns how many were
   written, or -1 when the encoding has no usable table. */
int32_t translateStringToUCS4(const unsigned char *in, int32_t count, int32_t textEnc,
                              int32_t *out);
/* Appends s in textEnc as UTF-8; always succeeds (writes nothing when the
   encoding has no table). */
int32_t vdeTranslateToUnicode(const unsigned char *in, int32_t count,
                              VdeCharListT *cl, int32_t textEnc);

int V_LCharIsSafeForAscii(int32_t codePoint);
int V_LCharIsSafeForName(int32_t codePoint, int first);

#pragma GCC visibility pop
#ifdef __cplusplus
}
#endif

#endif /* VSUPPORT_CONVERT_H */
