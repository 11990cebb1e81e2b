// The editor model's procedures over real RPC, as any client calls them:
// this process attaches itself to a stand-in host in a child process whose
// one document is "1Level A", "2Level Bravo", "Body" (empty), "2Level Delta".
// What the outline commands use is checked by their own scenarios; here,
// what they never do.
#include "client_under_host.h"
#include "docfile.h"
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
const int32_t kEnd = 0x50000000;

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
    // The text items of one paragraph as "offset:text".
    std::vector<std::string> items(uint32_t para)
    {
        V_TextRangeT range{{para, 0}, {para, kEnd}};
        TextItemsT got = V_ApiGetTextForRange(doc, &range, 1);
        std::vector<std::string> out;
        for (uint32_t i = 0; i < got.count; ++i)
            out.push_back(std::to_string(got.items[i].offset) + ":" + got.items[i].data.text);
        V_ApiDeallocateTextItems(&got);
        return out;
    }
    HostChild host{[](vxhost::Host &h, vxhost::generic::GenericHost &generic) {
        static vxhost::Editor editor;  // the child ends with _exit: these stay
        static vxhost::EditorService service(h, editor, generic);
        vxhost::DocContent content{{"1Level", "2Level", "Body"},
                                   {{"1Level", "A", 0}, {"2Level", "Bravo", 0}, {"Body", "", 0}, {"2Level", "Delta", 0}}};
        editor.addDocument(content, "rpc.vx", "", true);
        editor.setTextItemChunk(2);
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
    // A format's property list gives a paragraph its tag; typed values speak the same model.
    V_PropValsT props = V_ApiGetProps(doc, V_ApiGetNamedObject(doc, 32, "1Level"));
    ASSERT_EQ(props.count, 1u);
    V_ApiSetProps(doc, p_[3], &props);
    V_ApiDeallocatePropVals(&props);
    V_TypedValT tag = V_ApiGetVal(doc, p_[3], 20);
    EXPECT_STREQ(tag.value.stringVal, "1Level");
    V_ApiDeallocateVal(&tag);
    uint32_t other = V_ApiNewNamedObject(doc, 99, "thing");  // types the model does not keep
    EXPECT_EQ(V_ApiGetNamedObject(doc, 99, "thing"), other);
    EXPECT_EQ(VA_errno, 0);
}

TEST_F(EditorRpc, TextClipboardDocumentsAndFiles)
{
    EXPECT_EQ(items(p_[1]), (std::vector<std::string>{"0:Br", "2:av", "4:o"}));  // in items of at most two bytes
    EXPECT_TRUE(items(p_[2]).empty());
    V_TextLocT end{p_[3], 0x4FFFFFFF};
    V_TextLocT after = V_ApiAddText(doc, &end, "\n");
    EXPECT_EQ(V_ApiGetId(doc, p_[3], 717), after.objId);
    EXPECT_EQ(take(V_ApiGetString(doc, after.objId, 20)), "2Level");
    EXPECT_EQ(V_ApiObjectValid(doc, after.objId) * 10 + V_ApiDelete(doc, after.objId) + V_ApiObjectValid(doc, after.objId), 10);
    EXPECT_EQ(V_ApiDelete(doc, after.objId), st::kBadObject);
    V_TextRangeT block{{p_[1], 0}, {p_[2], kEnd}};
    V_ApiSetTextRange(0, doc, 109, &block);
    V_ApiPushClipboard();
    EXPECT_EQ(V_ApiCut(doc, 0) * 10 + V_ApiObjectValid(doc, p_[1]), 0);
    EXPECT_EQ(V_ApiGetTextRange(0, doc, 109).start.objId, p_[3]);
    EXPECT_EQ(V_ApiPaste(doc, 0) + V_ApiPopClipboard(), 0);
    EXPECT_EQ(V_ApiPaste(doc, 0) * 10 + V_ApiPopClipboard(), st::kClipboardEmpty * 11);  // the clipboard before the push
    VA_errno = 0;
    lindrel_test::TempDir dir;
    std::string path = dir.file("saved.vx");
    EXPECT_NE(V_ApiSave(doc, path.c_str(), nullptr, nullptr), 0u);
    vxhost::DocContent saved;
    std::string why;
    ASSERT_EQ(vxhost::loadDocument(path, saved, why), st::kOk) << why;
    EXPECT_EQ(saved.paras.size() * 10 + saved.paras[1].text.size(), 45u);  // four paragraphs; "Bravo" pasted back second
    // Opening that file finds the document that now owns it; with 29 = 1, a new untitled one.
    V_PropValsT fresh{}, *ret = nullptr;
    V_ApiAppendIntProp(&fresh, 29, 1);
    EXPECT_EQ(V_ApiOpen(path.c_str(), nullptr, &ret), doc);
    uint32_t copy = V_ApiOpen(path.c_str(), &fresh, &ret);
    V_ApiDeallocatePropVals(&fresh);
    EXPECT_TRUE(copy != 0 && copy != doc && V_ApiGetId(0, 0, 51) == copy);
    EXPECT_EQ(V_ApiClose(copy, 1), 0);
    EXPECT_EQ(V_ApiGetId(0, 0, 51), doc);
    EXPECT_EQ(VA_errno, 0);
    EXPECT_EQ(V_ApiOpen(dir.file("missing.vx").c_str(), nullptr, &ret), 0u);
    EXPECT_EQ(VA_errno, st::kNoFile);
    V_ApiDeallocatePropVals(ret);
}

}  // namespace
