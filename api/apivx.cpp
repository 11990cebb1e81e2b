// The three calls that carry control between client and host.
#include "vapi/procs.h"
#include "vapi/runtime.h"
#include "runtime_internal.h"

extern "C" {

int32_t Vapivx_InitAck(int32_t processId)
{
    return api_vx_init_ack_5_1(&processId, vellix_client) != nullptr ? 1 : 0;
}

void Vapivx_TurnOverControl(int32_t bailoutFlag)
{
    api_vx_over_1(&bailoutFlag, vellix_client);
}

void Vapivx_TakeControl(void)
{
    int32_t none = 0;  // the procedure takes no data
    api_vx_take_control_1(&none, vellix_client);
}

}  // extern "C"
