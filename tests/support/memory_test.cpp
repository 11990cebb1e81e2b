// Allocation, byte blocks and handles: the block limit, refused allocations
// with and without the must-not-fail flag, and handle locking.
#include <gtest/gtest.h>

#include <unistd.h>

#include <csignal>
#include <cstdint>
#include <cstring>
#include <string>

#include "address_cap.h"
#include "vsupport/memory.h"

namespace {

using ::testing::ExitedWithCode;
using ::testing::KilledBySignal;

constexpr uint32_t kOverLimit = V_MAX_BLOCK + 1;

bool allZero(const void *block, size_t n) {
    const auto *bytes = static_cast<const unsigned char *>(block);
    for (size_t i = 0; i < n; ++i)
        if (bytes[i] != 0)
            return false;
    return true;
}

void sayDataSpaceExit() { V_Warning("data-space exit ran\n"); }

TEST(Alloc, LimitItselfIsGranted) {
    void *p = V_Alloc(V_MAX_BLOCK, 0);
    ASSERT_NE(p, nullptr);
    static_cast<char *>(p)[V_MAX_BLOCK - 1] = 'x';  // the whole block is usable
    EXPECT_EQ(V_Free(p), 0);

    p = V_Calloc(V_MAX_BLOCK, 1, 0);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(static_cast<char *>(p)[V_MAX_BLOCK - 1], 0);
    V_Free(p);
}

TEST(AllocDeathTest, OverTheLimitAborts) {
    EXPECT_EXIT(V_Alloc(kOverLimit, 0), KilledBySignal(SIGABRT), "^$");
    EXPECT_EXIT(V_Alloc(UINT32_MAX, V_MUSTSUCCEED), KilledBySignal(SIGABRT), "^$");
    EXPECT_EXIT(V_Calloc(10000, 10000, 0), KilledBySignal(SIGABRT), "^$");
    // 0x10000 * 0x10001 wraps to 0x10000 in 32 bits: still over the limit.
    EXPECT_EXIT(V_Calloc(0x10000, 0x10001, 0), KilledBySignal(SIGABRT), "^$");
    EXPECT_EXIT(V_Realloc(nullptr, kOverLimit, 0), KilledBySignal(SIGABRT), "^$");
    EXPECT_EXIT(V_Realloc(V_Alloc(8, 0), kOverLimit, 0), KilledBySignal(SIGABRT), "^$");
    EXPECT_EXIT(V_AllocHandle(kOverLimit, 0), KilledBySignal(SIGABRT), "^$");
    char a[4] = {}, b[4] = {};
    EXPECT_EXIT(V_CopyPtr(a, b, kOverLimit), KilledBySignal(SIGABRT), "^$");
}

TEST(Alloc, ZeroFilledForms) {
    auto *c = static_cast<unsigned char *>(V_Calloc(7, 3, 0));
    ASSERT_NE(c, nullptr);
    EXPECT_TRUE(allZero(c, 21));

    // A null pointer resizes like a fresh zero-filled allocation.
    auto *r = static_cast<char *>(V_Realloc(nullptr, 10, 0));
    ASSERT_NE(r, nullptr);
    EXPECT_TRUE(allZero(r, 10));

    std::memcpy(r, "abcdefghij", 10);
    r = static_cast<char *>(V_Realloc(r, 4000, 0));
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(std::string(r, 10), "abcdefghij");

    // Zero-byte requests are real blocks, and resizing to zero keeps one.
    void *z = V_Alloc(0, 0);
    EXPECT_NE(z, nullptr);
    r = static_cast<char *>(V_Realloc(r, 0, 0));
    EXPECT_NE(r, nullptr);
    V_Free(z);
    V_Free(r);
    V_Free(c);
}

TEST(Alloc, FreeForms) {
    EXPECT_EQ(V_Free(nullptr), -1);
    char *p = static_cast<char *>(V_Alloc(5, 0));
    EXPECT_EQ(VdeFree(&p), 0);
    EXPECT_EQ(p, nullptr);
    EXPECT_EQ(VdeFree(&p), -1);  // a second call is harmless
}

TEST(AllocDeathTest, RefusedWithoutFlagReturnsNullAndKeepsOldBlock) {
    EXPECT_EXIT(
        {
            if (!addresscap::capAddressSpace())
                _exit(2);
            if (V_Alloc(V_MAX_BLOCK, 0) != nullptr || V_Calloc(V_MAX_BLOCK, 1, 0) != nullptr)
                _exit(3);
            char *p = static_cast<char *>(V_Alloc(16, 0));
            std::memcpy(p, "keep these bytes", 16);
            if (V_Realloc(p, V_MAX_BLOCK, 0) != nullptr || std::memcmp(p, "keep these bytes", 16) != 0)
                _exit(4);
            if (V_AllocHandle(V_MAX_BLOCK, 0) != nullptr)
                _exit(5);
            V_HandleT *h = V_AllocHandle(4, 0);
            std::memcpy(h->data, "abcd", 4);
            void *old = h->data;
            if (V_ReallocHandle(h, V_MAX_BLOCK, 0) != nullptr || h->data != old || h->size != 4 ||
                std::memcmp(h->data, "abcd", 4) != 0)
                _exit(6);
            if (V_DuplicatePtr(p, 16, 0) == nullptr)  // small blocks still come
                _exit(7);
            _exit(0);
        },
        ExitedWithCode(0), "");
}

TEST(AllocDeathTest, RefusedWithFlagTakesTheDataSpaceExit) {
    auto refuse = [](auto allocate) {
        if (!addresscap::capAddressSpace())
            _exit(2);
        V_SetDSExit(sayDataSpaceExit);
        allocate();
        _exit(0);  // not reached
    };
    EXPECT_EXIT(refuse([] { V_Alloc(V_MAX_BLOCK, V_MUSTSUCCEED); }), KilledBySignal(SIGABRT),
                "^data-space exit ran\n$");
    EXPECT_EXIT(refuse([] { V_Calloc(V_MAX_BLOCK / 3, 3, 3); }), KilledBySignal(SIGABRT),
                "^data-space exit ran\n$");  // only bit 0 of the flags counts
    EXPECT_EXIT(refuse([] { V_Realloc(V_Alloc(8, 0), V_MAX_BLOCK, V_MUSTSUCCEED); }),
                KilledBySignal(SIGABRT), "^data-space exit ran\n$");
    EXPECT_EXIT(refuse([] { V_AllocHandle(V_MAX_BLOCK, V_MUSTSUCCEED); }), KilledBySignal(SIGABRT),
                "^data-space exit ran\n$");
    // Without a handler: abort, silently.
    EXPECT_EXIT(
        {
            if (addresscap::capAddressSpace())
                V_Alloc(V_MAX_BLOCK, V_MUSTSUCCEED);
            _exit(0);
        },
        KilledBySignal(SIGABRT), "^$");
}

TEST(AllocDeathTest, DataSpaceExitLeftByJumpLeaksNothing) {
    EXPECT_EXIT(addresscap::leaveDataSpaceExitByJump([] { V_Alloc(V_MAX_BLOCK, V_MUSTSUCCEED); }),
                ExitedWithCode(0), "");
    // The handle record is already had when its data is refused.
    EXPECT_EXIT(addresscap::leaveDataSpaceExitByJump([] { V_AllocHandle(V_MAX_BLOCK, V_MUSTSUCCEED); }),
                ExitedWithCode(0), "");
}

TEST(Bytes, CopyIsSourceFirstAndHandlesOverlap) {
    char to[8] = "-------";
    EXPECT_EQ(V_CopyPtr("abc", to, 3), 0);
    EXPECT_STREQ(to, "abc----");

    char forward[] = "abcdefgh";
    EXPECT_EQ(V_CopyPtr(forward, forward + 2, 5), 0);
    EXPECT_STREQ(forward, "ababcdeh");
    char backward[] = "abcdefgh";
    EXPECT_EQ(V_CopyBytes(backward + 2, backward, 5), 0);
    EXPECT_STREQ(backward, "cdefgfgh");

    EXPECT_EQ(V_CopyPtr(nullptr, to, 3), -1);
    EXPECT_EQ(V_CopyPtr("abc", nullptr, 3), -1);
    EXPECT_EQ(V_CopyPtr(nullptr, to, kOverLimit), -1);  // null wins over size
}

TEST(Bytes, ClearAndDuplicate) {
    char block[6] = "abcde";
    EXPECT_EQ(V_ClearPtr(block, 3), 0);
    EXPECT_EQ(std::string(block, 5), std::string("\0\0\0de", 5));
    EXPECT_EQ(V_ClearPtr(nullptr, 3), -1);

    auto *copy = static_cast<char *>(V_DuplicatePtr("abcde", 6, 0));
    ASSERT_NE(copy, nullptr);
    EXPECT_STREQ(copy, "abcde");
    void *none = V_DuplicatePtr("x", 0, 0);  // a real block, not a refusal
    EXPECT_NE(none, nullptr);
    EXPECT_EQ(V_DuplicatePtr(nullptr, 6, V_MUSTSUCCEED), nullptr);
    V_Free(copy);
    V_Free(none);
}

TEST(Bytes, PtrEqualTreatsNullAsZeroBytes) {
    const unsigned char zeros[4] = {0, 0, 0, 0};
    const unsigned char oneSet[4] = {0, 0, 1, 0};
    EXPECT_EQ(V_PtrEqual(nullptr, zeros, 4), 1);
    EXPECT_EQ(V_PtrEqual(zeros, nullptr, 4), 1);
    EXPECT_EQ(V_PtrEqual(nullptr, oneSet, 4), 0);
    EXPECT_EQ(V_PtrEqual(oneSet, nullptr, 4), 0);
    EXPECT_EQ(V_PtrEqual(nullptr, nullptr, 4), 1);
    EXPECT_EQ(V_PtrEqual("abc", "xyz", 0), 1);
    EXPECT_EQ(V_PtrEqual("abcd", "abce", 3), 1);
    EXPECT_EQ(V_PtrEqual("abcd", "abce", 4), 0);
}

TEST(Handle, LifeCycle) {
    V_HandleT *h = V_AllocHandle(6, 0);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(V_GetHandleSize(h), 6u);
    EXPECT_TRUE(allZero(h->data, 6));

    EXPECT_EQ(V_UnlockHandle(h), 0u);  // never below zero
    EXPECT_EQ(h->lockCount, 0u);
    auto *data = static_cast<char *>(V_LockHandle(h));
    EXPECT_EQ(data, h->data);
    V_LockHandle(h);
    EXPECT_EQ(V_UnlockHandle(h), 1u);
    EXPECT_EQ(V_UnlockHandle(h), 0u);

    std::memcpy(data, "abcdef", 6);
    EXPECT_EQ(V_ReallocHandle(h, 6, 0), h);
    EXPECT_EQ(h->data, data);  // same size: untouched
    EXPECT_EQ(V_ReallocHandle(h, 100000, 0), h);
    EXPECT_EQ(V_GetHandleSize(h), 100000u);
    EXPECT_EQ(std::string(static_cast<char *>(h->data), 6), "abcdef");
    EXPECT_EQ(V_ReallocHandle(h, 3, 0), h);
    EXPECT_EQ(V_GetHandleSize(h), 3u);

    EXPECT_EQ(V_ClearHandle(h), 0);
    EXPECT_TRUE(allZero(h->data, 3));

    EXPECT_EQ(VdeFreeHandle(&h), 0);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(h), uintptr_t{0xDEADDEAD});
}

