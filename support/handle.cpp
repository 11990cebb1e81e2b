// Movable handles: a data block with its size and a lock count.
#include "vsupport/memory.h"

namespace {

// A null handle, or one that VdeFreeHandle already marked as freed, is a
// broken precondition rather than something to dereference.
V_HandleT *valid(V_HandleT *handle) {
    VDE_ASSERT(handle != nullptr && reinterpret_cast<uintptr_t>(handle) != V_FREED_HANDLE);
    return handle;
}

}  // namespace

extern "C" {

V_HandleT *V_AllocHandle(uint32_t size, int32_t flags) {
    VDE_ASSERT(size <= V_MAX_BLOCK);
    V_HandleT *handle = static_cast<V_HandleT *>(V_Alloc(sizeof(V_HandleT), flags));
    if (handle == nullptr)
        return nullptr;
    // The data is asked for without the flag so that the record is given back
    // before a data-space exit: its handler may leave by a jump.
    handle->data = V_Calloc(size, 1, 0);
    if (handle->data == nullptr) {
        V_Free(handle);
        if (flags & V_MUSTSUCCEED)
            VdeDataSpaceExit();
        return nullptr;
    }
    handle->lockCount = 0;
    handle->size = size;
    return handle;
}

int32_t V_FreeHandle(V_HandleT *handle) {
    valid(handle);
    if (handle->lockCount != 0)
        VdeEnforcement();
    V_Free(handle->data);
    V_Free(handle);
    return 0;
}

int32_t VdeFreeHandle(V_HandleT **handleAddress) {
    VDE_ASSERT(handleAddress != nullptr);
    V_FreeHandle(*handleAddress);
    *handleAddress = reinterpret_cast<V_HandleT *>(V_FREED_HANDLE);
    return 0;
}

void *V_LockHandle(V_HandleT *handle) {
    valid(handle)->lockCount++;
    return handle->data;
}

uint32_t V_UnlockHandle(V_HandleT *handle) {
    if (valid(handle)->lockCount != 0)
        handle->lockCount--;
    return handle->lockCount;
}

V_HandleT *V_ReallocHandle(V_HandleT *handle, uint32_t newSize, int32_t flags) {
    valid(handle);
    if (handle->lockCount != 0)
        VdeEnforcement();
    if (newSize == handle->size)
        return handle;
    void *data = V_Realloc(handle->data, newSize, flags);
    if (data == nullptr)
        return nullptr;
    handle->data = data;
    handle->size = newSize;
    return handle;
}

uint32_t V_GetHandleSize(V_HandleT *handle) { return valid(handle)->size; }

int32_t V_HandleEqual(V_HandleT *a, V_HandleT *b) {
    valid(a);
    valid(b);
    if (a->size != b->size)
        return 0;
    return V_PtrEqual(a->data, b->data, a->size);
}

int32_t V_HandlesAreEqual(V_HandleT *a, V_HandleT *b) { return V_HandleEqual(a, b); }

int32_t V_DuplicateHandle(V_HandleT *source, V_HandleT *destination) {
    valid(source);
    valid(destination);
    uint32_t count = source->size < destination->size ? source->size : destination->size;
    V_CopyPtr(source->data, destination->data, count);
    return 0;
}

int32_t V_ClearHandle(V_HandleT *handle) {
    valid(handle);
    V_ClearPtr(handle->data, handle->size);
    return 0;
}

}  // extern "C"
