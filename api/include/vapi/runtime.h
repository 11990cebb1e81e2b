/** @file
 * The client runtime: start-up from the host's environment, the connection
 * to the host, the service loop, control hand-over and the entry points
 * that a client program supplies.
 *
 * What the kit supplies and what the client overrides: the kit defines
 * `main` (which returns V_ApiRun()) and an empty default of every entry
 * point below. A client program defines the entry points it needs, and
 * `main` only when it does more than serve the host; its own definitions
 * take the place of the kit's in static and shared links alike. */
#ifndef VAPI_RUNTIME_H
#define VAPI_RUNTIME_H

#include <stdint.h>
#include <sys/time.h>

#include "vapi/records.h"

#ifdef __cplusplus
extern "C" {
#endif
#pragma GCC visibility push(default)

/** @name Process-wide state
 * @{ */

/** Last API error: -1 when an RPC call failed, else the host's status.
    Never cleared by a successful call: set it to 0 before the calls whose
    failure you want to see. */
extern int32_t VA_errno;
/** Non-zero ends the service loop after the current pass; also sent with
    every hand-over, so that the host learns the client is about to end. */
extern int32_t VA_bailout;
/** Time-out of every call to the host; 0,0 (the default) means 604800
    seconds. Set it before start-up. */
extern struct timeval VA_TimeOut;
/** Descriptors 0..31 of the last select, holding the ready ones after it. */
extern uint32_t VA_SelectMask;
/** Client number from the environment (complemented when it was negative). */
extern int32_t VA_clientno;

/** Descriptor-change callback: added is 1 when a service descriptor comes
    into use, 0 when it goes away. */
typedef void (*V_ApiFdFuncT)(int32_t fd, int32_t added);
/** @} */

/** @name Start-up, loop and shut-down
 * @{ */

/** The whole life of a started client: V_ApiStartUp(), then V_ApiService()
    until VA_bailout is set, then V_ApiShutDown(). A start-up failure is
    printed through V_ApiErr(). Returns 1 when start-up failed, else 0: the
    exit status of the kit's `main`. */
int32_t V_ApiRun(void);
/** Reads "VXAPIX", forks when the client number asks for it, registers the
    client's RPC program, connects to the host and acknowledges. fdFunc (or
    null) is installed as with V_ApiSetFdFunc(). Returns null, or a static
    text saying what failed (what was made is released by V_ApiShutDown()). */
const char *V_ApiStartUp(V_ApiFdFuncT fdFunc);
/** One pass of the service loop: waits up to 22 seconds for the host's calls
    and serves them. extraMask (or null) names further descriptors 0..31 to
    watch; on return it holds those of them that are ready. Returns the
    result of select. When the wait ends with nothing ready and a host on
    this machine has gone, calls V_ApiEmergency() and exits with status 1. */
int32_t V_ApiService(uint32_t *extraMask);
/** Releases the registration, the service, the socket and the connection to
    the host; harmless when called twice or before start-up. */
void V_ApiShutDown(void);
/** 1 when the host is alive or cannot be tested (it runs elsewhere), 0 when
    its process has gone. */
int32_t V_ApiVellixAlive(void);
/** Installs fn (or null) as the descriptor-change callback, reports at once
    every service descriptor not reported yet, and returns the previous
    callback. */
V_ApiFdFuncT V_ApiSetFdFunc(V_ApiFdFuncT fn);
/** Prints `Vellix API client "NAME": TEXT.` on standard error, NAME being
    the client name from "VXAPIX". */
void V_ApiErr(const char *text);
/** Sets VA_bailout: the service loop ends after the current pass. */
void V_ApiBailOut(void);
/** @} */

/** @name Control
 * While an entry point runs the client holds control of the host; the
 * runtime hands it back when the entry point returns.
 * @{ */

/** Hands control back before the entry point returns: 0, or -1 when the
    client did not hold control. */
int32_t V_ApiDoneCommand(void);
/** Takes control outside a callback (end the hold with V_ApiDoneCommand()):
    0, or -1 when already held. Until then every callback is refused as
    nested. */
int32_t V_ApiTakeControl(void);
/** Serves the host until it reports the end of the modal dialog; returns the
    dialog's result. */
int32_t V_ApiServiceModalCallbacks(void);
/** @} */

/** @name Entry points the client program supplies
 * The runtime calls them, one at a time, with what the host sent; the kit
 * has an empty default of each, used when the client defines none.
 * @{ */

/** Called once after the connection; initialization 1 is a normal start.
    This is where a client defines its menus and commands and asks for
    notifications. */
void V_ApiInitialize(int32_t initialization);
/** A notification the client asked for with V_ApiNotification(): its
    number, the document it concerns, a string and an integer parameter
    (for V_API_FILTER_NOTIFICATION sparm points to a VdeApiFilterArgsT,
    released when this returns). The string is the runtime's: copy what you
    keep. */
void V_ApiNotify(int32_t notification, uint32_t docId, StringT sparm,
                 int32_t iparm);
/** The user picked the client's command of that number. */
void V_ApiCommand(int32_t command);
/** A message for the client (from the host or another client through
    V_ApiCallClient()), with a document and an object it may concern. */
void V_ApiMessage(StringT message, uint32_t docId, uint32_t objId);
/** An event of one of the client's dialogs: the dialog, its item and a
    detail of the host's. */
void V_ApiDialogEvent(int32_t dialogNum, int32_t item, int32_t detail);
/** The host's process has gone: the last chance to save work before the
    process exits with status 1. */
void V_ApiEmergency(void);
/** @} */

#pragma GCC visibility pop
#ifdef __cplusplus
}
#endif

#endif
