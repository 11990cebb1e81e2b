// String functions of the support library: null reads as "", case folds
// through the host character set's own map.
#include "vsupport/strings.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "vsupport/memory.h"

namespace {

using Map = std::array<unsigned char, 256>;

// Capital -> small of the host set's accented letters; ASCII is added below.
constexpr unsigned char kAccentedPairs[][2] = {
    {0x80, 0x8A}, {0x81, 0x8C}, {0x82, 0x8D}, {0x83, 0x8E}, {0x84, 0x96},
    {0x85, 0x9A}, {0x86, 0x9F}, {0xAE, 0xBE}, {0xAF, 0xBF}, {0xCB, 0x88},
    {0xCC, 0x8B}, {0xCD, 0x9B}, {0xCE, 0xCF}, {0xD9, 0xD8}, {0xE5, 0x89},
    {0xE6, 0x90}, {0xE7, 0x87}, {0xE8, 0x91}, {0xE9, 0x8F}, {0xEA, 0x92},
    {0xEB, 0x94}, {0xEC, 0x95}, {0xED, 0x93}, {0xEE, 0x97}, {0xEF, 0x99},
    {0xF1, 0x98}, {0xF2, 0x9C}, {0xF3, 0x9E}, {0xF4, 0x9D},
};

constexpr Map makeMap(bool toLower)
{
    Map m{};
    for (int i = 0; i < 256; i++) m[i] = static_cast<unsigned char>(i);
    for (int c = 'A'; c <= 'Z'; c++) {
        if (toLower) m[c] = static_cast<unsigned char>(c + 32);
        else m[c + 32] = static_cast<unsigned char>(c);
    }
    for (const auto &p : kAccentedPairs) {
        if (toLower) m[p[0]] = p[1];
        else m[p[1]] = p[0];
    }
    return m;
}

constexpr Map kLower = makeMap(true);
constexpr Map kUpper = makeMap(false);

const char emptyString[1] = "";

inline const char *orEmpty(const char *s) { return s ? s : emptyString; }
inline unsigned char byteAt(const char *s, size_t i) { return static_cast<unsigned char>(s[i]); }

struct Exact {
    unsigned char operator()(unsigned char c) const { return c; }
};
struct Folded {
    unsigned char operator()(unsigned char c) const { return kLower[c]; }
};

// Walks both strings until the first difference or the end of a, looking at
// no more than n characters; the difference of the (mapped) bytes there.
template <class Fold>
int compare(const char *a, const char *b, int32_t n, Fold fold)
{
    a = orEmpty(a);
    b = orEmpty(b);
    for (int32_t i = 0; i < n; i++) {
        unsigned char ra = byteAt(a, i), rb = byteAt(b, i);
        if (ra == rb) { // equal bytes need no folding
            if (ra == 0) return 0;
            continue;
        }
        int ca = fold(ra), cb = fold(rb);
        if (ca != cb) return ca - cb;
    }
    return 0;
}

constexpr int32_t kWhole = INT32_MAX;

// 1 when s starts with the first n characters of prefix.
template <class Fold>
int startsWith(const char *s, const char *prefix, int32_t n, Fold fold)
{
    s = orEmpty(s);
    prefix = orEmpty(prefix);
    for (int32_t i = 0; i < n && prefix[i] != '\0'; i++)
        if (fold(byteAt(s, i)) != fold(byteAt(prefix, i))) return 0;
    return 1;
}

template <class Fold>
int endsWith(const char *s, const char *suffix, Fold fold)
{
    size_t ls = s ? std::strlen(s) : 0;
    size_t lx = suffix ? std::strlen(suffix) : 0;
    if (lx == 0) return 1;
    if (ls < lx) return 0;
    return compare(s + ls - lx, suffix, kWhole, fold) == 0;
}

int32_t length32(const char *s) { return static_cast<int32_t>(std::strlen(s)); }

} // namespace

