/* Allocation, deep copy and release of the API records, the property-list
 * builder and the heap and string primitives they rest on.
 *
 * Ownership: every copy is a fresh heap allocation owned by the caller, made
 * with the C library's malloc family, so V_Realloc / V_Free of the support
 * library work on it too. Every release function takes a pointer, accepts
 * null, frees what the record owns, leaves it empty (count 0, null array,
 * null strings) and never frees the record itself, so releasing twice is
 * harmless. A list whose `items` is null is empty whatever its count.
 *
 * Allocation failure: a string copy yields null; a list copy yields a null
 * array (which every consumer treats as empty). */
#ifndef VAPI_APISTRUCT_H
#define VAPI_APISTRUCT_H

#include <stddef.h>
#include <stdint.h>

#include "vapi/records.h"

#ifdef __cplusplus
extern "C" {
#endif
#pragma GCC visibility push(default)

/* ---- Heap ---------------------------------------------------------------- */

void *VapiMalloc(size_t size);
void *VapiCalloc(size_t count, size_t size);
/* A null ptr allocates. */
void *VapiRealloc(void *ptr, size_t size);
void V_ApiFree(void *ptr);

/* ---- Strings (null counts as "") ----------------------------------------- */

uint32_t V_ApiStringLen(const char *s);
/* A fresh copy; null gives a fresh ""; null only when out of memory. */
char *V_ApiCopyString(const char *s);
/* Frees *s and nulls it; a null s is ignored. */
void V_ApiDeallocateString(char **s);

/* ---- Typed values and property lists ------------------------------------- */

/* Status of V_ApiGetPropIndex when nothing matches. */
#define V_API_NOT_FOUND (-4)
/* VA_errno of V_ApiCheckStatus when the list has no status entry. */
#define V_API_NO_STATUS (-5)
/* VA_errno when a property list cannot be allocated or grown. */
#define V_API_NO_MEMORY (-42)

V_TypedValT V_ApiCopyVal(const V_TypedValT *val);
void V_ApiDeallocateVal(V_TypedValT *val);

V_PropValT V_ApiCopyPropVal(const V_PropValT *pv);
void V_ApiDeallocatePropVal(V_PropValT *pv);

/* n zero-filled entries (number 0, name null, type 0). */
V_PropValsT V_ApiAllocatePropVals(uint32_t n);
V_PropValsT V_ApiCopyPropVals(const V_PropValsT *pvs);
void V_ApiDeallocatePropVals(V_PropValsT *pvs);

/* Index of the first entry with that number, or V_API_NOT_FOUND. */
int32_t V_ApiGetPropIndex(const V_PropValsT *pvs, int32_t propNum);

/* Sets property propNum of a caller-owned list to a deep copy of *val,
 * replacing (and releasing) an entry with that number or appending one.
 * The array is resized in place: pointers into it may become invalid.
 * When it cannot grow the list is left unchanged and VA_errno is set to
 * V_API_NO_MEMORY. */
void V_ApiAppendVal(V_PropValsT *pvs, int32_t propNum, const V_TypedValT *val);
void V_ApiAppendIntProp(V_PropValsT *pvs, int32_t propNum, int32_t value);
void V_ApiAppendMetricProp(V_PropValsT *pvs, int32_t propNum, int32_t metric);
void V_ApiAppendStringProp(V_PropValsT *pvs, int32_t propNum, const char *s);
void V_ApiAppendStringsProp(V_PropValsT *pvs, int32_t propNum, const V_StringsT *strings);

/* Tests one bit of the status words of a return-parameter list (entry 3,
 * else entry 1): the bit's mask when set, 0 when clear. 0 with VA_errno set
 * to V_API_NO_STATUS when there is no status entry, to V_API_NOT_FOUND when
 * the bit lies beyond the status words. */
uint32_t V_ApiCheckStatus(const V_PropValsT *pvs, int32_t bit);

/* ---- Other lists: copy and release ---------------------------------------- */

V_StringsT V_ApiCopyStrings(const V_StringsT *src);
void V_ApiDeallocateStrings(V_StringsT *list);
V_UBytesT V_ApiCopyUBytes(const V_UBytesT *src);
void V_ApiDeallocateUBytes(V_UBytesT *list);
V_MetricsT V_ApiCopyMetrics(const V_MetricsT *src);
void V_ApiDeallocateMetrics(V_MetricsT *list);
V_IntsT V_ApiCopyInts(const V_IntsT *src);
void V_ApiDeallocateInts(V_IntsT *list);
V_UIntsT V_ApiCopyUInts(const V_UIntsT *src);
void V_ApiDeallocateUInts(V_UIntsT *list);
V_PointsT V_ApiCopyPoints(const V_PointsT *src);
void V_ApiDeallocatePoints(V_PointsT *list);
V_ElementCatalogEntriesT V_ApiCopyElementCatalogEntries(const V_ElementCatalogEntriesT *src);
void V_ApiDeallocateElementCatalogEntries(V_ElementCatalogEntriesT *list);
V_FontsT V_ApiCopyFonts(const V_FontsT *src);
void V_ApiDeallocateFonts(V_FontsT *list);
V_CombinedFontsT V_ApiCopyCombinedFonts(const V_CombinedFontsT *src);
void V_ApiDeallocateCombinedFonts(V_CombinedFontsT *list);

V_TabT V_ApiCopyTab(const V_TabT *src);
void V_ApiDeallocateTab(V_TabT *tab);
V_TabsT V_ApiCopyTabs(const V_TabsT *src);
void V_ApiDeallocateTabs(V_TabsT *list);

V_AttributeT V_ApiCopyAttribute(const V_AttributeT *src);
void V_ApiDeallocateAttribute(V_AttributeT *attr);
V_AttributesT V_ApiCopyAttributes(const V_AttributesT *src);
void V_ApiDeallocateAttributes(V_AttributesT *list);

V_AttributeDefT V_ApiCopyAttributeDef(const V_AttributeDefT *src);
void V_ApiDeallocateAttributeDef(V_AttributeDefT *def);
V_AttributeDefsT V_ApiCopyAttributeDefs(const V_AttributeDefsT *src);
void V_ApiDeallocateAttributeDefs(V_AttributeDefsT *list);

/* ---- Text items ----------------------------------------------------------- */

/* n zero-filled items; at least one is allocated, so n = 0 gives count 0
   with a one-item array. */
TextItemsT V_ApiAllocateTextItems(uint32_t n);
/* A null item copies as offset 0, text item (type 1), null string. */
TextItemT V_ApiCopyTextItem(const TextItemT *item);
/* item must not be null. */
void V_ApiDeallocateTextItem(TextItemT *item);
TextItemsT V_ApiCopyTextItems(const TextItemsT *src);
void V_ApiDeallocateTextItems(TextItemsT *list);

/* ---- Filter arguments ------------------------------------------------------ */

/* Pieces of a packed argument text, separated by this byte. */
#define V_FILTER_ARG_SEPARATOR 30

/* The first six pieces, then every further one in `more`. */
typedef struct VdeApiFilterArgsT {
    StringT args[6];
    V_StringsT more;
} VdeApiFilterArgsT;

/* A new record (free it with V_Free after VdeApiDeallocateFilterArgs);
   null when the record itself cannot be allocated, or when it would take
   more than V_MAX_BLOCK bytes of the heap in all. A piece that cannot be
   copied stays null in its place. */
VdeApiFilterArgsT *VdeApiExpandFilterArgs(const char *packed);
void VdeApiDeallocateFilterArgs(VdeApiFilterArgsT *fa);

#pragma GCC visibility pop
#ifdef __cplusplus
}
#endif

#endif
