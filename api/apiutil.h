// Helpers of the record utilities and the simple document operations that
// their own files share; not part of what a client sees.
#ifndef VAPI_APIUTIL_H
#define VAPI_APIUTIL_H

#include <stdint.h>

#include "vapi/records.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Takes the address of a pointer variable: frees it (if set), nulls it. */
void api_free(void *pointerAddress);
/* dst must hold V_ApiStringLen(src) + 1 bytes; returns dst. */
char *strCpy(char *dst, const char *src);
/* Appends s (taking ownership) to a list grown 16 entries at a time; when
   the list cannot grow, s is not appended and stays the caller's. Returns
   1 when appended, 0 otherwise. */
int32_t addfstr(V_StringsT *list, StringT s);

/* The fixed lists behind the simple calls: new document (29 = 1), open (16
   entries, then 29 = extra when extra is not 0) and save. */
V_PropValsT initializeNewPropList(void);
V_PropValsT initializeOpenPropList(int32_t extra);
V_PropValsT initializeSavePropList(void);

#ifdef __cplusplus
}
#endif

#endif
