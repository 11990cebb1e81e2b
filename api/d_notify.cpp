// Default notification entry point, for programs that ask for none.
#include "vapi/runtime.h"

extern "C" void V_ApiNotify(int32_t, uint32_t, StringT, int32_t)
{
}
