/* The client's own RPC program: the records the host sends with its calls,
   their codecs, the handlers and the dispatch routine. Internal to the
   runtime, the stand-in host and the tests: a client program only supplies
   the entry points of vapi/runtime.h. */
#ifndef VAPI_CALLBACKS_H
#define VAPI_CALLBACKS_H

#include <stdint.h>
#include <rpc/rpc.h>

#include "vapi/xdrstr.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Procedures of the client's program. */
enum {
    VX_API_NULL = 0,
    VX_API_QUIT = 1,
    VX_API_INIT = 2,
    VX_API_COMMAND = 3,
    VX_API_MESSAGE = 4,
    VX4_API_NOTIFY = 5,
    VX_API_DIALOG_EVENT = 6,
    VX_API_NOTIFY = 7
};

typedef struct {
    int32_t initialization;
} VxApiInitArgT;

typedef struct {
    int32_t command;
} VxApiCommandArgT;

typedef struct {
    int32_t notification;
    uint32_t docId;
    StringT sparm;
    int32_t iparm;
} VxApiNotifyArgT;

/* The old form, without the integer parameter. */
typedef struct {
    int32_t notification;
    uint32_t docId;
    StringT sparm;
} Vx4ApiNotifyArgT;

typedef struct {
    StringT message;
    uint32_t docId;
    uint32_t objId;
} VxApiMessageArgT;

/* Dialog number 0 reports the end of a modal dialog; detail is then its
   result. */
typedef struct {
    int32_t dialogNum;
    int32_t item;
    int32_t detail;
} VxApiDialogEventArgT;

bool_t xdr_VxApiInitArgT(XDR *xdrs, VxApiInitArgT *objp);
bool_t xdr_VxApiCommandArgT(XDR *xdrs, VxApiCommandArgT *objp);
bool_t xdr_VxApiNotifyArgT(XDR *xdrs, VxApiNotifyArgT *objp);
bool_t xdr_Vx4ApiNotifyArgT(XDR *xdrs, Vx4ApiNotifyArgT *objp);
bool_t xdr_VxApiMessageArgT(XDR *xdrs, VxApiMessageArgT *objp);
bool_t xdr_VxApiDialogEventArgT(XDR *xdrs, VxApiDialogEventArgT *objp);

/* Handlers. Each returns non-null only when the dispatch routine is to send
   the (empty) reply; the others reply themselves or not at all. */
void *vx_api_quit_1(void *argp, struct svc_req *rqstp);
void *vx_api_init_1(VxApiInitArgT *argp, struct svc_req *rqstp);
void *vx_api_command_1(VxApiCommandArgT *argp, struct svc_req *rqstp);
void *vx_api_message_1(VxApiMessageArgT *argp, struct svc_req *rqstp);
void *vx4_api_notify_1(Vx4ApiNotifyArgT *argp, struct svc_req *rqstp);
void *vx_api_dialog_event_1(VxApiDialogEventArgT *argp, struct svc_req *rqstp);
void *vx_api_notify_1(VxApiNotifyArgT *argp, struct svc_req *rqstp);

/* The dispatch routine registered for the client's program. */
void vx_api_prog_1(struct svc_req *rqstp, SVCXPRT *transp);

#ifdef __cplusplus
}
#endif

#ifdef __cplusplus
/* Any codec as the RPC library's codec type. */
template <typename Codec>
inline xdrproc_t vapi_codec(Codec codec)
{
    return reinterpret_cast<xdrproc_t>(reinterpret_cast<void (*)()>(codec));
}
#endif

#endif
