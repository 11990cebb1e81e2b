// Temporary file names: a directory chosen once per process, a sequence
// number, and the system's unique-name function for the rest.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include "vsupport/filename.h"
#include "vsupport/filepath.h"
#include "vsupport/memory.h"
#include "vsupport/strings.h"

namespace {

char tmpDirectory[VDE_PATH_BUFSIZE];
bool tmpDirectoryChosen = false;
uint32_t tmpSequence = 0;

bool writableDirectory(const char *name) {
    return name && *name && strlen(name) <= VDE_PATH_MAX &&
           VdeOperationOk(name, VDE_FT_DIRECTORY, VDE_ACCESS_WRITE);
}

const char *temporaryDirectory() {
    if (tmpDirectoryChosen) return tmpDirectory;
    const char *candidates[] = {getenv("TMPDIR"), "/tmp", "/usr/tmp", getenv("HOME")};
    for (const char *candidate : candidates) {
        if (writableDirectory(candidate)) {
            V_StrCpyN(tmpDirectory, candidate, sizeof tmpDirectory);
            tmpDirectoryChosen = true;
            return tmpDirectory;
        }
    }
    // Without a working directory, "." still keeps the names out of the root.
    if (!getcwd(tmpDirectory, sizeof tmpDirectory)) V_StrCpy(tmpDirectory, ".");
    tmpDirectoryChosen = true;
    return tmpDirectory;
}

}  // namespace

extern "C" {

char *VdeMakeTmpFileName(void) {
    const char *directory = temporaryDirectory();
    ++tmpSequence;
    uint32_t size = static_cast<uint32_t>(strlen(directory)) + 22;
    char *name = static_cast<char *>(V_Alloc(size, V_MUSTSUCCEED));
    snprintf(name, size, "%s/F%x.XXXXXX", directory, tmpSequence);
    // mkstemp picks the unique part as mktemp would, without the linker's
    // warning about it; the file it makes is removed at once, so only the
    // name is handed out, as promised.
    int fd = mkstemp(name);
    if (fd >= 0) {
        close(fd);
        unlink(name);
    }
    char *result = fd >= 0 ? VdePlatformToInternalFilename(name) : nullptr;
    V_Free(name);
    return result;
}

}  // extern "C"
