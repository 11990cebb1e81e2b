// Building path text inside the library: a fixed buffer that refuses or cuts
// what does not fit instead of overflowing, and the length of the character
// at a position in the dialog encoding (so that a double-byte character
// whose second byte is '\' is never taken for a separator or an escape).
#ifndef VSUPPORT_PATHTEXT_H
#define VSUPPORT_PATHTEXT_H

#include <stdint.h>
#include <string.h>

#include "vsupport/filename.h"

struct VdePathText {
    char text[VDE_PATH_BUFSIZE] = {};
    int32_t length = 0;
    int32_t limit = VDE_PATH_MAX;

    // Appends all of the n bytes, or nothing when they would pass the limit.
    bool add(const char *s, size_t n) {
        if (n > static_cast<size_t>(limit - length)) return false;
        memcpy(text + length, s, n);
        length += static_cast<int32_t>(n);
        text[length] = '\0';
        return true;
    }
    bool add(const char *s) { return add(s, strlen(s)); }
    // Appends what fits of the n bytes; false when cut.
    bool addCut(const char *s, size_t n) {
        size_t room = static_cast<size_t>(limit - length);
        bool whole = n <= room;
        add(s, whole ? n : room);
        return whole;
    }
    void set(const char *s) {
        length = 0;
        text[0] = '\0';
        addCut(s, strlen(s));
    }
    void truncate(int32_t n) {
        length = n;
        text[n] = '\0';
    }
    bool endsWithSlash() const { return length > 0 && text[length - 1] == '/'; }
};

// 2 when p begins a double-byte character of the dialog encoding, else 1
// (0 at the terminator).
int VdeDialogCharLen(const char *p);

// End of the segment that starts at p: the next '/' or the terminator.
inline const char *VdeSegmentEnd(const char *p) {
    const char *slash = strchr(p, '/');
    return slash ? slash : p + strlen(p);
}

#endif
