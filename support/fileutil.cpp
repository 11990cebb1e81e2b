// File and directory tests on file-path records, and deletion.
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include "vsupport/filepath.h"
#include "vsupport/memory.h"

namespace {

const char *nameOf(const V_FilePathT *path) {
    VDE_ASSERT(path != nullptr && path->tag == V_FILEPATH_TAG);
    return path->name;
}

}  // namespace

extern "C" {

int32_t V_FileExists(const V_FilePathT *path) { return VdeExists(nameOf(path), VDE_FT_REGULAR); }
int32_t V_DirectoryExists(const V_FilePathT *path) { return VdeExists(nameOf(path), VDE_FT_DIRECTORY); }

int32_t V_FileIsReadable(const V_FilePathT *path) {
    return VdeOperationOk(nameOf(path), VDE_FT_REGULAR, VDE_ACCESS_READ);
}
int32_t V_FileIsWriteable(const V_FilePathT *path) {
    return VdeOperationOk(nameOf(path), VDE_FT_REGULAR, VDE_ACCESS_WRITE);
}
int32_t V_DirectoryIsReadable(const V_FilePathT *path) {
    return VdeOperationOk(nameOf(path), VDE_FT_DIRECTORY, VDE_ACCESS_READ);
}
int32_t V_DirectoryIsWriteable(const V_FilePathT *path) {
    return VdeOperationOk(nameOf(path), VDE_FT_DIRECTORY, VDE_ACCESS_WRITE);
}

int32_t V_DeleteFile(const V_FilePathT *path) {
    const char *name = nameOf(path);
    if (!name || !*name) return -1;
    char *platform = VdeInternalToPlatformFilename(name);
    if (!platform) return -1;
    // The name itself decides, not what it points to: a link to a directory
    // is removed as a link, and its target stays.
    struct stat info;
    bool directory = lstat(platform, &info) == 0 && S_ISDIR(info.st_mode);
    int status = directory ? rmdir(platform) : unlink(platform);
    V_Free(platform);
    return status == 0 ? 0 : -1;
}

}  // extern "C"
