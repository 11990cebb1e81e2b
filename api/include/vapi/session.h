/* Attaching a client to a host session that is already running.
 *
 * The host's session service is a UDP RPC program (version 1) on the host's
 * machine: procedure 0 tests that it is there, procedure 108 asks it for the
 * numbers that a started client would find in its environment. With them
 * the client connects exactly as a started one does; it then serves the
 * host's calls itself with V_ApiService until VA_bailout is set. */
#ifndef VAPI_SESSION_H
#define VAPI_SESSION_H

#include <stdint.h>
#include <sys/time.h>
#include <rpc/rpc.h>

#include "vapi/xdrstr.h"

#ifdef __cplusplus
extern "C" {
#endif

enum {
    VX_SESSION_VERSION = 1,
    VX_SESSION_NULL = 0,
    VX_SESSION_CONNECT = 108
};

/* Results of V_ApiConnectToSession besides 0 and the session's own status. */
#define V_API_NO_SESSION (-20)     /* no answer to the reachability test */
#define V_API_CONNECT_FAILED (-7)  /* the connect request failed as a call */
#define V_API_HOOKUP_FAILED (-22)  /* the session answered, connecting failed */

/* The notification whose text is a packed filter-argument list: the client's
   V_ApiNotify receives a VdeApiFilterArgsT * in place of its string. */
#define V_API_FILTER_NOTIFICATION 75

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

/* Attaches to the session service sessionProg on hostName (null or "" for
   this machine). Returns 0, V_API_NO_SESSION, V_API_CONNECT_FAILED,
   V_API_HOOKUP_FAILED or the session's non-zero status, and stores the same
   value in VA_errno. Nothing is printed. */
int32_t V_ApiConnectToSession(const char *clientName, const char *hostName, uint32_t sessionProg);

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
