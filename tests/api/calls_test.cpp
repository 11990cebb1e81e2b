// The V_Api functions whose behaviour goes beyond their result shape:
// return-parameter holders, argument layouts, the spelling family with
// several outputs, progress, modal dialogs and the end of a session.
#include "host_child.h"

#include "vapi/api.h"
#include "vapi/apistruct.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using api_test::HostChild;
using vxhost::generic::GenericHost;
using HostSetup = HostChild::Setup;

// A return-parameter list of one integer property.
V_PropValsT one_prop(int32_t num, int32_t value)
{
    V_PropValsT list{};
    V_ApiAppendIntProp(&list, num, value);
    return list;
}

// Scripts `proc` to answer `record` (status, value, report list).
template <class R>
HostSetup answer(uint32_t proc, R record)
{
    return [proc, record](vxhost::Host &, GenericHost &g) { g.script_record(proc, record); };
}

class Calls : public ::testing::Test {
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

// ---- Return-parameter holders ----

TEST_F(Calls, OpenReplacesTheHolderOnEachCallAndKeepsItsOwnList)
{
    V_PropValsT first = one_prop(11, 1), second = one_prop(12, 2);
    attach([&](vxhost::Host &, GenericHost &g) {
        g.script_record(1019, ApiVxOpenRetT{0, 40, &first});
        g.script_record(1019, ApiVxOpenRetT{0, 41, &second});
    });
    V_PropValsT *holder = nullptr;
    EXPECT_EQ(V_ApiOpen("a.vx", nullptr, &holder), 40u);
    ASSERT_NE(holder, nullptr);
    V_PropValsT *kept = holder;
    ASSERT_EQ(holder->count, 1u);
    EXPECT_EQ(holder->items[0].ident.propNum, 11);
    // The second call releases the first list (the sanitizer build sees a
    // leak otherwise) and points the holder at the same place again.
    EXPECT_EQ(V_ApiOpen("b.vx", nullptr, &holder), 41u);
    EXPECT_EQ(holder, kept);
    ASSERT_EQ(holder->count, 1u);
    EXPECT_EQ(holder->items[0].ident.propNum, 12);
    V_ApiDeallocatePropVals(holder);
    EXPECT_EQ(holder->count, 0u);
    V_ApiDeallocatePropVals(&first);
    V_ApiDeallocatePropVals(&second);
}

TEST_F(Calls, DifferentOperationsKeepSeparateReturnParameters)
{
    V_PropValsT opened = one_prop(1, 10), saved = one_prop(2, 20);
    attach([&](vxhost::Host &, GenericHost &g) {
        g.script_record(1019, ApiVxOpenRetT{0, 5, &opened});
        g.script_record(1020, ApiVxSaveRetT{0, 5, &saved});
    });
    V_PropValsT *openRet = nullptr, *saveRet = nullptr;
    V_ApiOpen("a.vx", nullptr, &openRet);
    EXPECT_EQ(V_ApiSave(5, "b.vx", nullptr, &saveRet), 5u);
    ASSERT_NE(openRet, saveRet);
    EXPECT_EQ(openRet->items[0].value.value.intVal, 10);
    EXPECT_EQ(saveRet->items[0].value.value.intVal, 20);
    V_ApiDeallocatePropVals(openRet);
    V_ApiDeallocatePropVals(saveRet);
    V_ApiDeallocatePropVals(&opened);
    V_ApiDeallocatePropVals(&saved);
}

TEST_F(Calls, RefusedDocumentCallsStillHandOverTheirReport)
{
    V_PropValsT report = one_prop(3, 7);
    attach([&](vxhost::Host &, GenericHost &g) {
        g.script_record(1019, ApiVxOpenRetT{-9, 77, &report});
        g.script_record(1037, ApiVxExportRetT{-8, 0, &report});
        g.script_record(1390, ApiVxUpdateBookRetT{-7, &report});
    });
    V_PropValsT *holder = nullptr;
    EXPECT_EQ(V_ApiOpen("missing.vx", nullptr, &holder), 0u);
    EXPECT_EQ(VA_errno, -9);
    ASSERT_NE(holder, nullptr);
    EXPECT_EQ(holder->items[0].ident.propNum, 3);
    V_ApiDeallocatePropVals(holder);
    EXPECT_EQ(V_ApiExport(1, "out", nullptr, &holder), -8);
    EXPECT_EQ(holder->count, 1u);
    V_ApiDeallocatePropVals(holder);
    EXPECT_EQ(V_ApiUpdateBook(1, nullptr, &holder), -7);
    EXPECT_EQ(VA_errno, -7);
    EXPECT_EQ(holder->count, 1u);
    V_ApiDeallocatePropVals(holder);
    V_ApiDeallocatePropVals(&report);
}

// What the caller does not ask for is released, not lost (the sanitizer
// build reports a leak otherwise): an operation's previous report when the
// holder points elsewhere, and lists for outputs that are null.
TEST_F(Calls, NothingHandedOverIsLostWhenTheCallerLooksAway)
{
    V_PropValsT first = one_prop(11, 1), second = one_prop(12, 2);
    char w[] = "w";
    StringT ws[] = {w};
    V_StringsT list{1, ws};
    attach([&](vxhost::Host &, GenericHost &g) {
        g.script_record(1019, ApiVxOpenRetT{0, 40, &first});
        g.script_record(1019, ApiVxOpenRetT{0, 41, &second});
        g.script_record(1088, ApiVxSpellRetT{0, {{4, 1}, {4, 5}}, 3, list});
        g.script_record(1411, ApiVxThesaurusRetT{list, list, list, list, 0});
        g.script_record(1408, ApiVxDictionaryRetT{0, list});
    });
    V_PropValsT *one = nullptr, *other = nullptr;
    EXPECT_EQ(V_ApiOpen("a.vx", nullptr, &one), 40u);
    EXPECT_EQ(V_ApiOpen("b.vx", nullptr, &other), 41u);
    EXPECT_EQ(one, other);  // the one list of this operation, now the second report
    EXPECT_EQ(other->items[0].ident.propNum, 12);
    EXPECT_EQ(V_ApiOpen("c.vx", nullptr, nullptr), 41u);
    V_ApiDeallocatePropVals(other);

    V_TextRangeT found = V_ApiSpell(1, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(found.end.offset, 5);
    EXPECT_EQ(V_ApiThesaurus(0, "w", nullptr, nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(V_ApiDictionary(1, "w", 0, 2, nullptr), 0);
    EXPECT_EQ(VA_errno, 0);
    V_ApiDeallocatePropVals(&first);
    V_ApiDeallocatePropVals(&second);
}

TEST_F(Calls, AFailedDocumentCallLeavesTheHolderAlone)
{
    attach([](vxhost::Host &, GenericHost &g) { g.script_drop(1024); });
    V_PropValsT mine = one_prop(1, 1);
    V_PropValsT *holder = &mine;
    V_TextLocT at{3, 0};
    EXPECT_EQ(V_ApiImport(1, &at, "f", nullptr, &holder), 0u);
    EXPECT_EQ(VA_errno, -1);
    EXPECT_EQ(holder, &mine);
    EXPECT_EQ(mine.count, 1u);
    V_ApiDeallocatePropVals(&mine);
}

TEST_F(Calls, DocumentArgumentsPutTheFileNameFirst)
{
    attach();
    V_PropValsT params = one_prop(4, 1);
    V_PropValsT *holder = nullptr;
    V_ApiSave(9, "s.vx", &params, &holder);
    EXPECT_EQ(host().args_of("api_vx_save_1"), "\"s.vx\", 9, 1, 4, 1, 1");
    V_TextLocT at{3, 2};
    V_ApiImport(9, &at, "i.vx", nullptr, &holder);
    EXPECT_EQ(host().args_of("api_vx_import_1"), "\"i.vx\", 9, 3, 2, 0");
    V_ApiExport(9, "e.vx", nullptr, &holder);
    EXPECT_EQ(host().args_of("api_vx_export_1"), "\"e.vx\", 9, 0");
    V_ApiDeallocatePropVals(holder);
    V_ApiDeallocatePropVals(&params);
}

TEST_F(Calls, FailedReadsReturnRecordsWithNothingToRelease)
{
    attach([](vxhost::Host &, GenericHost &g) { g.script_drop(1062); });
    V_PropValsT props = V_ApiGetProps(1, 2);
    EXPECT_EQ(props.count, 0u);
    EXPECT_EQ(props.items, nullptr);
    V_ApiDeallocatePropVals(&props);
    V_TextRangeT whole{{3, 0}, {3, 0x50000000}};
    TextItemsT text = V_ApiGetTextForRange(1, &whole, 1);  // the connection is gone by now
    EXPECT_EQ(text.count, 0u);
    EXPECT_EQ(text.items, nullptr);
    EXPECT_EQ(VA_errno, -1);
}

// A refusing host may still fill the rest of its answer: none of it reaches
// the caller, who gets the zero value, null or the zero record.
TEST_F(Calls, ARefusalHandsOverNothingTheHostSent)
{
    char x[] = "x";
    StringT xs[] = {x};
    TextItemT item{0, {}};
    item.data.dataType = 1;
    item.data.text = x;
    attach([&](vxhost::Host &, GenericHost &g) {
        g.script_record(1064, ApiVxGetIntRetT{55, 9});
        g.script_record(1070, ApiVxGetStringRetT{55, x});
        g.script_record(1072, ApiVxGetStringsRetT{55, {1, xs}});
        g.script_record(1266, ApiVxGetTextRangeRetT{55, {{1, 2}, {3, 4}}});
        g.script_record(1081, ApiVxGetTextRetT{55, {1, &item}});
        g.script_record(1027, ApiVxCompareRetT{55, 71, 72});
        g.script_record(1009, ApiVxPromptIntRetT{55, 9});
    });
    EXPECT_EQ(V_ApiGetInt(1, 2, 3), 0);
    EXPECT_EQ(V_ApiGetString(1, 2, 3), nullptr);
    V_StringsT strings = V_ApiGetStrings(1, 2, 3);
    EXPECT_EQ(strings.count, 0u);
    EXPECT_EQ(strings.items, nullptr);
    V_TextRangeT range = V_ApiGetTextRange(1, 2, 3);
    EXPECT_EQ(range.start.objId | range.end.objId, 0u);
    EXPECT_EQ(range.start.offset | range.end.offset, 0);
    V_TextRangeT whole{{1, 0}, {1, 0x50000000}};
    TextItemsT text = V_ApiGetTextForRange(1, &whole, 1);
    EXPECT_EQ(text.count, 0u);
    EXPECT_EQ(text.items, nullptr);
    V_CompareRetT compared = V_ApiCompare(1, 2, 0, "", "", "", 0);
    EXPECT_EQ(compared.id1 | compared.id2, 0u);
    EXPECT_EQ(VA_errno, 55);
    VA_errno = 0;
    int32_t answer = 4;
    EXPECT_EQ(V_ApiPromptInt(&answer, "n", ""), -1);
    EXPECT_EQ(answer, 4);
    EXPECT_EQ(VA_errno, 0);  // a cancelled prompt is no error
}

// ---- Argument layouts ----

TEST_F(Calls, TableCallsFillTheirSharedRecords)
{
    attach();
    V_ApiDeleteCols(1, 7, 2, 1);
    EXPECT_EQ(host().args_of("api_vx_cut_table_parts_1"), "1, 7, 0, 0, 2, 1");
    V_ApiDeleteRows(1, 7, 30, 3);
    EXPECT_EQ(host().args_of("api_vx_cut_table_parts_1"), "1, 7, 30, 3, 0, 0");
    V_ApiStraddleCells(1, 8, 2, 3);
    EXPECT_EQ(host().args_of("api_vx_straddle_cells_1"), "1, 8, 2, 3, 1");
    V_ApiUnStraddleCells(1, 8, 2, 3);
    EXPECT_EQ(host().args_of("api_vx_straddle_cells_1"), "1, 8, 2, 3, 0");
}

TEST_F(Calls, ListsAndNullArgumentsTravelAsTheWireWants)
{
    attach();
    int32_t codes[] = {5, -6, 7};
    V_ApiFcodes(3, codes);
    EXPECT_EQ(host().args_of("api_vx_fcodes_1"), "3, 5, -6, 7");
    V_ApiFcodes(-2, nullptr);  // nothing to send is an empty list, not a crash
    EXPECT_EQ(host().args_of("api_vx_fcodes_1"), "0");
    char a[] = "one";
    StringT items[] = {a};
    V_StringsT list{1, items};
    int32_t choice = -1;
    V_ApiScrollBox(&choice, "Pick", &list, 4);
    EXPECT_EQ(host().args_of("api_vx_scroll_box_1"), "\"Pick\", 4, 1, \"one\"");
    // A null string and a null record go out as "" and the zero record.
    V_ApiAddText(2, nullptr, nullptr);
    EXPECT_EQ(host().args_of("api_vx_add_text_1"), "2, 0, 0, 0");
    StringT answer = nullptr;
    V_ApiFileScrollBox(&answer, "Title", "/tmp");
    EXPECT_EQ(host().args_of("old_api_vx_choose_file_1"), "\"Title\", \"/tmp\", 0, 0");
    V_ApiDeallocateString(&answer);
    V_StringsT words = V_ApiGetDictionaryStrings(6, 2);  // operation 9, no text
    V_ApiDeallocateStrings(&words);
    EXPECT_EQ(host().args_of("api_vx_dictionary_1"), "6, 0, 2, 9");
}

// ---- Several outputs ----

TEST_F(Calls, SpellHandsOverSuggestionsEvenWhenRefused)
{
    char w[] = "word";
    StringT sv[] = {w};
    attach([&](vxhost::Host &, GenericHost &g) {
        g.script_record(1088, ApiVxSpellRetT{0, {{4, 1}, {4, 5}}, 3, {1, sv}});
        g.script_record(1088, ApiVxSpellRetT{-5, {{4, 1}, {4, 5}}, 3, {1, sv}});
    });
    int32_t status = -1;
    V_StringsT suggestions{};
    V_TextRangeT found = V_ApiSpell(1, nullptr, nullptr, &status, &suggestions);
    EXPECT_EQ(found.end.offset, 5);
    EXPECT_EQ(status, 3);
    ASSERT_EQ(suggestions.count, 1u);
    EXPECT_STREQ(suggestions.items[0], "word");
    V_ApiDeallocateStrings(&suggestions);

    found = V_ApiSpell(1, nullptr, nullptr, &status, &suggestions);
    EXPECT_EQ(found.end.offset, 0);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(VA_errno, -5);
    ASSERT_EQ(suggestions.count, 1u);
    V_ApiDeallocateStrings(&suggestions);
}

TEST_F(Calls, ThesaurusFillsAllFourListsWhateverItsStatus)
{
    char a[] = "a", b[] = "b";
    StringT one[] = {a}, two[] = {a, b};
    attach(answer(1411, ApiVxThesaurusRetT{{1, one}, {2, two}, {0, nullptr}, {1, one}, 12}));
    V_StringsT l1{}, l2{}, l3{}, l4{};
    EXPECT_EQ(V_ApiThesaurus(0, "w", &l1, &l2, &l3, &l4), 12);
    EXPECT_EQ(VA_errno, 12);
    EXPECT_EQ(l1.count, 1u);
    ASSERT_EQ(l2.count, 2u);
    EXPECT_STREQ(l2.items[1], "b");
    EXPECT_EQ(l3.count, 0u);
    EXPECT_EQ(l4.count, 1u);
    for (V_StringsT *l : {&l1, &l2, &l3, &l4})
        V_ApiDeallocateStrings(l);
}

TEST_F(Calls, ThesaurusAfterAFailedCallLeavesItsOutputsEmpty)
{
    attach([](vxhost::Host &, GenericHost &g) { g.script_drop(1411); });
    char x[] = "x";
    StringT xs[] = {x};
    V_StringsT l1{1, xs}, l2{1, xs}, l3{1, xs}, l4{1, xs};  // not the function's to release
    EXPECT_EQ(V_ApiThesaurus(0, "w", &l1, &l2, &l3, &l4), -1);
    EXPECT_EQ(VA_errno, -1);
    for (V_StringsT *l : {&l1, &l2, &l3, &l4}) {
        EXPECT_EQ(l->count, 0u);
        EXPECT_EQ(l->items, nullptr);
    }
}

TEST_F(Calls, DictionaryOperationNineIsRefusedWithoutACall)
{
    char w[] = "w";
    StringT ws[] = {w};
    attach(answer(1408, ApiVxDictionaryRetT{0, {1, ws}}));
    VA_errno = 3;
    EXPECT_EQ(V_ApiDictionaryOperation(1, "x", 0, 9), -43);
    EXPECT_EQ(VA_errno, 3);
    EXPECT_EQ(V_ApiDictionaryOperation(1, "x", 0, 2), 0);  // its strings are released
    int asked = 0;
    for (const auto &c : host().calls_until("api_vx_dictionary_1"))
        asked += c.stub == "api_vx_dictionary_1";
    EXPECT_EQ(asked, 1);  // only the second one reached the host

    V_StringsT got = V_ApiGetDictionaryStrings(1, 0);
    ASSERT_EQ(got.count, 1u);
    EXPECT_STREQ(got.items[0], "w");
    V_ApiDeallocateStrings(&got);
}

TEST_F(Calls, CompareTakesBothIdentifiers)
{
    attach(answer(1027, ApiVxCompareRetT{0, 71, 72}));
    V_CompareRetT r = V_ApiCompare(1, 2, 0, nullptr, nullptr, nullptr, 0);
    EXPECT_EQ(r.id1, 71u);
    EXPECT_EQ(r.id2, 72u);
}

// ---- Prompts ----

TEST_F(Calls, PromptsStoreAFreshAnswerOrLeaveTheOutputAlone)
{
    char typed[] = "typed";
    attach([&](vxhost::Host &, GenericHost &g) {
        g.script_record(1010, ApiVxPromptStringRetT{0, typed});
        g.script_record(1010, ApiVxPromptStringRetT{-3, typed});
    });
    StringT answer = nullptr;
    EXPECT_EQ(V_ApiPromptString(&answer, "Name?", "x"), 0);
    ASSERT_NE(answer, nullptr);
    EXPECT_STREQ(answer, "typed");
    StringT before = answer;
    VA_errno = 0;
    EXPECT_EQ(V_ApiPromptString(&answer, "Name?", "x"), -1);
    EXPECT_EQ(answer, before);
    EXPECT_EQ(VA_errno, 0);
    V_ApiDeallocateString(&answer);
    int32_t n = 4;  // a null output is not written through
    EXPECT_EQ(V_ApiPromptInt(nullptr, "n", ""), 0);
    EXPECT_EQ(n, 4);
}

// ---- Progress ----

TEST_F(Calls, ProgressReportsWithoutTouchingTheCallersError)
{
    attach([](vxhost::Host &, GenericHost &g) { g.script_status(1065, 0); });
    VA_errno = 17;
    EXPECT_EQ(V_Progress(40), 0);
    EXPECT_EQ(VA_errno, 17);
    EXPECT_EQ(host().args_of("api_vx_set_int_1"), "0, 0, 104, 40");
}

// ---- Modal dialogs ----

TEST_F(Calls, ModalDialogServesTheHostUntilTheDialogEnds)
{
    attach([](vxhost::Host &, GenericHost &g) {
        // After answering, the host reports an item, then the dialog's end
        // with its result.
        g.script_after(1316, [](vxhost::Host &h) {
            h.dialog_event(4, 2, 0);
            h.dialog_event(0, 0, 5);
        });
    });
    EXPECT_EQ(V_ApiModalDialog(4, 3), 5);
    // Each event was handed back to the host (traced before the dialog call,
    // which completes last).
    int handovers = 0, events = 0;
    for (const auto &c : host().calls_until("api_vx_modal_dialog_1")) {
        handovers += c.stub == "api_vx_over_1";
        events += c.stub.find("dialog") != std::string::npos && c.stub != "api_vx_modal_dialog_1";
    }
    EXPECT_EQ(handovers, 2);
    EXPECT_EQ(events, 2);
}

// ---- The end of a session ----

TEST_F(Calls, DisconnectEndsTheSessionWithTheHostsAnswer)
{
    attach([](vxhost::Host &, GenericHost &g) { g.script_status(1376, 2); });
    VA_bailout = 0;
    EXPECT_EQ(V_ApiDisconnectFromSession(), 2);
    EXPECT_EQ(VA_bailout, 1);
    EXPECT_EQ(vellix_client, nullptr);
    VA_bailout = 0;
}

TEST_F(Calls, DisconnectEndsTheSessionEvenWhenItsCallFails)
{
    attach([](vxhost::Host &, GenericHost &g) { g.script_drop(1376); });
    VA_bailout = 0;
    EXPECT_EQ(V_ApiDisconnectFromSession(), -1);
    EXPECT_EQ(VA_errno, -1);
    EXPECT_EQ(VA_bailout, 1);
    EXPECT_EQ(vellix_client, nullptr);
    VA_bailout = 0;
}

}  // namespace
