// Formatting into a caller's buffer: the formatting core with this file's
// output function, which inlines into it.
#include <algorithm>
#include <cstring>

#include "doprnt.h"
#include "vsupport/print.h"

namespace {

struct Cursor {
    char *dst;
    int64_t remaining; // room left before the terminator's byte
};

int32_t outs(void *context, const char *text, int32_t length)
{
    auto *cursor = static_cast<Cursor *>(context);
    int64_t n = std::min<int64_t>(length, cursor->remaining);
    if (n <= 0) return 0;
    std::memcpy(cursor->dst, text, static_cast<size_t>(n));
    cursor->dst += n;
    cursor->remaining -= n;
    return static_cast<int32_t>(n);
}

// (Inlined into both entry points: V_Sprintf is the common one.)
__attribute__((always_inline)) inline int32_t formatInto(char *dst, int32_t capacity, const char *format,
                                                         va_list args)
{
    Cursor cursor{dst, dst ? static_cast<int64_t>(capacity) - 1 : -1};
    int32_t n = VdeDoprnt([&cursor](const char *text, int32_t length) { return outs(&cursor, text, length); },
                          format, args);
    // A buffer of no bytes has no room even for the terminator.
    if (dst && capacity > 0) *cursor.dst = '\0';
    return n;
}

} // namespace

extern "C" int32_t VdeVSnprintf(char *dst, int32_t capacity, const char *format, va_list args)
{
    return formatInto(dst, capacity, format, args);
}

extern "C" int32_t V_Sprintf(char *dst, const char *format, ...)
{
    va_list args;
    va_start(args, format);
    int32_t n = formatInto(dst, 0x7FFFFFFF, format, args);
    va_end(args);
    return n;
}
