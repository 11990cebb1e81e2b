// The character list: a byte buffer that grows in steps, or lives in a
// caller's buffer until it must grow, or is fixed and drops what does not fit.
#include <stddef.h>
#include <string.h>

#include "vsupport/convert.h"
#include "vsupport/memory.h"

namespace {

void check(const VdeCharListT *cl) { VDE_ASSERT(cl && cl->tag == VDE_CL_TAG); }

// Appends what fits after growing as far as allowed.
int32_t append(VdeCharListT *cl, const char *chars, int c, int32_t count) {
    check(cl);
    if (count < 1) return cl->length - 1;
    int64_t want = static_cast<int64_t>(cl->length) + count;
    if (want > cl->capacity && cl->growBy != 0) {
        int64_t size = (want + cl->growBy - 1) / cl->growBy * cl->growBy;
        VDE_ASSERT(size <= V_MAX_BLOCK);
        // Characters taken from the list itself move with its buffer.
        bool own = chars && cl->buffer && chars >= cl->buffer && chars <= cl->buffer + cl->length;
        ptrdiff_t at = own ? chars - cl->buffer : 0;
        VdeClSetSize(cl, static_cast<int32_t>(size));
        if (own) chars = cl->buffer + at;
    }
    int32_t room = cl->capacity - cl->length;
    int32_t n = count < room ? count : room;
    // Dropped characters are recorded, so that a caller can tell a cut result.
    if (n < count) cl->flags |= VDE_CL_OVERFLOWED;
    if (!cl->buffer) return cl->length - 1;
    if (chars) memcpy(cl->buffer + cl->length, chars, n);
    else memset(cl->buffer + cl->length, c, n);
    cl->length += n;
    cl->buffer[cl->length] = 0;
    return cl->length - 1;
}

}  // namespace

extern "C" {

void VdeClInit(VdeCharListT *cl, int32_t growBy) {
    VDE_ASSERT(cl && growBy >= 1);
    cl->tag = VDE_CL_TAG;
    cl->capacity = 0;
    cl->length = 0;
    cl->growBy = growBy;
    cl->flags = 0;
    cl->buffer = nullptr;
}

void VdeClInitWithBuffer(VdeCharListT *cl, char *buffer, int32_t size, int32_t growBy) {
    VDE_ASSERT(cl && buffer && size > 0);
    cl->tag = VDE_CL_TAG;
    cl->capacity = size - 1;
    cl->length = 0;
    cl->growBy = growBy < 1 ? 0 : growBy;
    cl->flags = VDE_CL_CALLERS | (growBy < 1 ? VDE_CL_FIXED : 0);
    cl->buffer = buffer;
    buffer[0] = 0;
}

void VdeClSetSize(VdeCharListT *cl, int32_t capacity) {
    check(cl);
    VDE_ASSERT(capacity >= 0);
    if (cl->flags & VDE_CL_FIXED) {
        cl->flags |= VDE_CL_OVERFLOWED;
        return;
    }
    if (cl->flags & VDE_CL_CALLERS) {
        if (capacity < cl->capacity) return;
        char *owned = static_cast<char *>(V_Calloc(static_cast<uint32_t>(capacity) + 1, 1, V_MUSTSUCCEED));
        memcpy(owned, cl->buffer, static_cast<size_t>(cl->length) + 1);
        cl->buffer = owned;
        cl->flags &= ~VDE_CL_CALLERS;
    } else if (capacity == 0) {
        VdeFree(&cl->buffer);
        cl->length = 0;
    } else {
        cl->buffer = static_cast<char *>(V_Realloc(cl->buffer, static_cast<uint32_t>(capacity) + 1, V_MUSTSUCCEED));
        if (cl->length > capacity) cl->length = capacity;
        cl->buffer[cl->length] = 0;
    }
    cl->capacity = capacity;
}

int32_t VdeClAdd1CharNTimes(VdeCharListT *cl, int c, int32_t count) {
    return append(cl, nullptr, c, count);
}

int32_t VdeClAddString(VdeCharListT *cl, const char *s) {
    return append(cl, s, 0, s ? static_cast<int32_t>(strlen(s)) : 0);
}

int32_t VdeClAddNChars(VdeCharListT *cl, const char *chars, int32_t count) {
    return append(cl, chars, 0, chars ? count : 0);
}

void VdeClTrim(VdeCharListT *cl) {
    check(cl);
    VdeClSetSize(cl, cl->length);
}

void VdeClSetLen(VdeCharListT *cl, int32_t length) {
    check(cl);
    if (length < 0 || length >= cl->length) return;
    cl->length = length;
    cl->buffer[length] = 0;
}

int VdeClOverflowed(const VdeCharListT *cl) {
    check(cl);
    return (cl->flags & VDE_CL_OVERFLOWED) ? 1 : 0;
}

}  // extern "C"
