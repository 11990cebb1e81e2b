// Every V_Api function over real RPC in three situations: the host answers,
// the host refuses with a status, the connection is dropped. What each one
// returns and leaves in VA_errno follows from its result shape, with the
// exceptions listed in its row.
#include "client_under_host.h"

#include "vapi/api.h"
#include "vapi/apistruct.h"
#include "proctable.h"
#include "vapi/runtime.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <type_traits>

namespace {

using lindrel_test::HostChild;
using vxhost::generic::GenericHost;

enum class Shape { Status, Plain, Void, Value, String, Record, Prompt, Own };
enum Situation { kAnswered, kRefused, kFailed };

constexpr int32_t kUntouched = 777;  // VA_errno before every call
constexpr int32_t kRefusal = 55;     // the status a refusing host answers

// What one call left: its return value, and whether it handed over
// anything (a string, a non-zero record, an answer through its output).
struct Outcome {
    int64_t value = 0;
    bool handed = false;
};

// ---- Turning each kind of result into an Outcome, releasing it ----

void release(V_StringsT &r) { V_ApiDeallocateStrings(&r); }
void release(V_MetricsT &r) { V_ApiDeallocateMetrics(&r); }
void release(V_IntsT &r) { V_ApiDeallocateInts(&r); }
void release(V_PointsT &r) { V_ApiDeallocatePoints(&r); }
void release(V_TabsT &r) { V_ApiDeallocateTabs(&r); }
void release(V_UBytesT &r) { V_ApiDeallocateUBytes(&r); }
void release(V_FontsT &r) { V_ApiDeallocateFonts(&r); }
void release(V_CombinedFontsT &r) { V_ApiDeallocateCombinedFonts(&r); }
void release(V_ElementCatalogEntriesT &r) { V_ApiDeallocateElementCatalogEntries(&r); }
void release(V_AttributeDefsT &r) { V_ApiDeallocateAttributeDefs(&r); }
void release(V_AttributesT &r) { V_ApiDeallocateAttributes(&r); }
void release(V_PropValsT &r) { V_ApiDeallocatePropVals(&r); }
void release(TextItemsT &r) { V_ApiDeallocateTextItems(&r); }
void release(V_TypedValT &r) { V_ApiDeallocateVal(&r); }
void release(V_PropValT &r) { V_ApiDeallocatePropVal(&r); }
template <class T>
void release(T &) {}  // records without strings or arrays

template <class T, class = void>
struct IsList : std::false_type {};
template <class T>
struct IsList<T, std::void_t<decltype(std::declval<T>().items)>> : std::true_type {};

template <class T>
bool non_zero(const T &r)
{
    if constexpr (std::is_same_v<T, V_TypedValT>)
        return r.typeCode != 0 || r.value.intVal != 0;
    else if constexpr (std::is_same_v<T, V_PropValT>)
        return r.ident.propNum != 0 || r.ident.propName != nullptr || non_zero(r.value);
    else if constexpr (IsList<T>::value)
        return r.count != 0;
    else {
        T zero{};  // fixed records of 32-bit fields: no padding
        return std::memcmp(&r, &zero, sizeof r) != 0;
    }
}

template <class F>
std::function<Outcome()> number(F f)
{
    return [f] { return Outcome{static_cast<int64_t>(f()), false}; };
}
template <class F>
std::function<Outcome()> none(F f)
{
    return [f] {
        f();
        return Outcome{};
    };
}
template <class F>
std::function<Outcome()> string(F f)
{
    return [f] {
        StringT s = f();
        Outcome o{0, s != nullptr};
        V_ApiDeallocateString(&s);
        return o;
    };
}
template <class F>
std::function<Outcome()> record(F f)
{
    return [f] {
        auto r = f();
        Outcome o{0, non_zero(r)};
        release(r);
        return o;
    };
}
// A prompt: its return value, and whether it wrote its output.
template <class Out, class F>
std::function<Outcome()> prompt(F f)
{
    return [f] {
        static char mark[] = "untouched";
        Out answer;
        if constexpr (std::is_same_v<Out, StringT>)
            answer = mark;
        else
            answer = -12345;
        Outcome o{f(&answer), false};
        if constexpr (std::is_same_v<Out, StringT>) {
            o.handed = answer != mark;
            if (o.handed)
                V_ApiDeallocateString(&answer);
        } else {
            o.handed = answer != -12345;
        }
        return o;
    };
}

struct Expect {
    int64_t value;
    int32_t error;
    bool handed = false;
};

struct Entry {
    const char *name;
    const char *stub;
    Shape shape;
    std::function<Outcome()> call;
    std::optional<int64_t> failed = std::nullopt;  // return value after a failed call, where not the shape's
    std::optional<Expect> own[3] = {};             // Shape::Own: per situation
};

char text[] = "text";
V_TextLocT loc{5, 6};
V_TextRangeT range{{5, 0}, {5, 4}};
V_ElementLocT eloc{1, 2, 3};
V_ElementRangeT erange{{1, 2, 3}, {4, 5, 6}};
StringT words[] = {text};
V_StringsT strings{1, words};
int32_t numbers[] = {1, 2};
V_MetricsT metrics{2, numbers};
V_IntsT ints{2, numbers};
V_PointT pointItems[] = {{1, 2}};
V_PointsT points{1, pointItems};
V_TabT tabItems[] = {{10, 1, text, 0}};
V_TabsT tabs{1, tabItems};
uint8_t byteItems[] = {1, 2};
V_UBytesT ubytes{2, byteItems};
V_TypedValT typed{1, {}};
V_PropValT propVal{{9, nullptr}, {1, {}}};
V_PropValsT propVals{1, &propVal};
V_AttributeDefsT attrDefs{0, nullptr};
V_AttributesT attrs{0, nullptr};
V_FontT font{1, 2, 3, 4};
V_PropValsT *holder = nullptr;
V_StringsT out1, out2, out3, out4;
int32_t spellStatus;

int32_t thesaurus()
{
    int32_t r = V_ApiThesaurus(0, "w", &out1, &out2, &out3, &out4);
    for (V_StringsT *o : {&out1, &out2, &out3, &out4})
        V_ApiDeallocateStrings(o);
    return r;
}

// Rows: the function, its stub and the arguments of one call; a number
// after them is what the function returns after a failed call, where that
// is not its shape's failure value.
#define ROW(builder, shape, fn, stub, args, ...) \
    {#fn, #stub, Shape::shape, builder([] { return fn args; }), __VA_ARGS__}
#define N(shape, fn, stub, args, ...) ROW(number, shape, fn, stub, args, __VA_ARGS__)
#define V(fn, stub, args) ROW(none, Void, fn, stub, args)
#define STR(fn, stub, args) ROW(string, String, fn, stub, args)
#define REC(fn, stub, args) ROW(record, Record, fn, stub, args)
#define PROMPT(Out, fn, stub, args) {#fn, #stub, Shape::Prompt, prompt<Out>([](Out *a) { return fn args; })}
// Own rows: what they return and leave in VA_errno when answered, refused, failed.
#define OWN(builder, fn, stub, args, answered, refused, failed) \
    {#fn, #stub, Shape::Own, builder([] { return fn args; }), std::nullopt, {answered, refused, failed}}
Expect E(int64_t value, int32_t error, bool handed = false) { return Expect{value, error, handed}; }

std::vector<Entry> entries()
{
    return {
        // Property access
        N(Value, V_ApiGetInt, api_vx_get_int_1, (1, 2, 3)),
        N(Value, V_ApiGetIntByName, api_vx_get_int_1, (1, 2, "n")),
        V(V_ApiSetInt, api_vx_set_int_1, (1, 5, 3, 4)),
        V(V_ApiSetIntByName, api_vx_set_int_1, (1, 5, "n", 4)),
        N(Value, V_ApiGetMetric, api_vx_get_metric_1, (1, 2, 3)),
        N(Value, V_ApiGetMetricByName, api_vx_get_metric_1, (1, 2, "n")),
        V(V_ApiSetMetric, api_vx_set_metric_1, (1, 5, 3, 4)),
        V(V_ApiSetMetricByName, api_vx_set_metric_1, (1, 5, "n", 4)),
        N(Value, V_ApiGetId, api_vx_get_id_1, (1, 2, 3)),
        V(V_ApiSetId, api_vx_set_id_1, (1, 5, 3, 4)),
        STR(V_ApiGetString, api_vx_get_string_1, (1, 2, 3)),
        V(V_ApiSetString, api_vx_set_string_1, (1, 5, 3, "s")),
        REC(V_ApiGetStrings, api_vx_get_strings_1, (1, 2, 3)),
        V(V_ApiSetStrings, api_vx_set_strings_1, (1, 5, 3, &strings)),
        REC(V_ApiGetMetrics, api_vx_get_metrics_1, (1, 2, 3)),
        V(V_ApiSetMetrics, api_vx_set_metrics_1, (1, 5, 3, &metrics)),
        REC(V_ApiGetInts, api_vx_get_ints_1, (1, 2, 3)),
        V(V_ApiSetInts, api_vx_set_ints_1, (1, 5, 3, &ints)),
        REC(V_ApiGetPoints, api_vx_get_points_1, (1, 2, 3)),
        V(V_ApiSetPoints, api_vx_set_points_1, (1, 5, 3, &points)),
        REC(V_ApiGetTabs, api_vx_get_tabs_1, (1, 2, 3)),
        V(V_ApiSetTabs, api_vx_set_tabs_1, (1, 5, 3, &tabs)),
        REC(V_ApiGetUBytesByName, api_vx_get_ubytes_1, (1, 2, "n")),
        V(V_ApiSetUBytesByName, api_vx_set_ubytes_1, (1, 5, "n", &ubytes)),
        REC(V_ApiGetTextLoc, api_vx_get_textloc_1, (1, 2, 3)),
        V(V_ApiSetTextLoc, api_vx_set_textloc_1, (1, 5, 3, &loc)),
        REC(V_ApiGetTextRange, api_vx_get_textrange_1, (1, 2, 3)),
        V(V_ApiSetTextRange, api_vx_set_textrange_1, (1, 5, 3, &range)),
        REC(V_ApiGetElementRange, api_vx_get_element_range_1, (1, 2, 3)),
        V(V_ApiSetElementRange, api_vx_set_element_range_1, (1, 5, 3, &erange)),
        REC(V_ApiGetVal, api_vx_get_val_1, (1, 2, 3)),
        V(V_ApiSetVal, api_vx_set_val_1, (1, 5, 3, &typed)),
        // The host names the property it answers for.
        OWN(record, V_ApiGetPropVal, api_vx_get_prop_1, (1, 2, 3), E(0, kUntouched, true), E(0, kRefusal), E(0, -1)),
        V(V_ApiSetPropVal, api_vx_set_prop_1, (1, 5, &propVal)),
        REC(V_ApiGetProps, api_vx_get_props_1, (1, 2)),
        V(V_ApiSetProps, api_vx_set_props_1, (1, 5, &propVals)),
        V(V_ApiDeletePropByName, api_vx_delete_prop_1, (1, 2, "n")),
        REC(V_ApiGetElementCatalog, api_vx_get_element_catalog_1, (1)),
        REC(V_ApiGetAttributeDefs, api_vx_get_attribute_defs_1, (1, 2)),
        V(V_ApiSetAttributeDefs, api_vx_set_attribute_defs_1, (1, 5, &attrDefs)),
        REC(V_ApiGetAttributes, api_vx_get_attributes_1, (1, 2)),
        V(V_ApiSetAttributes, api_vx_set_attributes_1, (1, 5, &attrs)),
        REC(V_ApiGetTextVal, api_vx_get_text_val_1, (1, &loc, 3)),
        OWN(record, V_ApiGetTextPropVal, api_vx_get_text_prop_1, (1, &loc, 3), E(0, kUntouched, true),
            E(0, kRefusal), E(0, -1)),
        REC(V_ApiGetTextProps, api_vx_get_text_props_1, (1, &loc)),
        V(V_ApiSetTextVal, api_vx_set_text_val_1, (9, &range, 3, &typed)),
        V(V_ApiSetTextPropVal, api_vx_set_text_prop_1, (9, &range, &propVal)),
        V(V_ApiSetTextProps, api_vx_set_text_props_1, (9, &range, &propVals)),
        // Object handles
        N(Value, V_ApiNewNamedObject, api_vx_new_named_object_1, (1, 32, "Body")),
        N(Value, V_ApiGetNamedObject, api_vx_get_named_object_1, (1, 32, "Body")),
        N(Value, V_ApiGetUniqueObject, api_vx_get_unique_object_1, (1, 2, 3)),
        N(Value, V_ApiNewGraphicObject, api_vx_new_graphic_object_1, (1, 2, 3)),
        N(Value, V_ApiNewSubObject, api_vx_new_sub_object_1, (1, 2, 3)),
        N(Value, V_ApiNewSeriesObject, api_vx_new_series_object_1, (1, 2, 3)),
        N(Value, V_ApiNewAnchoredObject, api_vx_new_anchored_object_1, (1, 2, &loc)),
        N(Value, V_ApiNewAnchoredFormattedObject, api_vx_new_anchored_formatted_object_1, (1, 2, "f", &loc)),
        OWN(number, V_ApiObjectValid, api_vx_object_valid_1, (1, 2), E(1, kUntouched), E(0, kRefusal), E(0, -1)),
        N(Status, V_ApiDelete, api_vx_delete_1, (1, 2)),
        // Session and control
        N(Status, V_ApiNotification, api_vx_notification_1, (42, 1)),
        N(Plain, V_ApiReturnValue, api_vx_return_value_1, (-10001), 0),
        N(Plain, V_ApiClientNumber, api_client_number_1, ()),
        // A bare string result: no status to refuse with.
        OWN(string, V_ApiClientName, api_client_name_1, (), E(0, kUntouched, true), E(0, kUntouched, true), E(0, -1)),
        OWN(string, V_ApiClientDir, api_client_directory_1, (), E(0, kUntouched, true), E(0, kUntouched, true),
            E(0, -1)),
        N(Plain, V_ApiSetClientDir, api_set_client_directory_1, ("/d")),
        N(Value, V_ApiCallClient, api_vx_call_client_1, ("c", "m")),
        // No result beyond completion: the time not slept when it failed.
        OWN(number, V_ApiSleep, api_vx_sleep_1, (0), E(0, kUntouched), E(0, kUntouched), E(0, -1)),
        OWN(number, V_ApiUSleep, api_vx_usleep_1, (250), E(0, kUntouched), E(0, kUntouched), E(250, -1)),
        N(Plain, V_ApiUserCancel, api_vx_user_cancel_1, ()),
        N(Plain, V_ApiSystemShell, api_vx_system_shell_1, ("true")),
        N(Plain, V_ApiForkAndExec, api_vx_fork_and_exec_1, ("/bin/true", &strings)),
        // Leaves VA_errno as it found it.
        OWN(number, V_Progress, api_vx_set_int_1, (50), E(0, kUntouched), E(-1, kUntouched), E(-1, kUntouched)),
        // Menus and commands
        N(Plain, V_ApiMenuExists, api_vx_menu_exists_1, ("m")),
        N(Plain, V_ApiShortcutExists, api_vx_shortcut_exists_1, ("k")),
        N(Status, V_ApiAddMenu, api_vx_add_menu_1, ("a", "b", "c")),
        N(Status, V_ApiRemoveMenu, api_vx_remove_menu_1, ("a", "b")),
        N(Status, V_ApiAddCommand, api_vx_add_command_1, (1, "a", "b", "c", "d")),
        N(Value, V_ApiDefineCommand, api_vx_define_command_1, (1, "a", "b", "c")),
        N(Value, V_ApiDefineMenu, api_vx_define_menu_1, ("a", "b")),
        N(Value, V_ApiDefineAndAddCommand, api_vx_define_and_add_command_1, (1, 2, "a", "b", "")),
        N(Value, V_ApiDefineAndAddMenu, api_vx_define_and_add_menu_1, (2, "a", "b")),
        N(Status, V_ApiAddCommandToMenu, api_vx_add_command_to_menu_1, (1, 2)),
        N(Status, V_ApiAddMenuToMenu, api_vx_add_menu_to_menu_1, (1, 2)),
        N(Status, V_ApiLoadMenuCustomizationFile, api_vx_load_menu_customization_file_1, ("f", 0)),
        N(Status, V_ApiAnimateMenu, api_vx_animate_menu_1, (1, 2, 3, "s", 4, 5)),
        N(Value, V_ApiMenuItemInMenu, api_vx_menu_item_in_menu_1, (1, 2, 3)),
        // Documents and books: the value, 0 when refused or failed
        N(Value, V_ApiOpen, api_vx_open_1, ("f", &propVals, &holder)),
        N(Value, V_ApiSave, api_vx_save_1, (1, "f", &propVals, &holder)),
        N(Value, V_ApiImport, api_vx_import_1, (1, &loc, "f", &propVals, &holder)),
        N(Status, V_ApiExport, api_vx_export_1, (1, "f", &propVals, &holder), 0),
        N(Status, V_ApiUpdateBook, api_vx_update_book_1, (1, &propVals, &holder)),
        N(Value, V_ApiCustomDoc, api_vx_custom_1, (1, 2, 3, 4, 5, 6, 7, 8, 9, 10)),
        N(Status, V_ApiClose, api_vx_close_1, (1, 0)),
        N(Status, V_ApiSilentPrintDoc, api_vx_silent_print_doc_1, (1)),
        N(Status, V_ApiSimpleImportFormats, api_vx_simple_import_formats_1, (1, 2, 3)),
        N(Status, V_ApiSimpleImportElementDefs, api_vx_simple_import_element_defs_1, (1, 2, 3)),
        N(Status, V_ApiSimpleGenerate, api_vx_simple_generate_1, (1, 2, 3)),
        REC(V_ApiCompare, api_vx_compare_1, (1, 2, 3, "a", "b", "c", 4)),
        N(Status, V_ApiUpdateXRefs, api_vx_update_xrefs_1, (1, 2)),
        N(Status, V_ApiUpdateTextInset, api_vx_update_textinset_1, (1, 2)),
        N(Status, V_ApiDeleteTextInsetContents, api_vx_delete_textinset_contents_1, (1, 2)),
        N(Status, V_ApiApplyPageLayout, api_vx_apply_page_layout_1, (1, 2, 3)),
        N(Value, V_ApiCacheDocument, api_vx_cache_doc_1, (1)),
        N(Status, V_ApiHypertextCommand, api_vx_hypertext_command_1, (1, "gotolink x")),
        N(Status, V_ApiRestartPgfNumbering, api_vx_restart_pgf_numbering_1, (1)),
        N(Status, V_ApiResetReferenceFrames, api_vx_reset_reference_frames_1, (1)),
        N(Status, V_ApiRehyphenate, api_vx_rehyphenate_1, (1)),
        N(Status, V_ApiReformat, api_vx_reformat_1, (1)),
        N(Status, V_ApiRedisplay, api_vx_redisplay_1, (1)),
        N(Status, V_ApiClearAllChangebars, api_vx_clear_all_changebars_1, (1)),
        N(Status, V_ApiResetEqnSettings, api_vx_reset_eqn_settings_1, (1)),
        N(Status, V_ApiUpdateVariables, api_vx_update_variables_1, (1)),
        // Text and clipboard
        REC(V_ApiGetText, api_vx_get_text_1, (1, 2, 1)),
        REC(V_ApiGetText2, api_vx_get_text2_1, (1, 2, 1, 0)),
        REC(V_ApiGetTextForRange, api_vx_get_text_for_range_1, (1, &range, 1)),
        REC(V_ApiGetTextForRange2, api_vx_get_text_for_range2_1, (1, &range, 1, 0)),
        REC(V_ApiAddText, api_vx_add_text_1, (1, &loc, "t")),
        N(Status, V_ApiDeleteText, api_vx_delete_text_1, (1, &range)),
        N(Status, V_ApiReplaceText, api_vx_replace_text_1, (1, &range, "t"), 0),
        REC(V_ApiFind, api_vx_find_1, (1, &loc, &propVals)),
        N(Status, V_ApiScrollToText, api_vx_scroll_to_text_1, (1, &range)),
        N(Status, V_ApiCenterOnText, api_vx_center_on_text_1, (1, &range)),
        N(Status, V_ApiCut, api_vx_cut_1, (1, 0)),
        N(Status, V_ApiCopy, api_vx_copy_1, (1, 0)),
        N(Status, V_ApiPaste, api_vx_paste_1, (1, 0)),
        N(Status, V_ApiClear, api_vx_clear_1, (1, 0)),
        OWN(none, V_ApiPushClipboard, api_vx_push_clipboard_1, (), E(0, kUntouched), E(0, kUntouched), E(0, -1)),
        N(Status, V_ApiPopClipboard, api_vx_pop_clipboard_1, ()),
        // Dialogs, alerts and prompts
        N(Plain, V_ApiAlert, api_vx_alert_1, ("m", 1)),
        PROMPT(int32_t, V_ApiPromptInt, api_vx_prompt_int_1, (a, "m", "s")),
        PROMPT(int32_t, V_ApiPromptMetric, api_vx_prompt_metric_1, (a, "m", "s", 1)),
        PROMPT(StringT, V_ApiPromptString, api_vx_prompt_string_1, (a, "m", "s")),
        PROMPT(StringT, V_ApiChooseFile, api_vx_choose_file_1, (a, "t", "/", "", 0, "h")),
        PROMPT(StringT, oldV_ApiChooseFile, old_api_vx_choose_file_1, (a, "t", "/", "", 0)),
        PROMPT(StringT, V_ApiFileScrollBox, old_api_vx_choose_file_1, (a, "t", "/")),
        PROMPT(int32_t, V_ApiScrollBox, api_vx_scroll_box_1, (a, "t", &strings, 0)),
        REC(V_ApiPromptPoint, api_vx_prompt_point_1, (1, 2, 3)),
        REC(V_ApiPromptRect, api_vx_prompt_rect_1, (1, 2, 3)),
        N(Plain, V_ApiModalDialog, api_vx_modal_dialog_1, (0, 2), 0),
        N(Plain, V_ApiModelessDialog, api_vx_modeless_dialog_1, (1, 2), 0),
        N(Value, V_ApiDialogItemId, api_vx_dialog_item_id_1, (1, 2)),
        N(Value, V_ApiOpenResource, api_vx_open_resource_1, (1, "r")),
        N(Status, V_ApiFcodes, api_vx_fcodes_1, (2, numbers)),
        // Tables and elements
        N(Value, V_ApiNewTable, api_vx_new_table_1, (1, "Format A", 2, 3, 1, 0, &loc)),
        N(Status, V_ApiAddRows, api_vx_add_rows_1, (1, 2, 3, 4)),
        N(Status, V_ApiAddCols, api_vx_add_columns_1, (1, 2, 3, 4, 5)),
        N(Status, V_ApiDeleteRows, api_vx_cut_table_parts_1, (1, 2, 3, 4)),
        N(Status, V_ApiDeleteCols, api_vx_cut_table_parts_1, (1, 2, 3, 4)),
        N(Status, V_ApiMakeTblSelection, api_vx_make_table_selection_1, (1, 2, 0, 1, 0, 1)),
        N(Status, V_ApiStraddleCells, api_vx_straddle_cells_1, (1, 2, 3, 4)),
        N(Status, V_ApiUnStraddleCells, api_vx_straddle_cells_1, (1, 2, 3, 4)),
        N(Value, V_ApiNewElement, api_vx_new_element_1, (1, 2, &loc)),
        N(Value, V_ApiNewElementInHierarchy, api_vx_new_element_in_hierarchy_1, (1, 2, &eloc)),
        N(Value, V_ApiNewBookComponentInHierarchy, api_vx_new_book_component_in_hierarchy_1, (1, "c.vx", &eloc)),
        REC(V_ApiElementLocToTextLoc, api_vx_elementloc_to_textloc_1, (1, &eloc)),
        REC(V_ApiTextLocToElementLoc, api_vx_textloc_to_elementloc_1, (1, &loc)),
        N(Status, V_ApiDeleteUndefinedAttribute, api_vx_delete_undefined_attribute_1, (1, "a", 0, 2)),
        V(V_ApiWrapElement, api_vx_wrap_element_1, (1, 2)),
        V(V_ApiMergeIntoFirst, api_vx_merge_into_first_1, (1)),
        V(V_ApiMergeIntoLast, api_vx_merge_into_last_1, (1)),
        V(V_ApiSplitElement, api_vx_split_element_1, (1)),
        V(V_ApiUnWrapElement, api_vx_unwrap_element_1, (1)),
        V(V_ApiPromoteElement, api_vx_promote_element_1, (1)),
        V(V_ApiDemoteElement, api_vx_demote_element_1, (1)),
        // Fonts and encodings
        REC(V_ApiFamilyFonts, api_vx_family_fonts_1, (1)),
        REC(V_ApiCombinedFamilyFonts, api_vx_combined_family_fonts_1, (1)),
        N(Plain, V_ApiIsEncodingSupported, api_vx_is_encoding_supported_1, ("JIS"), 0),
        REC(V_ApiGetSupportedEncodings, api_vx_get_supported_encodings_1, ()),
        STR(V_ApiGetEncodingForFamily, api_vx_get_encoding_for_family_1, (1)),
        STR(V_ApiGetEncodingForFont, api_vx_get_encoding_for_font_1, (&font)),
        // Spelling and friends
        REC(V_ApiSpell, api_vx_spell_1, (1, &loc, &propVals, &spellStatus, &out1)),
        N(Status, V_ApiDictionary, api_vx_dictionary_1, (1, "w", 0, 2, nullptr)),
        N(Status, V_ApiDictionaryOperation, api_vx_dictionary_1, (1, "w", 0, 2)),
        REC(V_ApiGetDictionaryStrings, api_vx_dictionary_1, (1, 0)),
        N(Status, V_ApiModifyDictionary, api_vx_modifydictionary_1, (1, 2, 3, "w"), 0),
        N(Status, V_ApiResetSpelling, api_vx_resetspelling_1, (1)),
        {"V_ApiThesaurus", "api_vx_thesaurus_1", Shape::Status, number(thesaurus)},
        STR(V_ApiShowHyphenation, api_vx_showhyphenation_1, ("word")),
        N(Value, V_ApiQuickSelect, api_vx_quick_select_1, (1, "t", &strings), -1),
        N(Status, V_ApiUserInteractSelection, api_vx_user_interact_selection_1, (1)),
        N(Status, V_ApiCenterOnGraphicObject, api_vx_center_on_graphic_object_1, (1, 2)),
        N(Status, V_ApiChangeColorPalette, api_vx_change_color_palette_1,
          (1, &metrics, 2, &metrics, 3, &metrics, 4, &metrics, &metrics, 5)),
    };
}

// What a function of each shape must do in each situation.
Expect expected(const Entry &e, Situation s)
{
    if (e.shape == Shape::Own)
        return *e.own[s];
    if (s == kFailed) {
        bool nothing = e.shape == Shape::Void || e.shape == Shape::Value || e.shape == Shape::Record ||
                       e.shape == Shape::String;
        int64_t value = nothing ? 0 : -1;
        return Expect{e.failed.value_or(value), -1};
    }
    bool refused = s == kRefused;
    switch (e.shape) {
    case Shape::Status:
        return Expect{refused ? kRefusal : 0, refused ? kRefusal : kUntouched};
    case Shape::Plain:  // the host's answer, never stored
        return Expect{refused ? kRefusal : 0, kUntouched};
    case Shape::Prompt:  // a refusal is the user cancelling: nothing stored
        return Expect{refused ? -1 : 0, kUntouched, !refused};
    case Shape::String:
        return Expect{0, refused ? kRefusal : kUntouched, !refused};
    default:  // Void, Value, Record: nothing when refused
        return Expect{refused && e.failed ? *e.failed : 0, refused ? kRefusal : kUntouched};
    }
}

bool makes_objects(const char *stub)
{
    for (uint32_t i = 0; i < api_proc_count; ++i)
        if (std::strcmp(api_procs[i].stubName, stub) == 0)
            return std::strcmp(api_procs[i].resType, "ApiVxObjRetT") == 0;
    return false;
}

bool control(uint32_t proc) { return proc == 1000 || proc == 1001 || proc == 1002 || proc == 1343; }

void run_all(Situation s, const HostChild::Setup &setup)
{
    HostChild host(setup);
    ASSERT_TRUE(host.attached());
    for (const Entry &e : entries()) {
        SCOPED_TRACE(e.name);
        VA_errno = kUntouched;
        Outcome o = e.call();
        Expect want = expected(e, s);
        if (e.shape == Shape::Value && s == kAnswered && makes_objects(e.stub)) {
            EXPECT_NE(o.value, 0);  // a new or found object
        } else {
            EXPECT_EQ(o.value, want.value);
        }
        EXPECT_EQ(VA_errno, want.error);
        EXPECT_EQ(o.handed, want.handed);
        if (s != kFailed) {  // every function reaches its own procedure
            EXPECT_NE(host.args_of(e.stub), "(no call)");
        }
    }
}

// Every procedure that some V_Api function calls has a row: the control
// calls belong to the runtime, 1023 has no function, and disconnecting
// ends the session (its own tests).
TEST(Shapes, TheTableReachesEveryProcedure)
{
    std::set<std::string> stubs;
    for (const Entry &e : entries())
        stubs.insert(e.stub);
    for (uint32_t i = 0; i < api_proc_count; ++i) {
        const ApiProcT &p = api_procs[i];
        if (!control(p.num) && p.num != 1023 && p.num != 1376) {
            EXPECT_TRUE(stubs.count(p.stubName)) << p.stubName;
        }
    }
}

TEST(Shapes, EveryFunctionWhenTheHostAnswers) { run_all(kAnswered, {}); }

TEST(Shapes, EveryFunctionWhenTheHostRefuses)
{
    run_all(kRefused, [](vxhost::Host &, GenericHost &g) {
        for (uint32_t i = 0; i < api_proc_count; ++i)
            if (!control(api_procs[i].num))
                g.script_status(api_procs[i].num, kRefusal);
    });
}

TEST(Shapes, EveryFunctionWhenTheConnectionIsDropped)
{
    run_all(kFailed, [](vxhost::Host &, GenericHost &g) {
        for (uint32_t i = 0; i < api_proc_count; ++i)
            if (!control(api_procs[i].num))
                g.script_drop(api_procs[i].num);
    });
}

}  // namespace
