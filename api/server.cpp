// The dispatch routine of the client's RPC program.
#include "callbacks.h"
#include "host_peer.h"
#include "peer.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <type_traits>

namespace {

using Handler = void *(*)(void *, svc_req *);
using Release = bool_t (*)(void *);

template <typename T, void *(*H)(T *, svc_req *)>
void *call(void *argument, svc_req *rqstp)
{
    return H(static_cast<T *>(argument), rqstp);
}

// Frees decoded arguments without the transport: a handler that serves
// nested requests may see its own connection close and its transport go.
template <typename T, bool_t (*Codec)(XDR *, T *)>
bool_t release(void *argument)
{
    XDR x{};
    x.x_op = XDR_FREE;
    return Codec(&x, static_cast<T *>(argument));
}

bool_t release_nothing(void *) { return TRUE; }

struct Procedure {
    xdrproc_t codec;
    Release release;
    Handler handler;
};

// One row per procedure: its codec, and the handler that takes that record.
template <typename T, bool_t (*Codec)(XDR *, T *), void *(*H)(T *, svc_req *)>
constexpr Procedure row()
{
    return {vapi_codec(Codec), release<T, Codec>, call<T, H>};
}

const Procedure procedures[] = {
    {vapi_codec(xdr_void), release_nothing, nullptr},
    {vapi_codec(xdr_void), release_nothing, call<void, vx_api_quit_1>},
    row<VxApiInitArgT, xdr_VxApiInitArgT, vx_api_init_1>(),
    row<VxApiCommandArgT, xdr_VxApiCommandArgT, vx_api_command_1>(),
    row<VxApiMessageArgT, xdr_VxApiMessageArgT, vx_api_message_1>(),
    row<Vx4ApiNotifyArgT, xdr_Vx4ApiNotifyArgT, vx4_api_notify_1>(),
    row<VxApiDialogEventArgT, xdr_VxApiDialogEventArgT, vx_api_dialog_event_1>(),
    row<VxApiNotifyArgT, xdr_VxApiNotifyArgT, vx_api_notify_1>(),
};

// A handler may serve further requests itself (a modal wait), and its own
// connection may close meanwhile. The RPC library would then free the
// transport that the handler's caller inside the library still uses, so
// while a handler runs, its transport's destruction is put off: it leaves
// the service set at once, and the library destroys it again, for good, once
// the handler has returned. The descriptor stays open until then, so its
// number cannot come back under another transport.
using Ops = std::remove_const_t<std::remove_pointer_t<decltype(SVCXPRT::xp_ops)>>;

struct Hold {
    SVCXPRT *transport;
    const Ops *own;  // the library's operations; null when an outer handler holds it
    Ops deferring;
};

void destroy_later(SVCXPRT *transport)
{
    xprt_unregister(transport);
}

void hold(Hold &h, SVCXPRT *transport)
{
    h.transport = transport;
    h.own = nullptr;
    if (transport->xp_ops->xp_destroy == destroy_later)
        return;
    h.own = transport->xp_ops;
    h.deferring = *h.own;
    h.deferring.xp_destroy = destroy_later;
    transport->xp_ops = &h.deferring;
}

void let_go(Hold &h)
{
    if (h.own != nullptr)
        h.transport->xp_ops = h.own;
}

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
    // Only the host may run the client's commands or end it.
    if (!vapi::from_host(transp)) {
        vapi::peer::refuse(transp);
        return;
    }
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
        p.release(area);  // whatever was decoded before the failure
        svcerr_decode(transp);
        return;
    }
    Hold h;
    hold(h, transp);
    void *result = p.handler(&argument, rqstp);
    let_go(h);
    if (result != nullptr && !svc_sendreply(transp, vapi_codec(xdr_void), result))
        svcerr_systemerr(transp);
    if (!p.release(area)) {
        fprintf(stderr, "unable to free arguments\n");
        exit(1);
    }
}
