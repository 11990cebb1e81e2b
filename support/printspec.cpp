// Parsing a conversion specification with flags, fields or length letters,
// and writing one back for the system's printf. Anything outside the printf
// grammar is refused here, so the system's formatter never sees a second
// conversion or an argument type it would read differently from ours.
#include "printspec.h"

namespace vde_spec {
namespace {

// c, s and p take a plain int, char pointer and void pointer whatever
// letters stand before them; the system must read them the same way.
bool keepsLength(char conversion) { return classOf(conversion) & (kInteger | kFloat); }

// Numbers of up to this many digits are below the field limit, and go into
// the text as written; longer ones are written back from their value.
constexpr int kPlainDigits = 8;

// Reads decimal digits, saturating past the field limit so that a huge
// number stays huge without overflowing. Copies them to t, without leading
// zeros, while they are few enough; `plain` turns false when they are not.
inline int64_t readNumber(const char *&p, char *&t, bool &plain)
{
    while (*p == '0') p++;
    const char *digits = p;
    int64_t n = 0;
    for (; classOf(*p) & kDigit; p++)
        if (n <= VDE_FIELD_LIMIT) n = n * 10 + (*p - '0');
    if (p - digits > kPlainDigits) plain = false;
    else for (const char *d = digits; d < p; d++) *t++ = *d;
    return n;
}

// Reads a length modifier, if one stands at p.
void readLength(const char *&p, char *length)
{
    size_t n = 0;
    switch (*p) {
    case 'h': case 'l':
        n = p[1] == p[0] ? 2 : 1;  // hh, ll
        break;
    case 'L': case 'j': case 'z': case 't':
        n = 1;
        break;
    }
    for (size_t i = 0; i < n; i++) length[i] = *p++;
    length[n] = '\0';
}

// Which length letters each conversion accepts.
bool lengthFits(const char *length, char conversion)
{
    if (length[0] == '\0') return true;
    if (classOf(conversion) & kInteger) return length[0] != 'L';
    if (classOf(conversion) & kFloat) return (length[0] == 'l' || length[0] == 'L') && length[1] == '\0';
    return true; // c s p n %: the argument type does not depend on them
}

} // namespace

} // namespace vde_spec

size_t VdeParseSpec(const char *format, VdePrintSpecT *spec)
{
    using namespace vde_spec;
    // The text is written as the fields are read; a star or a long number
    // leaves it to VdeSpecText.
    spec->width = spec->precision = 0;
    spec->widthStar = spec->hasPrecision = spec->precisionStar = 0;
    const char *p = format + 1;
    char *t = spec->text;
    bool plain = true;
    *t++ = '%';
    size_t nflags = 0;
    unsigned seen = 0;  // the flags met so far, by character
    std::memset(spec->flags, 0, sizeof spec->flags); // room for a '-' from a wild width
    for (; classOf(*p) & kFlag; p++) {
        unsigned bit = 1u << (*p & 31);  // distinct for the six flag characters
        if (!(seen & bit)) *t++ = spec->flags[nflags++] = *p;
        seen |= bit;
    }
    if (*p == '*') spec->widthStar = 1, p++;
    else spec->width = readNumber(p, t, plain);
    if (*p == '.') {
        spec->hasPrecision = 1;
        *t++ = '.';
        char *digits = t;
        if (*++p == '*') spec->precisionStar = 1, p++;
        else spec->precision = readNumber(p, t, plain);
        if (t == digits) *t++ = '0';
    }
    char c = *p;
    if (classOf(c) & kConversion) {  // no length letters, the common case
        spec->length[0] = '\0';
        spec->kind = kBareKind[static_cast<unsigned char>(c)];
    } else {
        readLength(p, spec->length);
        c = *p;
        if (!(classOf(c) & kConversion) || !lengthFits(spec->length, c)) return 0;
        spec->kind = kindOf(c, spec->length);
        if (keepsLength(c))
            for (const char *l = spec->length; *l; l++) *t++ = *l;
    }
    spec->conversion = c;
    *t++ = c;
    *t = '\0';
    if (!plain) VdeSpecText(spec);
    return static_cast<size_t>(p + 1 - format);
}

void VdeSpecText(VdePrintSpecT *spec)
{
    char *t = spec->text;
    *t++ = '%';
    for (const char *f = spec->flags; *f; f++) *t++ = *f;
    // Fields are bounded by the limit (9 digits) before they get here.
    auto number = [&t](int64_t n) {
        char digits[24];
        int len = 0;
        do {
            digits[len++] = static_cast<char>('0' + n % 10);
            n /= 10;
        } while (n > 0);
        while (len > 0) *t++ = digits[--len];
    };
    if (spec->width > 0) number(spec->width);
    if (spec->hasPrecision) {
        *t++ = '.';
        number(spec->precision);
    }
    char c = spec->conversion;
    if (vde_spec::keepsLength(c))
        for (const char *l = spec->length; *l; l++) *t++ = *l;
    *t++ = c;
    *t = '\0';
}
