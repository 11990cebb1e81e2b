// Makes the system allocator refuse large blocks in the calling process, so
// that tests can reach the "allocation refused" paths with real allocations.
// Call it only in a child process (inside EXPECT_EXIT): the cap is permanent.
#pragma once

#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>

// Under AddressSanitizer a refused allocation must come back as null (as it
// does from the plain system allocator) instead of ending the run.
extern "C" const char *__asan_default_options() { return "allocator_may_return_null=1"; }

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

}  // namespace addresscap
