// Default initialisation entry point, for programs that only call the host
// (a client program defines its own, and this one is then never linked).
#include "vapi/runtime.h"

extern "C" void V_ApiInitialize(int32_t)
{
}
