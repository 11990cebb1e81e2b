// The formatting core: literal runs go to the output function in place,
// each conversion is formatted alone by the system's snprintf into a
// buffer of the call's own. Also the channel front end, V_Printf.
#include "vsupport/print.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <type_traits>

#include "printspec.h"
#include "vsupport/memory.h"

namespace {

constexpr size_t kLocalBuffer = 256;

bool reserve(VdeConvBufT &b, int64_t size)
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
int64_t getStringSize(const VdePrintSpecT &spec, const char *s)
{
    size_t len = spec.hasPrecision ? strnlen(s, static_cast<size_t>(spec.precision)) : std::strlen(s);
    return std::max(spec.width, static_cast<int64_t>(len));
}

constexpr std::array<bool, 256> stops()
{
    std::array<bool, 256> s{};
    s['\0'] = s['%'] = true;
    return s;
}
constexpr std::array<bool, 256> kStops = stops();

// The end of the literal run at p: its per-cent sign or the format's end.
// Most runs are a few characters, where a plain walk is quicker than the
// library's search; the search takes over on longer runs.
const char *runEnd(const char *p)
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
int64_t printValue(VdeConvBufT &b, const char *text, T value)
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
int64_t printArg(VdeConvBufT &b, const char *text, va_list *args)
{
    return printValue(b, text, va_arg(*args, T));
}

template <class S>
int64_t printInteger(VdeConvBufT &b, const char *text, char conversion, va_list *args)
{
    bool isSigned = conversion == 'd' || conversion == 'i';
    return isSigned ? printArg<S>(b, text, args) : printArg<std::make_unsigned_t<S>>(b, text, args);
}

// Stores the count so far for %n: 16 bits after an 'h', else 32 bits.
void storeCount(const VdePrintSpecT &spec, int64_t total, va_list *args)
{
    size_t n = std::strlen(spec.length);
    bool isShort = n > 0 && spec.length[n - 1] == 'h';
    if (isShort) {
        auto *target = va_arg(*args, int16_t *);
        if (target) *target = static_cast<int16_t>(total);
    } else {
        auto *target = va_arg(*args, int32_t *);
        if (target) *target = static_cast<int32_t>(total);
    }
}

// Formats one conversion (wild fields already resolved) into the buffer,
// taking its argument. Returns the length of the text up to its first null
// byte, or -1 when its output cannot be held: over the block limit, or no
// memory to grow the buffer.
int64_t VdePrintToStream(VdeConvBufT *buf, const VdePrintSpecT *specp, va_list *args)
{
    VdeConvBufT &b = *buf;
    const VdePrintSpecT &spec = *specp;
    char c = spec.conversion;
    if (spec.width > VDE_FIELD_LIMIT || (c != 's' && spec.precision > VDE_FIELD_LIMIT)) return -1;
    if (c == '%') {
        std::memcpy(b.data, "%", 2);
        return 1;
    }
    const char *text = spec.text;
    switch (c) {
    case 'c': {
        // The null character is text of no length.
        int64_t n = printArg<int>(b, text, args);
        return n > 0 ? static_cast<int64_t>(std::strlen(b.data)) : n;
    }
    case 's': {
        const char *s = va_arg(*args, const char *);
        if (!s) s = "";
        return reserve(b, getStringSize(spec, s) + 1) ? printValue(b, text, s) : -1;
    }
    case 'p':
        return printArg<void *>(b, text, args);
    case 'f': case 'e': case 'E': case 'g': case 'G':
        return spec.length[0] == 'L' ? printArg<long double>(b, text, args)
                                     : printArg<double>(b, text, args);
    }
    switch (spec.length[0]) {
    case 'l':
        return spec.length[1] == 'l' ? printInteger<long long>(b, text, c, args)
                                     : printInteger<long>(b, text, c, args);
    case 'j':
        return printInteger<intmax_t>(b, text, c, args);
    case 'z':
        return printInteger<std::make_signed_t<size_t>>(b, text, c, args);
    case 't':
        return printInteger<ptrdiff_t>(b, text, c, args);
    default: // none, h, hh: promoted to int
        return printInteger<int>(b, text, c, args);
    }
}

} // namespace

extern "C" int32_t Vde_doprnt(VdeOutFuncT out, void *context, const char *format, va_list args)
{
    if (!format) format = ""; // still one (empty) run for the output function
    char local[kLocalBuffer];
    VdeConvBufT b{local, sizeof local, 0};
    va_list ap;
    va_copy(ap, args);
    int64_t total = 0;
    const char *p = format;
    for (;;) {
        const char *run = p;
        p = runEnd(p);
        total += out(context, run, static_cast<int32_t>(p - run));
        if (*p == '\0') break;
        VdePrintSpecT spec;
        size_t span = VdeParseSpec(p, &spec);
        if (span == 0) {
            // Not a conversion we can format (or the format ends inside it):
            // its per-cent sign is plain text and the rest follows as such.
            total += out(context, p, 1);
            p++;
            continue;
        }
        p += span;
        if (spec.widthStar || spec.precisionStar) VdeProcessWildFieldWidth(&spec, &ap);
        if (spec.conversion == 'n') {
            storeCount(spec, total, &ap);
            continue;
        }
        int64_t length = VdePrintToStream(&b, &spec, &ap);
        if (length < 0) break;
        total += out(context, b.data, static_cast<int32_t>(length));
    }
    va_end(ap);
    if (b.grown) V_Free(b.data);
    return total > INT32_MAX ? INT32_MAX : static_cast<int32_t>(total);
}

namespace {

// Channel 0 is standard error through V_Warning, which wants terminated
// text; a literal run is not terminated where it ends, so it goes out in
// terminated chunks unless a null byte ends it within reach.
int32_t outchan(void *context, const char *text, int32_t length)
{
    auto *channel = static_cast<V_ChannelT *>(context);
    if (channel) {
        return channel->stream ? V_ChannelWrite(text, 1, length, channel) : 0;
    }
    size_t measured = strnlen(text, static_cast<size_t>(length) + 1);
    if (measured <= static_cast<size_t>(length)) {
        V_Warning(text);
        return static_cast<int32_t>(measured);
    }
    char chunk[256];
    for (int32_t done = 0; done < length;) {
        int32_t n = std::min<int32_t>(length - done, sizeof chunk - 1);
        std::memcpy(chunk, text + done, static_cast<size_t>(n));
        chunk[n] = '\0';
        V_Warning(chunk);
        done += n;
    }
    return length;
}

} // namespace

extern "C" int32_t VdeVPrintf(V_ChannelT *channel, const char *format, va_list args)
{
    return Vde_doprnt(outchan, channel, format, args);
}

extern "C" int32_t V_Printf(V_ChannelT *channel, const char *format, ...)
{
    va_list args;
    va_start(args, format);
    int32_t n = VdeVPrintf(channel, format, args);
    va_end(args);
    return n;
}
