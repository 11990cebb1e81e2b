// The level list: which paragraph-format names are outline levels, in order
// from the top level down.
#include "utils.h"

#include "edit.h"
#include "vapi/hostcodes.h"
#include "vapi/api.h"
#include "vapi/apistruct.h"
#include "vsupport/print.h"
#include "vsupport/strlist.h"

namespace {

const char *const kDefaultLevels[] = {"1Level", "2Level", "3Level", "4Level",
                                      "5Level", "6Level", "7Level"};

// Moving deeper never goes past this entry, however long the list is.
const int32_t kDeepestEntry = 6;

void AppendLevel(V_StrListT *list, const char *name)
{
    if (V_StrListAppend(list, name) != 0)
        V_Printf(nullptr, "Couldn't allocate string list memory\n");
}

// The ten open parameters of the level template: property, integer value.
V_PropValsT LevelTemplateParameters()
{
    static const int32_t entries[10][2] = {{5, 0},  {2, 0},  {3, 1},  {17, 7}, {23, 1},
                                           {28, 1}, {22, 1}, {25, 1}, {19, 1}, {20, 1}};
    V_PropValsT params = V_ApiAllocatePropVals(10);
    for (uint32_t i = 0; i < params.count; i++) {
        params.items[i].ident.propNum = entries[i][0];
        params.items[i].value.typeCode = V_TYPE_INT;
        params.items[i].value.value.intVal = entries[i][1];
    }
    return params;
}

}  // namespace

extern "C" void ReadOutlineHierarchy(V_StrListT *list)
{
    static const char kTemplate[] = "OutlineLevels.vx";
    V_PropValsT params = LevelTemplateParameters();
    V_PropValsT *returned = nullptr;

    char *path = TemplatePath(VX_PROP_TEMPLATE_DIR1, kTemplate);
    uint32_t document = V_ApiOpen(path, &params, &returned);
    if (document == 0) {
        V_ApiDeallocateString(&path);
        path = TemplatePath(VX_PROP_TEMPLATE_DIR2, kTemplate);
        document = V_ApiOpen(path, &params, &returned);
    }

    bool visited = false;
    char *text = nullptr;
    if (document != 0) {
        uint32_t paragraph = FirstParagraph(document);
        while (paragraph != 0) {
            visited = true;
            V_ApiDeallocateString(&text);
            text = GetParagraphText(document, paragraph);
            AppendLevel(list, text);
            paragraph = V_ApiGetId(document, paragraph, VX_PROP_NEXT_PARAGRAPH);
        }
    }
    if (!visited) {
        for (const char *name : kDefaultLevels)
            AppendLevel(list, name);
    }
    if (document != 0)
        V_ApiClose(document, VX_CLOSE_NO_PROMPT);

    V_ApiDeallocatePropVals(&params);
    V_ApiDeallocatePropVals(returned);
    V_ApiDeallocateString(&path);
    V_ApiDeallocateString(&text);
}

extern "C" int InHierarchy(const char *name, const V_StrListT *list)
{
    return V_StrListIndex(list, name) != -1;
}

extern "C" char *GetNextLevel(const char *name, const V_StrListT *list)
{
    int32_t i = V_StrListIndex(list, name);
    if (i == -1)
        return nullptr;
    return V_StrListGet(list, i < kDeepestEntry ? i + 1 : kDeepestEntry);
}

extern "C" char *GetPreviousLevel(const char *name, const V_StrListT *list)
{
    int32_t i = V_StrListIndex(list, name);
    if (i == -1)
        return nullptr;
    return V_StrListGet(list, i == 0 ? 0 : i - 1);
}

extern "C" int CompareLevels(const char *a, const char *b, const V_StrListT *list)
{
    int32_t ia = V_StrListIndex(list, a);
    int32_t ib = V_StrListIndex(list, b);
    return ia < ib ? 1 : ia == ib ? 0 : -1;
}
