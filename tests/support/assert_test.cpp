// The instance record and its setters, assertion failures, soft
// preconditions, the data-space exit, the abort and warnings. Everything that
// changes the process-wide instance runs in a child process (EXPECT_EXIT), so
// each case starts from a fresh process.
#include <gtest/gtest.h>

#include <csetjmp>
#include <csignal>
#include <cstdlib>
#include <string>

#include "vsupport/memory.h"
#include "support_internal.h"

namespace {

using ::testing::ExitedWithCode;
using ::testing::KilledBySignal;

void sayAssert() { V_Warning("assert handler ran\n"); }
void sayDataSpace() { V_Warning("data-space handler ran\n"); }
void sayAtExit() { V_Warning("exit handler ran\n"); }

std::jmp_buf rescue;
void jumpBack() { std::longjmp(rescue, 1); }

struct Rescued {};
void throwBack() { throw Rescued{}; }

// Runs checks in a child process, which exits with 0 when all hold and
// otherwise with the number of the first failed check.
void checksHold(int (*checks)()) { EXPECT_EXIT(std::exit(checks()), ExitedWithCode(0), ""); }

TEST(InstanceDeathTest, SettersCreateTheRecordOnFirstUse) {
    checksHold([] {
        if (VdeInstance != nullptr) return 1;
        if (V_SetAssert(nullptr) != defaultHandler) return 2;
        if (VdeInstance == nullptr || VdeInstance->assertHandler != defaultHandler) return 3;
        if (VdeInstance->strictEnforcement != 1 || VdeInstance->dsExitHandler != nullptr) return 4;
        return 0;
    });
    checksHold([] {
        if (V_SetDSExit(sayDataSpace) != nullptr) return 1;
        if (VdeInstance == nullptr || VdeInstance->strictEnforcement != 1) return 2;
        return 0;
    });
}

TEST(InstanceDeathTest, SettersReturnThePreviousValue) {
    checksHold([] {
        if (V_SetAssert(sayAssert) != defaultHandler) return 1;
        if (V_SetAssert(jumpBack) != sayAssert) return 2;
        if (V_SetAssert(nullptr) != jumpBack) return 3;
        if (V_SetAssert(sayAssert) != defaultHandler) return 4;
        if (V_SetDSExit(sayDataSpace) != nullptr) return 5;
        if (V_SetDSExit(nullptr) != sayDataSpace) return 6;
        if (V_SetDSExit(nullptr) != nullptr) return 7;
        return 0;
    });
    checksHold([] {
        if (VdeSetStrictEnforcement(0) != 1) return 1;
        if (V_SetAssert(sayAssert) != defaultHandler) return 2;  // leaves strictness alone
        if (VdeInstance->strictEnforcement != 0) return 3;
        if (VdeSetStrictEnforcement(7) != 0) return 4;
        if (VdeInstance->strictEnforcement != 1) return 5;  // stored as a boolean
        if (VdeSetStrictEnforcement(1) != 1) return 6;
        return 0;
    });
}

TEST(AssertDeathTest, FailureAbortsWithoutAMessage) {
    EXPECT_EXIT(VdeFail(), KilledBySignal(SIGABRT), "^$");
    EXPECT_EXIT(VdeEnforcement(), KilledBySignal(SIGABRT), "^$");  // no record: strict
    EXPECT_EXIT(
        {
            V_SetAssert(nullptr);
            VdeFail();
        },
        KilledBySignal(SIGABRT), "^$");
}

// With sayAssert installed, `failing` must run the handler, then abort.
void handlerThenAbort(void (*failing)()) {
    EXPECT_EXIT(
        {
            V_SetAssert(sayAssert);
            failing();
        },
        KilledBySignal(SIGABRT), "^assert handler ran\n$");
}

TEST(AssertDeathTest, HandlerRunsFirstAndReturningDoesNotStopTheAbort) {
    handlerThenAbort([] { VdeFail(); });
    handlerThenAbort([] { V_Alloc(V_MAX_BLOCK + 1, 0); });
    handlerThenAbort([] {
        V_HandleT *locked = V_AllocHandle(1, 0);
        V_LockHandle(locked);
        V_FreeHandle(locked);
    });
}

TEST(AssertDeathTest, SoftPreconditionFollowsStrictness) {
    handlerThenAbort([] { VdeEnforcement(); });
    checksHold([] {
        VdeSetStrictEnforcement(0);
        return VdeEnforcement() == 1 ? 0 : 1;
    });
}

TEST(AssertDeathTest, HandlerMayLeaveByJumpOrException) {
    checksHold([] {
        V_SetAssert(jumpBack);
        if (setjmp(rescue) == 0) {
            V_Alloc(V_MAX_BLOCK + 1, 0);
            return 1;
        }
        // The process lives on and the library still works.
        void *p = V_Alloc(16, 0);
        return V_Free(p) == 0 ? 0 : 2;
    });
    checksHold([] {
        V_SetAssert(throwBack);
        try {
            V_Calloc(0x10000, 0x10000, 0);
        } catch (const Rescued &) {
            return 0;
        }
        return 1;
    });
}

TEST(DataSpaceDeathTest, HandlerRunsThenAbort) {
    EXPECT_EXIT(VdeDataSpaceExit(), KilledBySignal(SIGABRT), "^$");
    EXPECT_EXIT(
        {
            V_SetDSExit(sayDataSpace);
            VdeDataSpaceExit();
        },
        KilledBySignal(SIGABRT), "^data-space handler ran\n$");
    // The assertion handler is not the data-space handler.
    EXPECT_EXIT(
        {
            V_SetAssert(sayAssert);
            VdeDataSpaceExit();
        },
        KilledBySignal(SIGABRT), "^$");
}

TEST(AbortDeathTest, SkipsExitHandlers) {
    EXPECT_EXIT(
        {
            std::atexit(sayAtExit);
            V_Abort();
        },
        KilledBySignal(SIGABRT), "^$");
    EXPECT_EXIT(defaultHandler(), KilledBySignal(SIGABRT), "^$");
}

TEST(Warning, WritesTheTextVerbatim) {
    testing::internal::CaptureStderr();
    V_Warning("100% sure: %s %d %n\n");
    V_Warning(nullptr);
    V_Warning("");
    V_Warning("no newline");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "100% sure: %s %d %n\nno newline");
}

}  // namespace
