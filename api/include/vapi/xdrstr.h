/** @file
 * The XDR codec of the protocol's string type.
 */
#ifndef VAPI_XDRSTR_H
#define VAPI_XDRSTR_H

#include <rpc/rpc.h>

#include "vapi/records.h"

#ifdef __cplusplus
extern "C" {
#endif
#pragma GCC visibility push(default)

/** Largest string a peer may make the decoder allocate: the support
   library's block limit (99,999,999 bytes) less the terminating zero. */
#define VAPI_MAX_WIRE_STRING 99999998u

/** XDR string with no protocol maximum; null is sent as "", and decoding
   always yields a freshly allocated string (whatever the field held before
   is neither written into nor freed, so decode into a cleared field). */
bool_t xdr_StringT(XDR *xdrs, StringT *objp);

#pragma GCC visibility pop
#ifdef __cplusplus
}
#endif

#endif
