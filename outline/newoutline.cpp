// New Outline: the host opens a new document from the outline template.
#include "utils.h"

#include "vapi/hostcodes.h"
#include "vapi/api.h"
#include "vapi/apistruct.h"

extern "C" void MakeOutline(void)
{
    char *path = TemplatePath(VX_PROP_TEMPLATE_DIR1, "Outline.vx");
    V_PropValsT params = V_ApiAllocatePropVals(1);
    if (params.count == 0) {
        V_ApiDeallocateString(&path);
        return;
    }
    // Open parameter 29 = 1: a new untitled document made from the file.
    params.items[0].ident.propNum = 29;
    params.items[0].value.typeCode = V_TYPE_INT;
    params.items[0].value.value.intVal = 1;

    V_PropValsT *returned = nullptr;
    V_ApiOpen(path, &params, &returned);
    V_ApiDeallocatePropVals(&params);
    V_ApiDeallocatePropVals(returned);
    V_ApiDeallocateString(&path);
}
