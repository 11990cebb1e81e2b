/* Zero-terminated byte strings in the host's 8-bit character set.
   A null string reads as the empty string wherever a string is only read;
   case is folded through the set's own map, never the system locale. */
#ifndef VSUPPORT_STRINGS_H
#define VSUPPORT_STRINGS_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif
#pragma GCC visibility push(default)

/* 256-entry case maps of the host character set (ASCII letters and 29
   accented pairs); each is the other's inverse. */
extern const unsigned char *const VdeVToLower;
extern const unsigned char *const VdeVToUpper;

/* Allocation and copying. "N" copy/append functions take the destination's
   size in bytes (room for size - 1 characters plus the terminator). */
char *V_StrNew(uint32_t length);
char *V_StrCopyString(const char *s);
int32_t V_StrLen(const char *s);
void V_StrCpy(char *dst, const char *src);
int32_t V_StrCpyN(char *dst, const char *src, int32_t size);
void V_StrTrunc(char *s, int32_t position);
int32_t V_StrCat(char *dst, const char *src);
int32_t V_StrCatN(char *dst, const char *src, int32_t size);
int32_t V_StrNCatN(char *dst, const char *src, int32_t count, int32_t size);
int32_t V_StrCatCharN(char *dst, int c, int32_t size);
int32_t V_StrCatIntN(char *dst, int32_t value, int32_t size);

/* Comparisons: the "I" forms fold case through VdeVToLower; "N" forms take
   a number of characters. Equality tests return 1 or 0. */
int V_StrEqual(const char *a, const char *b);
int V_StrEqualN(const char *a, const char *b, int32_t n);
int V_StrIEqual(const char *a, const char *b);
int V_StrIEqualN(const char *a, const char *b, int32_t n);
int V_StrSIEqual(const char *a, const char *b);
int V_StrCmp(const char *a, const char *b);
int V_StrICmp(const char *a, const char *b);
int V_StrMCmp(const char *a, const char *b);
int V_StrQsortCmp(const void *a, const void *b); /* a, b: char ** */
int V_StrCmpN(const char *a, const char *b, int32_t n);
int V_StrICmpN(const char *a, const char *b, int32_t n);

/* Prefixes, suffixes and searches. */
int V_StrPrefix(const char *s, const char *prefix);
int V_StrPrefixN(const char *s, const char *prefix, int32_t n);
int V_StrIPrefix(const char *s, const char *prefix);
int V_StrSuffix(const char *s, const char *suffix);
int V_StrISuffix(const char *s, const char *suffix);
char *V_StrChr(const char *s, int c);
char *V_StrRChr(const char *s, int c);
int32_t V_StrSubString(const char *s, const char *sub);

/* In-place edits and conversions. */
void V_StrStripTrailingSpaces(char *s);
void V_StrStripLeadingSpaces(char *s);
void V_StrStrip(char *s, const char *set);
void V_StrReverse(char *s, int32_t n);
int V_StrAlphaToInt(const char *s);
double V_StrAlphaToReal(const char *s);

#pragma GCC visibility pop
#ifdef __cplusplus
}
#endif

#endif
