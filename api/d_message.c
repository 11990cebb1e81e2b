/* Default message entry point: messages are ignored. */
#include "vapi/runtime.h"

void V_ApiMessage(StringT message, uint32_t docId, uint32_t objId)
{
    (void)message;
    (void)docId;
    (void)objId;
}
