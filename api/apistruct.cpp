// Deep copy and release of the API records, the property-list builder and
// the filter-argument splitter.
//
// Every list record is a `count` and an `items` array, so one template pair
// (copyList / releaseList) serves all of them; what differs is only how an
// element is copied and released, which the copyElem / releaseElem
// overloads say once per element type.
#include "vapi/apistruct.h"

#include "vapi/runtime.h"
#include "vsupport/memory.h"
#include "apiutil.h"

#include <stdlib.h>
#include <string.h>

#include <tuple>
#include <type_traits>

namespace {

// What a block of `size` bytes takes from the heap: its header, the
// rounding to 16 bytes and the smallest block included.
size_t heapCost(size_t size)
{
    size_t block = (size + sizeof(size_t) + 15) & ~(size_t)15;
    return block < 32 ? 32 : block;
}

template <class L>
using Elem = std::remove_pointer_t<decltype(L::items)>;

// Elements without pointers: copied byte for byte, nothing to release.
template <class E>
struct IsFlat : std::false_type {};
template <> struct IsFlat<int32_t> : std::true_type {};
template <> struct IsFlat<uint32_t> : std::true_type {};
template <> struct IsFlat<uint8_t> : std::true_type {};
template <> struct IsFlat<V_PointT> : std::true_type {};
template <> struct IsFlat<V_ElementCatalogEntryT> : std::true_type {};
template <> struct IsFlat<V_FontT> : std::true_type {};
template <> struct IsFlat<V_CombinedFontT> : std::true_type {};
template <> struct IsFlat<V_TextLocT> : std::true_type {};
template <> struct IsFlat<V_TextRangeT> : std::true_type {};

template <class E, std::enable_if_t<IsFlat<E>::value, int> = 0>
E copyElem(const E &e) { return e; }
template <class E, std::enable_if_t<IsFlat<E>::value, int> = 0>
void releaseElem(E &) {}

StringT copyElem(const StringT &s) { return V_ApiCopyString(s); }
void releaseElem(StringT &s) { V_ApiDeallocateString(&s); }

// Nested lists (defined with copyList below).
template <class L, class = decltype(L::items)>
L copyElem(const L &list);
template <class L, class = decltype(L::items)>
void releaseElem(L &list);

// The fields of each deep record that own memory; copy and release both
// walk these, so each record's ownership is stated once.
auto owned(V_TabT &r) { return std::tie(r.leader); }
auto owned(V_AttributeT &r) { return std::tie(r.name, r.values); }
auto owned(V_AttributeDefT &r) { return std::tie(r.name, r.strings1, r.strings2, r.text1, r.text2); }

// Plain fields copied, owned ones duplicated.
template <class R>
R copyDeep(const R *src)
{
    R out{};
    if (!src)
        return out;
    out = *src;  // owned fields still point at the source's: copy from there
    std::apply([](auto &...field) { ((field = copyElem(field)), ...); }, owned(out));
    return out;
}

template <class R>
void releaseDeep(R *r)
{
    if (r)
        std::apply([](auto &...field) { (releaseElem(field), ...); }, owned(*r));
}

V_TabT copyElem(const V_TabT &e) { return V_ApiCopyTab(&e); }
void releaseElem(V_TabT &e) { V_ApiDeallocateTab(&e); }
V_AttributeT copyElem(const V_AttributeT &e) { return V_ApiCopyAttribute(&e); }
void releaseElem(V_AttributeT &e) { V_ApiDeallocateAttribute(&e); }
V_AttributeDefT copyElem(const V_AttributeDefT &e) { return V_ApiCopyAttributeDef(&e); }
void releaseElem(V_AttributeDefT &e) { V_ApiDeallocateAttributeDef(&e); }
TextItemT copyElem(const TextItemT &e) { return V_ApiCopyTextItem(&e); }
void releaseElem(TextItemT &e) { V_ApiDeallocateTextItem(&e); }
V_PropValT copyElem(const V_PropValT &e) { return V_ApiCopyPropVal(&e); }
void releaseElem(V_PropValT &e) { V_ApiDeallocatePropVal(&e); }

// `slots` zero-filled elements (none for 0); the count is the caller's.
template <class L>
Elem<L> *allocItems(size_t slots)
{
    return slots ? static_cast<Elem<L> *>(VapiCalloc(slots, sizeof(Elem<L>))) : nullptr;
}

template <class L>
void copyItems(L &out, const L &src)
{
    if (out.items && src.items)
        for (uint32_t i = 0; i < src.count; i++)
            out.items[i] = copyElem(src.items[i]);
}

// The common list copy: the source's count, a zero-filled array for it
// (left zero when the source has none), a null array when out of memory.
template <class L>
L copyList(const L *src)
{
    L out{};
    if (!src)
        return out;
    out.count = src->count;
    out.items = allocItems<L>(src->count);
    copyItems(out, *src);
    return out;
}

template <class L>
void releaseList(L *list)
{
    if (!list)
        return;
    if (list->items) {
        for (uint32_t i = 0; i < list->count; i++)
            releaseElem(list->items[i]);
        free(list->items);
        list->items = nullptr;
    }
    list->count = 0;
}

// Lists copied by their allocate function: no array in the source means
// nothing to copy, and a failed allocation leaves count 0.
template <class L>
L copyCounted(const L *src, L (*allocate)(uint32_t))
{
    uint32_t n = (src && src->items) ? src->count : 0;
    L out = allocate(n);
    if (out.items && src)
        copyItems(out, *src);
    return out;
}

using ValUnion = decltype(V_TypedValT::value);

// A value of that type with every value word 0.
V_TypedValT typedValue(int32_t typeCode)
{
    V_TypedValT val;
    memset(&val, 0, sizeof val);
    val.typeCode = typeCode;
    return val;
}

// Calls f with the union member that `code` selects; not at all for codes
// that carry nothing (the value words of such a copy stay 0).
template <class F>
void withArm(int32_t code, F &&f)
{
    switch (code) {
    case 1: case 2: case 4: case 11: case 16: f(&ValUnion::intVal); break;
    case V_TYPE_STRING: f(&ValUnion::stringVal); break;
    case V_TYPE_METRICS: f(&ValUnion::metricsVal); break;
    case V_TYPE_STRINGS: f(&ValUnion::stringsVal); break;
    case V_TYPE_POINTS: f(&ValUnion::pointsVal); break;
    case V_TYPE_TABS: f(&ValUnion::tabsVal); break;
    case V_TYPE_TEXTLOC: f(&ValUnion::textLocVal); break;
    case V_TYPE_TEXTRANGE: f(&ValUnion::textRangeVal); break;
    case V_TYPE_ELEMCATALOG: f(&ValUnion::catalogVal); break;
    case V_TYPE_INTS: f(&ValUnion::intsVal); break;
    case V_TYPE_UBYTES: f(&ValUnion::ubytesVal); break;
    case V_TYPE_UINTS: f(&ValUnion::uintsVal); break;
    case V_TYPE_ATTRDEFS: f(&ValUnion::attrDefsVal); break;
    case V_TYPE_ATTRIBUTES: f(&ValUnion::attributesVal); break;
    case V_TYPE_ELEMRANGE: f(&ValUnion::elemRangeVal); break;
    default: break;
    }
}

template <class L, class>
L copyElem(const L &list) { return copyList(&list); }
template <class L, class>
void releaseElem(L &list) { releaseList(&list); }
// The one optional record of a typed value. Out of memory its copy can only
// be "no range", the value's own empty state.
V_ElementRangeT *copyElem(V_ElementRangeT *const &r)
{
    auto *copy = r ? static_cast<V_ElementRangeT *>(VapiMalloc(sizeof *r)) : nullptr;
    if (copy)
        *copy = *r;
    return copy;
}
void releaseElem(V_ElementRangeT *&r) { api_free(&r); }

}  // namespace

