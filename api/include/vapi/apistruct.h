/** @file
 * Allocation, deep copy and release of the API records, the property-list
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

/** @name Heap */
/** @{ */

/** malloc(size): memory that V_ApiFree(), free() and V_Free() release alike. */
void *VapiMalloc(size_t size);
/** calloc(count, size), zero-filled; released as VapiMalloc()'s. */
void *VapiCalloc(size_t count, size_t size);
/** A null ptr allocates. */
void *VapiRealloc(void *ptr, size_t size);
/** free(ptr); null is harmless. */
void V_ApiFree(void *ptr);

/** @} */
/** @name Strings (null counts as "") */
/** @{ */

/** The bytes of s before its terminating zero; 0 for null. */
uint32_t V_ApiStringLen(const char *s);
/** A fresh copy; null gives a fresh ""; null only when out of memory. */
char *V_ApiCopyString(const char *s);
/** Frees *s and nulls it; a null s is ignored. */
void V_ApiDeallocateString(char **s);

/** @} */
/** @name Typed values and property lists */
/** @{ */

/** Status of V_ApiGetPropIndex when nothing matches. */
#define V_API_NOT_FOUND (-4)
/** VA_errno of V_ApiCheckStatus when the list has no status entry. */
#define V_API_NO_STATUS (-5)
/** VA_errno when a property list cannot be allocated or grown. */
#define V_API_NO_MEMORY (-42)

/** A deep copy of *src, the caller's to release with V_ApiDeallocateVal();
   null copies as the empty typed value. */
V_TypedValT V_ApiCopyVal(const V_TypedValT *val);
/** Frees what the typed value holds and leaves it empty (not the record
   itself); null and empty ones are harmless. */
void V_ApiDeallocateVal(V_TypedValT *val);

/** A deep copy of *src, the caller's to release with
   V_ApiDeallocatePropVal(); null copies as the empty property. */
V_PropValT V_ApiCopyPropVal(const V_PropValT *pv);
/** Frees what the property holds and leaves it empty (not the record itself);
   null and empty ones are harmless. */
void V_ApiDeallocatePropVal(V_PropValT *pv);

/** n zero-filled entries (number 0, name null, type 0). */
V_PropValsT V_ApiAllocatePropVals(uint32_t n);
/** A deep copy of *src, the caller's to release with
   V_ApiDeallocatePropVals(); null copies as the empty property list. */
V_PropValsT V_ApiCopyPropVals(const V_PropValsT *pvs);
/** Frees what the property list holds and leaves it empty (not the record
   itself); null and empty ones are harmless. */
void V_ApiDeallocatePropVals(V_PropValsT *pvs);

/** Index of the first entry with that number, or V_API_NOT_FOUND. */
int32_t V_ApiGetPropIndex(const V_PropValsT *pvs, int32_t propNum);

/** Sets property propNum of a caller-owned list to a deep copy of *val,
 * replacing (and releasing) an entry with that number or appending one.
 * The array is resized in place: pointers into it may become invalid.
 * When it cannot grow the list is left unchanged and VA_errno is set to
 * V_API_NO_MEMORY. */
void V_ApiAppendVal(V_PropValsT *pvs, int32_t propNum, const V_TypedValT *val);
/** V_ApiAppendVal() with an integer value. */
void V_ApiAppendIntProp(V_PropValsT *pvs, int32_t propNum, int32_t value);
/** V_ApiAppendVal() with a metric value. */
void V_ApiAppendMetricProp(V_PropValsT *pvs, int32_t propNum, int32_t metric);
/** V_ApiAppendVal() with a string value (copied). */
void V_ApiAppendStringProp(V_PropValsT *pvs, int32_t propNum, const char *s);
/** V_ApiAppendVal() with a string-list value (copied). */
void V_ApiAppendStringsProp(V_PropValsT *pvs, int32_t propNum, const V_StringsT *strings);

