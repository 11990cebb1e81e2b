/* The client runtime: start-up from the host's environment, the connection
   to the host, the service loop, control hand-over and the entry points
   that a client program supplies. */
#ifndef VAPI_RUNTIME_H
#define VAPI_RUNTIME_H

#include <stdint.h>
#include <sys/time.h>

#include "vapi/records.h"

#ifdef __cplusplus
extern "C" {
#endif
#pragma GCC visibility push(default)

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

/* Descriptor-change callback: added is 1 when a service descriptor comes
   into use, 0 when it goes away. */
typedef void (*V_ApiFdFuncT)(int32_t fd, int32_t added);

/* ---- Start-up, loop and shut-down -------------------------------------- */

int32_t V_ApiRun(void);
const char *V_ApiStartUp(V_ApiFdFuncT fdFunc);
/* One pass of the service loop; extraMask (or null) names further
   descriptors 0..31 to watch and returns those of them that are ready. */
int32_t V_ApiService(uint32_t *extraMask);
void V_ApiShutDown(void);
int32_t V_ApiVellixAlive(void);
V_ApiFdFuncT V_ApiSetFdFunc(V_ApiFdFuncT fn);
void V_ApiErr(const char *text);
void V_ApiBailOut(void);

/* ---- Control ----------------------------------------------------------- */

/* Hand control back before the entry point returns: 0, or -1 when the
   client did not hold control. */
int32_t V_ApiDoneCommand(void);
/* Take control outside a callback: 0, or -1 when already held. */
int32_t V_ApiTakeControl(void);
/* Serve the host until it reports the end of the modal dialog; returns the
   dialog's result. */
int32_t V_ApiServiceModalCallbacks(void);

/* ---- Entry points the client program supplies -------------------------- */

void V_ApiInitialize(int32_t initialization);
void V_ApiNotify(int32_t notification, uint32_t docId, StringT sparm,
                 int32_t iparm);
void V_ApiCommand(int32_t command);
/* These three have empty defaults in the library. */
void V_ApiMessage(StringT message, uint32_t docId, uint32_t objId);
void V_ApiDialogEvent(int32_t dialogNum, int32_t item, int32_t detail);
void V_ApiEmergency(void);

#pragma GCC visibility pop
#ifdef __cplusplus
}
#endif

#endif
