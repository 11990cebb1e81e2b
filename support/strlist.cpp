// String lists: an owned, growable array of owned string copies.
#include "vsupport/strlist.h"

#include <cstring>

#include "vsupport/memory.h"
#include "vsupport/strings.h"

namespace {

// Bytes for an array of `slots` string pointers, if it stays within the
// block limit; a larger request is a broken precondition, as it would be for
// the allocation itself (counted in 64 bits so that nothing wraps).
uint32_t arrayBytes(uint64_t slots) {
    uint64_t bytes = slots * sizeof(char *);
    VDE_ASSERT(bytes <= V_MAX_BLOCK);
    return static_cast<uint32_t>(bytes);
}

}  // namespace

extern "C" {

// Makes room for n strings: at least the growth increment more, or exactly n.
static int32_t slextendto(V_StrListT *list, uint32_t n) {
    if (list == nullptr)
        return -1;
    if (list->capacity >= n)
        return 0;
    uint64_t capacity = static_cast<uint64_t>(list->capacity) + list->increment;
    if (capacity < n)
        capacity = n;
    char **strings = static_cast<char **>(V_Realloc(list->strings, arrayBytes(capacity + 1), 0));
    if (strings == nullptr)
        return -1;
    for (uint64_t i = list->count; i <= capacity; ++i)
        strings[i] = nullptr;
    list->strings = strings;
    list->capacity = static_cast<uint32_t>(capacity);
    return 0;
}

// Frees the strings and the array; the record stays, empty.
static void slfreestrs(V_StrListT *list) {
    VDE_ASSERT(list != nullptr);
    for (uint32_t i = 0; i < list->count; ++i)
        V_Free(list->strings[i]);
    VdeFree(&list->strings);
    list->count = 0;
    list->capacity = 0;
}

static int32_t getIndex(const V_StrListT *list, const char *s, int exact) {
    if (list == nullptr)
        return -1;
    for (uint32_t i = 0; i < list->count; ++i) {
        const char *entry = list->strings[i];
        if (exact ? V_StrEqual(entry, s) : V_StrIEqual(entry, s))
            return static_cast<int32_t>(i);
    }
    return -1;
}

V_StrListT *V_StrListNew(uint32_t capacity, uint32_t increment) {
    // The array, which must not fail, comes first: a data-space exit whose
    // handler leaves by a jump then has no record to leak.
    uint32_t bytes = arrayBytes(static_cast<uint64_t>(capacity) + 1);
    char **strings = static_cast<char **>(V_Calloc(1, bytes, V_MUSTSUCCEED));
    V_StrListT *list = static_cast<V_StrListT *>(V_Calloc(1, sizeof(V_StrListT), 0));
    if (list == nullptr) {
        V_Free(strings);
        return nullptr;
    }
    list->strings = strings;
    list->capacity = capacity;
    list->increment = increment;
    return list;
}

int32_t V_StrListAppend(V_StrListT *list, const char *s) {
    if (list == nullptr || slextendto(list, list->count + 1) != 0)
        return -1;
    char *copy = V_StrCopyString(s);
    if (copy == nullptr)
        return -1;
    list->strings[list->count++] = copy;
    return 0;
}

int32_t V_StrListInsert(V_StrListT *list, const char *s, uint32_t position) {
    if (list == nullptr || position > list->count)
        return -1;
    if (V_StrListAppend(list, s) != 0)
        return -1;
    char **strings = list->strings;
    uint32_t last = list->count - 1;
    char *added = strings[last];
    std::memmove(strings + position + 1, strings + position, (last - position) * sizeof(char *));
    strings[position] = added;
    return 0;
}

int32_t V_StrListSetString(V_StrListT *list, const char *s, uint32_t index) {
    if (list == nullptr || index >= list->count)
        return -1;
    // Copy before freeing: s may be the entry itself.
    char *copy = V_StrCopyString(s);
    V_Free(list->strings[index]);
    list->strings[index] = copy;
    return copy != nullptr ? 0 : -1;
}

void V_StrListRemove(V_StrListT *list, uint32_t index) {
    if (list == nullptr || index >= list->count)
        return;
    char **strings = list->strings;
    V_Free(strings[index]);
    list->count--;
    std::memmove(strings + index, strings + index + 1, (list->count - index) * sizeof(char *));
    strings[list->count] = nullptr;  // slots past the count stay zero
}

int32_t V_StrListIndex(const V_StrListT *list, const char *s) { return getIndex(list, s, 1); }

int32_t V_StrListIIndex(const V_StrListT *list, const char *s) { return getIndex(list, s, 0); }

int32_t V_StrListCat(V_StrListT *destination, const V_StrListT *source) {
    if (destination == nullptr)
        return -1;
    if (source == nullptr || source->count == 0)
        return 0;
    // Counts are taken first: source may be destination itself, and the
    // growth below may move its array (read again through the record).
    uint32_t added = source->count;
    uint32_t base = destination->count;
    if (slextendto(destination, base + added) != 0)
        return -1;
    for (uint32_t i = 0; i < added; ++i) {
        char *copy = V_StrCopyString(source->strings[i]);
        if (copy == nullptr) {
            for (uint32_t j = 0; j < i; ++j)
                VdeFree(&destination->strings[base + j]);
            return -1;
        }
        destination->strings[base + i] = copy;
    }
    destination->count = base + added;
    return 0;
}

uint32_t V_StrListLen(const V_StrListT *list) { return list != nullptr ? list->count : 0; }

char **V_StrListStrings(const V_StrListT *list) { return list != nullptr ? list->strings : nullptr; }

char *V_StrListGet(const V_StrListT *list, uint32_t index) {
    if (list == nullptr || index >= list->count)
        return nullptr;
    return list->strings[index];
}

int32_t V_StrListCopy(const V_StrListT *list, uint32_t index, char *buffer, int32_t size) {
    return V_StrCpyN(buffer, V_StrListGet(list, index), size);
}

void V_StrListFree(V_StrListT *list) {
    VDE_ASSERT(list != nullptr);
    slfreestrs(list);
    V_Free(list);
}

void VdeFreeStrList(V_StrListT **listAddress) {
    VDE_ASSERT(listAddress != nullptr);
    V_StrListFree(*listAddress);
    *listAddress = nullptr;
}

}  // extern "C"
