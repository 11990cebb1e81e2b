// The formatting core: literal runs go to the output function in place,
// each conversion is formatted alone by the system's snprintf into a
// buffer of the call's own. Private to libvsupport (C++ only); a template
// over the output function, so that the front ends' own output inlines.
#ifndef VSUPPORT_DOPRNT_H
#define VSUPPORT_DOPRNT_H

#include <stdarg.h>
#include <string.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <type_traits>

#include "printspec.h"
#include "vsupport/memory.h"

namespace vde_doprnt {

constexpr size_t kLocalBuffer = 256;

inline bool reserve(VdeConvBufT &b, int64_t size)
{
    if (static_cast<size_t>(size) <= b.capacity) return true;
    // Asking the allocator for more than it may give would be an assertion
    // failure; such a conversion just cannot be output.
    if (size > static_cast<int64_t>(V_MAX_BLOCK)) return false;
    void *p = b.grown ? V_Realloc(b.data, static_cast<uint32_t>(size), 0)
                      : V_Alloc(static_cast<uint32_t>(size), 0);
    if (!p) return false;
    b.data = static_cast<char *>(p);
    b.capacity = static_cast<size_t>(size);
    b.grown = 1;
    return true;
}

// What a %s conversion will produce: the wider of the field and the
// (precision-limited) string.
inline int64_t getStringSize(const char *s, int64_t width, int64_t precision)
{
    size_t len = precision >= 0 ? strnlen(s, static_cast<size_t>(precision)) : std::strlen(s);
    return std::max(width, static_cast<int64_t>(len));
}

constexpr std::array<bool, 256> stops()
{
    std::array<bool, 256> s{};
    s['\0'] = s['%'] = true;
    return s;
}
inline constexpr std::array<bool, 256> kStops = stops();

// The end of the literal run at p: its per-cent sign or the format's end.
// Most runs are a few characters, where a plain walk is quicker than the
// library's search; the search takes over on longer runs.
inline const char *runEnd(const char *p)
{
    auto stop = [](const char *c) { return kStops[static_cast<unsigned char>(*c)]; };
    for (const char *start = p; p - start < 32; p += 4) {
        if (stop(p)) return p;
        if (stop(p + 1)) return p + 1;
        if (stop(p + 2)) return p + 2;
        if (stop(p + 3)) return p + 3;
    }
    return strchrnul(p, '%');
}

// Each returns the length of the text it left in the buffer, or -1 when the
// text cannot be held.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
template <class T>
inline int64_t printValue(VdeConvBufT &b, const char *text, T value)
{
    int n = std::snprintf(b.data, b.capacity, text, value);
    if (n < 0) { // a value the system cannot render: nothing to output
        b.data[0] = '\0';
        return 0;
    }
    if (static_cast<size_t>(n) < b.capacity) return n;
    if (!reserve(b, static_cast<int64_t>(n) + 1)) return -1;
    std::snprintf(b.data, b.capacity, text, value);
    return n;
}
#pragma GCC diagnostic pop

template <class T>
inline int64_t printArg(VdeConvBufT &b, const char *text, va_list *args)
{
    return printValue(b, text, va_arg(*args, T));
}

// Stores the count so far for %n: 16 bits after an 'h', else 32 bits.
inline void storeCount(bool isShort, int64_t total, va_list *args)
{
    if (isShort) {
        auto *target = va_arg(*args, int16_t *);
        if (target) *target = static_cast<int16_t>(total);
    } else {
        auto *target = va_arg(*args, int32_t *);
        if (target) *target = static_cast<int32_t>(total);
    }
}

// Formats one conversion (wild fields already resolved) into the buffer,
// taking its argument: its text for the system's printf, the argument it
// takes and, for a string, its field width and precision (-1: none).
// Returns the length of the text up to its first null byte, or -1 when it
// cannot be held: no memory to grow the buffer.
// (Inlined into the loop, where everything stays in registers.)
__attribute__((always_inline)) inline int64_t VdePrintToStream(VdeConvBufT &b, const char *text, VdeArgKind kind,
                                                               int64_t width, int64_t precision, va_list *args)
{
    switch (kind) {
    case kArgInt: return printArg<int>(b, text, args);
    case kArgUInt: return printArg<unsigned>(b, text, args);
    case kArgLong: return printArg<long>(b, text, args);
    case kArgULong: return printArg<unsigned long>(b, text, args);
    case kArgLLong: return printArg<long long>(b, text, args);
    case kArgULLong: return printArg<unsigned long long>(b, text, args);
    case kArgIntMax: return printArg<intmax_t>(b, text, args);
    case kArgUIntMax: return printArg<uintmax_t>(b, text, args);
    case kArgSignedSize: return printArg<std::make_signed_t<size_t>>(b, text, args);
    case kArgSize: return printArg<size_t>(b, text, args);
    case kArgPtrdiff: return printArg<ptrdiff_t>(b, text, args);
    case kArgUPtrdiff: return printArg<std::make_unsigned_t<ptrdiff_t>>(b, text, args);
    case kArgChar: {
        // The null character is text of no length.
        int64_t n = printArg<int>(b, text, args);
        return n > 0 ? static_cast<int64_t>(std::strlen(b.data)) : n;
    }
    case kArgString: {
        const char *s = va_arg(*args, const char *);
        if (!s) s = "";
        return reserve(b, getStringSize(s, width, precision) + 1) ? printValue(b, text, s) : -1;
    }
    case kArgPointer: return printArg<void *>(b, text, args);
    case kArgDouble: return printArg<double>(b, text, args);
    case kArgLongDouble: return printArg<long double>(b, text, args);
    case kArgPercent:
        std::memcpy(b.data, "%", 2);
        return 1;
    case kArgCount: break; // stored by the loop, never formatted
    }
    return 0;
}

} // namespace vde_doprnt