TEST(Handle, EqualityAndDuplication) {
    V_HandleT *eight = V_AllocHandle(8, 0);
    V_HandleT *nine = V_AllocHandle(9, 0);
    V_HandleT *other = V_AllocHandle(8, 0);
    EXPECT_EQ(V_HandleEqual(eight, nine), 0);  // both all zero, still unequal
    EXPECT_EQ(V_HandleEqual(eight, other), 1);

    std::memcpy(nine->data, "ABCDEFGHI", 9);
    EXPECT_EQ(V_DuplicateHandle(nine, eight), 0);
    EXPECT_EQ(std::string(static_cast<char *>(eight->data), 8), "ABCDEFGH");
    EXPECT_EQ(V_HandlesAreEqual(eight, other), 0);

    std::memcpy(nine->data, "abcdefghi", 9);
    EXPECT_EQ(V_DuplicateHandle(eight, nine), 0);  // only 8 bytes fit the source
    EXPECT_EQ(std::string(static_cast<char *>(nine->data), 9), "ABCDEFGHi");

    V_FreeHandle(eight);
    V_FreeHandle(nine);
    V_FreeHandle(other);
}

TEST(HandleDeathTest, BrokenPreconditionsAbort) {
    EXPECT_EXIT(V_LockHandle(nullptr), KilledBySignal(SIGABRT), "^$");
    V_HandleT *h = V_AllocHandle(4, 0);
    EXPECT_EXIT(V_HandleEqual(h, nullptr), KilledBySignal(SIGABRT), "^$");

    V_LockHandle(h);
    EXPECT_EXIT(V_FreeHandle(h), KilledBySignal(SIGABRT), "^$");
    EXPECT_EXIT(V_ReallocHandle(h, 4, 0), KilledBySignal(SIGABRT), "^$");  // even unchanged size
    V_UnlockHandle(h);

    // Freeing twice through the variable is caught, not a wild free.
    V_HandleT *gone = V_AllocHandle(4, 0);
    VdeFreeHandle(&gone);
    EXPECT_EXIT(VdeFreeHandle(&gone), KilledBySignal(SIGABRT), "^$");
    EXPECT_EXIT(V_LockHandle(gone), KilledBySignal(SIGABRT), "^$");
    EXPECT_EXIT(V_DuplicateHandle(h, gone), KilledBySignal(SIGABRT), "^$");
    V_FreeHandle(h);
}

TEST(HandleDeathTest, LenientEnforcementLetsLockedHandlesGo) {
    EXPECT_EXIT(
        {
            VdeSetStrictEnforcement(0);
            V_HandleT *h = V_AllocHandle(4, 0);
            V_LockHandle(h);
            if (V_ReallocHandle(h, 40, 0) != h || V_GetHandleSize(h) != 40)
                std::exit(3);
            std::exit(V_FreeHandle(h));
        },
        ExitedWithCode(0), "");
}

}  // namespace
