// The runtime's own helpers: the connection routine, the port-mapper and
// host-name helpers, the three calls that carry control, and the session
// service's records and calls. Shared by the runtime's files, the stand-in
// host and the tests; never part of what a client sees.
#ifndef VAPI_RUNTIME_INTERNAL_H
#define VAPI_RUNTIME_INTERNAL_H

#include <stdint.h>
#include <netinet/in.h>
#include <sys/time.h>
#include <rpc/rpc.h>

#include "vapi/procs.h"
#include "vapi/records.h"
#include "vapi/runtime.h"
#include "vapi/session.h"

#ifdef __cplusplus
extern "C" {
#endif

/* ---- Start-up helpers -------------------------------------------------- */

const char *hookup(uint32_t myProg, uint32_t myVers, uint32_t hisProg,
                   uint32_t hisVers, int32_t hisPid, const char *hostName);
void un_portmap(void);
const char *thishost(void);
int32_t hostnameToRealAddr(const char *name, struct sockaddr_in *address);
int32_t strEqual(const char *a, const char *b);
struct timeval get_VA_TimeOut(void);
void call_fd_func(void);

/* Seconds of idle select before the host's liveness is tested (22). Only
   test programs change it, to observe a vanished host quickly. */
void VdeApiSetIdleSeconds(int32_t seconds);

/* ---- The three calls that carry control (host procedures 1000, 1002, 1343) */

int32_t Vapivx_InitAck(int32_t processId);
void Vapivx_TurnOverControl(int32_t bailoutFlag);
void Vapivx_TakeControl(void);

/* ---- The host's session service ---------------------------------------- */

/* A UDP RPC program (version 1) on the host's machine: procedure 0 tests
   that it is there, procedure 108 asks it for the numbers that a started
   client would find in its environment. */
enum {
    VX_SESSION_VERSION = 1,
    VX_SESSION_NULL = 0,
    VX_SESSION_CONNECT = 108
};

/* The connect request. On the wire: clientName, address, pid. */
typedef struct VxRpcApiConnectArgT {
    int32_t pid;        /* the client's process */
    StringT address;    /* the client machine's IPv4 address, dotted quad */
    StringT clientName;
} VxRpcApiConnectArgT;

/* The session's answer; the numbers a started client gets from "VXAPIX". */
typedef struct VxRpcApiConnectReturnT {
    int32_t status;      /* 0: connect; anything else is the session's error */
    int32_t connection;  /* the host's own number for this attachment */
    int32_t clientProg;
    int32_t clientVers;
    int32_t hostProg;
    int32_t hostVers;
    int32_t hostPid;
    StringT hostName;    /* the host's machine */
} VxRpcApiConnectReturnT;

bool_t xdr_VxRpcApiConnectArgT(XDR *xdrs, VxRpcApiConnectArgT *objp);
bool_t xdr_VxRpcApiConnectReturnT(XDR *xdrs, VxRpcApiConnectReturnT *objp);

/* One UDP call of (program, version 1) on hostName with a fresh handle and
   socket, both released before returning: 1 on success, 0 otherwise. */
int32_t apiLocalCall(const char *hostName, uint32_t program, uint32_t procedure,
                     xdrproc_t argCodec, void *argument, xdrproc_t resultCodec,
                     void *result, struct timeval timeOut);

/* The dotted-quad address of hostName ("0.0.0.0" when it does not
   resolve), in a static buffer that the next call overwrites. */
const char *host_ntoa(const char *hostName);

/* Notification 75: unpacks packedText and passes the record to the client's
   V_ApiNotify; the record is released when V_ApiNotify returns. */
void translateFileToFile(uint32_t docId, const char *packedText, int32_t iparm);

#ifdef __cplusplus
}
#endif

#endif
