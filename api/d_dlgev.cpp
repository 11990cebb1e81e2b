// Default dialog-event entry point: a client without dialogs ignores them.
#include "vapi/runtime.h"

extern "C" void V_ApiDialogEvent(int32_t, int32_t, int32_t)
{
}
