// Allocation, byte blocks, handles and the assertion machinery. Whatever
// changes the process-wide instance record or ends the process runs in a
// child process (EXPECT_EXIT).
#include "address_cap.h"
#include "heap.h"

#include <gtest/gtest.h>

#include <csetjmp>
#include <csignal>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

using ::testing::ExitedWithCode;
using ::testing::KilledBySignal;
using Step = std::function<void()>;

void sayAssert() { V_Warning("assert handler ran\n"); }
void sayDataSpace() { V_Warning("data-space handler ran\n"); }
std::jmp_buf rescue;
void jumpBack() { std::longjmp(rescue, 1); }

// Runs checks in a child process, which exits with 0 when all hold and
// otherwise with the number of the first that failed.
void checksHold(int (*checks)()) { EXPECT_EXIT(_exit(checks()), ExitedWithCode(0), ""); }

TEST(Alloc, BlocksAndHandlesAreRealZeroFilledAndResizable)
{
    auto *big = static_cast<char *>(V_Calloc(V_MAX_BLOCK, 1, 0));  // the limit itself is granted
    ASSERT_NE(big, nullptr);
    EXPECT_EQ(big[V_MAX_BLOCK - 1], 0);
    V_Free(big);
    auto *r = static_cast<char *>(V_Realloc(nullptr, 10, 0));  // a null pointer: a fresh cleared block
    EXPECT_EQ(std::count(r, r + 10, 0), 10);
    std::memcpy(r, "abcdefghij", 10);
    r = static_cast<char *>(V_Realloc(r, 4000, 0));
    EXPECT_EQ(std::string(r, 10), "abcdefghij");
    void *z = V_Alloc(0, 0);  // zero bytes: still a real block
    EXPECT_TRUE(z && V_Free(z) == 0 && V_Free(r) == 0 && V_Free(nullptr) == -1);
    char *p = static_cast<char *>(V_Alloc(5, 0));
    EXPECT_EQ(VdeFree(&p) * 10 + VdeFree(&p), -1);  // a second call is harmless
    EXPECT_EQ(p, nullptr);
    // Handles: lock counts never go below zero; a resize keeps the data.
    V_HandleT *h = V_AllocHandle(6, 0), *eight = V_AllocHandle(8, 0), *other = V_AllocHandle(8, 0);
    EXPECT_EQ(V_UnlockHandle(h), 0u);
    auto *data = static_cast<char *>(V_LockHandle(h));
    EXPECT_EQ(data, h->data);
    EXPECT_EQ(V_UnlockHandle(h), 0u);
    std::memcpy(data, "abcdef", 6);
    EXPECT_EQ(V_ReallocHandle(h, 100000, 0), h);
    EXPECT_EQ(std::string(static_cast<char *>(h->data), 6) + std::to_string(V_GetHandleSize(h)), "abcdef100000");
    EXPECT_EQ(V_ReallocHandle(h, 3, 0), h);
    EXPECT_EQ(V_HandleEqual(h, eight) * 10 + V_HandleEqual(eight, other), 1);  // sizes differ, then equal
    EXPECT_EQ(V_DuplicateHandle(h, eight), 0);  // the smaller size: 3 bytes
    EXPECT_EQ(std::string(static_cast<char *>(eight->data), 4), std::string("abc\0", 4));
    EXPECT_EQ(V_ClearHandle(eight) * 10 + V_HandlesAreEqual(eight, other), 1);
    EXPECT_EQ(V_FreeHandle(other) + VdeFreeHandle(&h) + VdeFreeHandle(&eight), 0);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(h), V_FREED_HANDLE);
    EXPECT_EQ(lindrel_test::heap_growth([] {
                  V_Free(V_Realloc(V_Alloc(100, 0), 300, 0));
                  V_FreeHandle(V_ReallocHandle(V_AllocHandle(9, 0), 99, 0));
              }),
              0);
}

// Every broken precondition aborts without a message, after the assertion
// handler when one is set.
TEST(AssertDeathTest, BrokenPreconditionsAbort)
{
    static V_HandleT *locked = V_AllocHandle(4, 0), *gone = V_AllocHandle(4, 0);
    V_LockHandle(locked);
    VdeFreeHandle(&gone);
    char a[4] = {}, b[4] = {};
    const std::vector<Step> broken = {
        [] { VdeEnforcement(); },  // no record yet: strict
        [] { V_Alloc(V_MAX_BLOCK + 1, 0); }, [] { V_Calloc(0x10000, 0x10001, 0); },  // wraps to 0x10000 in 32 bits
        [] { V_Realloc(V_Alloc(8, 0), V_MAX_BLOCK + 1, 0); }, [] { V_AllocHandle(V_MAX_BLOCK + 1, 0); },
        [&] { V_CopyPtr(a, b, V_MAX_BLOCK + 1); }, [] { V_HandleEqual(locked, nullptr); },
        [] { V_ReallocHandle(locked, 4, 0); },  // even unchanged in size
        [] { VdeFreeHandle(&gone); }, [] { V_DuplicateHandle(locked, gone); },
    };
    EXPECT_EXIT(VdeFail(), KilledBySignal(SIGABRT), "^$");
    for (size_t i = 0; i < broken.size(); ++i)
        EXPECT_EXIT((V_SetAssert(sayAssert), broken[i]()), KilledBySignal(SIGABRT), "^assert handler ran\n$") << i;
    // Lenient enforcement lets locked handles be resized and freed; the
    // handler set for assertions is not the data-space exit's.
    checksHold([] {
        VdeSetStrictEnforcement(0);
        V_HandleT *h = V_AllocHandle(4, 0);
        V_LockHandle(h);
        return VdeEnforcement() == 1 && V_ReallocHandle(h, 40, 0) == h && V_GetHandleSize(h) == 40 ? V_FreeHandle(h) : 1;
    });
    EXPECT_EXIT((V_SetAssert(sayAssert), VdeDataSpaceExit()), KilledBySignal(SIGABRT), "^$");
    EXPECT_EXIT((V_SetDSExit(sayDataSpace), VdeDataSpaceExit()), KilledBySignal(SIGABRT), "^data-space handler ran\n$");
    EXPECT_EXIT((std::atexit([] { V_Warning("exit handler ran\n"); }), V_Abort()), KilledBySignal(SIGABRT), "^$");
}

