/** @file
 * The XDR codecs of every record of vapi/records.h, one per record that
 * VAPI_SHARED_RECORDS and VAPI_PROC_RECORDS name:
 *
 *     bool_t xdr_<Record>(XDR *xdrs, <Record> *objp);
 *
 * Each encodes, decodes or frees the record as the stream's direction says,
 * and returns 1 on success, 0 as soon as one field fails. They are usable
 * wherever the RPC library takes an xdrproc_t (clnt_call, svc_getargs,
 * xdr_free). This header and vapi/procs.h are the only ones that need the
 * RPC library's headers. */
#ifndef VAPI_CODECS_H
#define VAPI_CODECS_H

#include <rpc/rpc.h>

#include "vapi/records.h"
#include "vapi/xdrstr.h"

#ifdef __cplusplus
extern "C" {
#endif
#pragma GCC visibility push(default)

/** @cond */
#define VAPI_DECLARE_CODEC(R) bool_t xdr_##R(XDR *xdrs, R *objp);
VAPI_SHARED_RECORDS(VAPI_DECLARE_CODEC)
VAPI_PROC_RECORDS(VAPI_DECLARE_CODEC)
#undef VAPI_DECLARE_CODEC
/** @endcond */

#pragma GCC visibility pop
#ifdef __cplusplus
}
#endif

#endif
