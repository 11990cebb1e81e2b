// One conversion specification of the formatter and its parse. Private to
// libvsupport (C++ only): shared by the formatting core and the wild-field
// step. The parse is inline, as it runs for every conversion of every call.
#ifndef VSUPPORT_PRINTSPEC_H
#define VSUPPORT_PRINTSPEC_H

#include <stdarg.h>
#include <stddef.h>
#include <stdint.h>

#include <array>
#include <cstring>

// Widths and precisions past this could not fit in any block the library
// may allocate (V_MAX_BLOCK); a conversion asking for one is not output.
#define VDE_FIELD_LIMIT 99999999

struct VdePrintSpecT {
    char flags[8];      // distinct flag characters, zero-terminated
    int64_t width;      // 0: none
    int widthStar;
    int hasPrecision;
    int64_t precision;
    int precisionStar;
    char length[3];     // length letters as written: "", "h", "hh", "l", ...
    char conversion;    // one of "dioxXucsfeEgGp%n"
    char text[40];      // the specification for the system's printf
};

extern "C" {
// Replaces the '*' fields by the next int arguments: a negative width
// becomes the '-' flag with its magnitude, a negative precision none. Then
// writes the text.
void VdeProcessWildFieldWidth(VdePrintSpecT *spec, va_list *args);
}

// Writes the specification's text for the system's printf (at most 40
// bytes with the terminator), with the length letters the conversion's
// argument type calls for.
void VdeSpecText(VdePrintSpecT *spec);

namespace vde_spec {

// What each character may be in a specification, one lookup per character.
enum : unsigned char { kFlag = 1, kDigit = 2, kInteger = 4, kFloat = 8, kOtherConversion = 16 };
constexpr unsigned char kConversion = kInteger | kFloat | kOtherConversion;

constexpr std::array<unsigned char, 256> classes()
{
    std::array<unsigned char, 256> c{};
    for (unsigned char f : {'-', '+', ' ', '#', '0', '\''}) c[f] |= kFlag;
    for (unsigned char d = '0'; d <= '9'; d++) c[d] |= kDigit;
    for (unsigned char i : {'d', 'i', 'o', 'x', 'X', 'u'}) c[i] |= kInteger;
    for (unsigned char f : {'f', 'e', 'E', 'g', 'G'}) c[f] |= kFloat;
    for (unsigned char o : {'c', 's', 'p', '%', 'n'}) c[o] |= kOtherConversion;
    return c;
}
inline constexpr std::array<unsigned char, 256> kClass = classes();

inline unsigned char classOf(char c) { return kClass[static_cast<unsigned char>(c)]; }

// A specification with flags, fields or length letters (printspec.cpp).
size_t parseFull(const char *format, VdePrintSpecT *spec);

} // namespace vde_spec

// Parses the specification whose per-cent sign is at `format`, its text
// included (unless a field is a star: the wild-field step writes it then).
// Returns the number of characters it spans, or 0 when it is not one the
// formatter can hand to the system's printf. Never reads past the
// terminating zero.
inline size_t VdeParseSpec(const char *format, VdePrintSpecT *spec)
{
    using namespace vde_spec;
    if (!(classOf(format[1]) & kConversion)) return parseFull(format, spec);
    // The common case, a bare conversion character: nothing else to read.
    spec->flags[0] = '\0';
    spec->width = spec->precision = 0;
    spec->widthStar = spec->hasPrecision = spec->precisionStar = 0;
    spec->length[0] = '\0';
    spec->conversion = format[1];
    spec->text[0] = '%';
    spec->text[1] = format[1];
    spec->text[2] = '\0';
    return 2;
}

// The conversion buffer: the call's own 256 bytes until a conversion needs
// more; a grown buffer is the caller's to free.
struct VdeConvBufT {
    char *data;
    size_t capacity;
    int grown;
};

#endif
