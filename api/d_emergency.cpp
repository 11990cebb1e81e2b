// Default emergency entry point: nothing to save when the host has gone.
#include "vapi/runtime.h"

extern "C" void V_ApiEmergency(void)
{
}
