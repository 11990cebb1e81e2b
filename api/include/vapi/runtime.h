/* The client runtime: start-up from the host's environment, the connection
   to the host, the service loop, control hand-over and the entry points
   that a client program supplies. */
#ifndef VAPI_RUNTIME_H
#define VAPI_RUNTIME_H

#include <stdint.h>
#include <sys/time.h>
#include <rpc/rpc.h>

#include "vapi/xdrstr.h"

#ifdef __cplusplus
extern "C" {
#endif

/* ---- Process-wide state ------------------------------------------------ */

/* Last API error: -1 when an RPC call failed, else the host's status. */
extern int32_t VA_errno;
/* Non-zero ends the service loop; also sent with every hand-over. */
extern int32_t VA_bailout;
/* Time-out of every call to the host; 0,0 means 604800 seconds. */
extern struct timeval VA_TimeOut;
/* Descriptors 0..31 of the last select, holding the ready ones after it. */
extern uint32_t VA_SelectMask;
/* Client number from the environment (complemented when it was negative). */
extern int32_t VA_clientno;
/* The connection through which every call to the host goes. */
extern CLIENT *vellix_client;

/* Descriptor-change callback: added is 1 when a service descriptor comes
   into use, 0 when it goes away. */
typedef void (*V_ApiFdFuncT)(int32_t fd, int32_t added);

/* ---- Start-up, loop and shut-down -------------------------------------- */

int32_t V_ApiRun(void);
const char *V_ApiStartUp(V_ApiFdFuncT fdFunc);
const char *hookup(uint32_t myProg, uint32_t myVers, uint32_t hisProg,
                   uint32_t hisVers, int32_t hisPid, const char *hostName);
/* One pass of the service loop; extraMask (or null) names further
   descriptors 0..31 to watch and returns those of them that are ready. */
int32_t V_ApiService(uint32_t *extraMask);
void V_ApiShutDown(void);
int32_t V_ApiVellixAlive(void);
V_ApiFdFuncT V_ApiSetFdFunc(V_ApiFdFuncT fn);
void V_ApiErr(const char *text);
void V_ApiBailOut(void);

/* Helpers shared with the session attach code. */
void un_portmap(void);
const char *thishost(void);
int32_t hostnameToRealAddr(const char *name, struct sockaddr_in *address);
int32_t strEqual(const char *a, const char *b);
struct timeval get_VA_TimeOut(void);
void call_fd_func(void);

/* Seconds of idle select before the host's liveness is tested (22). Only
   test programs change it, to observe a vanished host quickly. */
void VdeApiSetIdleSeconds(int32_t seconds);

/* ---- Control ----------------------------------------------------------- */

/* Hand control back before the entry point returns: 0, or -1 when the
   client did not hold control. */
int32_t V_ApiDoneCommand(void);
/* Take control outside a callback: 0, or -1 when already held. */
int32_t V_ApiTakeControl(void);
/* Serve the host until it reports the end of the modal dialog; returns the
   dialog's result. */
int32_t V_ApiServiceModalCallbacks(void);

/* The three calls that carry control (host procedures 1000, 1002, 1343). */
int32_t Vapivx_InitAck(int32_t processId);
void Vapivx_TurnOverControl(int32_t bailoutFlag);
void Vapivx_TakeControl(void);

/* ---- Entry points the client program supplies -------------------------- */

void V_ApiInitialize(int32_t initialization);
void V_ApiNotify(int32_t notification, uint32_t docId, StringT sparm,
                 int32_t iparm);
void V_ApiCommand(int32_t command);
/* These three have empty defaults in the library. */
void V_ApiMessage(StringT message, uint32_t docId, uint32_t objId);
void V_ApiDialogEvent(int32_t dialogNum, int32_t item, int32_t detail);
void V_ApiEmergency(void);

#ifdef __cplusplus
}
#endif

#endif
