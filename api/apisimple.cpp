// Ready-made parameter lists of the host's document operations, and the
// one-call open, new-document and save built on them.
//
// Each list is a table of entries; one builder turns any table into a
// V_PropValsT, so the numbers and values stand here once and nowhere else.
#include "vapi/apisimple.h"

#include "vapi/api.h"
#include "vapi/apistruct.h"
#include "vapi/runtime.h"
#include "apiutil.h"

#include <stddef.h>

#include <iterator>

namespace {

struct Entry {
    int32_t num;
    int32_t type;
    int32_t value;     // type 1
    const char *text;  // type 3; null stays a null string
};

constexpr Entry I(int32_t num, int32_t value) { return {num, 1, value, nullptr}; }
constexpr Entry S(int32_t num, const char *text = nullptr) { return {num, V_TYPE_STRING, 0, text}; }
constexpr Entry Range(int32_t num) { return {num, V_TYPE_TEXTRANGE, 0, nullptr}; }  // all words 0

constexpr int32_t kNewDocument = 29;  // of the open parameters: make a new document

const Entry kNewList[] = {I(kNewDocument, 1)};

const Entry kOpenList[] = {
    I(1, 1), I(2, 1), I(14, 4), I(15, 4), I(16, 4), I(17, 4), I(18, 4), I(19, 4),
    I(20, 4), I(21, 4), I(22, 4), I(23, 4), I(28, 4), I(24, 4), I(25, 4), I(4, 1),
};

const Entry kSaveList[] = {I(4, 1), I(5, 0), I(8, 1), I(2, 1)};

const Entry kOpenDefaults[] = {
    I(1, 0), I(5, 1), I(7, 0), I(8, 0), I(33, 0), I(9, 0), I(10, 0), I(11, 0),
    I(13, 0), I(2, 0), I(14, 0), I(15, 0), I(16, 12), I(17, 5), I(18, 0), I(19, 0),
    I(20, 0), I(21, 5), I(22, 0), I(23, 0), I(28, 0), I(24, 0), I(25, 0), I(32, 0),
    I(26, 1), I(27, 0), I(29, 0), I(6, 0), I(30, 0), I(42, 0), I(4, 0), I(3, 0),
    I(12, 0), S(31), I(36, 12), I(35, 12), S(34), I(37, 0), S(38), S(39),
    I(40, 0), I(41, 0),
};

const Entry kSaveDefaults[] = {
    I(1, 0), I(4, 1), I(5, 2), I(6, 2), I(7, 0), I(8, 0), I(10, 0), I(9, 0),
    I(11, 1), I(13, 0666), I(2, 0), I(12, 0), I(3, 0), I(14, 0), S(16), S(18),
    I(17, 0), I(20, 0), I(19, 0), I(21, 0),
};

const Entry kImportDefaults[] = {
    I(1, 0), I(2, 0), I(4, 5), I(5, 0), S(6), I(7, 0), I(8, 0), I(9, 0),
    I(10, 0), I(11, 0), I(12, 0), I(33, 0), I(17, 0), I(13, 1), I(15, 72), I(14, 1),
    I(16, 12), I(18, 1), I(32, 1), I(19, 1), S(20), I(21, 10), I(22, 1), I(23, 1),
    I(24, 1), S(25), I(26, 1), I(27, 0), S(29), I(30, 0), I(28, 1), I(31, 1),
    S(34), I(3, 0), S(35), I(36, 0),
};

const Entry kExportDefaults[] = {
    I(1, 0), I(2, 0), I(3, 0), I(4, 1), Range(6), I(5, 8), I(7, 0), I(8, 0),
    I(9, 0), I(10, 0), I(11, 1), I(13, 0666), I(15, 72), I(12, 1), S(14), S(16),
};

const Entry kUpdateBookDefaults[] = {
    I(1, 1), I(2, 0), I(3, 1), I(6, 1), I(4, 0), I(5, 1), I(7, 1), I(8, 1),
    I(9, 1), I(10, 1), I(11, 1),
};

const Entry kSpellDefaults[] = {
    I(1005, 1), I(1000, 6137), S(1001, "!,.:;?"), S(1002, "!%),.:;?]}"),
    S(1003, "$([{"), S(1004, "."), S(1006, "resultfile.dct"), I(1007, 1),
};

// The sizes the host expects; a change to a table must be deliberate.
static_assert(std::size(kOpenList) == 16 && std::size(kSaveList) == 4);
static_assert(std::size(kOpenDefaults) == 42 && std::size(kSaveDefaults) == 20);
static_assert(std::size(kImportDefaults) == 36 && std::size(kExportDefaults) == 16);
static_assert(std::size(kUpdateBookDefaults) == 11 && std::size(kSpellDefaults) == 8);

// The table, then `extra` when given, as a list of exactly that many
// entries; the empty list when out of memory.
template <size_t N>
V_PropValsT build(const Entry (&table)[N], const Entry *extra = nullptr)
{
    V_PropValsT list = V_ApiAllocatePropVals(N + (extra ? 1 : 0));
    if (list.items == nullptr)
        return {0, nullptr};
    for (uint32_t i = 0; i < list.count; i++) {
        const Entry &e = i < N ? table[i] : *extra;
        V_PropValT &pv = list.items[i];  // zero-filled: name null, value words 0
        pv.ident.propNum = e.num;
        pv.value.typeCode = e.type;
        if (e.type == V_TYPE_STRING)
            pv.value.value.stringVal = e.text ? V_ApiCopyString(e.text) : nullptr;
        else if (e.type == 1)
            pv.value.value.intVal = e.value;
    }
    return list;
}

// The list and the call's return parameters are both released afterwards.
uint32_t openWith(const char *name, V_PropValsT *params)
{
    V_PropValsT *returned = nullptr;
    uint32_t docId = V_ApiOpen(name, params, &returned);
    V_ApiDeallocatePropVals(params);
    V_ApiDeallocatePropVals(returned);
    return docId;
}

// Interactive calls send the list `make` builds, the others none; false
// (VA_errno -42) when the list cannot be built.
bool paramsFor(int32_t interactive, V_PropValsT (*make)(void), V_PropValsT *params)
{
    *params = interactive ? make() : V_PropValsT{0, nullptr};
    if (interactive && params->items == nullptr) {
        VA_errno = V_API_NO_MEMORY;
        return false;
    }
    return true;
}

}  // namespace

