/** @file
 * Allocation, byte blocks, movable handles and the assertion machinery of the
   support library. Usable from C and C++.

   Every allocation takes a flags word; only bit 0 (V_MUSTSUCCEED) counts: with
   it set a refused allocation does not return null but goes through the
   data-space exit (registered callback, then abort). Broken preconditions
   (a block over V_MAX_BLOCK bytes, a null handle, a locked handle freed or
   resized under strict enforcement) are assertion failures: the registered
   assertion handler runs, then the process aborts without a message. */
#ifndef VSUPPORT_MEMORY_H
#define VSUPPORT_MEMORY_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif
#pragma GCC visibility push(default)

#if defined(__GNUC__) || defined(__clang__)
/** Marks a function that never returns. */
#define VDE_NORETURN __attribute__((noreturn))
#else
/** @cond */
#define VDE_NORETURN
/** @endcond */
#endif

/** Largest block any allocation or copy may ask for, in bytes (allowed). */
#define V_MAX_BLOCK 99999999u

/** Flags bit 0: the allocation must not fail. */
#define V_MUSTSUCCEED 1

/** What VdeFreeHandle leaves in the caller's handle variable. */
#define V_FREED_HANDLE ((uintptr_t)0xDEADDEADu)

/** @name Allocation */
/** @{ */

/** malloc of size bytes (not cleared): the block, or null when refused (see
    V_MUSTSUCCEED). */
void *V_Alloc(uint32_t size, int32_t flags);
/** A zero-filled block of count * size bytes, or null when refused. */
void *V_Calloc(uint32_t count, uint32_t size, int32_t flags);
/** A null pointer behaves as V_Calloc(1, size, flags); on a refused resize
   without V_MUSTSUCCEED the old block stays valid and null is returned. */
void *V_Realloc(void *ptr, uint32_t size, int32_t flags);
/** 0 when a block was freed, -1 for null. */
int32_t V_Free(void *ptr);
/** Takes the address of any pointer variable: frees it and sets it to null. */
int32_t VdeFree(void *pointerAddress);

/** @} */
/** @name Byte blocks */
/** @{ */

/** Note the order: source first. Overlapping blocks are allowed. */
int32_t V_CopyPtr(const void *source, void *destination, uint32_t count);
/** The same as V_CopyPtr(). */
int32_t V_CopyBytes(const void *source, void *destination, uint32_t count);
/** Sets count bytes of block to zero: 0, or -1 for a null block. */
int32_t V_ClearPtr(void *block, uint32_t count);
/** A new copy of count bytes of source (V_Alloc() with flags); null for a
    null source or when refused. */
void *V_DuplicatePtr(const void *source, uint32_t count, int32_t flags);
/** A null block counts as count zero bytes. */
int32_t V_PtrEqual(const void *a, const void *b, uint32_t count);

/** @} */
/** @name Handles */
/** @{ */

/** A movable block: its data may move when resized, so callers keep the
    handle and lock it while they hold a pointer into the data. */
typedef struct V_HandleT {
    uint32_t lockCount; /**< V_LockHandle calls not yet matched by V_UnlockHandle */
    uint32_t size;      /**< bytes in data */
    void *data;         /**< owned by the handle */
} V_HandleT;

/** A new handle holding size zero-filled bytes, or null when refused. */
V_HandleT *V_AllocHandle(uint32_t size, int32_t flags);
/** Frees the handle and its data (a locked one is a soft violation). Returns
    0. */
int32_t V_FreeHandle(V_HandleT *handle);
/** Frees *handleAddress and leaves V_FREED_HANDLE in it. */
int32_t VdeFreeHandle(V_HandleT **handleAddress);
/** Counts one more lock and returns the data pointer. */
void *V_LockHandle(V_HandleT *handle);
/** Counts one lock less (never below 0); returns the new count. */
uint32_t V_UnlockHandle(V_HandleT *handle);
/** Resizes the handle's data (not cleared when grown; a locked handle is a
    soft violation). Returns the handle, or null when refused, the data left
    as it was. */
V_HandleT *V_ReallocHandle(V_HandleT *handle, uint32_t newSize, int32_t flags);
/** The size of the handle's data in bytes. */
uint32_t V_GetHandleSize(V_HandleT *handle);
/** 1 when both handles hold the same size and bytes, else 0 (a null handle is
    an assertion failure). */
int32_t V_HandleEqual(V_HandleT *a, V_HandleT *b);
/** The same as V_HandleEqual(). */
int32_t V_HandlesAreEqual(V_HandleT *a, V_HandleT *b);
/** Copies the smaller of the two sizes from source's data into destination's. */
int32_t V_DuplicateHandle(V_HandleT *source, V_HandleT *destination);
/** Sets the handle's data to zero. Returns 0. */
int32_t V_ClearHandle(V_HandleT *handle);

/** @} */
/** @name Assertions, exits and start-up */
/** @{ */

/** An assertion handler: runs on an assertion failure, before the abort. */
typedef void (*V_AssertHandlerT)(void);
/** A data-space exit handler: runs when a V_MUSTSUCCEED allocation is
    refused, before the abort. */
typedef void (*V_DSExitHandlerT)(void);

/** The library's process-wide settings. */
typedef struct VdeInstanceT {
    uint8_t strictEnforcement;       /**< soft violations are assertion failures */
    V_AssertHandlerT assertHandler;  /**< null: none set */
    V_DSExitHandlerT dsExitHandler;  /**< null: none set */
} VdeInstanceT;

/** The record, or null until V_SetAssert(), VdeSetStrictEnforcement() or
    V_SetDSExit() first needs it. */
extern VdeInstanceT *VdeInstance;

/** Null installs the default handler (which aborts). Returns the previous
   handler, the default one when none had been set. A handler may keep the process alive only by
   leaving through longjmp (or, from C++, by throwing); if it returns, the
   process aborts. */
V_AssertHandlerT V_SetAssert(V_AssertHandlerT handler);
/** Returns the previous setting, 1 or 0. */
int32_t VdeSetStrictEnforcement(int32_t strict);
/** Null removes the handler. Returns the previous one, or null. */
V_DSExitHandlerT V_SetDSExit(V_DSExitHandlerT handler);

/** A soft precondition was broken: fails unless strict enforcement was
   switched off. Returns 1 when it lets the caller go on. */
int32_t VdeEnforcement(void);
/** The assertion failure: handler (if any), then abort. */
VDE_NORETURN void VdeFail(void);
/** The data-space exit: data-space exit handler (if any), then abort. */
VDE_NORETURN void VdeDataSpaceExit(void);
/** Ends the process with the abort signal: no message, no exit handlers. */
VDE_NORETURN void V_Abort(void);

/** Writes text to standard error exactly as given (no newline added). */
void V_Warning(const char *text);

/** Library start-up hook; nothing to do here. Returns 0. */
int32_t V_VdeInit(void);

/** Assertion for the library's own preconditions. */
#define VDE_ASSERT(condition) ((condition) ? (void)0 : VdeFail())

/** @} */

#pragma GCC visibility pop
#ifdef __cplusplus
}
#endif

#endif /* VSUPPORT_MEMORY_H */
