// Default command entry point, for programs that define no commands.
#include "vapi/runtime.h"

extern "C" void V_ApiCommand(int32_t)
{
}
