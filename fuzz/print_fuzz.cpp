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
int32_t formatWithSlots(char *dst, int32_t capacity, const char *f)
{
    char *s = slots();
    std::memset(s, 0, 64 * 64);
    return format(dst, capacity, f, 1.5, -2.0, 1e300, 0.0, -0.0, 3.25, 1e-5, 42.0,
                  S(0), S(1), S(2), S(3), S(4), S(5), S(6), S(7), S(8), S(9), S(10), S(11), S(12),
                  S(13), S(14), S(15), S(16), S(17), S(18), S(19), S(20), S(21), S(22), S(23), S(24),
                  S(25), S(26), S(27), S(28), S(29), S(30), S(31), S(32), S(33), S(34), S(35), S(36),
                  S(37), S(38), S(39), S(40), S(41), S(42), S(43), S(44), S(45), S(46), S(47), S(48),
                  S(49), S(50), S(51), S(52), S(53), S(54), S(55), S(56), S(57), S(58), S(59), S(60),
                  S(61), S(62), S(63));
}
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
