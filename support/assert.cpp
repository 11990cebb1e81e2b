// The instance record, assertion failures, soft preconditions and the
// data-space exit.
#include "support_internal.h"
#include "vsupport/memory.h"

extern "C" {

VdeInstanceT *VdeInstance = nullptr;

VdeInstanceT *VdeInstanceInit(void) {
    if (VdeInstance == nullptr) {
        // Must not fail: without the record there is nowhere to keep handlers.
        VdeInstance = static_cast<VdeInstanceT *>(V_Calloc(1, sizeof(VdeInstanceT), V_MUSTSUCCEED));
        VdeInstance->strictEnforcement = 1;
    }
    return VdeInstance;
}

V_AssertHandlerT V_SetAssert(V_AssertHandlerT handler) {
    VdeInstanceT *instance = VdeInstanceInit();
    V_AssertHandlerT previous = instance->assertHandler;
    instance->assertHandler = handler != nullptr ? handler : defaultHandler;
    return previous != nullptr ? previous : defaultHandler;
}

int32_t VdeSetStrictEnforcement(int32_t strict) {
    VdeInstanceT *instance = VdeInstanceInit();
    int32_t previous = instance->strictEnforcement != 0;
    instance->strictEnforcement = strict != 0;
    return previous;
}

V_DSExitHandlerT V_SetDSExit(V_DSExitHandlerT handler) {
    VdeInstanceT *instance = VdeInstanceInit();
    V_DSExitHandlerT previous = instance->dsExitHandler;
    instance->dsExitHandler = handler;
    return previous;
}

int32_t VdeEnforcement(void) {
    if (VdeInstance == nullptr || VdeInstance->strictEnforcement)
        VdeFail();
    return 1;
}

void VdeFail(void) {
    V_AssertHandlerT handler = VdeInstance != nullptr ? VdeInstance->assertHandler : nullptr;
    // A handler that wants the process to live on leaves by a non-local jump;
    // one that returns does not stop the abort.
    if (handler != nullptr && handler != defaultHandler)
        handler();
    defaultHandler();
}

void VdeDataSpaceExit(void) {
    if (VdeInstance != nullptr && VdeInstance->dsExitHandler != nullptr)
        VdeInstance->dsExitHandler();
    V_Abort();
}

void defaultHandler(void) { V_Abort(); }

int32_t V_VdeInit(void) { return 0; }

}  // extern "C"
