/* Default dialog-event entry point: a client without dialogs ignores them. */
#include "vapi/runtime.h"

void V_ApiDialogEvent(int32_t dialogNum, int32_t item, int32_t detail)
{
    (void)dialogNum;
    (void)item;
    (void)detail;
}