// The formatting loop, for an output function known where it is
// instantiated: out(text, length) returns how many characters it accounted
// for. Vde_doprnt instantiates it for a caller's function and context;
// V_Sprintf for its own, which then inlines.
template <class Out>
int32_t VdeDoprnt(Out out, const char *format, va_list args)
{
    if (!format) format = ""; // still one (empty) run for the output function
    using namespace vde_doprnt;
    char local[kLocalBuffer];
    VdeConvBufT b{local, sizeof local, 0};
    va_list ap;
    va_copy(ap, args);
    int64_t total = 0;
    const char *p = format;
    for (;;) {
        const char *run = p;
        p = runEnd(p);
        total += out(run, static_cast<int32_t>(p - run));
        if (*p == '\0') break;
        if (p[1] == '%') {  // a per-cent sign: nothing to format
            total += out(p + 1, 1);
            p += 2;
            continue;
        }
        int64_t length;
        char c = p[1];
        if (vde_spec::classOf(c) & vde_spec::kConversion) {
            // The common case, a bare conversion character: its text is the
            // two characters as they stand.
            p += 2;
            VdeArgKind kind = vde_spec::kBareKind[static_cast<unsigned char>(c)];
            if (kind == kArgCount) {
                storeCount(false, total, &ap);
                continue;
            }
            const char text[3] = {'%', c, '\0'};
            length = VdePrintToStream(b, text, kind, 0, -1, &ap);
        } else {
            VdePrintSpecT spec;
            size_t span = VdeParseSpec(p, &spec);
            if (span == 0) {
                // Not a conversion we can format (or the format ends inside
                // it): its per-cent sign is plain text and the rest follows.
                total += out(p, 1);
                p++;
                continue;
            }
            p += span;
            if (spec.widthStar || spec.precisionStar) VdeProcessWildFieldWidth(&spec, &ap);
            if (spec.kind == kArgCount) {
                size_t n = std::strlen(spec.length);
                storeCount(n > 0 && spec.length[n - 1] == 'h', total, &ap);
                continue;
            }
            // Fields past the limit could not fit in any block.
            if (spec.width > VDE_FIELD_LIMIT || (spec.kind != kArgString && spec.precision > VDE_FIELD_LIMIT)) break;
            length = VdePrintToStream(b, spec.text, spec.kind, spec.width, spec.hasPrecision ? spec.precision : -1, &ap);
        }
        if (length < 0) break;
        total += out(b.data, static_cast<int32_t>(length));
    }
    va_end(ap);
    if (b.grown) V_Free(b.data);
    return total > INT32_MAX ? INT32_MAX : static_cast<int32_t>(total);
}

#endif
