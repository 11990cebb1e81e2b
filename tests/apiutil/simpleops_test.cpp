// The default parameter lists entry by entry, and the one-call open, new
// document and save as the host receives them over real RPC.
#include "host_process.h"

#include "vapi/api.h"
#include "vapi/apisimple.h"
#include "vapi/apistruct.h"
#include "vapi/session.h"
#include "apiutil.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

using apiutil_test::HostProcess;
using vxhost::Host;
using vxhost::SessionService;

namespace {

// A list as "number=value" words: 'text' for strings, null for a null
// string, range for an all-zero text range; anything unexpected in an entry
// (a name, a stray value word) shows as "?".
std::string render(const V_PropValsT &list)
{
    std::string out;
    for (uint32_t i = 0; list.items && i < list.count; i++) {
        const V_PropValT &pv = list.items[i];
        V_TypedValT bare;
        std::memset(&bare, 0, sizeof bare);
        bare.typeCode = pv.value.typeCode;
        std::string value;
        switch (pv.value.typeCode) {
        case 1:
            value = std::to_string(pv.value.value.intVal);
            bare.value.intVal = pv.value.value.intVal;
            break;
        case V_TYPE_STRING:
            value = pv.value.value.stringVal ? "'" + std::string(pv.value.value.stringVal) + "'" : "null";
            bare.value.stringVal = pv.value.value.stringVal;
            break;
        case V_TYPE_TEXTRANGE:
            value = "range";
            break;
        default:
            value = "type" + std::to_string(pv.value.typeCode);
        }
        bool clean = pv.ident.propName == nullptr && std::memcmp(&bare, &pv.value, sizeof bare) == 0;
        out += (out.empty() ? "" : " ") + std::to_string(pv.ident.propNum) + "=" + value + (clean ? "" : "?");
    }
    return out;
}

// Renders a fresh list and releases it.
std::string taken(V_PropValsT list)
{
    std::string text = render(list);
    V_ApiDeallocatePropVals(&list);
    return text;
}

const char kOpenList[] = "1=1 2=1 14=4 15=4 16=4 17=4 18=4 19=4 20=4 21=4 22=4 23=4 28=4 24=4 25=4 4=1";

TEST(DefaultParams, EveryListEntryByEntry)
{
    struct Case {
        const char *name;
        V_PropValsT (*make)();
        const char *entries;
    } cases[] = {
        {"open", V_ApiGetOpenDefaultParams,
         "1=0 5=1 7=0 8=0 33=0 9=0 10=0 11=0 13=0 2=0 14=0 15=0 16=12 17=5 18=0 19=0 20=0 21=5 22=0 "
         "23=0 28=0 24=0 25=0 32=0 26=1 27=0 29=0 6=0 30=0 42=0 4=0 3=0 12=0 31=null 36=12 35=12 "
         "34=null 37=0 38=null 39=null 40=0 41=0"},
        {"save", V_ApiGetSaveDefaultParams,
         "1=0 4=1 5=2 6=2 7=0 8=0 10=0 9=0 11=1 13=438 2=0 12=0 3=0 14=0 16=null 18=null 17=0 20=0 "
         "19=0 21=0"},
        {"import", V_ApiGetImportDefaultParams,
         "1=0 2=0 4=5 5=0 6=null 7=0 8=0 9=0 10=0 11=0 12=0 33=0 17=0 13=1 15=72 14=1 16=12 18=1 "
         "32=1 19=1 20=null 21=10 22=1 23=1 24=1 25=null 26=1 27=0 29=null 30=0 28=1 31=1 34=null "
         "3=0 35=null 36=0"},
        {"export", V_ApiGetExportDefaultParams,
         "1=0 2=0 3=0 4=1 6=range 5=8 7=0 8=0 9=0 10=0 11=1 13=438 15=72 12=1 14=null 16=null"},
        {"update book", V_ApiGetUpdateBookDefaultParams, "1=1 2=0 3=1 6=1 4=0 5=1 7=1 8=1 9=1 10=1 11=1"},
        {"spell", V_ApiGetSpellDefaultParams,
         "1005=1 1000=6137 1001='!,.:;?' 1002='!%),.:;?]}' 1003='$([{' 1004='.' "
         "1006='resultfile.dct' 1007=1"},
        {"new document", initializeNewPropList, "29=1"},
        {"save list", initializeSavePropList, "4=1 5=0 8=1 2=1"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(taken(c.make()), c.entries) << c.name;
    EXPECT_EQ(taken(initializeOpenPropList(0)), kOpenList);
    EXPECT_EQ(taken(initializeOpenPropList(-3)), std::string(kOpenList) + " 29=-3");

    // The spelling strings belong to each list: changed or released alone.
    V_PropValsT a = V_ApiGetSpellDefaultParams(), b = V_ApiGetSpellDefaultParams();
    a.items[2].value.value.stringVal[0] = 'X';
    V_ApiDeallocatePropVals(&a);
    EXPECT_STREQ(b.items[2].value.value.stringVal, "!,.:;?");
    V_ApiDeallocatePropVals(&b);
}

// The client's work, run while the host waits for its init to end.
std::function<void()> onInit;

}  // namespace

extern "C" {
void V_ApiInitialize(int32_t) { onInit(); }
void V_ApiNotify(int32_t, uint32_t, StringT, int32_t) {}
void V_ApiCommand(int32_t) {}
}

namespace {

// A host that answers open and save with document 77 and one return
// parameter, reporting the parameters it received.
int serve_documents(Host &host, SessionService &, const HostProcess::Report &report)
{
    auto answer = [&](const char *what, const char *name, const V_PropValsT &params, uint32_t &docId,
                      V_PropValsT *&returned) {
        report(std::string(what) + " " + name + ": " + render(params));
        docId = 77;
        returned = static_cast<V_PropValsT *>(std::calloc(1, sizeof(V_PropValsT)));
        V_ApiAppendIntProp(returned, 3, 1);
    };
    host.on(1019, [&](vxhost::HostCall &call) {
        auto *a = static_cast<ApiVxOpenArgT *>(call.arguments);
        auto *r = static_cast<ApiVxOpenRetT *>(call.result);
        answer("open", a->fileName, a->props, r->docId, r->retProps);
    });
    host.on(1020, [&](vxhost::HostCall &call) {
        auto *a = static_cast<ApiVxSaveArgT *>(call.arguments);
        auto *r = static_cast<ApiVxSaveRetT *>(call.result);
        answer(("save " + std::to_string(a->docId)).c_str(), a->fileName, a->props, r->docId, r->retProps);
    });
    if (!host.serve_until([&] { return host.handovers() >= 1; }, 20))
        return 1;
    host.call_quit();
    return 0;
}

TEST(SimpleCalls, SendTheirListsAndEmptyTheReturnParameters)
{
    std::vector<uint32_t> results;
    std::vector<uint32_t> leftOpen, leftSave;  // return parameters left after each call
    onInit = [&] {
        V_PropValsT *openHeld = nullptr, *saveHeld = nullptr;
        // Plain calls first: they point the holders at the operations' lists.
        V_ApiOpen("prime", nullptr, &openHeld);
        V_ApiSave(1, "prime", nullptr, &saveHeld);
        if (!openHeld || !saveHeld || openHeld->count != 1 || saveHeld->count != 1)
            return;
        auto simple = [&](uint32_t result) {
            results.push_back(result);
            leftOpen.push_back(openHeld->count + (openHeld->items ? 100 : 0));
            leftSave.push_back(saveHeld->count + (saveHeld->items ? 100 : 0));
        };
        simple(V_ApiSimpleNewDoc("t0", 0));
        simple(V_ApiSimpleNewDoc("t1", 1));
        simple(V_ApiSimpleOpen("f0", 0));
        simple(V_ApiSimpleOpen("f1", 1));
        simple(V_ApiSimpleSave(9, "s0", 0));
        simple(V_ApiSimpleSave(9, "s1", 1));
    };
    HostProcess host({}, serve_documents);
    ASSERT_EQ(V_ApiConnectToSession("simple", nullptr, host.session()), 0);
    EXPECT_TRUE(apiutil_test::serve_until([] { return VA_bailout != 0; }));
    V_ApiShutDown();

    EXPECT_EQ(results, std::vector<uint32_t>(6, 77));
    EXPECT_EQ(leftOpen, std::vector<uint32_t>(6, 0));
    // Save's list is untouched by the opens (one entry, array set) until
    // the simple saves empty it.
    EXPECT_EQ(leftSave, (std::vector<uint32_t>{101, 101, 101, 101, 0, 0}));
    int status;
    auto lines = host.finish(&status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(lines, (std::vector<std::string>{
                         "open prime: ",
                         "save 1 prime: ",
                         "open t0: 29=1",
                         "open t1: " + std::string(kOpenList) + " 29=1",
                         "open f0: ",
                         "open f1: " + std::string(kOpenList),
                         "save 9 s0: ",
                         "save 9 s1: 4=1 5=0 8=1 2=1",
                     }));
}

}  // namespace
