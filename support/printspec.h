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

// The type of argument a conversion takes, as the system's printf reads it
// with the specification's length letters.
enum VdeArgKind : unsigned char {
    kArgInt, kArgUInt, kArgLong, kArgULong, kArgLLong, kArgULLong, kArgIntMax, kArgUIntMax,
    kArgSignedSize, kArgSize, kArgPtrdiff, kArgUPtrdiff,
    kArgChar, kArgString, kArgPointer, kArgDouble, kArgLongDouble, kArgCount, kArgPercent
};

struct VdePrintSpecT {
    char flags[8];      // distinct flag characters, zero-terminated
    int64_t width;      // 0: none
    int widthStar;
    int hasPrecision;
    int64_t precision;
    int precisionStar;
    char length[3];     // length letters as written: "", "h", "hh", "l", ...
    char conversion;    // one of "dioxXucsfeEgGp%n"
    VdeArgKind kind;
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

// The argument a conversion takes with these length letters ("" for none).
constexpr VdeArgKind kindOf(char c, const char *length)
{
    switch (c) {
    case 'c': return kArgChar;
    case 's': return kArgString;
    case 'p': return kArgPointer;
    case 'n': return kArgCount;
    case '%': return kArgPercent;
    case 'f': case 'e': case 'E': case 'g': case 'G': return length[0] == 'L' ? kArgLongDouble : kArgDouble;
    }
    bool isSigned = c == 'd' || c == 'i';
    switch (length[0]) {
    case 'l':
        if (length[1] == 'l') return isSigned ? kArgLLong : kArgULLong;
        return isSigned ? kArgLong : kArgULong;
    case 'j': return isSigned ? kArgIntMax : kArgUIntMax;
    case 'z': return isSigned ? kArgSignedSize : kArgSize;
    case 't': return isSigned ? kArgPtrdiff : kArgUPtrdiff;
    default: return isSigned ? kArgInt : kArgUInt; // none, h, hh: promoted to int
    }
}

// The argument of each conversion character without length letters.
constexpr std::array<VdeArgKind, 256> bareKinds()
{
    std::array<VdeArgKind, 256> k{};
    for (int c = 0; c < 256; c++) k[c] = kindOf(static_cast<char>(c), "");
    return k;
}
inline constexpr std::array<VdeArgKind, 256> kBareKind = bareKinds();

} // namespace vde_spec

// Parses the specification whose per-cent sign is at `format`, its text
// included (unless a field is a star: the wild-field step writes it then).
// Returns the number of characters it spans, or 0 when it is not one the
// formatter can hand to the system's printf. Never reads past the
// terminating zero. (The formatting loop reads a bare conversion character
// itself.)
size_t VdeParseSpec(const char *format, VdePrintSpecT *spec);

// The conversion buffer: the call's own 256 bytes until a conversion needs
// more; a grown buffer is the caller's to free.
struct VdeConvBufT {
    char *data;
    size_t capacity;
    int grown;
};

#endif
