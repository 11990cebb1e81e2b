// Makes the system allocator refuse large blocks in the calling process, so
// that tests can reach the "allocation refused" paths with real allocations.
// Call it only in a child process (inside EXPECT_EXIT): the cap is permanent.
#pragma once

#include <sys/resource.h>
#include <unistd.h>

#include <csetjmp>
#include <cstdio>

#include "vsupport/memory.h"

// Under AddressSanitizer a refused allocation must come back as null (as it
// does from the plain system allocator) instead of ending the run.
extern "C" const char *__asan_default_options() { return "allocator_may_return_null=1"; }
// Present only under the sanitizers, whose heap the C library does not see.
extern "C" size_t __sanitizer_get_current_allocated_bytes() __attribute__((weak));

namespace addresscap {

// Leaves `headroom` bytes of address space above what the process maps now:
// enough for small allocations, too little for a block near the size limit.
inline bool capAddressSpace(unsigned long headroom = 48ul << 20) {
    unsigned long pages = 0;
    std::FILE *statm = std::fopen("/proc/self/statm", "r");
    if (statm == nullptr)
        return false;
    bool read = std::fscanf(statm, "%lu", &pages) == 1;
    std::fclose(statm);
    if (!read)
        return false;
    rlimit limit{};
    limit.rlim_cur = limit.rlim_max = pages * static_cast<unsigned long>(sysconf(_SC_PAGESIZE)) + headroom;
    return setrlimit(RLIMIT_AS, &limit) == 0;
}

// Bytes the process holds from the heap, where the sanitizer's allocator
// counts them; 0 elsewhere (the C library's own figures count blocks in its
// per-thread cache as in use, so they cannot tell a leak from a free).
inline size_t heapInUse() {
    return __sanitizer_get_current_allocated_bytes != nullptr ? __sanitizer_get_current_allocated_bytes() : 0;
}

inline std::jmp_buf &rescuePoint() {
    static std::jmp_buf point;
    return point;
}

// For a child process: caps the address space, installs a data-space exit
// handler that jumps back, and runs `allocate`. Exits with 0 when the exit
// was taken and the heap holds what it held before (checked in the
// sanitizer build); otherwise with 2 to 4.
[[noreturn]] inline void leaveDataSpaceExitByJump(void (*allocate)()) {
    if (!capAddressSpace())
        _exit(2);
    V_SetDSExit([] { std::longjmp(rescuePoint(), 1); });
    const size_t before = heapInUse();
    if (setjmp(rescuePoint()) == 0) {
        allocate();
        _exit(3);
    }
    _exit(heapInUse() == before ? 0 : 4);
}

}  // namespace addresscap
