// String functions that walk text one character at a time, a character
// being one byte or a double-byte pair of the given font encoding, so that
// no match, cut or count ever falls inside a pair.
#include <string.h>

#include "convertutils.h"
#include "vsupport/strings.h"

namespace {

using Bytes = const unsigned char *;

Bytes bytes(const char *s) { return reinterpret_cast<Bytes>(s ? s : ""); }

// Length in bytes of the character at p (0 at the terminator). The trail
// table never marks 0, so a lead byte before the terminator counts alone.
int charLen(const VdeFontEncT *enc, Bytes p) {
    if (!*p) return 0;
    return enc->leadBytes[p[0]] && enc->trailBytes[p[1]] ? 2 : 1;
}

// Value compared for the character at p: a pair as first * 256 + second,
// a single byte as itself or lower-cased.
int charValue(Bytes p, int len, bool fold) {
    if (len == 2) return p[0] * 256 + p[1];
    return fold ? VdeVToLower[p[0]] : p[0];
}

// Compares character by character until limit bytes of a have been passed
// (limit < 0: no limit); difference of the first differing values.
int compare(const char *a, const char *b, int32_t limit, bool fold, int32_t fontEnc) {
    const VdeFontEncT *enc = VdeFontEncRecord(fontEnc);
    Bytes p = bytes(a), q = bytes(b);
    int32_t passed = 0;
    while (limit < 0 || passed < limit) {
        int lp = charLen(enc, p), lq = charLen(enc, q);
        int d = charValue(p, lp, fold) - charValue(q, lq, fold);
        if (d != 0 || lp == 0) return d;
        p += lp;
        q += lq;
        passed += lp;
    }
    return 0;
}

// Bytes of src that fit whole into room bytes, taking at most count bytes.
int32_t fitting(const VdeFontEncT *enc, Bytes src, int32_t count, int32_t room) {
    int32_t n = 0;
    for (int len; (len = charLen(enc, src + n)) != 0 && n + len <= room && n + len <= count;) n += len;
    return n;
}

int32_t append(char *dst, const char *src, int32_t count, int32_t size, int32_t fontEnc) {
    const VdeFontEncT *enc = VdeFontEncRecord(fontEnc);
    if (!dst) return 0;
    int32_t len = static_cast<int32_t>(strlen(dst));
    if (len >= size - 1) return len;
    int32_t n = fitting(enc, bytes(src), count, size - 1 - len);
    memcpy(dst + len, src, n);
    dst[len + n] = 0;
    return len + n;
}

}  // namespace

