// The editor model's procedures over real RPC: this process attaches itself
// to a stand-in host in a child process and calls the API, as any client.
#include "client_under_host.h"
#include "docfile.h"
#include "document_editor.h"
#include "editor_service.h"
#include "process.h"
#include "vapi/api.h"
#include "vapi/apistruct.h"
#include "vapi/runtime.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

using lindrel_test::HostChild;
namespace st = vxhost::status;

const int32_t kEnd = 0x50000000, kEndOfText = 0x4FFFFFFF;

// The host's one document: "1Level A", "2Level Bravo", "Body" (empty),
// "2Level Delta"; text items of at most `chunk` bytes.
HostChild::Setup editor_host(size_t chunk = 0)
{
    return [chunk](vxhost::Host &host, vxhost::generic::GenericHost &generic) {
        static vxhost::Editor editor;  // the child ends with _exit: these stay
        static vxhost::EditorService service(host, editor, generic);
        vxhost::DocContent content;
        content.formats = {"1Level", "2Level", "Body"};
        content.paras = {{"1Level", "A", 0}, {"2Level", "Bravo", 0}, {"Body", "", 0}, {"2Level", "Delta", 0}};
        editor.addDocument(content, "rpc.vx", "", true);
        editor.setTextItemChunk(chunk);
    };
}

std::string take(StringT s)
{
    std::string out = s ? s : "(null)";
    V_ApiDeallocateString(&s);
    return out;
}

class EditorRpc : public ::testing::Test {
protected:
    explicit EditorRpc(size_t chunk = 0) : host(editor_host(chunk)) {}
    void SetUp() override
    {
        ASSERT_TRUE(host.attached());
        VA_errno = 0;
        doc = V_ApiGetId(0, 0, 51);
        ASSERT_NE(doc, 0u);
    }
    // The paragraphs in chain order, from the document down 422, 1169, 972.
    std::vector<uint32_t> chain()
    {
        uint32_t flow = V_ApiGetId(0, doc, 422), frame = V_ApiGetId(doc, flow, 1169);
        std::vector<uint32_t> out;
        for (uint32_t p = V_ApiGetId(doc, frame, 972); p != 0 && out.size() < 100; p = V_ApiGetId(doc, p, 717))
            out.push_back(p);
        return out;
    }
    std::vector<std::string> items(uint32_t from, int32_t a, uint32_t to, int32_t b)
    {
        V_TextRangeT range{{from, a}, {to, b}};
        TextItemsT got = V_ApiGetTextForRange(doc, &range, 1);
        std::vector<std::string> out;
        for (uint32_t i = 0; i < got.count; ++i)
            out.push_back(std::to_string(got.items[i].offset) + ":" + got.items[i].data.text);
        V_ApiDeallocateTextItems(&got);
        return out;
    }
    std::vector<std::string> tags()
    {
        std::vector<std::string> out;
        for (uint32_t p : chain())
            out.push_back(take(V_ApiGetString(doc, p, 20)));
        return out;
    }
    HostChild host;
    uint32_t doc = 0;
};

class ChunkedRpc : public EditorRpc {
protected:
    ChunkedRpc() : EditorRpc(2) {}
};

TEST_F(EditorRpc, ParagraphChainTagsAndLinks)
{
    auto p = chain();
    ASSERT_EQ(p.size(), 4u);
    EXPECT_EQ(tags(), (std::vector<std::string>{"1Level", "2Level", "Body", "2Level"}));
    EXPECT_EQ(V_ApiGetId(doc, p[0], 718), 0u);
    EXPECT_EQ(V_ApiGetId(doc, p[2], 718), p[1]);
    EXPECT_EQ(V_ApiGetId(doc, p[3], 717), 0u);
    EXPECT_EQ(V_ApiGetInt(doc, p[1], 588), 0);
    EXPECT_EQ(VA_errno, 0);

    V_ApiSetString(doc, p[2], 20, "1Level");
    EXPECT_EQ(take(V_ApiGetString(doc, p[2], 20)), "1Level");
    // Links are the model's own: writing one is refused.
    V_ApiSetId(doc, p[0], 717, p[3]);
    EXPECT_EQ(VA_errno, st::kReadOnly);
    EXPECT_EQ(V_ApiGetId(doc, p[0], 717), p[1]);
}

TEST_F(EditorRpc, WrongKindsAndMissingObjectsAreRefused)
{
    auto p = chain();
    EXPECT_EQ(V_ApiGetInt(doc, p[0], 20), 0);  // a string property read as an integer
    EXPECT_EQ(VA_errno, st::kBadType);
    VA_errno = 0;
    V_ApiSetInt(doc, p[0], 20, 5);
    EXPECT_EQ(VA_errno, st::kBadType);
    VA_errno = 0;
    V_TextLocT loc{p[0], 0};
    V_ApiSetTextLoc(0, doc, 109, &loc);  // the selection is a range
    EXPECT_EQ(VA_errno, st::kBadType);
    VA_errno = 0;
    EXPECT_EQ(V_ApiGetString(doc, 999999, 20), nullptr);
    EXPECT_EQ(VA_errno, st::kBadObject);
    VA_errno = 0;
    V_TextRangeT nowhere{{999999, 0}, {999999, 0}};
    V_ApiSetTextRange(0, doc, 109, &nowhere);
    EXPECT_EQ(VA_errno, st::kBadObject);
}

