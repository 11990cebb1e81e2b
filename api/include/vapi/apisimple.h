/** @file
 * One-call open, new-document and save, and the default parameter lists of
 * the host's document operations.
 *
 * Every list returned here is a fresh V_PropValsT owned by the caller, to be
 * adjusted with V_ApiAppendVal and friends and released with
 * V_ApiDeallocatePropVals. A list that cannot be allocated comes back empty
 * (count 0, null array). */
#ifndef VAPI_APISIMPLE_H
#define VAPI_APISIMPLE_H

#include <stdint.h>

#include "vapi/records.h"

#ifdef __cplusplus
extern "C" {
#endif
#pragma GCC visibility push(default)

/** New document from a template; interactive lets the host ask the user.
   The id of the new document, 0 on failure (VA_errno says why; -42 when the
   parameters could not be allocated). */
uint32_t V_ApiSimpleNewDoc(const char *templateName, int32_t interactive);
/** The id of the opened document, 0 on failure. */
uint32_t V_ApiSimpleOpen(const char *fileName, int32_t interactive);
/** What V_ApiSave returns; 0 with VA_errno -42 when out of memory. */
uint32_t V_ApiSimpleSave(uint32_t docId, const char *saveAsName, int32_t interactive);

/** The default parameters of V_ApiOpen(): a new list, the caller's. */
V_PropValsT V_ApiGetOpenDefaultParams(void);
/** The default parameters of V_ApiSave(): a new list, the caller's. */
V_PropValsT V_ApiGetSaveDefaultParams(void);
/** The default parameters of V_ApiImport(): a new list, the caller's. */
V_PropValsT V_ApiGetImportDefaultParams(void);
/** The default parameters of V_ApiExport(): a new list, the caller's. */
V_PropValsT V_ApiGetExportDefaultParams(void);
/** The default parameters of V_ApiUpdateBook(): a new list, the caller's. */
V_PropValsT V_ApiGetUpdateBookDefaultParams(void);
/** The default parameters of V_ApiSpell(): a new list, the caller's. */
V_PropValsT V_ApiGetSpellDefaultParams(void);

#pragma GCC visibility pop
#ifdef __cplusplus
}
#endif

#endif
