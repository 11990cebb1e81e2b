/** @file
 * Zero-terminated byte strings in the host's 8-bit character set.
   A null string reads as the empty string wherever a string is only read;
   case is folded through the set's own map, never the system locale. */
#ifndef VSUPPORT_STRINGS_H
#define VSUPPORT_STRINGS_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif
#pragma GCC visibility push(default)

/** @name Case maps
 * 256-entry case maps of the host character set (ASCII letters and 29
 * accented pairs); each is the other's inverse.
 * @{ */
extern const unsigned char *const VdeVToLower; /**< Byte to its lower-case form. */
extern const unsigned char *const VdeVToUpper; /**< Byte to its upper-case form. */
/** @} */

/** @name Allocation and copying
 * The "N" copy and append functions take the destination's size in bytes
 * (room for size - 1 characters plus the terminator) and always terminate.
 * @{ */
/** A new zero-filled string of length + 1 bytes, or null without memory. */
char *V_StrNew(uint32_t length);
/** A new copy of s (free it with V_Free()); null for a null s or without memory. */
char *V_StrCopyString(const char *s);
/** The bytes of s before its terminator; 0 for null. */
int32_t V_StrLen(const char *s);
/** Copies src into dst, no size check; a null src empties dst, a null dst does nothing. */
void V_StrCpy(char *dst, const char *src);
/** Copies at most size - 1 bytes of src into dst and terminates. Returns the
    length copied, 0 for a null dst. */
int32_t V_StrCpyN(char *dst, const char *src, int32_t size);
/** Ends s at position, which must lie within its block; null does nothing. */
void V_StrTrunc(char *s, int32_t position);
/** Appends src to dst, no size check. Returns dst's new length, 0 for a null dst. */
int32_t V_StrCat(char *dst, const char *src);
/** Appends src to dst while its length stays below size - 1. Returns the
    new length, 0 for a null dst. */
int32_t V_StrCatN(char *dst, const char *src, int32_t size);
/** Appends at most count bytes of src, the total staying below size. Returns
    the new length, 0 for a null dst. */
int32_t V_StrNCatN(char *dst, const char *src, int32_t count, int32_t size);
/** Appends the byte c when there is room within size. Returns the new length. */
int32_t V_StrCatCharN(char *dst, int c, int32_t size);
/** Appends value as decimal text, as V_StrCatN() would. Returns the new length. */
int32_t V_StrCatIntN(char *dst, int32_t value, int32_t size);
/** @} */

/** @name Comparisons
 * The "I" forms fold case through VdeVToLower; the "N" forms compare at most
 * n bytes. Equality tests return 1 or 0; orderings are negative, 0 or
 * positive. Null counts as "".
 * @{ */
/** 1 when a and b are equal byte for byte. */
int V_StrEqual(const char *a, const char *b);
/** 1 when the first n bytes are equal (always for n <= 0). */
int V_StrEqualN(const char *a, const char *b, int32_t n);
/** 1 when a and b are equal without case. */
int V_StrIEqual(const char *a, const char *b);
/** 1 when the first n bytes are equal without case. */
int V_StrIEqualN(const char *a, const char *b, int32_t n);
/** 1 when a and b are equal without case, blanks and hyphens skipped. */
int V_StrSIEqual(const char *a, const char *b);
/** Orders a and b by their first differing byte. */
int V_StrCmp(const char *a, const char *b);
/** Orders a and b without case. */
int V_StrICmp(const char *a, const char *b);
/** Orders a and b without case, case breaking ties. */
int V_StrMCmp(const char *a, const char *b);
/** V_StrMCmp() for qsort over an array of strings: a and b are char **. */
int V_StrQsortCmp(const void *a, const void *b);
/** Orders by at most n bytes (0 for n = 0; a negative n compares one byte). */
int V_StrCmpN(const char *a, const char *b, int32_t n);
/** V_StrCmpN() without case. */
int V_StrICmpN(const char *a, const char *b, int32_t n);
/** @} */

/** @name Prefixes, suffixes and searches
 * @{ */
/** 1 when s begins with prefix (always for an empty prefix). */
int V_StrPrefix(const char *s, const char *prefix);
/** 1 when s begins with the first n bytes of prefix (always for n <= 0). */
int V_StrPrefixN(const char *s, const char *prefix, int32_t n);
/** V_StrPrefix() without case. */
int V_StrIPrefix(const char *s, const char *prefix);
/** 1 when s ends with suffix (always for an empty one, never for a null s). */
int V_StrSuffix(const char *s, const char *suffix);
/** V_StrSuffix() without case. */
int V_StrISuffix(const char *s, const char *suffix);
/** The first byte c in s, or null (also for c = 0 and a null s). */
char *V_StrChr(const char *s, int c);
/** The last byte c in s, or null (also for c = 0 and a null s). */
char *V_StrRChr(const char *s, int c);
/** The index of the first sub in s; -1 when it does not occur or either is
    null or s is empty. */
int32_t V_StrSubString(const char *s, const char *sub);
/** @} */

/** @name In-place edits and conversions
 * Each does nothing to a null string.
 * @{ */
/** Removes the blanks (0x20) at the end of s. */
void V_StrStripTrailingSpaces(char *s);
/** Removes the blanks (0x20) at the start of s. */
void V_StrStripLeadingSpaces(char *s);
/** Removes from s every byte that occurs in set. */
void V_StrStrip(char *s, const char *set);
/** Reverses the first n bytes of s (the whole of a shorter one). */
void V_StrReverse(char *s, int32_t n);
/** atoi(s); 0 for null. */
int V_StrAlphaToInt(const char *s);
/** atof(s); 0.0 for null. */
double V_StrAlphaToReal(const char *s);
/** @} */

#pragma GCC visibility pop
#ifdef __cplusplus
}
#endif

#endif
