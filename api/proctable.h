// The host's procedure table as data, derived from VAPI_PROCEDURES: what a
// host's generic dispatcher, the tests and the fuzzers look procedures up in.
// Internal to the kit's build; clients call the stubs instead.
#ifndef VAPI_PROCTABLE_H
#define VAPI_PROCTABLE_H

#include <stdint.h>

#include "vapi/procs.h"

#ifdef __cplusplus
extern "C" {
#endif

/* One row of the procedure table. Sizes are those of the records in memory;
   a void argument or result counts one byte. The codecs are meant to be run
   by the RPC library (clnt_call, svc_getargs, svc_sendreply, xdr_free):
   calling one through the variadic xdrproc_t type from our own code is a
   call through a mismatched function type. */
typedef struct ApiProcT {
    uint32_t num;
    const char *stubName;
    xdrproc_t argCodec;
    xdrproc_t resCodec;
    const char *argType; /* "int", "void", "StringT" or the record name */
    const char *resType;
    uint32_t argSize;
    uint32_t resSize;
} ApiProcT;

/* All procedures, in ascending number. */
extern const ApiProcT api_procs[];
extern const uint32_t api_proc_count;

/* The row of a procedure number, or null when no such procedure exists. */
const ApiProcT *api_proc_find(uint32_t num);


#ifdef __cplusplus
}
#endif

#endif
