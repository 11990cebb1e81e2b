/* The XDR codecs of every record of vapi/records.h:
   bool_t xdr_<Record>(XDR *xdrs, <Record> *objp), usable wherever the RPC
   library takes an xdrproc_t (clnt_call, svc_getargs, xdr_free). */
#ifndef VAPI_CODECS_H
#define VAPI_CODECS_H

#include <rpc/rpc.h>

#include "vapi/records.h"
#include "vapi/xdrstr.h"

#ifdef __cplusplus
extern "C" {
#endif
#pragma GCC visibility push(default)

#define VAPI_DECLARE_CODEC(R) bool_t xdr_##R(XDR *xdrs, R *objp);
VAPI_SHARED_RECORDS(VAPI_DECLARE_CODEC)
VAPI_PROC_RECORDS(VAPI_DECLARE_CODEC)
#undef VAPI_DECLARE_CODEC

#pragma GCC visibility pop
#ifdef __cplusplus
}
#endif

#endif
