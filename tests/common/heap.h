// Bytes the process holds from the heap, so that a test can tell a release
// that frees everything from one that leaks. The sanitizer's allocator
// counts them under AddressSanitizer; elsewhere the C library does, exactly
// only while its per-thread cache is off: ctest runs the tests with
// GLIBC_TUNABLES=glibc.malloc.tcache_count=0. Without it nothing is
// counted. Main thread only.
#pragma once

#include <malloc.h>

#include <cstddef>
#include <cstdlib>
#include <cstring>

extern "C" size_t __sanitizer_get_current_allocated_bytes() __attribute__((weak));

namespace lindrel_test {

inline size_t heap_in_use()
{
    if (__sanitizer_get_current_allocated_bytes != nullptr)
        return __sanitizer_get_current_allocated_bytes();
    const char *tunables = std::getenv("GLIBC_TUNABLES");
    if (tunables == nullptr || std::strstr(tunables, "tcache_count=0") == nullptr)
        return 0;
    struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

// What `step` leaves allocated on its second run (the first may set up
// what it keeps for good).
template <class F>
long heap_growth(F step)
{
    step();
    size_t before = heap_in_use();
    step();
    return static_cast<long>(heap_in_use()) - static_cast<long>(before);
}

}  // namespace lindrel_test