TEST(AssertDeathTest, SettersKeepOneRecordAndReturnThePreviousValue)
{
    checksHold([] {
        if (VdeInstance != nullptr || V_SetAssert(nullptr) != defaultHandler || VdeInstance == nullptr)
            return 1;
        if (VdeInstance->strictEnforcement != 1 || VdeInstance->dsExitHandler != nullptr)
            return 2;
        VdeInstanceT *record = VdeInstance;
        if (V_SetAssert(sayAssert) != defaultHandler || V_SetAssert(jumpBack) != sayAssert ||
            V_SetAssert(nullptr) != jumpBack || V_SetAssert(sayAssert) != defaultHandler)
            return 3;
        if (V_SetDSExit(sayDataSpace) != nullptr || V_SetDSExit(nullptr) != sayDataSpace || V_SetDSExit(nullptr))
            return 4;
        if (VdeSetStrictEnforcement(0) != 1 || VdeSetStrictEnforcement(7) != 0 || VdeSetStrictEnforcement(1) != 1)
            return 5;  // stored as a boolean
        return VdeInstanceInit() == record && VdeInstance->strictEnforcement == 1 ? 0 : 6;
    });
    checksHold([] { return V_SetDSExit(sayDataSpace) == nullptr && VdeInstance->strictEnforcement == 1 ? 0 : 1; });
    // A handler may keep the process alive by leaving with a jump or an
    // exception; the library still works afterwards.
    checksHold([] {
        V_SetAssert(jumpBack);
        if (setjmp(rescue) == 0) {
            V_Alloc(V_MAX_BLOCK + 1, 0);
            return 1;
        }
        return V_Free(V_Alloc(16, 0)) == 0 ? 0 : 2;
    });
    checksHold([] {
        V_SetAssert([] { throw 7; });
        try {
            V_Calloc(0x10000, 0x10000, 0);
        } catch (int) {
            return 0;
        }
        return 1;
    });
}

// With the address space capped, a block near the limit is refused: null
// without the flag (the old block intact), the data-space exit with it.
TEST(AllocDeathTest, RefusedAllocations)
{
    checksHold([] {
        if (!addresscap::capAddressSpace())
            return 1;
        if (V_Alloc(V_MAX_BLOCK, 0) != nullptr || V_Calloc(V_MAX_BLOCK, 1, 0) || V_AllocHandle(V_MAX_BLOCK, 0))
            return 2;
        char *p = static_cast<char *>(V_Alloc(16, 0));
        std::memcpy(p, "keep these bytes", 16);
        if (V_Realloc(p, V_MAX_BLOCK, 0) != nullptr || std::memcmp(p, "keep these bytes", 16) != 0)
            return 3;
        V_HandleT *h = V_AllocHandle(4, 0);
        void *old = h->data;
        return V_ReallocHandle(h, V_MAX_BLOCK, 0) == nullptr && h->data == old && h->size == 4 ? 0 : 4;
    });
    const std::vector<Step> refused = {
        [] { V_Alloc(V_MAX_BLOCK, V_MUSTSUCCEED); }, [] { V_Calloc(V_MAX_BLOCK / 3, 3, 3); },  // only bit 0 counts
        [] { V_Realloc(V_Alloc(8, 0), V_MAX_BLOCK, V_MUSTSUCCEED); }, [] { V_AllocHandle(V_MAX_BLOCK, V_MUSTSUCCEED); },
    };
    for (const Step &step : refused) {
        auto refuse = [&](bool handler) {
            if (addresscap::capAddressSpace())
                (handler ? V_SetDSExit(sayDataSpace) : nullptr, step());
            std::exit(0);
        };
        EXPECT_EXIT(refuse(true), KilledBySignal(SIGABRT), "^data-space handler ran\n$");
        EXPECT_EXIT(refuse(false), KilledBySignal(SIGABRT), "^$");
    }
    // A handler that jumps out finds nothing half-made left behind.
    EXPECT_EXIT(addresscap::leaveDataSpaceExitByJump([] { V_Alloc(V_MAX_BLOCK, V_MUSTSUCCEED); }), ExitedWithCode(0), "");
    EXPECT_EXIT(addresscap::leaveDataSpaceExitByJump([] { V_AllocHandle(V_MAX_BLOCK, V_MUSTSUCCEED); }),
                ExitedWithCode(0), "");
}

}  // namespace