extern "C" {

V_PropValsT initializeNewPropList(void) { return build(kNewList); }

V_PropValsT initializeOpenPropList(int32_t extra)
{
    const Entry newDocument = I(kNewDocument, extra);
    return build(kOpenList, extra ? &newDocument : nullptr);
}

V_PropValsT initializeSavePropList(void) { return build(kSaveList); }

V_PropValsT V_ApiGetOpenDefaultParams(void) { return build(kOpenDefaults); }
V_PropValsT V_ApiGetSaveDefaultParams(void) { return build(kSaveDefaults); }
V_PropValsT V_ApiGetImportDefaultParams(void) { return build(kImportDefaults); }
V_PropValsT V_ApiGetExportDefaultParams(void) { return build(kExportDefaults); }
V_PropValsT V_ApiGetUpdateBookDefaultParams(void) { return build(kUpdateBookDefaults); }
V_PropValsT V_ApiGetSpellDefaultParams(void) { return build(kSpellDefaults); }

uint32_t V_ApiSimpleNewDoc(const char *templateName, int32_t interactive)
{
    V_PropValsT params = interactive ? initializeOpenPropList(1) : initializeNewPropList();
    if (params.items == nullptr) {
        VA_errno = V_API_NO_MEMORY;
        return 0;
    }
    return openWith(templateName, &params);
}

uint32_t V_ApiSimpleOpen(const char *fileName, int32_t interactive)
{
    V_PropValsT params;
    if (!paramsFor(interactive, [] { return initializeOpenPropList(0); }, &params))
        return 0;
    return openWith(fileName, &params);
}

uint32_t V_ApiSimpleSave(uint32_t docId, const char *saveAsName, int32_t interactive)
{
    V_PropValsT params;
    if (!paramsFor(interactive, initializeSavePropList, &params))
        return 0;
    V_PropValsT *returned = nullptr;
    uint32_t result = V_ApiSave(docId, saveAsName, &params, &returned);
    V_ApiDeallocatePropVals(&params);
    V_ApiDeallocatePropVals(returned);
    return result;
}

}  // extern "C"
