/** @file
 * Attaching a client to a host session that is already running.
 *
 * The host runs a session service on its machine. V_ApiConnectToSession asks
 * it for the numbers that a started client would find in its environment,
 * and connects exactly as a started one does; the client then serves the
 * host's calls itself with V_ApiService until VA_bailout is set. */
#ifndef VAPI_SESSION_H
#define VAPI_SESSION_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif
#pragma GCC visibility push(default)

/** Results of V_ApiConnectToSession besides 0 and the session's own status. */
#define V_API_NO_SESSION (-20)     /**< no answer to the reachability test */
#define V_API_CONNECT_FAILED (-7)  /**< the connect request failed as a call */
#define V_API_HOOKUP_FAILED (-22)  /**< the session answered, connecting failed */

/** The notification whose text is a packed filter-argument list: the client's
   V_ApiNotify receives a VdeApiFilterArgsT * in place of its string. */
#define V_API_FILTER_NOTIFICATION 75

/** Attaches to the session service sessionProg on hostName (null or "" for
   this machine). Returns 0, V_API_NO_SESSION, V_API_CONNECT_FAILED,
   V_API_HOOKUP_FAILED or the session's non-zero status, and stores the same
   value in VA_errno. Nothing is printed. */
int32_t V_ApiConnectToSession(const char *clientName, const char *hostName, uint32_t sessionProg);

#pragma GCC visibility pop
#ifdef __cplusplus
}
#endif

#endif
