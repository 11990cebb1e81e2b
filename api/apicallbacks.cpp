// The handlers of the host's calls and the functions that move control of
// the host between client and host.
#include "callbacks.h"
#include "vapi/runtime.h"
#include "vapi/session.h"
#include "runtime_internal.h"

namespace {

int32_t turn_over_needed = 0;  // the client holds control of the host
int32_t callbacksDone = 0;     // open modal waits, relative to each waiter
int32_t modalRetval = 0;       // result of the last modal dialog to end
const char nest_msg[] = "Nested API_Init/V_ApiNotify/V_ApiMessage/V_ApiCommand";

// The common shape: reply at once, refuse a call that arrives while the
// client holds control, run the work holding control, then hand it back
// unless the work already did.
template <typename Work>
void *hold_control(svc_req *rqstp, Work work)
{
    svc_sendreply(rqstp->rq_xprt, vapi_codec(xdr_void), nullptr);
    if (turn_over_needed) {
        V_ApiErr(nest_msg);
        return nullptr;
    }
    turn_over_needed = 1;
    work();
    if (turn_over_needed)
        Vapivx_TurnOverControl(VA_bailout);
    turn_over_needed = 0;
    return nullptr;
}

}  // namespace

extern "C" {

void *vx_api_quit_1(void *, struct svc_req *)
{
    static char reply;
    VA_bailout = 1;
    return &reply;
}

void *vx_api_init_1(VxApiInitArgT *a, struct svc_req *rqstp)
{
    return hold_control(rqstp, [a] { V_ApiInitialize(a->initialization); });
}

void *vx_api_command_1(VxApiCommandArgT *a, struct svc_req *rqstp)
{
    return hold_control(rqstp, [a] { V_ApiCommand(a->command); });
}

void *vx_api_message_1(VxApiMessageArgT *a, struct svc_req *rqstp)
{
    return hold_control(rqstp, [a] { V_ApiMessage(a->message, a->docId, a->objId); });
}

void *vx_api_notify_1(VxApiNotifyArgT *a, struct svc_req *rqstp)
{
    return hold_control(rqstp, [a] {
        if (a->notification == V_API_FILTER_NOTIFICATION)  // its text is packed arguments
            translateFileToFile(a->docId, a->sparm, a->iparm);
        else
            V_ApiNotify(a->notification, a->docId, a->sparm, a->iparm);
    });
}

void *vx_api_dialog_event_1(VxApiDialogEventArgT *a, struct svc_req *rqstp)
{
    return hold_control(rqstp, [a] {
        if (a->dialogNum == 0) {
            --callbacksDone;
            modalRetval = a->detail;
        } else {
            V_ApiDialogEvent(a->dialogNum, a->item, a->detail);
        }
    });
}

void *vx4_api_notify_1(Vx4ApiNotifyArgT *, struct svc_req *)
{
    V_ApiErr("Vellix process sent old-style notification");
    return nullptr;
}

int32_t V_ApiDoneCommand(void)
{
    if (!turn_over_needed)
        return -1;
    Vapivx_TurnOverControl(VA_bailout);
    turn_over_needed = 0;
    return 0;
}

int32_t V_ApiTakeControl(void)
{
    if (turn_over_needed)
        return -1;
    Vapivx_TakeControl();
    turn_over_needed = 1;
    return 0;
}

int32_t V_ApiServiceModalCallbacks(void)
{
    int32_t savedTurnOver = turn_over_needed;
    int32_t savedRetval = modalRetval;
    turn_over_needed = 0;
    modalRetval = 0;
    int32_t level = callbacksDone++;
    // A quit during the wait must still end the client: the host will not
    // report the end of a dialog after it said quit.
    while (level < callbacksDone && VA_bailout == 0)
        V_ApiService(nullptr);
    if (callbacksDone > level)  // left by a quit: this wait is over
        callbacksDone = level;
    turn_over_needed = savedTurnOver;
    int32_t result = modalRetval;
    modalRetval = savedRetval;
    return result;
}

}  // extern "C"
