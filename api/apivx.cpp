// The three calls that carry control between client and host.
#include "vapi/callbacks.h"
#include "vapi/runtime.h"

namespace {

// One call of a host procedure with an integer (or no) argument and an
// empty result; true when the RPC itself succeeded.
bool control_call(u_long proc, xdrproc_t codec, int32_t argument)
{
    if (vellix_client == nullptr)
        return false;
    static char res;  // the empty result needs an address, never data
    timeval timeout{25, 0};  // the handle's own time-out takes precedence
    return clnt_call(vellix_client, proc, codec, reinterpret_cast<caddr_t>(&argument),
                     vapi_codec(xdr_void), &res, timeout) == RPC_SUCCESS;
}

}  // namespace

extern "C" {

int32_t Vapivx_InitAck(int32_t processId)
{
    return control_call(1000, vapi_codec(xdr_int), processId) ? 1 : 0;
}

void Vapivx_TurnOverControl(int32_t bailoutFlag)
{
    control_call(1002, vapi_codec(xdr_int), bailoutFlag);
}

void Vapivx_TakeControl(void)
{
    control_call(1343, vapi_codec(xdr_void), 0);
}

}  // extern "C"
