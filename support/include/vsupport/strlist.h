/** @file
 * Ordered, growable lists of strings that own copies of what is put into
   them. Usable from C and C++. Status results are 0 for success and -1 for
   failure; nothing here prints. */
#ifndef VSUPPORT_STRLIST_H
#define VSUPPORT_STRLIST_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif
#pragma GCC visibility push(default)

/** A growable list of owned strings. */
typedef struct V_StrListT {
    uint32_t capacity;  /**< strings the list holds before it must grow */
    uint32_t count;     /**< strings in the list */
    uint32_t increment; /**< a growth adds at least this many slots */
    char **strings;     /**< capacity + 1 slots; entries 0..count-1 are owned copies */
} V_StrListT;

/** Null only when the record cannot be had (the array must not fail). */
V_StrListT *V_StrListNew(uint32_t capacity, uint32_t increment);
/** Stores a copy; a null string is refused (-1). */
int32_t V_StrListAppend(V_StrListT *list, const char *s);
/** position may equal the count (an append); greater is -1. */
int32_t V_StrListInsert(V_StrListT *list, const char *s, uint32_t position);
/** If the copy fails (null string, no memory) the entry is left null and -1. */
int32_t V_StrListSetString(V_StrListT *list, const char *s, uint32_t index);
/** Removes entry index (freeing it), moving the later ones up; a bad index
    does nothing. */
void V_StrListRemove(V_StrListT *list, uint32_t index);
/** The first index equal to s (V_StrEqual()); -1 if none. */
int32_t V_StrListIndex(const V_StrListT *list, const char *s);
/** The first index equal to s without case (V_StrIEqual()); -1 if none. */
int32_t V_StrListIIndex(const V_StrListT *list, const char *s);
/** Appends copies of source's entries (source may be destination); on
   failure destination keeps its entries and count, though it may have grown. */
int32_t V_StrListCat(V_StrListT *destination, const V_StrListT *source);
/** The number of strings; 0 for a null list. */
uint32_t V_StrListLen(const V_StrListT *list);
/** The list's own array: valid until the list next grows. */
char **V_StrListStrings(const V_StrListT *list);
/** The list's own string, or null for a bad index. */
char *V_StrListGet(const V_StrListT *list, uint32_t index);
/** Copies entry index into buffer (size bytes, always terminated). */
int32_t V_StrListCopy(const V_StrListT *list, uint32_t index, char *buffer, int32_t size);
/** A null list is an assertion failure. */
void V_StrListFree(V_StrListT *list);
/** Frees *listAddress and sets it to null. */
void VdeFreeStrList(V_StrListT **listAddress);

#pragma GCC visibility pop
#ifdef __cplusplus
}
#endif

#endif /* VSUPPORT_STRLIST_H */