TEST_F(EditorRpc, PropertiesOutsideTheModelStayInTheGenericStore)
{
    auto p = chain();
    V_ApiSetInt(doc, p[1], 300, 41);
    V_ApiSetIntByName(doc, p[1], "Count", 7);
    V_ApiSetInt(0, 0, 5000, -3);
    EXPECT_EQ(V_ApiGetInt(doc, p[1], 300), 41);
    EXPECT_EQ(V_ApiGetIntByName(doc, p[1], "Count"), 7);
    EXPECT_EQ(V_ApiGetInt(0, 0, 5000), -3);
    EXPECT_EQ(VA_errno, 0);

    // A list with a model entry, an unknown one and a value type the model
    // does not hold: the tag changes, the others read back from the store.
    V_PropValsT list = V_ApiAllocatePropVals(3);
    list.items[0].ident.propNum = 20;
    list.items[0].value.typeCode = V_TYPE_STRING;
    list.items[0].value.value.stringVal = strdup("Body");
    list.items[1].ident.propNum = 301;
    list.items[1].value.typeCode = 1;
    list.items[1].value.value.intVal = 9;
    int32_t widths[] = {1, 2};
    list.items[2].ident.propNum = 302;
    list.items[2].value.typeCode = V_TYPE_METRICS;
    list.items[2].value.value.metricsVal = {2, widths};
    V_ApiSetProps(doc, p[1], &list);
    list.items[2].value.value.metricsVal = {0, nullptr};  // not ours to free
    V_ApiDeallocatePropVals(&list);
    EXPECT_EQ(VA_errno, 0);
    EXPECT_EQ(take(V_ApiGetString(doc, p[1], 20)), "Body");
    EXPECT_EQ(V_ApiGetInt(doc, p[1], 301), 9);
    V_MetricsT m = V_ApiGetMetrics(doc, p[1], 302);
    ASSERT_EQ(m.count, 2u);
    EXPECT_EQ(m.items[1], 2);
    V_ApiDeallocateMetrics(&m);
}

TEST_F(EditorRpc, FormatPropertyListGivesAParagraphItsTag)
{
    auto p = chain();
    uint32_t format = V_ApiGetNamedObject(doc, 32, "1Level");
    ASSERT_NE(format, 0u);
    V_PropValsT props = V_ApiGetProps(doc, format);
    ASSERT_EQ(props.count, 1u);
    EXPECT_EQ(props.items[0].ident.propNum, 20);
    EXPECT_STREQ(props.items[0].value.value.stringVal, "1Level");
    V_ApiSetProps(doc, p[3], &props);
    V_ApiDeallocatePropVals(&props);
    EXPECT_EQ(VA_errno, 0);
    EXPECT_EQ(take(V_ApiGetString(doc, p[3], 20)), "1Level");

    EXPECT_EQ(V_ApiGetNamedObject(doc, 32, "7Level"), 0u);
    EXPECT_EQ(VA_errno, st::kNoSuchName);
    VA_errno = 0;
    // Typed single values speak the same model.
    V_TypedValT tag = V_ApiGetVal(doc, p[0], 20);
    EXPECT_EQ(tag.typeCode, V_TYPE_STRING);
    EXPECT_STREQ(tag.value.stringVal, "1Level");
    V_ApiDeallocateVal(&tag);
    V_PropValT lock = V_ApiGetPropVal(doc, p[0], 588);
    EXPECT_EQ(lock.ident.propNum, 588);
    EXPECT_EQ(lock.value.typeCode, 1);
    V_ApiDeallocatePropVal(&lock);
    EXPECT_EQ(VA_errno, 0);
}

// Menu building and placement are exercised by the outline client's own
// start-up; here, what it never does.
TEST_F(EditorRpc, MenuRefusalsAndNamedObjectsOfOtherTypes)
{
    EXPECT_EQ(V_ApiDefineAndAddCommand(5, 123456, "Lost", "lost", ""), 0u);
    EXPECT_EQ(VA_errno, st::kBadObject);
    VA_errno = 0;
    uint32_t menu = V_ApiDefineMenu("Self", "Self");
    EXPECT_EQ(V_ApiAddMenuToMenu(menu, menu), st::kBadValue);  // a menu inside itself

    // Object types the model does not keep are named by the generic store.
    VA_errno = 0;
    uint32_t other = V_ApiNewNamedObject(doc, 99, "thing");
    EXPECT_NE(other, 0u);
    EXPECT_EQ(V_ApiGetNamedObject(doc, 99, "thing"), other);
    EXPECT_EQ(VA_errno, 0);
}

