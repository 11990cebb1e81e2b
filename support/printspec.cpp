// Parsing one conversion specification and writing it back for the
// system's printf. Anything outside the printf grammar is refused here, so
// the system's formatter never sees a second conversion or an argument type
// it would read differently from ours.
#include "printspec.h"

#include <cstring>

namespace {

constexpr char kConversions[] = "dioxXucsfeEgGp%n";
constexpr char kFlags[] = "-+ #0'";

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Reads decimal digits, saturating past the field limit so that a huge
// number stays huge without overflowing.
int64_t readNumber(const char *&p)
{
    int64_t n = 0;
    for (; isDigit(*p); p++)
        if (n <= VDE_FIELD_LIMIT) n = n * 10 + (*p - '0');
    return n;
}

// Reads a length modifier, if one stands at p.
void readLength(const char *&p, char *length)
{
    static const char *const kLengths[] = {"hh", "ll", "h", "l", "L", "j", "z", "t"};
    length[0] = '\0';
    for (const char *l : kLengths) {
        size_t n = std::strlen(l);
        if (std::strncmp(p, l, n) == 0) {
            std::memcpy(length, l, n + 1);
            p += n;
            return;
        }
    }
}

bool isInteger(char c) { return c != '\0' && std::strchr("dioxXu", c) != nullptr; }
bool isFloat(char c) { return c != '\0' && std::strchr("feEgG", c) != nullptr; }

// Which length letters each conversion accepts.
bool lengthFits(const char *length, char conversion)
{
    if (length[0] == '\0') return true;
    if (isInteger(conversion)) return std::strcmp(length, "L") != 0;
    if (isFloat(conversion)) return std::strcmp(length, "l") == 0 || std::strcmp(length, "L") == 0;
    return true; // c s p n %: the argument type does not depend on them
}

} // namespace

extern "C" size_t VdeParseSpec(const char *format, VdePrintSpecT *spec)
{
    std::memset(spec, 0, sizeof *spec);
    const char *p = format + 1;
    size_t nflags = 0;
    for (; *p != '\0' && std::strchr(kFlags, *p); p++)
        if (!std::strchr(spec->flags, *p)) spec->flags[nflags++] = *p;
    if (*p == '*') {
        spec->widthStar = 1;
        p++;
    } else {
        spec->width = readNumber(p);
    }
    if (*p == '.') {
        spec->hasPrecision = 1;
        p++;
        if (*p == '*') {
            spec->precisionStar = 1;
            p++;
        } else {
            spec->precision = readNumber(p);
        }
    }
    readLength(p, spec->length);
    if (*p == '\0' || !std::strchr(kConversions, *p) || !lengthFits(spec->length, *p)) return 0;
    spec->conversion = *p++;
    return static_cast<size_t>(p - format);
}

extern "C" void VdeSpecText(const VdePrintSpecT *spec, char *text)
{
    char *t = text;
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
    // c, s and p take a plain int, char pointer and void pointer whatever
    // letters stand before them; the system must read them the same way.
    if (isInteger(c) || isFloat(c))
        for (const char *l = spec->length; *l; l++) *t++ = *l;
    *t++ = c;
    *t = '\0';
}
