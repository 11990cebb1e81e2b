// The formatter over arbitrary format strings with a fixed argument set.
//
// Every integer or pointer argument is the address of a zeroed 64-byte slot
// mapped low in memory, so whatever a conversion takes it as (an int width,
// a string, a %n target) is harmless: widths stay small, strings are empty
// or short, and stores land in the slot. The format is cut after a few
// per-cent signs so the conversions cannot take more arguments than given.
#include <sys/mman.h>

#include <cstdarg>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "vsupport/print.h"

namespace {

constexpr int kMaxPercents = 10; // each takes at most 5 argument slots

char *slots()
{
    static char *base = [] {
        void *p = mmap(reinterpret_cast<void *>(0x10000), 64 * 64, PROT_READ | PROT_WRITE,
                       MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED_NOREPLACE, -1, 0);
        if (p == MAP_FAILED) std::abort();
        return static_cast<char *>(p);
    }();
    return base;
}

int32_t format(char *dst, int32_t capacity, const char *f, ...)
{
    va_list args;
    va_start(args, f);
    int32_t n = VdeVSnprintf(dst, capacity, f, args);
    va_end(args);
    return n;
}

#define S(i) static_cast<void *>(s + 64 * (i))
#define S8(i) S(i), S(i + 1), S(i + 2), S(i + 3), S(i + 4), S(i + 5), S(i + 6), S(i + 7)
int32_t formatWithSlots(char *dst, int32_t capacity, const char *f)
{
    char *s = slots();
    std::memset(s, 0, 64 * 64);
    return format(dst, capacity, f, 1.5, -2.0, 1e300, 0.0, -0.0, 3.25, 1e-5, 42.0, S8(0), S8(8), S8(16), S8(24),
                  S8(32), S8(40), S8(48), S8(56));
}
#undef S8
#undef S

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    std::string f(reinterpret_cast<const char *>(data), size);
    f = f.substr(0, std::strlen(f.c_str()));
    int percents = 0;
    for (size_t i = 0; i < f.size(); i++)
        if (f[i] == '%' && ++percents > kMaxPercents) f.resize(i);

    // The format on the heap with nothing after its terminator, so that a
    // read past the end is caught.
    char *heapFormat = static_cast<char *>(std::malloc(f.size() + 1));
    std::memcpy(heapFormat, f.c_str(), f.size() + 1);

    static char full[1 << 20];
    int32_t n = formatWithSlots(full, sizeof full, heapFormat);
    if (n < 0 || static_cast<size_t>(n) >= sizeof full) std::abort();
    // Every piece is measured to its first null byte: no nulls inside.
    if (std::strlen(full) != static_cast<size_t>(n)) std::abort();

    // A short buffer keeps exactly a prefix of the same text.
    char part[17];
    int32_t m = formatWithSlots(part, sizeof part, heapFormat);
    if (m != std::min<int32_t>(n, 16) || std::strncmp(part, full, static_cast<size_t>(m)) != 0 || part[m] != '\0')
        std::abort();
    std::free(heapFormat);
    return 0;
}