TEST_F(EditorRpc, TextItemsAddTextDeleteAndValidity)
{
    auto p = chain();
    EXPECT_EQ(items(p[1], 0, p[1], kEnd), std::vector<std::string>{"0:Bravo"});
    EXPECT_TRUE(items(p[2], 0, p[2], kEnd).empty());  // an empty paragraph has no items
    EXPECT_EQ(items(p[0], 0, p[1], kEnd), (std::vector<std::string>{"0:A", "0:Bravo"}));

    // "\n" at the end of the text splits off an empty paragraph with its tag.
    V_TextLocT end{p[3], kEndOfText};
    V_TextLocT after = V_ApiAddText(doc, &end, "\n");
    EXPECT_EQ(VA_errno, 0);
    auto q = chain();
    ASSERT_EQ(q.size(), 5u);
    EXPECT_EQ(after.objId, q[4]);
    EXPECT_EQ(after.offset, 0);
    EXPECT_EQ(tags().back(), "2Level");

    EXPECT_EQ(V_ApiObjectValid(doc, q[4]), 1);
    EXPECT_EQ(V_ApiDelete(doc, q[4]), 0);
    EXPECT_EQ(V_ApiObjectValid(doc, q[4]), 0);
    EXPECT_EQ(chain().size(), 4u);
    EXPECT_EQ(V_ApiDelete(doc, q[4]), st::kBadObject);
}

TEST_F(ChunkedRpc, ParagraphTextCanComeInSeveralItems)
{
    auto p = chain();
    EXPECT_EQ(items(p[1], 0, p[1], kEnd), (std::vector<std::string>{"0:Br", "2:av", "4:o"}));
    TextItemsT whole = V_ApiGetText(doc, doc, 1);
    EXPECT_EQ(whole.count, 7u);  // "A", then "Bravo" and "Delta" in three pieces each
    V_ApiDeallocateTextItems(&whole);
}

TEST_F(EditorRpc, CutPasteAndTheClipboardStack)
{
    auto p = chain();
    V_TextRangeT block{{p[1], 0}, {p[2], kEnd}};
    V_ApiSetTextRange(0, doc, 109, &block);
    V_TextRangeT back = V_ApiGetTextRange(0, doc, 109);
    EXPECT_EQ(back.end.offset, kEnd);
    V_ApiPushClipboard();
    EXPECT_EQ(V_ApiCut(doc, 0), 0);
    EXPECT_EQ(chain(), (std::vector<uint32_t>{p[0], p[3]}));
    EXPECT_EQ(V_ApiObjectValid(doc, p[1]), 0);
    V_TextRangeT caret = V_ApiGetTextRange(0, doc, 109);
    EXPECT_EQ(caret.start.objId, p[3]);
    EXPECT_EQ(caret.end.objId, p[3]);

    EXPECT_EQ(V_ApiPaste(doc, 0), 0);
    EXPECT_EQ(tags(), (std::vector<std::string>{"1Level", "2Level", "Body", "2Level"}));
    EXPECT_EQ(V_ApiPopClipboard(), 0);
    EXPECT_EQ(V_ApiPaste(doc, 0), st::kClipboardEmpty);  // the clipboard before the push
    EXPECT_EQ(V_ApiPopClipboard(), st::kClipboardEmpty);
}

TEST_F(EditorRpc, OpenSaveAndClose)
{
    lindrel_test::TempDir dir;
    std::string path = dir.file("saved.vx");
    EXPECT_NE(V_ApiSave(doc, path.c_str(), nullptr, nullptr), 0u);
    EXPECT_EQ(VA_errno, 0);
    vxhost::DocContent saved;
    std::string why;
    ASSERT_EQ(vxhost::loadDocument(path, saved, why), st::kOk) << why;
    ASSERT_EQ(saved.paras.size(), 4u);
    EXPECT_EQ(saved.paras[1].text, "Bravo");

    // Opening that file again finds the document that now owns it; with 29 = 1
    // it makes a new untitled one.
    V_PropValsT fresh = V_ApiAllocatePropVals(1);
    fresh.items[0].ident.propNum = 29;
    fresh.items[0].value.typeCode = 1;
    fresh.items[0].value.value.intVal = 1;
    V_PropValsT *ret = nullptr;
    EXPECT_EQ(V_ApiOpen(path.c_str(), nullptr, &ret), doc);
    V_ApiDeallocatePropVals(ret);
    uint32_t copy = V_ApiOpen(path.c_str(), &fresh, &ret);
    V_ApiDeallocatePropVals(ret);
    V_ApiDeallocatePropVals(&fresh);
    ASSERT_NE(copy, 0u);
    EXPECT_NE(copy, doc);
    EXPECT_EQ(V_ApiGetId(0, 0, 51), copy);
    EXPECT_EQ(V_ApiClose(copy, 1), 0);
    EXPECT_EQ(V_ApiGetId(0, 0, 51), doc);
    EXPECT_EQ(VA_errno, 0);

    EXPECT_EQ(V_ApiOpen(dir.file("missing.vx").c_str(), nullptr, &ret), 0u);
    EXPECT_EQ(VA_errno, st::kNoFile);
    V_ApiDeallocatePropVals(ret);
}

}  // namespace