extern "C" {

const unsigned char *const VdeVToLower = kLower.data();
const unsigned char *const VdeVToUpper = kUpper.data();

char *V_StrNew(uint32_t length)
{
    // length + 1 must not wrap to an empty block.
    if (length >= V_MAX_BLOCK) VdeFail();
    return static_cast<char *>(V_Calloc(length + 1, 1, 0));
}

char *V_StrCopyString(const char *s)
{
    if (!s) return nullptr;
    size_t n = std::strlen(s);
    // Saturate so that a string past 4 GB meets the size assertion instead
    // of wrapping to a small block.
    char *copy = V_StrNew(static_cast<uint32_t>(std::min<size_t>(n, UINT32_MAX)));
    if (copy) std::memcpy(copy, s, n);
    return copy;
}

int32_t V_StrLen(const char *s) { return s ? length32(s) : 0; }

void V_StrCpy(char *dst, const char *src)
{
    if (!dst) return;
    src = orEmpty(src);
    std::memmove(dst, src, std::strlen(src) + 1);
}

int32_t V_StrCpyN(char *dst, const char *src, int32_t size)
{
    // No room even for the terminator: storing one would overrun the buffer.
    if (!dst || size <= 0) return 0;
    src = orEmpty(src);
    int32_t n = static_cast<int32_t>(strnlen(src, static_cast<size_t>(size - 1)));
    std::memmove(dst, src, static_cast<size_t>(n));
    dst[n] = '\0';
    return n;
}

void V_StrTrunc(char *s, int32_t position)
{
    if (s && position >= 0) s[position] = '\0';
}

int32_t V_StrCat(char *dst, const char *src)
{
    if (!dst) return 0;
    size_t len = std::strlen(dst);
    src = orEmpty(src);
    size_t add = std::strlen(src);
    std::memmove(dst + len, src, add + 1);
    return static_cast<int32_t>(len + add);
}

int32_t V_StrCatN(char *dst, const char *src, int32_t size)
{
    if (!dst) return 0;
    int32_t len = length32(dst);
    if (size <= 0 || len >= size - 1) return len; // size - 1 must not overflow
    return V_StrNCatN(dst, src, kWhole, size);
}

int32_t V_StrNCatN(char *dst, const char *src, int32_t count, int32_t size)
{
    if (!dst) return 0;
    int32_t len = length32(dst);
    if (size <= 0) return len; // no room to write anything, not even a cut
    if (len > size - 1) {
        len = size - 1;
        dst[len] = '\0';
    }
    src = orEmpty(src);
    int32_t room = size - 1 - len;
    if (count < room) room = count < 0 ? 0 : count;
    int32_t add = static_cast<int32_t>(strnlen(src, static_cast<size_t>(room)));
    std::memmove(dst + len, src, static_cast<size_t>(add));
    len += add;
    dst[len] = '\0';
    return len;
}

int32_t V_StrCatCharN(char *dst, int c, int32_t size)
{
    if (!dst) return 0;
    int32_t len = length32(dst);
    if (size <= 0 || len >= size - 1) return len; // size - 1 must not overflow
    dst[len] = static_cast<char>(c);
    if (dst[len] != '\0') dst[++len] = '\0';
    return len;
}

int32_t V_StrCatIntN(char *dst, int32_t value, int32_t size)
{
    char text[16];
    std::snprintf(text, sizeof text, "%d", static_cast<int>(value));
    return V_StrCatN(dst, text, size);
}

int V_StrEqual(const char *a, const char *b) { return compare(a, b, kWhole, Exact{}) == 0; }

int V_StrEqualN(const char *a, const char *b, int32_t n)
{
    return n <= 0 || a == b || compare(a, b, n, Exact{}) == 0;
}

int V_StrIEqual(const char *a, const char *b) { return compare(a, b, kWhole, Folded{}) == 0; }

int V_StrIEqualN(const char *a, const char *b, int32_t n)
{
    return n <= 0 || a == b || compare(a, b, n, Folded{}) == 0;
}

int V_StrSIEqual(const char *a, const char *b)
{
    if (a == b) return 1;
    a = orEmpty(a);
    b = orEmpty(b);
    auto skip = [](const char *&s) {
        while (*s == ' ' || *s == '-') s++;
    };
    for (;;) {
        skip(a);
        skip(b);
        if (kLower[static_cast<unsigned char>(*a)] != kLower[static_cast<unsigned char>(*b)])
            return 0;
        if (*a == '\0') return 1;
        a++;
        b++;
    }
}

int V_StrCmp(const char *a, const char *b) { return compare(a, b, kWhole, Exact{}); }

int V_StrICmp(const char *a, const char *b) { return compare(a, b, kWhole, Folded{}); }

int V_StrMCmp(const char *a, const char *b)
{
    int r = V_StrICmp(a, b);
    return r != 0 ? r : V_StrCmp(a, b);
}

int V_StrQsortCmp(const void *a, const void *b)
{
    return V_StrMCmp(*static_cast<const char *const *>(a), *static_cast<const char *const *>(b));
}

int V_StrCmpN(const char *a, const char *b, int32_t n)
{
    return compare(a, b, n < 0 ? 1 : n, Exact{});
}

int V_StrICmpN(const char *a, const char *b, int32_t n)
{
    return compare(a, b, n < 0 ? 1 : n, Folded{});
}

int V_StrPrefix(const char *s, const char *prefix) { return startsWith(s, prefix, kWhole, Exact{}); }

int V_StrPrefixN(const char *s, const char *prefix, int32_t n)
{
    return n <= 0 || startsWith(s, prefix, n, Exact{});
}

int V_StrIPrefix(const char *s, const char *prefix) { return startsWith(s, prefix, kWhole, Folded{}); }

int V_StrSuffix(const char *s, const char *suffix) { return endsWith(s, suffix, Exact{}); }

int V_StrISuffix(const char *s, const char *suffix) { return endsWith(s, suffix, Folded{}); }

char *V_StrChr(const char *s, int c)
{
    if (!s || static_cast<char>(c) == '\0') return nullptr;
    return const_cast<char *>(std::strchr(s, static_cast<char>(c)));
}

char *V_StrRChr(const char *s, int c)
{
    if (!s || static_cast<char>(c) == '\0') return nullptr;
    return const_cast<char *>(std::strrchr(s, static_cast<char>(c)));
}

int32_t V_StrSubString(const char *s, const char *sub)
{
    if (!s || !sub || *s == '\0') return -1;
    const char *at = std::strstr(s, sub);
    return at ? static_cast<int32_t>(at - s) : -1;
}

void V_StrStripTrailingSpaces(char *s)
{
    if (!s) return;
    size_t n = std::strlen(s);
    while (n > 0 && s[n - 1] == ' ') n--;
    s[n] = '\0';
}

void V_StrStripLeadingSpaces(char *s)
{
    if (!s) return;
    size_t skip = std::strspn(s, " ");
    if (skip) std::memmove(s, s + skip, std::strlen(s + skip) + 1);
}

void V_StrStrip(char *s, const char *set)
{
    if (!s) return;
    char *out = s;
    for (const char *in = s; *in; in++)
        if (!V_StrChr(set, static_cast<unsigned char>(*in))) *out++ = *in;
    *out = '\0';
}

void V_StrReverse(char *s, int32_t n)
{
    if (!s || n <= 1) return;
    size_t len = strnlen(s, static_cast<size_t>(n));
    for (size_t i = 0, j = len; i + 1 < j; i++, j--) {
        char t = s[i];
        s[i] = s[j - 1];
        s[j - 1] = t;
    }
}

int V_StrAlphaToInt(const char *s) { return s ? std::atoi(s) : 0; }

double V_StrAlphaToReal(const char *s) { return s ? std::atof(s) : 0.0; }

} // extern "C"