/** Tests one bit of the status words of a return-parameter list (entry 3,
 * else entry 1): the bit's mask when set, 0 when clear. 0 with VA_errno set
 * to V_API_NO_STATUS when there is no status entry, to V_API_NOT_FOUND when
 * the bit lies beyond the status words. */
uint32_t V_ApiCheckStatus(const V_PropValsT *pvs, int32_t bit);

/** @} */
/** @name Other lists: copy and release */
/** @{ */

/** A deep copy of *src, the caller's to release with
   V_ApiDeallocateStrings(); null copies as the empty string list. */
V_StringsT V_ApiCopyStrings(const V_StringsT *src);
/** Frees what the string list holds and leaves it empty (not the record
   itself); null and empty ones are harmless. */
void V_ApiDeallocateStrings(V_StringsT *list);
/** A deep copy of *src, the caller's to release with V_ApiDeallocateUBytes();
   null copies as the empty byte list. */
V_UBytesT V_ApiCopyUBytes(const V_UBytesT *src);
/** Frees what the byte list holds and leaves it empty (not the record
   itself); null and empty ones are harmless. */
void V_ApiDeallocateUBytes(V_UBytesT *list);
/** A deep copy of *src, the caller's to release with
   V_ApiDeallocateMetrics(); null copies as the empty metric list. */
V_MetricsT V_ApiCopyMetrics(const V_MetricsT *src);
/** Frees what the metric list holds and leaves it empty (not the record
   itself); null and empty ones are harmless. */
void V_ApiDeallocateMetrics(V_MetricsT *list);
/** A deep copy of *src, the caller's to release with V_ApiDeallocateInts();
   null copies as the empty integer list. */
V_IntsT V_ApiCopyInts(const V_IntsT *src);
/** Frees what the integer list holds and leaves it empty (not the record
   itself); null and empty ones are harmless. */
void V_ApiDeallocateInts(V_IntsT *list);
/** A deep copy of *src, the caller's to release with V_ApiDeallocateUInts();
   null copies as the empty unsigned list. */
V_UIntsT V_ApiCopyUInts(const V_UIntsT *src);
/** Frees what the unsigned list holds and leaves it empty (not the record
   itself); null and empty ones are harmless. */
void V_ApiDeallocateUInts(V_UIntsT *list);
/** A deep copy of *src, the caller's to release with V_ApiDeallocatePoints();
   null copies as the empty point list. */
V_PointsT V_ApiCopyPoints(const V_PointsT *src);
/** Frees what the point list holds and leaves it empty (not the record
   itself); null and empty ones are harmless. */
void V_ApiDeallocatePoints(V_PointsT *list);
/** A deep copy of *src, the caller's to release with
   V_ApiDeallocateElementCatalogEntries(); null copies as the empty element
   catalogue. */
V_ElementCatalogEntriesT V_ApiCopyElementCatalogEntries(const V_ElementCatalogEntriesT *src);
/** Frees what the element catalogue holds and leaves it empty (not the record
   itself); null and empty ones are harmless. */
void V_ApiDeallocateElementCatalogEntries(V_ElementCatalogEntriesT *list);
/** A deep copy of *src, the caller's to release with V_ApiDeallocateFonts();
   null copies as the empty font list. */
V_FontsT V_ApiCopyFonts(const V_FontsT *src);
/** Frees what the font list holds and leaves it empty (not the record
   itself); null and empty ones are harmless. */
void V_ApiDeallocateFonts(V_FontsT *list);
/** A deep copy of *src, the caller's to release with
   V_ApiDeallocateCombinedFonts(); null copies as the empty combined-font
   list. */
V_CombinedFontsT V_ApiCopyCombinedFonts(const V_CombinedFontsT *src);
/** Frees what the combined-font list holds and leaves it empty (not the
   record itself); null and empty ones are harmless. */
void V_ApiDeallocateCombinedFonts(V_CombinedFontsT *list);

/** A deep copy of *src, the caller's to release with V_ApiDeallocateTab();
   null copies as the empty tab stop. */
V_TabT V_ApiCopyTab(const V_TabT *src);
/** Frees what the tab stop holds and leaves it empty (not the record itself);
   null and empty ones are harmless. */
