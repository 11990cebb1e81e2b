// The dispatch routine of the client's RPC program.
#include "vapi/callbacks.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

namespace {

using Handler = void *(*)(void *, svc_req *);

template <typename T, void *(*H)(T *, svc_req *)>
void *call(void *argument, svc_req *rqstp)
{
    return H(static_cast<T *>(argument), rqstp);
}

struct Procedure {
    xdrproc_t codec;
    Handler handler;
};

const Procedure procedures[] = {
    {vapi_codec(xdr_void), nullptr},
    {vapi_codec(xdr_void), call<void, vx_api_quit_1>},
    {vapi_codec(xdr_VxApiInitArgT), call<VxApiInitArgT, vx_api_init_1>},
    {vapi_codec(xdr_VxApiCommandArgT), call<VxApiCommandArgT, vx_api_command_1>},
    {vapi_codec(xdr_VxApiMessageArgT), call<VxApiMessageArgT, vx_api_message_1>},
    {vapi_codec(xdr_Vx4ApiNotifyArgT), call<Vx4ApiNotifyArgT, vx4_api_notify_1>},
    {vapi_codec(xdr_VxApiDialogEventArgT), call<VxApiDialogEventArgT, vx_api_dialog_event_1>},
    {vapi_codec(xdr_VxApiNotifyArgT), call<VxApiNotifyArgT, vx_api_notify_1>},
};

union Arguments {
    VxApiInitArgT init;
    VxApiCommandArgT command;
    VxApiMessageArgT message;
    Vx4ApiNotifyArgT oldNotify;
    VxApiDialogEventArgT dialogEvent;
    VxApiNotifyArgT notify;
};

}  // namespace

extern "C" void vx_api_prog_1(struct svc_req *rqstp, SVCXPRT *transp)
{
    if (rqstp->rq_proc == VX_API_NULL) {
        svc_sendreply(transp, vapi_codec(xdr_void), nullptr);
        return;
    }
    if (rqstp->rq_proc >= sizeof procedures / sizeof procedures[0]) {
        svcerr_noproc(transp);
        return;
    }
    const Procedure &p = procedures[rqstp->rq_proc];
    Arguments argument;
    memset(&argument, 0, sizeof argument);
    caddr_t area = reinterpret_cast<caddr_t>(&argument);
    if (!svc_getargs(transp, p.codec, area)) {
        xdr_free(p.codec, area);  // whatever was decoded before the failure
        svcerr_decode(transp);
        return;
    }
    void *result = p.handler(&argument, rqstp);
    if (result != nullptr && !svc_sendreply(transp, vapi_codec(xdr_void), result))
        svcerr_systemerr(transp);
    if (!svc_freeargs(transp, p.codec, area)) {
        fprintf(stderr, "unable to free arguments\n");
        exit(1);
    }
}
