// What a name in the internal encoding is on the file system: its type,
// and whether the process may read or write it.
#include <sys/stat.h>
#include <unistd.h>

#include "vsupport/filepath.h"
#include "vsupport/memory.h"

namespace {

// Runs check on the platform form of name; false when there is no name or
// no memory for the conversion.
template <typename Check>
bool onPlatformName(const char *name, Check check) {
    if (!name || !*name) return false;
    char *platform = VdeInternalToPlatformFilename(name);
    if (!platform) return false;
    bool result = check(platform);
    V_Free(platform);
    return result;
}

bool statName(const char *name, struct stat *info) {
    return onPlatformName(name, [info](const char *p) { return stat(p, info) == 0; });
}

bool accessName(const char *name, int mode) {
    return onPlatformName(name, [mode](const char *p) { return access(p, mode) == 0; });
}

}  // namespace

extern "C" {

int32_t VdeExists(const char *name, int32_t type) {
    struct stat info;
    return statName(name, &info) && static_cast<int32_t>(info.st_mode & S_IFMT) == type;
}

int32_t VdeOperationOk(const char *name, int32_t type, int32_t access) {
    int mode = (access & VDE_ACCESS_READ ? R_OK : 0) | (access & VDE_ACCESS_WRITE ? W_OK : 0);
    return VdeExists(name, type) && accessName(name, mode);
}

int32_t VdeStatProperty(const char *name, int32_t mask) {
    struct stat info;
    if (!statName(name, &info)) return 0;
    int32_t bits = VDE_SP_EXISTS;
    if (S_ISDIR(info.st_mode)) bits |= VDE_SP_DIRECTORY;
    if (S_ISREG(info.st_mode)) bits |= VDE_SP_REGULAR;
    return bits & mask;
}

int32_t VdeAccessProperty(const char *name, int32_t mask) {
    int32_t result = 0;
    if ((mask & 1) && accessName(name, R_OK)) result += 1;
    if ((mask & 2) && accessName(name, W_OK)) result += 2;
    return result;
}

}  // extern "C"