void V_ApiDeallocateTab(V_TabT *tab);
/** A deep copy of *src, the caller's to release with V_ApiDeallocateTabs();
   null copies as the empty tab-stop list. */
V_TabsT V_ApiCopyTabs(const V_TabsT *src);
/** Frees what the tab-stop list holds and leaves it empty (not the record
   itself); null and empty ones are harmless. */
void V_ApiDeallocateTabs(V_TabsT *list);

/** A deep copy of *src, the caller's to release with
   V_ApiDeallocateAttribute(); null copies as the empty attribute. */
V_AttributeT V_ApiCopyAttribute(const V_AttributeT *src);
/** Frees what the attribute holds and leaves it empty (not the record
   itself); null and empty ones are harmless. */
void V_ApiDeallocateAttribute(V_AttributeT *attr);
/** A deep copy of *src, the caller's to release with
   V_ApiDeallocateAttributes(); null copies as the empty attribute list. */
V_AttributesT V_ApiCopyAttributes(const V_AttributesT *src);
/** Frees what the attribute list holds and leaves it empty (not the record
   itself); null and empty ones are harmless. */
void V_ApiDeallocateAttributes(V_AttributesT *list);

/** A deep copy of *src, the caller's to release with
   V_ApiDeallocateAttributeDef(); null copies as the empty attribute
   definition. */
V_AttributeDefT V_ApiCopyAttributeDef(const V_AttributeDefT *src);
/** Frees what the attribute definition holds and leaves it empty (not the
   record itself); null and empty ones are harmless. */
void V_ApiDeallocateAttributeDef(V_AttributeDefT *def);
/** A deep copy of *src, the caller's to release with
   V_ApiDeallocateAttributeDefs(); null copies as the empty
   attribute-definition list. */
V_AttributeDefsT V_ApiCopyAttributeDefs(const V_AttributeDefsT *src);
/** Frees what the attribute-definition list holds and leaves it empty (not
   the record itself); null and empty ones are harmless. */
void V_ApiDeallocateAttributeDefs(V_AttributeDefsT *list);

/** @} */
/** @name Text items */
/** @{ */

/** n zero-filled items; at least one is allocated, so n = 0 gives count 0
   with a one-item array. */
TextItemsT V_ApiAllocateTextItems(uint32_t n);
/** A null item copies as offset 0, text item (type 1), null string. */
TextItemT V_ApiCopyTextItem(const TextItemT *item);
/** item must not be null. */
void V_ApiDeallocateTextItem(TextItemT *item);
/** A deep copy of *src, the caller's to release with
   V_ApiDeallocateTextItems(); null copies as the empty text-item list. */
TextItemsT V_ApiCopyTextItems(const TextItemsT *src);
/** Frees what the text-item list holds and leaves it empty (not the record
   itself); null and empty ones are harmless. */
void V_ApiDeallocateTextItems(TextItemsT *list);

/** @} */
/** @name Filter arguments */
/** @{ */

/** Pieces of a packed argument text, separated by this byte. */
#define V_FILTER_ARG_SEPARATOR 30

/** The first six pieces, then every further one in `more`. */
typedef struct VdeApiFilterArgsT {
    StringT args[6]; /**< The first six pieces; null for those missing. */
    V_StringsT more; /**< Every further piece. */
} VdeApiFilterArgsT;

/** A new record (free it with V_Free after VdeApiDeallocateFilterArgs);
   null when the record itself cannot be allocated, or when it would take
   more than V_MAX_BLOCK bytes of the heap in all. A piece that cannot be
   copied stays null in its place. */
VdeApiFilterArgsT *VdeApiExpandFilterArgs(const char *packed);
/** Frees what *fa holds and leaves it empty (not the record itself); null is
   harmless. */
void VdeApiDeallocateFilterArgs(VdeApiFilterArgsT *fa);

/** @} */

#pragma GCC visibility pop
#ifdef __cplusplus
}
#endif

#endif