extern "C" {

// ---- Lists with the common copy ------------------------------------------

#define VAPI_LIST_FUNCS(Name, L) \
    L V_ApiCopy##Name(const L *src) { return copyList(src); } \
    void V_ApiDeallocate##Name(L *list) { releaseList(list); }
VAPI_LIST_FUNCS(Strings, V_StringsT)
VAPI_LIST_FUNCS(UBytes, V_UBytesT)
VAPI_LIST_FUNCS(Metrics, V_MetricsT)
VAPI_LIST_FUNCS(Ints, V_IntsT)
VAPI_LIST_FUNCS(UInts, V_UIntsT)
VAPI_LIST_FUNCS(Points, V_PointsT)
VAPI_LIST_FUNCS(ElementCatalogEntries, V_ElementCatalogEntriesT)
VAPI_LIST_FUNCS(Fonts, V_FontsT)
VAPI_LIST_FUNCS(CombinedFonts, V_CombinedFontsT)
VAPI_LIST_FUNCS(Tabs, V_TabsT)
VAPI_LIST_FUNCS(Attributes, V_AttributesT)
VAPI_LIST_FUNCS(AttributeDefs, V_AttributeDefsT)
#undef VAPI_LIST_FUNCS

// ---- Deep elements ---------------------------------------------------------

V_TabT V_ApiCopyTab(const V_TabT *src) { return copyDeep(src); }
void V_ApiDeallocateTab(V_TabT *tab) { releaseDeep(tab); }
V_AttributeT V_ApiCopyAttribute(const V_AttributeT *src) { return copyDeep(src); }
void V_ApiDeallocateAttribute(V_AttributeT *attr) { releaseDeep(attr); }
V_AttributeDefT V_ApiCopyAttributeDef(const V_AttributeDefT *src) { return copyDeep(src); }
void V_ApiDeallocateAttributeDef(V_AttributeDefT *def) { releaseDeep(def); }

// ---- Text items ------------------------------------------------------------

TextItemsT V_ApiAllocateTextItems(uint32_t n)
{
    TextItemsT out{};
    // Never an empty allocation: callers may write item 0 of an empty list.
    out.items = allocItems<TextItemsT>(n ? n : 1);
    if (out.items)
        out.count = n;
    return out;
}

TextItemT V_ApiCopyTextItem(const TextItemT *item)
{
    TextItemT out{};
    if (!item) {
        out.data.dataType = 1;
        return out;
    }
    out = *item;
    if (item->data.dataType == 1)
        out.data.text = V_ApiCopyString(item->data.text);
    return out;
}

void V_ApiDeallocateTextItem(TextItemT *item)
{
    if (item && item->data.dataType == 1)
        V_ApiDeallocateString(&item->data.text);
}

TextItemsT V_ApiCopyTextItems(const TextItemsT *src)
{
    return copyCounted(src, V_ApiAllocateTextItems);
}

void V_ApiDeallocateTextItems(TextItemsT *list) { releaseList(list); }

// ---- Typed values and property lists ----------------------------------------

V_TypedValT V_ApiCopyVal(const V_TypedValT *val)
{
    if (!val)
        return typedValue(0);
    // Built on a zeroed value: the words the type does not use must read 0.
    V_TypedValT out = typedValue(val->typeCode);
    withArm(val->typeCode, [&](auto arm) { out.value.*arm = copyElem(val->value.*arm); });
    return out;
}

void V_ApiDeallocateVal(V_TypedValT *val)
{
    if (val)
        withArm(val->typeCode, [&](auto arm) { releaseElem(val->value.*arm); });
}

V_PropValT V_ApiCopyPropVal(const V_PropValT *pv)
{
    V_PropValT out;
    memset(&out, 0, sizeof out);
    if (!pv) {
        out.value.typeCode = 1;
        return out;
    }
    out.ident.propNum = pv->ident.propNum;
    if (pv->ident.propName)
        out.ident.propName = V_ApiCopyString(pv->ident.propName);
    out.value = V_ApiCopyVal(&pv->value);
    return out;
}

void V_ApiDeallocatePropVal(V_PropValT *pv)
{
    if (!pv)
        return;
    V_ApiDeallocateString(&pv->ident.propName);
    V_ApiDeallocateVal(&pv->value);
}

V_PropValsT V_ApiAllocatePropVals(uint32_t n)
{
    V_PropValsT out{};
    out.items = allocItems<V_PropValsT>(n);
    if (out.items)
        out.count = n;
    return out;
}

V_PropValsT V_ApiCopyPropVals(const V_PropValsT *pvs)
{
    return copyCounted(pvs, V_ApiAllocatePropVals);
}

void V_ApiDeallocatePropVals(V_PropValsT *pvs) { releaseList(pvs); }

int32_t V_ApiGetPropIndex(const V_PropValsT *pvs, int32_t propNum)
{
    if (!pvs || !pvs->items)
        return V_API_NOT_FOUND;
    for (uint32_t i = 0; i < pvs->count && i <= INT32_MAX; i++)
        if (pvs->items[i].ident.propNum == propNum)
            return (int32_t)i;
    return V_API_NOT_FOUND;
}

// Entries the array holds after appending to a list of n: 8, then 16,
// doubling, always more than n.
static size_t appendCapacity(size_t n)
{
    if (n < 8)
        return 8;
    size_t capacity = 16;
    while (capacity <= n)
        capacity *= 2;
    return capacity;
}

void V_ApiAppendVal(V_PropValsT *pvs, int32_t propNum, const V_TypedValT *val)
{
    if (!pvs)
        return;
    // Copy first: val may point into this very list, whose entry is about
    // to be released or whose array is about to move.
    V_TypedValT copy = V_ApiCopyVal(val);
    V_PropValT *entry;
    int32_t index = V_ApiGetPropIndex(pvs, propNum);
    if (index >= 0) {
        entry = &pvs->items[index];
        V_ApiDeallocatePropVal(entry);
    } else {
        uint32_t n = pvs->items ? pvs->count : 0;
        size_t capacity = appendCapacity(n);
        void *grown = n < UINT32_MAX ? VapiRealloc(pvs->items, capacity * sizeof(V_PropValT)) : nullptr;
        if (!grown) {
            V_ApiDeallocateVal(&copy);
            VA_errno = V_API_NO_MEMORY;
            return;
        }
        pvs->items = static_cast<V_PropValT *>(grown);
        pvs->count = n + 1;
        entry = &pvs->items[n];
    }
    entry->ident.propNum = propNum;
    entry->ident.propName = nullptr;
    entry->value = copy;
}

void V_ApiAppendIntProp(V_PropValsT *pvs, int32_t propNum, int32_t value)
{
    V_TypedValT val = typedValue(1);
    val.value.intVal = value;
    V_ApiAppendVal(pvs, propNum, &val);
}

void V_ApiAppendMetricProp(V_PropValsT *pvs, int32_t propNum, int32_t metric)
{
    V_TypedValT val = typedValue(2);
    val.value.intVal = metric;
    V_ApiAppendVal(pvs, propNum, &val);
}

void V_ApiAppendStringProp(V_PropValsT *pvs, int32_t propNum, const char *s)
{
    V_TypedValT val = typedValue(V_TYPE_STRING);
    val.value.stringVal = const_cast<char *>(s);  // only read: the list gets a copy
    V_ApiAppendVal(pvs, propNum, &val);
}

void V_ApiAppendStringsProp(V_PropValsT *pvs, int32_t propNum, const V_StringsT *strings)
{
    V_TypedValT val = typedValue(V_TYPE_STRINGS);
    if (strings)
        val.value.stringsVal = *strings;
    V_ApiAppendVal(pvs, propNum, &val);
}

uint32_t V_ApiCheckStatus(const V_PropValsT *pvs, int32_t bit)
{
    int32_t index = V_ApiGetPropIndex(pvs, 3);
    if (index < 0)
        index = V_ApiGetPropIndex(pvs, 1);
    if (index < 0) {
        VA_errno = V_API_NO_STATUS;
        return 0;
    }
    // Only values that are lists of 32-bit words have status words; any
    // other value (a plain integer, a string) has none to test.
    const V_TypedValT &val = pvs->items[index].value;
    V_UIntsT words{};
    if (val.typeCode == V_TYPE_UINTS)
        words = val.value.uintsVal;
    else if (val.typeCode == V_TYPE_INTS || val.typeCode == V_TYPE_METRICS)
        words = {val.value.intsVal.count, reinterpret_cast<uint32_t *>(val.value.intsVal.items)};
    uint64_t available = words.items ? (uint64_t)words.count * 32 : 0;
    if (available <= (uint32_t)bit) {
        VA_errno = V_API_NOT_FOUND;
        return 0;
    }
    return words.items[(uint32_t)bit / 32] & (1u << ((uint32_t)bit % 32));
}

// ---- Filter arguments --------------------------------------------------------

namespace {

// The list's room follows from its count: 16 entries, then doubling. When
// the count reaches the room, addfstr grows the array to the returned
// number of entries; otherwise this returns 0. Doubling keeps a long packed
// text linear in its pieces even on a heap that copies at every resize.
uint32_t roomNeededAt(uint32_t count)
{
    if (count == 0)
        return 16;
    if (count < 16 || (count & (count - 1)) != 0)
        return 0;
    return count <= UINT32_MAX / 2 ? count * 2 : UINT32_MAX;
}

}  // namespace

int32_t addfstr(V_StringsT *list, StringT s)
{
    if (!list)
        return 0;
    if (!list->items)
        list->count = 0;
    if (list->count == UINT32_MAX)
        return 0;
    if (uint32_t room = roomNeededAt(list->count)) {
        auto *grown = static_cast<StringT *>(VapiRealloc(list->items, (size_t)room * sizeof(StringT)));
        if (!grown)
            return 0;
        memset(grown + list->count, 0, (size_t)(room - list->count) * sizeof(StringT));
        list->items = grown;
    }
    list->items[list->count++] = s;
    return 1;
}

VdeApiFilterArgsT *VdeApiExpandFilterArgs(const char *packed)
{
    auto *fa = static_cast<VdeApiFilterArgsT *>(VapiCalloc(1, sizeof(VdeApiFilterArgsT)));
    if (!fa)
        return nullptr;
    const char *s = packed ? packed : "";
    // The record may cost the heap no more than the block limit, counted
    // as the heap counts it: a text of tiny pieces would otherwise take
    // some forty times its length. Past the limit it is as if memory ran
    // out.
    size_t spent = heapCost(sizeof(VdeApiFilterArgsT)), listCost = 0;
    // Pieces are placed by position, so a piece that could not be copied
    // leaves a null in its place instead of shifting the ones after it.
    for (uint32_t piece = 0;; piece++) {
        const char *end = strchr(s, V_FILTER_ARG_SEPARATOR);
        size_t len = end ? (size_t)(end - s) : strlen(s);
        spent += heapCost(len + 1);
        uint32_t room = piece >= 6 ? roomNeededAt(fa->more.count) : 0;
        if (room != 0) {
            size_t grown = heapCost((size_t)room * sizeof(StringT));
            spent += grown - listCost;
            listCost = grown;
        }
        if (spent > V_MAX_BLOCK) {
            VdeApiDeallocateFilterArgs(fa);
            V_ApiFree(fa);
            return nullptr;
        }
        auto *copy = static_cast<char *>(VapiMalloc(len + 1));
        if (copy) {
            memcpy(copy, s, len);
            copy[len] = '\0';
        }
        if (piece < 6)
            fa->args[piece] = copy;
        else if (!addfstr(&fa->more, copy))
            free(copy);
        if (!end)
            break;
        s = end + 1;
    }
    return fa;
}

void VdeApiDeallocateFilterArgs(VdeApiFilterArgsT *fa)
{
    if (!fa)
        return;
    for (StringT &arg : fa->args)
        V_ApiDeallocateString(&arg);
    V_ApiDeallocateStrings(&fa->more);
}

}  // extern "C"
