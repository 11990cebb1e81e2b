/* A client that defines its own functions under the names of the kit's
   internals. It must link against the kit, statically and dynamically,
   and the kit must never call any of them: each one says so and exits 99.
   The work below makes the kit run its own helpers of those names (start-up
   and shut-down, string copy, filter arguments, font encodings, asserts). */
#include <stdio.h>
#include <stdlib.h>

#include "vapi/api.h"
#include "vapi/apistruct.h"
#include "vapi/runtime.h"
#include "vsupport/encoding.h"
#include "vsupport/memory.h"

static void called(const char *name)
{
    printf("the kit called the client's %s\n", name);
    fflush(stdout);
    exit(99);
}

#define NAMESAKE(name) \
    void name(void);   \
    void name(void) { called(#name); }
NAMESAKE(strEqual)
NAMESAKE(hookup)
NAMESAKE(api_free)
NAMESAKE(strCpy)
NAMESAKE(thishost)
NAMESAKE(un_portmap)
NAMESAKE(call_fd_func)
NAMESAKE(addfstr)
NAMESAKE(defaultHandler)
NAMESAKE(checkEUC)
NAMESAKE(translateFileToFile)

void V_ApiInitialize(int32_t initialization)
{
    char *copy = V_ApiCopyString("copied");
    VdeApiFilterArgsT *args = VdeApiExpandFilterArgs("1\0362\0363\0364\0365\0366\0367\0368");
    V_TypedValT range = {V_TYPE_ELEMRANGE, {0}};
    range.value.elemRangeVal = VapiCalloc(1, sizeof(V_ElementRangeT));
    V_ApiDeallocateVal(&range);
    V_VdeInitFontEncs("");
    V_AssertHandlerT previous = V_SetAssert(NULL);
    printf("init %d, %s, %u more pieces, active document %u, own handler %s\n",
           (int)initialization, copy, (unsigned)args->more.count,
           (unsigned)V_ApiGetId(0, 0, 51), previous == (V_AssertHandlerT)defaultHandler ? "yes" : "no");
    V_ApiDeallocateString(&copy);
    VdeApiDeallocateFilterArgs(args);
    V_Free(args);
}

void V_ApiNotify(int32_t notification, uint32_t docId, StringT sparm, int32_t iparm)
{
    const VdeApiFilterArgsT *args = (const VdeApiFilterArgsT *)sparm;
    printf("notify %d %u %d: %s %s, %u more\n", (int)notification, (unsigned)docId, (int)iparm,
           args->args[0], args->args[5], (unsigned)args->more.count);
}
