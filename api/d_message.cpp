// Default message entry point: messages are ignored.
#include "vapi/runtime.h"

extern "C" void V_ApiMessage(StringT, uint32_t, uint32_t)
{
}
