// The editor model's procedures over real RPC, as any client calls them:
// this process attaches itself to a stand-in host in a child process whose
// one document is "1Level A", "2Level Bravo", "Body" (empty), "2Level Delta".
// What the outline commands use is checked by their own scenarios; here,
// what they never do.
#include "client_under_host.h"
#include "document_editor.h"
#include "editor_service.h"
#include "process.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "vapi/api.h"
#include "vapi/apistruct.h"
#include "vapi/runtime.h"

namespace {

using lindrel_test::HostChild;
namespace st = vxhost::status;

std::string take(StringT s)
{
    std::string out = s ? s : "(null)";
    V_ApiDeallocateString(&s);
    return out;
}

class EditorRpc : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(host.attached());
        VA_errno = 0;
        doc = V_ApiGetId(0, 0, 51);
        uint32_t flow = V_ApiGetId(0, doc, 422), frame = V_ApiGetId(doc, flow, 1169);
        for (uint32_t p = V_ApiGetId(doc, frame, 972); p != 0 && p_.size() < 100; p = V_ApiGetId(doc, p, 717))
            p_.push_back(p);
        ASSERT_EQ(p_.size(), 4u);
    }
    HostChild host{[](vxhost::Host &h, vxhost::generic::GenericHost &generic) {
        static vxhost::Editor editor;  // the child ends with _exit: these stay
        static vxhost::EditorService service(h, editor, generic);
        vxhost::DocContent content{{"1Level", "2Level", "Body"},
                                   {{"1Level", "A", 0}, {"2Level", "Bravo", 0}, {"Body", "", 0}, {"2Level", "Delta", 0}}};
        editor.addDocument(content, "rpc.vx", "", true);
    }};
    uint32_t doc = 0;
    std::vector<uint32_t> p_;
};

TEST_F(EditorRpc, ModelPropertiesRefusalsAndTheGenericStoreBeside)
{
    EXPECT_EQ(V_ApiGetId(doc, p_[2], 718) * 10 + V_ApiGetId(doc, p_[0], 718) + V_ApiGetInt(doc, p_[1], 588), p_[1] * 10);
    V_ApiSetId(doc, p_[0], 717, p_[3]);  // links are the model's own
    EXPECT_EQ(VA_errno, st::kReadOnly);
    const std::pair<std::function<void()>, int32_t> refusals[] = {
        {[&] { V_ApiGetInt(doc, p_[0], 20); }, st::kBadType},  // a string read as an integer
        {[&] { V_ApiSetInt(doc, p_[0], 20, 5); }, st::kBadType},
        {[&] { V_TextLocT loc{p_[0], 0}; V_ApiSetTextLoc(0, doc, 109, &loc); }, st::kBadType},  // the selection is a range
        {[&] { V_ApiGetString(doc, 999999, 20); }, st::kBadObject},
        {[&] { V_TextRangeT nowhere{{999999, 0}, {999999, 0}}; V_ApiSetTextRange(0, doc, 109, &nowhere); }, st::kBadObject},
        {[&] { V_ApiGetNamedObject(doc, 32, "7Level"); }, st::kNoSuchName},
        {[&] { V_ApiDefineAndAddCommand(5, 123456, "Lost", "lost", ""); }, st::kBadObject},
        {[&] { uint32_t m = V_ApiDefineMenu("Self", "Self"); V_ApiAddMenuToMenu(m, m); }, st::kBadValue},
    };
    for (const auto &[call, status] : refusals) {
        VA_errno = 0;
        call();
        EXPECT_EQ(VA_errno, status);
    }
    VA_errno = 0;
    // A list with a model entry, an unknown one and a value type the model
    // does not hold: the tag changes, the others go to the generic store.
    V_PropValsT list{};
    V_ApiAppendStringProp(&list, 20, "Body");
    V_ApiAppendIntProp(&list, 301, 9);
    int32_t widths[] = {1, 2};
    V_TypedValT metrics{V_TYPE_METRICS, {}};
    metrics.value.metricsVal = {2, widths};
    V_ApiAppendVal(&list, 302, &metrics);
    V_ApiSetProps(doc, p_[1], &list);
    V_ApiDeallocatePropVals(&list);
    V_ApiSetIntByName(doc, p_[1], "Count", 7);
    EXPECT_EQ(take(V_ApiGetString(doc, p_[1], 20)), "Body");
    EXPECT_EQ(V_ApiGetInt(doc, p_[1], 301) * 10 + V_ApiGetIntByName(doc, p_[1], "Count"), 97);
    V_MetricsT m = V_ApiGetMetrics(doc, p_[1], 302);
    EXPECT_TRUE(m.count == 2 && m.items[1] == 2);
    V_ApiDeallocateMetrics(&m);
    uint32_t other = V_ApiNewNamedObject(doc, 99, "thing");  // types the model does not keep
    EXPECT_EQ(V_ApiGetNamedObject(doc, 99, "thing"), other);
    EXPECT_EQ(VA_errno, 0);
}

}  // namespace
