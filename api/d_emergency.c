/* Default emergency entry point: nothing to save when the host has gone. */
#include "vapi/runtime.h"

void V_ApiEmergency(void)
{
}
