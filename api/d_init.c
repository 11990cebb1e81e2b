/* Default initialisation entry point, for programs that only call the host
   (a client program defines its own, which then takes this one's place). */
#include "vapi/runtime.h"

void V_ApiInitialize(int32_t initialization)
{
    (void)initialization;
}
