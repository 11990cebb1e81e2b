// The V_Api functions whose behaviour goes beyond their result shape, over
// real RPC to a stand-in host: argument layouts as the host receives them,
// return-parameter holders, several outputs,
// the simple calls, prompts, progress, modal dialogs and the end of a session.
#include "client_under_host.h"
#include "heap.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <optional>
#include <sstream>
#include <string>

#include "document_types.h"
#include "vapi/api.h"
#include "vapi/apisimple.h"
#include "vapi/apistruct.h"
#include "runtime_internal.h"
#include "vapi/runtime.h"

namespace {

using lindrel_test::HostChild;
using vxhost::generic::GenericHost;
using HostSetup = HostChild::Setup;

V_PropValsT oneProp(int32_t num, int32_t value)
{
    V_PropValsT list{};
    V_ApiAppendIntProp(&list, num, value);
    return list;
}

class Calls : public testing::Test {
protected:
    void attach(const HostSetup &setup = {})
    {
        host_.emplace(setup);
        ASSERT_TRUE(host_->attached());
        VA_errno = 0;
    }
    HostChild &host() { return *host_; }
    void TearDown() override { host_.reset(); }

private:
    std::optional<HostChild> host_;
};

char kOne[] = "one", kId[] = "Id";
StringT kOnes[] = {kOne};

// Each call and the arguments the host receives, in wire order.
TEST_F(Calls, ArgumentsGoOutInTheirWireLayout)
{
    attach();
    static V_PropValsT params = oneProp(4, 1), *holder = nullptr;
    static V_TextLocT at{3, 2};
    static int32_t codes[] = {5, -6, 7}, choice;
    static V_StringsT list{1, kOnes};
    static StringT answer;
    static V_AttributeT attrs[] = {{kId, {1, kOnes}, 1, 0}};
    static V_TypedValT bold{1, {}};
    bold.value.intVal = 1;
    static V_PropValT pv{{78, nullptr}, bold};
    static V_TextRangeT range{{70, 0}, {70, 4}};
    const std::tuple<std::function<void()>, const char *, const char *> rows[] = {
        {[] { V_ApiSave(9, "s.vx", &params, &holder); }, "api_vx_save_1", "\"s.vx\", 9, 1, 4, 1, 1"},  // the file first
        {[] { V_ApiImport(9, &at, "i.vx", nullptr, &holder); }, "api_vx_import_1", "\"i.vx\", 9, 3, 2, 0"},
        {[] { V_ApiExport(9, "e.vx", nullptr, &holder); }, "api_vx_export_1", "\"e.vx\", 9, 0"},
        {[] { V_ApiDeleteCols(1, 7, 2, 1); }, "api_vx_cut_table_parts_1", "1, 7, 0, 0, 2, 1"},
        {[] { V_ApiDeleteRows(1, 7, 30, 3); }, "api_vx_cut_table_parts_1", "1, 7, 30, 3, 0, 0"},
        {[] { V_ApiStraddleCells(1, 8, 2, 3); }, "api_vx_straddle_cells_1", "1, 8, 2, 3, 1"},
        {[] { V_ApiUnStraddleCells(1, 8, 2, 3); }, "api_vx_straddle_cells_1", "1, 8, 2, 3, 0"},
        {[] { V_ApiFcodes(3, codes); }, "api_vx_fcodes_1", "3, 5, -6, 7"},
        {[] { V_ApiFcodes(-2, nullptr); }, "api_vx_fcodes_1", "0"},  // nothing to send: an empty list
        {[] { V_ApiScrollBox(&choice, "Pick", &list, 4); }, "api_vx_scroll_box_1", "\"Pick\", 4, 1, \"one\""},
        {[] { V_ApiAddText(2, nullptr, nullptr); }, "api_vx_add_text_1", "2, 0, 0, 0"},  // null: "" and the zero record
        {[] { V_ApiFileScrollBox(&answer, "Title", "/tmp"); }, "old_api_vx_choose_file_1", "\"Title\", \"/tmp\", 0, 0"},
        {[] { V_StringsT w = V_ApiGetDictionaryStrings(6, 2); V_ApiDeallocateStrings(&w); }, "api_vx_dictionary_1", "6, 0, 2, 9"},
        {[] { V_ApiGetIntByName(1, 2, "Flow"); }, "api_vx_get_int_1", "1, 2, 0, \"Flow\""},  // by name: number 0
        {[] { V_ApiGetInt(1, 2, 20); }, "api_vx_get_int_1", "1, 2, 20"},
        {[] { V_ApiSetMetricByName(3, 4, "Gap", 5); }, "api_vx_set_metric_1", "3, 4, 0, \"Gap\", 5"},
        {[] { V_ApiDeletePropByName(3, 4, "Gap"); }, "api_vx_delete_prop_1", "3, 4, 0, \"Gap\""},
        {[] { V_AttributesT a{1, attrs}; V_ApiSetAttributes(5, 6, &a); }, "api_vx_set_attributes_1", "5, 6, 1634, 1, \"Id\", 1, \"one\", 1, 0"},
        {[] { V_AttributeDefsT d = V_ApiGetAttributeDefs(5, 9); V_ApiDeallocateAttributeDefs(&d); }, "api_vx_get_attribute_defs_1", "5, 9, 1584"},
        {[] { V_ElementCatalogEntriesT c = V_ApiGetElementCatalog(5); V_ApiDeallocateElementCatalogEntries(&c); }, "api_vx_get_element_catalog_1", "5, 5, 1488"},
        {[] { V_ApiSetTextPropVal(2, &range, &pv); }, "api_vx_set_text_prop_1", "2, 70, 0, 70, 4, 0, 0, 78, 1, 1"},
        {[] { V_Progress(40); }, "api_vx_set_int_1", "0, 0, 104, 40"},
    };
    for (const auto &[call, stub, args] : rows) {
        call();
        EXPECT_EQ(host().args_of(stub), args) << stub;
    }
    V_ApiDeallocateString(&answer);
    V_ApiDeallocatePropVals(holder);
    V_ApiDeallocatePropVals(&params);
}

// Spelling calls hand over all their outputs, even when refused; the
// dictionary's operation 9 is refused without a call.
TEST_F(Calls, SeveralOutputs)
{
    char w[] = "word", b[] = "b";
    StringT sv[] = {w}, two[] = {w, b};
    attach([&](vxhost::Host &, GenericHost &g) {
        g.script_record(1088, ApiVxSpellRetT{0, {{4, 1}, {4, 5}}, 3, {1, sv}});
        g.script_record(1088, ApiVxSpellRetT{-5, {{4, 1}, {4, 5}}, 3, {1, sv}});
        g.script_record(1411, ApiVxThesaurusRetT{{1, sv}, {2, two}, {0, nullptr}, {1, sv}, 12});
        g.script_record(1408, ApiVxDictionaryRetT{0, {1, sv}});
        g.script_record(1027, ApiVxCompareRetT{0, 71, 72});
    });
    int32_t status = -1;
    V_StringsT found{}, l1{}, l2{}, l3{}, l4{};
    EXPECT_EQ(V_ApiSpell(1, nullptr, nullptr, &status, &found).end.offset * 10 + status, 53);
    ASSERT_EQ(found.count, 1u);
    EXPECT_STREQ(found.items[0], "word");
    V_ApiDeallocateStrings(&found);
    EXPECT_EQ(V_ApiSpell(1, nullptr, nullptr, &status, &found).end.offset * 10 + status, 0);
    EXPECT_EQ(VA_errno * 10 + int(found.count), -49);
    V_ApiDeallocateStrings(&found);
    EXPECT_EQ(lindrel_test::heap_growth([] { V_ApiSpell(1, nullptr, nullptr, nullptr, nullptr); }), 0);  // outputs not asked for are freed
    EXPECT_EQ(V_ApiThesaurus(0, "w", &l1, &l2, &l3, &l4), 12);
    EXPECT_EQ(VA_errno * 1000 + l1.count * 100 + l2.count * 10 + l3.count + l4.count, 12121u);
    EXPECT_STREQ(l2.items[1], "b");
    for (V_StringsT *l : {&l1, &l2, &l3, &l4})
        V_ApiDeallocateStrings(l);
    EXPECT_EQ(V_ApiThesaurus(0, "w", nullptr, nullptr, nullptr, nullptr), 12);
    VA_errno = 3;
    EXPECT_EQ(V_ApiDictionaryOperation(1, "x", 0, 9), -43);
    EXPECT_EQ(VA_errno, 3);
    EXPECT_EQ(V_ApiDictionaryOperation(1, "x", 0, 2) + V_ApiDictionary(1, "w", 0, 2, nullptr), 0);
    EXPECT_EQ(lindrel_test::heap_growth([] { V_ApiDictionary(1, "w", 0, 2, nullptr); }), 0);  // strings not asked for
    V_StringsT got = V_ApiGetDictionaryStrings(1, 0);
    EXPECT_TRUE(got.count == 1 && std::strcmp(got.items[0], "word") == 0);
    V_ApiDeallocateStrings(&got);
    V_CompareRetT r = V_ApiCompare(1, 2, 0, nullptr, nullptr, nullptr, 0);
    EXPECT_EQ(r.id1 * 100 + r.id2, 7172u);
    auto calls = host().calls_until("api_vx_compare_1");  // operation 9 did not reach the host
    EXPECT_EQ(std::count_if(calls.begin(), calls.end(), [](auto &c) { return c.stub == "api_vx_dictionary_1"; }), 5);
    attach([](vxhost::Host &, GenericHost &g) { g.script_drop(1411); });
    V_StringsT f1{1, kOnes}, f2{1, kOnes}, f3{1, kOnes}, f4{1, kOnes};  // not the function's to release
    EXPECT_EQ(V_ApiThesaurus(0, "w", &f1, &f2, &f3, &f4) * 10 + VA_errno, -11);
    for (V_StringsT *l : {&f1, &f2, &f3, &f4})
        EXPECT_TRUE(l->count == 0 && l->items == nullptr);
}

// The bench keeps what a client sets, apart for each document and object.
TEST_F(Calls, TheStoreKeepsEachOwnersPropertiesApart)
{
    attach();
    for (uint32_t doc : {1, 2, 3})
        V_ApiSetInt(doc, 2, 30, static_cast<int32_t>(doc * 10));
    V_PropValsT props = V_ApiGetProps(2, 2);
    ASSERT_EQ(props.count, 1u);
    EXPECT_EQ(props.items[0].ident.propNum * 100 + props.items[0].value.value.intVal, 3020);
    V_ApiDeallocatePropVals(&props);
}

// "n=v" entries as the wire text of integer properties.
std::string wired(const std::string &entries)
{
    std::string out;
    std::istringstream in(entries);
    for (std::string e; in >> e;)
        out += ", " + e.substr(0, e.find('=')) + ", 1, " + e.substr(e.find('=') + 1);
    return out;
}

// The simple calls send their lists (the plain ones none) and leave open's
// return parameters empty, and save's after a plain save.
TEST_F(Calls, SimpleCallsSendTheirListsAndEmptyTheReturnParameters)
{
    V_PropValsT report = oneProp(3, 1);
    attach([&](vxhost::Host &, GenericHost &g) {
        g.script_record(1019, ApiVxOpenRetT{0, 77, &report});
        g.script_record(1020, ApiVxSaveRetT{0, 77, &report});
    });
    V_PropValsT *openHeld = nullptr, *saveHeld = nullptr;  // the operations' own lists
    ASSERT_EQ(V_ApiOpen("prime", nullptr, &openHeld) + V_ApiSave(1, "prime", nullptr, &saveHeld), 154u);
    host().args_of("api_vx_save_1");
    const std::string open = wired("1=1 2=1 14=4 15=4 16=4 17=4 18=4 19=4 20=4 21=4 22=4 23=4 28=4 24=4 25=4 4=1");
    const std::tuple<std::function<uint32_t()>, const char *, std::string, uint32_t> rows[] = {
        {[] { return V_ApiSimpleNewDoc("t0", 0); }, "api_vx_open_1", "\"t0\", 1" + wired("29=1"), 101},
        {[] { return V_ApiSimpleNewDoc("t1", 1); }, "api_vx_open_1", "\"t1\", 17" + open + wired("29=1"), 101},
        {[] { return V_ApiSimpleOpen("f0", 0); }, "api_vx_open_1", "\"f0\", 0", 101},
        {[] { return V_ApiSimpleOpen("f1", 1); }, "api_vx_open_1", "\"f1\", 16" + open, 101},
        {[] { return V_ApiSimpleSave(9, "s0", 0); }, "api_vx_save_1", "\"s0\", 9, 0", 0},
        {[] { return V_ApiSimpleSave(9, "s1", 1); }, "api_vx_save_1", "\"s1\", 9, 4" + wired("4=1 5=0 8=1 2=1"), 0},
    };
    for (const auto &[call, stub, args, leftSave] : rows) {
        EXPECT_EQ(call(), 77u) << args;
        EXPECT_EQ(host().args_of(stub), args);
        EXPECT_EQ(openHeld->count + (openHeld->items ? 100 : 0), 0u) << args;
        EXPECT_EQ(saveHeld->count + (saveHeld->items ? 100 : 0), leftSave) << args;
    }
    V_PropValsT mine = oneProp(3, 1), *held = &mine;  // a caller's own list in the holder is released
    EXPECT_EQ(V_ApiOpen("own", nullptr, &held), 77u);
    EXPECT_EQ(mine.count * 10 + (mine.items != nullptr) + (held == &mine), 0u);
    V_ApiDeallocatePropVals(&report);
}

TEST_F(Calls, PromptsProgressModalDialogsAndTheEndOfTheSession)
{
    char typed[] = "typed";
    attach([&](vxhost::Host &, GenericHost &g) {
        g.script_record(1010, ApiVxPromptStringRetT{0, typed});
        g.script_record(1010, ApiVxPromptStringRetT{-3, typed});
        g.script_status(1065, 0);
        // After answering, the host reports an item, then the dialog's end with its result.
        g.script_after(1316, [](vxhost::Host &h) {
            h.dialog_event(4, 2, 0);
            h.dialog_event(0, 0, 5);
        });
        g.script_status(1376, 2);
    });
    StringT answer = nullptr;
    EXPECT_EQ(V_ApiPromptString(&answer, "Name?", "x"), 0);
    ASSERT_STREQ(answer, "typed");
    StringT before = answer;
    EXPECT_EQ(V_ApiPromptString(&answer, "Name?", "x"), -1);  // cancelled: no error, nothing stored
    EXPECT_EQ(answer, before);
    V_ApiDeallocateString(&answer);
    EXPECT_EQ(V_ApiPromptInt(nullptr, "n", ""), 0);  // a null output is not written through
    EXPECT_EQ(VA_errno, 0);
    VA_errno = 17;
    EXPECT_EQ(V_Progress(40) * 100 + VA_errno, 17);  // the caller's error stays
    EXPECT_EQ(V_ApiModalDialog(4, 3), 5);
    int handovers = 0, events = 0;
    for (const auto &c : host().calls_until("api_vx_modal_dialog_1")) {
        handovers += c.stub == "api_vx_over_1";
        events += c.stub.find("dialog") != std::string::npos && c.stub != "api_vx_modal_dialog_1";
    }
    EXPECT_EQ(handovers * 10 + events, 22);  // each event handed back (traced before the dialog call)
    VA_bailout = 0;
    ASSERT_EQ(V_ApiTakeControl(), 0);  // held: the end hands it back
    EXPECT_EQ(V_ApiDisconnectFromSession(), 2);
    EXPECT_TRUE(VA_bailout == 1 && vellix_client == nullptr);
    EXPECT_EQ(host().args_of("api_vx_over_1"), "0");
    attach([](vxhost::Host &, GenericHost &g) { g.script_drop(1376); });
    VA_bailout = 0;
    EXPECT_EQ(V_ApiDisconnectFromSession() * 10 + VA_errno, -11);  // it ends even when its call fails
    EXPECT_TRUE(VA_bailout == 1 && vellix_client == nullptr);
    VA_bailout = 0;
}

}  // namespace