extern "C" {

int IsSplittingDBChar(const char *s, int32_t position, int32_t fontEnc) {
    const VdeFontEncT *enc = VdeFontEncRecord(fontEnc);
    Bytes p = bytes(s);
    if (position < 1) return 0;
    for (int32_t i = 0; i < position;) {
        int len = charLen(enc, p + i);
        if (len == 0) return 0;  // position is at or past the end
        if (len == 2 && i + 1 == position) return 1;
        i += len;
    }
    return 0;
}

int32_t V_StrStrEnc(const char *s, const char *pattern, int32_t fontEnc) {
    const VdeFontEncT *enc = VdeFontEncRecord(fontEnc);
    if (!s || !pattern || !*s) return -1;
    size_t plen = strlen(pattern);
    Bytes base = bytes(s);
    for (Bytes p = base;; p += charLen(enc, p)) {
        if (strncmp(reinterpret_cast<const char *>(p), pattern, plen) == 0)
            return static_cast<int32_t>(p - base);
        if (!*p) return -1;
    }
}

char *V_StrChrEnc(const char *s, int first, int second, int32_t fontEnc) {
    const VdeFontEncT *enc = VdeFontEncRecord(fontEnc);
    first &= 0xFF;
    second &= 0xFF;
    if (!s || !first) return nullptr;
    for (Bytes p = bytes(s); *p; p += charLen(enc, p)) {
        int len = charLen(enc, p);
        if (p[0] == first && (len == 2 ? p[1] == second : second == 0))
            return const_cast<char *>(reinterpret_cast<const char *>(p));
    }
    return nullptr;
}

char *V_StrRChrEnc(const char *s, int first, int second, int32_t fontEnc) {
    const VdeFontEncT *enc = VdeFontEncRecord(fontEnc);
    first &= 0xFF;
    second &= 0xFF;
    if (!s || !*s || !first) return nullptr;
    char *found = nullptr;
    for (Bytes p = bytes(s); *p; p += charLen(enc, p)) {
        int len = charLen(enc, p);
        if (p[0] == first && (len == 2 ? p[1] == second : second == 0))
            found = const_cast<char *>(reinterpret_cast<const char *>(p));
    }
    return found;
}

int32_t V_StrLenEnc(const char *s, int32_t fontEnc) {
    const VdeFontEncT *enc = VdeFontEncRecord(fontEnc);
    int32_t n = 0;
    for (Bytes p = bytes(s); *p; p += charLen(enc, p)) ++n;
    return n;
}

int V_StrICmpEnc(const char *a, const char *b, int32_t fontEnc) {
    return compare(a, b, -1, true, fontEnc);
}

int V_StrIEqualEnc(const char *a, const char *b, int32_t fontEnc) {
    return compare(a, b, -1, true, fontEnc) == 0;
}

int V_StrIEqualNEnc(const char *a, const char *b, int32_t count, int32_t fontEnc) {
    if (count < 1) return 1;
    return compare(a, b, count, true, fontEnc) == 0;
}

int V_StrIPrefixEnc(const char *s, const char *prefix, int32_t fontEnc) {
    return V_StrIEqualNEnc(s, prefix, V_StrLen(prefix), fontEnc);
}

int V_StrISuffixEnc(const char *s, const char *suffix, int32_t fontEnc) {
    if (!suffix || !*suffix) return 1;
    if (!s) return 0;
    int32_t ls = V_StrLen(s), lx = V_StrLen(suffix);
    if (lx > ls || IsSplittingDBChar(s, ls - lx, fontEnc)) return 0;
    return V_StrIEqualEnc(s + (ls - lx), suffix, fontEnc);
}

// A negative count compares the first character only, as the plain forms do.
int V_StrCmpNEnc(const char *a, const char *b, int32_t count, int32_t fontEnc) {
    return count == 0 ? 0 : compare(a, b, count < 0 ? 1 : count, false, fontEnc);
}

int V_StrICmpNEnc(const char *a, const char *b, int32_t count, int32_t fontEnc) {
    return count == 0 ? 0 : compare(a, b, count < 0 ? 1 : count, true, fontEnc);
}

int V_StrMCmpEnc(const char *a, const char *b, int32_t fontEnc) {
    int d = V_StrICmpEnc(a, b, fontEnc);
    return d != 0 ? d : V_StrCmp(a, b);
}

int V_StrQsortCmpEnc(const void *a, const void *b, int32_t fontEnc) {
    return V_StrMCmpEnc(*static_cast<char *const *>(a), *static_cast<char *const *>(b), fontEnc);
}

void V_StrTruncEnc(char *s, int32_t length, int32_t fontEnc) {
    if (!s) return;
    if (length < 0) length = 0;
    if (length >= static_cast<int32_t>(strlen(s))) return;
    s[IsSplittingDBChar(s, length, fontEnc) ? length - 1 : length] = 0;
}

int32_t V_StrCpyNEnc(char *dst, const char *src, int32_t size, int32_t fontEnc) {
    const VdeFontEncT *enc = VdeFontEncRecord(fontEnc);
    if (!dst || size < 1) return 0;
    int32_t n = fitting(enc, bytes(src), size - 1, size - 1);
    memmove(dst, bytes(src), n);
    dst[n] = 0;
    return n;
}

int32_t V_StrCatNEnc(char *dst, const char *src, int32_t size, int32_t fontEnc) {
    if (!src || !*src) return 0;
    return append(dst, src, INT32_MAX, size, fontEnc);
}

int32_t V_StrNCatNEnc(char *dst, const char *src, int32_t count, int32_t size, int32_t fontEnc) {
    return append(dst, src ? src : "", count, size, fontEnc);
}

int32_t V_StrCatDblCharNEnc(char *dst, int first, int second, int32_t size, int32_t fontEnc) {
    char c[3] = {static_cast<char>(first), static_cast<char>(second), 0};
    return V_StrCatNEnc(dst, c, size, fontEnc);
}

}  // extern "C"
