/* Default command entry point, for programs that define no commands. */
#include "vapi/runtime.h"

void V_ApiCommand(int32_t command)
{
    (void)command;
}
