// A cursor over the segments of a slash-separated path.
#include <string.h>

#include "pathtext.h"
#include "vsupport/filename.h"
#include "vsupport/memory.h"

extern "C" {

void VdeUFCinit(VdeUFCursorT *cursor, const char *path) {
    VDE_ASSERT(cursor != nullptr);
    cursor->position = path ? path : "";
    cursor->segment[0] = '\0';
}

int32_t VdeUFCgetSegment(VdeUFCursorT *cursor) {
    VDE_ASSERT(cursor != nullptr && cursor->position != nullptr);
    const char *p = cursor->position;
    while (*p == '/') ++p;
    if (!*p) {
        cursor->position = p;
        return 0;
    }
    const char *end = VdeSegmentEnd(p);
    size_t n = static_cast<size_t>(end - p);
    if (n > VDE_SEGMENT_MAX) n = VDE_SEGMENT_MAX;  // the rest is passed over
    memcpy(cursor->segment, p, n);
    cursor->segment[n] = '\0';
    cursor->position = end;
    return 1;
}

}  // extern "C"
