// Allocation and byte blocks: the system allocator behind the library's
// size limit and its "must not fail" flag.
#include "vsupport/memory.h"

#include <cstdlib>
#include <cstring>

namespace {

// Only bit 0 of the flags word is looked at.
bool mustSucceed(int32_t flags) { return (flags & V_MUSTSUCCEED) != 0; }

void checkSize(uint64_t size) { VDE_ASSERT(size <= V_MAX_BLOCK); }

// A refused allocation either reaches the caller as null or ends the process.
void *granted(void *block, int32_t flags) {
    if (block == nullptr && mustSucceed(flags))
        VdeDataSpaceExit();
    return block;
}

// Zero-byte requests still get a real, distinct block: a null result must
// always mean "refused", and realloc(p, 0) would free p behind our back.
size_t atLeastOne(uint64_t size) { return size == 0 ? 1 : static_cast<size_t>(size); }

}  // namespace

extern "C" {

void *V_Alloc(uint32_t size, int32_t flags) {
    checkSize(size);
    return granted(std::malloc(atLeastOne(size)), flags);
}

void *V_Calloc(uint32_t count, uint32_t size, int32_t flags) {
    // The product is taken in 64 bits so that a 32-bit overflow counts as
    // over the limit instead of wrapping to a small block.
    uint64_t total = static_cast<uint64_t>(count) * size;
    checkSize(total);
    return granted(std::calloc(1, atLeastOne(total)), flags);
}

void *V_Realloc(void *ptr, uint32_t size, int32_t flags) {
    checkSize(size);
    if (ptr == nullptr)
        return V_Calloc(1, size, flags);
    return granted(std::realloc(ptr, atLeastOne(size)), flags);
}

int32_t V_Free(void *ptr) {
    if (ptr == nullptr)
        return -1;
    std::free(ptr);
    return 0;
}

int32_t VdeFree(void *pointerAddress) {
    if (pointerAddress == nullptr)
        return -1;
    void **variable = static_cast<void **>(pointerAddress);
    int32_t result = V_Free(*variable);
    if (result == 0)
        *variable = nullptr;
    return result;
}

int32_t V_CopyPtr(const void *source, void *destination, uint32_t count) {
    if (source == nullptr || destination == nullptr)
        return -1;
    checkSize(count);
    std::memmove(destination, source, count);
    return 0;
}

int32_t V_CopyBytes(const void *source, void *destination, uint32_t count) {
    return V_CopyPtr(source, destination, count);
}

int32_t V_ClearPtr(void *block, uint32_t count) {
    if (block == nullptr)
        return -1;
    std::memset(block, 0, count);
    return 0;
}

void *V_DuplicatePtr(const void *source, uint32_t count, int32_t flags) {
    if (source == nullptr)
        return nullptr;
    void *copy = V_Alloc(count, flags);
    if (copy != nullptr)
        std::memcpy(copy, source, count);
    return copy;
}

int32_t V_PtrEqual(const void *a, const void *b, uint32_t count) {
    if (count == 0 || (a == nullptr && b == nullptr))
        return 1;
    if (a != nullptr && b != nullptr)
        return std::memcmp(a, b, count) == 0;
    // A null block stands for count zero bytes.
    const unsigned char *other = static_cast<const unsigned char *>(a != nullptr ? a : b);
    for (uint32_t i = 0; i < count; ++i)
        if (other[i] != 0)
            return 0;
    return 1;
}

}  // extern "C"
