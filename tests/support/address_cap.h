// Makes the system allocator refuse large blocks in the calling process, so
// that tests reach the "allocation refused" paths with real allocations.
// Only for a child process (inside EXPECT_EXIT): the cap is permanent.
#pragma once

#include "heap.h"

#include <sys/resource.h>
#include <unistd.h>

#include <csetjmp>
#include <cstdio>

#include "vsupport/memory.h"
#include "support_internal.h"

namespace addresscap {

// Leaves `headroom` bytes of address space above what the process maps now:
// enough for small allocations, too little for a block near the size limit.
inline bool capAddressSpace(unsigned long headroom = 48ul << 20)
{
    unsigned long pages = 0;
    std::FILE *statm = std::fopen("/proc/self/statm", "r");
    if (statm == nullptr)
        return false;
    bool read = std::fscanf(statm, "%lu", &pages) == 1;
    std::fclose(statm);
    rlimit limit{};
    limit.rlim_cur = limit.rlim_max = pages * static_cast<unsigned long>(sysconf(_SC_PAGESIZE)) + headroom;
    return read && setrlimit(RLIMIT_AS, &limit) == 0;
}

inline std::jmp_buf &rescuePoint()
{
    static std::jmp_buf point;
    return point;
}

// Caps the address space, installs a data-space exit handler that jumps
// back, and runs `allocate`. Exits with 0 when the exit was taken and the
// heap holds what it held before; otherwise with 2 to 4.
[[noreturn]] inline void leaveDataSpaceExitByJump(void (*allocate)())
{
    if (!capAddressSpace())
        _exit(2);
    V_SetDSExit([] { std::longjmp(rescuePoint(), 1); });
    const size_t before = lindrel_test::heap_in_use();
    if (setjmp(rescuePoint()) == 0) {
        allocate();
        _exit(3);
    }
    _exit(lindrel_test::heap_in_use() == before ? 0 : 4);
}

}  // namespace addresscap
