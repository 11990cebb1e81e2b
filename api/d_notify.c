/* Default notification entry point, for programs that ask for none. */
#include "vapi/runtime.h"

void V_ApiNotify(int32_t notification, uint32_t docId, StringT sparm, int32_t iparm)
{
    (void)notification;
    (void)docId;
    (void)sparm;
    (void)iparm;
}
