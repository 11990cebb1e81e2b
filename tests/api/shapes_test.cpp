// Every V_Api function over real RPC in three situations: the host answers,
// the host refuses with a status, the connection is dropped. What each one
// returns and leaves in VA_errno follows from its result shape, with the
// exceptions listed in its row.
#include "host_child.h"

#include "vapi/api.h"
#include "vapi/apistruct.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <optional>
#include <string>
#include <type_traits>

namespace {

using api_test::HostChild;
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

std::vector<Entry> entries()
{
    using S = Shape;
    return {
        // Property access
        {"V_ApiGetInt", "api_vx_get_int_1", S::Value, number([] { return V_ApiGetInt(1, 2, 3); })},
        {"V_ApiGetIntByName", "api_vx_get_int_1", S::Value, number([] { return V_ApiGetIntByName(1, 2, "n"); })},
        {"V_ApiSetInt", "api_vx_set_int_1", S::Void, none([] { V_ApiSetInt(1, 5, 3, 4); })},
        {"V_ApiSetIntByName", "api_vx_set_int_1", S::Void, none([] { V_ApiSetIntByName(1, 5, "n", 4); })},
        {"V_ApiGetMetric", "api_vx_get_metric_1", S::Value, number([] { return V_ApiGetMetric(1, 2, 3); })},
        {"V_ApiGetMetricByName", "api_vx_get_metric_1", S::Value,
         number([] { return V_ApiGetMetricByName(1, 2, "n"); })},
        {"V_ApiSetMetric", "api_vx_set_metric_1", S::Void, none([] { V_ApiSetMetric(1, 5, 3, 4); })},
        {"V_ApiSetMetricByName", "api_vx_set_metric_1", S::Void, none([] { V_ApiSetMetricByName(1, 5, "n", 4); })},
        {"V_ApiGetId", "api_vx_get_id_1", S::Value, number([] { return V_ApiGetId(1, 2, 3); })},
        {"V_ApiSetId", "api_vx_set_id_1", S::Void, none([] { V_ApiSetId(1, 5, 3, 4); })},
        {"V_ApiGetString", "api_vx_get_string_1", S::String, string([] { return V_ApiGetString(1, 2, 3); })},
        {"V_ApiSetString", "api_vx_set_string_1", S::Void, none([] { V_ApiSetString(1, 5, 3, "s"); })},
        {"V_ApiGetStrings", "api_vx_get_strings_1", S::Record, record([] { return V_ApiGetStrings(1, 2, 3); })},
        {"V_ApiSetStrings", "api_vx_set_strings_1", S::Void, none([] { V_ApiSetStrings(1, 5, 3, &strings); })},
        {"V_ApiGetMetrics", "api_vx_get_metrics_1", S::Record, record([] { return V_ApiGetMetrics(1, 2, 3); })},
        {"V_ApiSetMetrics", "api_vx_set_metrics_1", S::Void, none([] { V_ApiSetMetrics(1, 5, 3, &metrics); })},
        {"V_ApiGetInts", "api_vx_get_ints_1", S::Record, record([] { return V_ApiGetInts(1, 2, 3); })},
        {"V_ApiSetInts", "api_vx_set_ints_1", S::Void, none([] { V_ApiSetInts(1, 5, 3, &ints); })},
        {"V_ApiGetPoints", "api_vx_get_points_1", S::Record, record([] { return V_ApiGetPoints(1, 2, 3); })},
        {"V_ApiSetPoints", "api_vx_set_points_1", S::Void, none([] { V_ApiSetPoints(1, 5, 3, &points); })},
        {"V_ApiGetTabs", "api_vx_get_tabs_1", S::Record, record([] { return V_ApiGetTabs(1, 2, 3); })},
        {"V_ApiSetTabs", "api_vx_set_tabs_1", S::Void, none([] { V_ApiSetTabs(1, 5, 3, &tabs); })},
        {"V_ApiGetUBytesByName", "api_vx_get_ubytes_1", S::Record,
         record([] { return V_ApiGetUBytesByName(1, 2, "n"); })},
        {"V_ApiSetUBytesByName", "api_vx_set_ubytes_1", S::Void,
         none([] { V_ApiSetUBytesByName(1, 5, "n", &ubytes); })},
        {"V_ApiGetTextLoc", "api_vx_get_textloc_1", S::Record, record([] { return V_ApiGetTextLoc(1, 2, 3); })},
        {"V_ApiSetTextLoc", "api_vx_set_textloc_1", S::Void, none([] { V_ApiSetTextLoc(1, 5, 3, &loc); })},
        {"V_ApiGetTextRange", "api_vx_get_textrange_1", S::Record, record([] { return V_ApiGetTextRange(1, 2, 3); })},
        {"V_ApiSetTextRange", "api_vx_set_textrange_1", S::Void, none([] { V_ApiSetTextRange(1, 5, 3, &range); })},
        {"V_ApiGetElementRange", "api_vx_get_element_range_1", S::Record,
         record([] { return V_ApiGetElementRange(1, 2, 3); })},
        {"V_ApiSetElementRange", "api_vx_set_element_range_1", S::Void,
         none([] { V_ApiSetElementRange(1, 5, 3, &erange); })},
        {"V_ApiGetVal", "api_vx_get_val_1", S::Record, record([] { return V_ApiGetVal(1, 2, 3); })},
        {"V_ApiSetVal", "api_vx_set_val_1", S::Void, none([] { V_ApiSetVal(1, 5, 3, &typed); })},
        // The host names the property it answers for.
        {"V_ApiGetPropVal", "api_vx_get_prop_1", S::Own, record([] { return V_ApiGetPropVal(1, 2, 3); }),
         std::nullopt, {Expect{0, kUntouched, true}, Expect{0, kRefusal}, Expect{0, -1}}},
        {"V_ApiSetPropVal", "api_vx_set_prop_1", S::Void, none([] { V_ApiSetPropVal(1, 5, &propVal); })},
        {"V_ApiGetProps", "api_vx_get_props_1", S::Record, record([] { return V_ApiGetProps(1, 2); })},
        {"V_ApiSetProps", "api_vx_set_props_1", S::Void, none([] { V_ApiSetProps(1, 5, &propVals); })},
        {"V_ApiDeletePropByName", "api_vx_delete_prop_1", S::Void, none([] { V_ApiDeletePropByName(1, 2, "n"); })},
        {"V_ApiGetElementCatalog", "api_vx_get_element_catalog_1", S::Record,
         record([] { return V_ApiGetElementCatalog(1); })},
        {"V_ApiGetAttributeDefs", "api_vx_get_attribute_defs_1", S::Record,
         record([] { return V_ApiGetAttributeDefs(1, 2); })},
        {"V_ApiSetAttributeDefs", "api_vx_set_attribute_defs_1", S::Void,
         none([] { V_ApiSetAttributeDefs(1, 5, &attrDefs); })},
        {"V_ApiGetAttributes", "api_vx_get_attributes_1", S::Record, record([] { return V_ApiGetAttributes(1, 2); })},
        {"V_ApiSetAttributes", "api_vx_set_attributes_1", S::Void, none([] { V_ApiSetAttributes(1, 5, &attrs); })},
        {"V_ApiGetTextVal", "api_vx_get_text_val_1", S::Record, record([] { return V_ApiGetTextVal(1, &loc, 3); })},
        {"V_ApiGetTextPropVal", "api_vx_get_text_prop_1", S::Own,
         record([] { return V_ApiGetTextPropVal(1, &loc, 3); }), std::nullopt,
         {Expect{0, kUntouched, true}, Expect{0, kRefusal}, Expect{0, -1}}},
        {"V_ApiGetTextProps", "api_vx_get_text_props_1", S::Record, record([] { return V_ApiGetTextProps(1, &loc); })},
        {"V_ApiSetTextVal", "api_vx_set_text_val_1", S::Void, none([] { V_ApiSetTextVal(9, &range, 3, &typed); })},
        {"V_ApiSetTextPropVal", "api_vx_set_text_prop_1", S::Void,
         none([] { V_ApiSetTextPropVal(9, &range, &propVal); })},
        {"V_ApiSetTextProps", "api_vx_set_text_props_1", S::Void,
         none([] { V_ApiSetTextProps(9, &range, &propVals); })},
        // Object handles
        {"V_ApiNewNamedObject", "api_vx_new_named_object_1", S::Value,
         number([] { return V_ApiNewNamedObject(1, 32, "Body"); })},
        {"V_ApiGetNamedObject", "api_vx_get_named_object_1", S::Value,
         number([] { return V_ApiGetNamedObject(1, 32, "Body"); })},
        {"V_ApiGetUniqueObject", "api_vx_get_unique_object_1", S::Value,
         number([] { return V_ApiGetUniqueObject(1, 2, 3); })},
        {"V_ApiNewGraphicObject", "api_vx_new_graphic_object_1", S::Value,
         number([] { return V_ApiNewGraphicObject(1, 2, 3); })},
        {"V_ApiNewSubObject", "api_vx_new_sub_object_1", S::Value, number([] { return V_ApiNewSubObject(1, 2, 3); })},
        {"V_ApiNewSeriesObject", "api_vx_new_series_object_1", S::Value,
         number([] { return V_ApiNewSeriesObject(1, 2, 3); })},
        {"V_ApiNewAnchoredObject", "api_vx_new_anchored_object_1", S::Value,
         number([] { return V_ApiNewAnchoredObject(1, 2, &loc); })},
        {"V_ApiNewAnchoredFormattedObject", "api_vx_new_anchored_formatted_object_1", S::Value,
         number([] { return V_ApiNewAnchoredFormattedObject(1, 2, "f", &loc); })},
        {"V_ApiObjectValid", "api_vx_object_valid_1", S::Own, number([] { return V_ApiObjectValid(1, 2); }),
         std::nullopt, {Expect{1, kUntouched}, Expect{0, kRefusal}, Expect{0, -1}}},
        {"V_ApiDelete", "api_vx_delete_1", S::Status, number([] { return V_ApiDelete(1, 2); })},
        // Session and control
        {"V_ApiNotification", "api_vx_notification_1", S::Status, number([] { return V_ApiNotification(42, 1); })},
        {"V_ApiReturnValue", "api_vx_return_value_1", S::Plain, number([] { return V_ApiReturnValue(-10001); }), 0},
        {"V_ApiClientNumber", "api_client_number_1", S::Plain, number([] { return V_ApiClientNumber(); })},
        // A bare string result: no status to refuse with.
        {"V_ApiClientName", "api_client_name_1", S::Own, string([] { return V_ApiClientName(); }), std::nullopt,
         {Expect{0, kUntouched, true}, Expect{0, kUntouched, true}, Expect{0, -1}}},
        {"V_ApiClientDir", "api_client_directory_1", S::Own, string([] { return V_ApiClientDir(); }), std::nullopt,
         {Expect{0, kUntouched, true}, Expect{0, kUntouched, true}, Expect{0, -1}}},
        {"V_ApiSetClientDir", "api_set_client_directory_1", S::Plain, number([] { return V_ApiSetClientDir("/d"); })},
        {"V_ApiCallClient", "api_vx_call_client_1", S::Value, number([] { return V_ApiCallClient("c", "m"); })},
        // No result beyond completion: the time not slept when it failed.
        {"V_ApiSleep", "api_vx_sleep_1", S::Own, number([] { return V_ApiSleep(0); }), std::nullopt,
         {Expect{0, kUntouched}, Expect{0, kUntouched}, Expect{0, -1}}},
        {"V_ApiUSleep", "api_vx_usleep_1", S::Own, number([] { return V_ApiUSleep(250); }), std::nullopt,
         {Expect{0, kUntouched}, Expect{0, kUntouched}, Expect{250, -1}}},
        {"V_ApiUserCancel", "api_vx_user_cancel_1", S::Plain, number([] { return V_ApiUserCancel(); })},
        {"V_ApiSystemShell", "api_vx_system_shell_1", S::Plain, number([] { return V_ApiSystemShell("true"); })},
        {"V_ApiForkAndExec", "api_vx_fork_and_exec_1", S::Plain,
         number([] { return V_ApiForkAndExec("/bin/true", &strings); })},
        // Leaves VA_errno as it found it.
        {"V_Progress", "api_vx_set_int_1", S::Own, number([] { return V_Progress(50); }), std::nullopt,
         {Expect{0, kUntouched}, Expect{-1, kUntouched}, Expect{-1, kUntouched}}},
        // Menus and commands
        {"V_ApiMenuExists", "api_vx_menu_exists_1", S::Plain, number([] { return V_ApiMenuExists("m"); })},
        {"V_ApiShortcutExists", "api_vx_shortcut_exists_1", S::Plain, number([] { return V_ApiShortcutExists("k"); })},
        {"V_ApiAddMenu", "api_vx_add_menu_1", S::Status, number([] { return V_ApiAddMenu("a", "b", "c"); })},
        {"V_ApiRemoveMenu", "api_vx_remove_menu_1", S::Status, number([] { return V_ApiRemoveMenu("a", "b"); })},
        {"V_ApiAddCommand", "api_vx_add_command_1", S::Status,
         number([] { return V_ApiAddCommand(1, "a", "b", "c", "d"); })},
        {"V_ApiDefineCommand", "api_vx_define_command_1", S::Value,
         number([] { return V_ApiDefineCommand(1, "a", "b", "c"); })},
        {"V_ApiDefineMenu", "api_vx_define_menu_1", S::Value, number([] { return V_ApiDefineMenu("a", "b"); })},
        {"V_ApiDefineAndAddCommand", "api_vx_define_and_add_command_1", S::Value,
         number([] { return V_ApiDefineAndAddCommand(1, 2, "a", "b", ""); })},
        {"V_ApiDefineAndAddMenu", "api_vx_define_and_add_menu_1", S::Value,
         number([] { return V_ApiDefineAndAddMenu(2, "a", "b"); })},
        {"V_ApiAddCommandToMenu", "api_vx_add_command_to_menu_1", S::Status,
         number([] { return V_ApiAddCommandToMenu(1, 2); })},
        {"V_ApiAddMenuToMenu", "api_vx_add_menu_to_menu_1", S::Status, number([] { return V_ApiAddMenuToMenu(1, 2); })},
        {"V_ApiLoadMenuCustomizationFile", "api_vx_load_menu_customization_file_1", S::Status,
         number([] { return V_ApiLoadMenuCustomizationFile("f", 0); })},
        {"V_ApiAnimateMenu", "api_vx_animate_menu_1", S::Status,
         number([] { return V_ApiAnimateMenu(1, 2, 3, "s", 4, 5); })},
        {"V_ApiMenuItemInMenu", "api_vx_menu_item_in_menu_1", S::Value,
         number([] { return V_ApiMenuItemInMenu(1, 2, 3); })},
        // Documents and books: the value, 0 when refused or failed
        {"V_ApiOpen", "api_vx_open_1", S::Value, number([] { return V_ApiOpen("f", &propVals, &holder); })},
        {"V_ApiSave", "api_vx_save_1", S::Value, number([] { return V_ApiSave(1, "f", &propVals, &holder); })},
        {"V_ApiImport", "api_vx_import_1", S::Value,
         number([] { return V_ApiImport(1, &loc, "f", &propVals, &holder); })},
        {"V_ApiExport", "api_vx_export_1", S::Status, number([] { return V_ApiExport(1, "f", &propVals, &holder); }),
         0},
        {"V_ApiUpdateBook", "api_vx_update_book_1", S::Status,
         number([] { return V_ApiUpdateBook(1, &propVals, &holder); })},
        {"V_ApiCustomDoc", "api_vx_custom_1", S::Value,
         number([] { return V_ApiCustomDoc(1, 2, 3, 4, 5, 6, 7, 8, 9, 10); })},
        {"V_ApiClose", "api_vx_close_1", S::Status, number([] { return V_ApiClose(1, 0); })},
        {"V_ApiSilentPrintDoc", "api_vx_silent_print_doc_1", S::Status, number([] { return V_ApiSilentPrintDoc(1); })},
        {"V_ApiSimpleImportFormats", "api_vx_simple_import_formats_1", S::Status,
         number([] { return V_ApiSimpleImportFormats(1, 2, 3); })},
        {"V_ApiSimpleImportElementDefs", "api_vx_simple_import_element_defs_1", S::Status,
         number([] { return V_ApiSimpleImportElementDefs(1, 2, 3); })},
        {"V_ApiSimpleGenerate", "api_vx_simple_generate_1", S::Status,
         number([] { return V_ApiSimpleGenerate(1, 2, 3); })},
        {"V_ApiCompare", "api_vx_compare_1", S::Record,
         record([] { return V_ApiCompare(1, 2, 3, "a", "b", "c", 4); })},
        {"V_ApiUpdateXRefs", "api_vx_update_xrefs_1", S::Status, number([] { return V_ApiUpdateXRefs(1, 2); })},
        {"V_ApiUpdateTextInset", "api_vx_update_textinset_1", S::Status,
         number([] { return V_ApiUpdateTextInset(1, 2); })},
        {"V_ApiDeleteTextInsetContents", "api_vx_delete_textinset_contents_1", S::Status,
         number([] { return V_ApiDeleteTextInsetContents(1, 2); })},
        {"V_ApiApplyPageLayout", "api_vx_apply_page_layout_1", S::Status,
         number([] { return V_ApiApplyPageLayout(1, 2, 3); })},
        {"V_ApiCacheDocument", "api_vx_cache_doc_1", S::Value, number([] { return V_ApiCacheDocument(1); })},
        {"V_ApiHypertextCommand", "api_vx_hypertext_command_1", S::Status,
         number([] { return V_ApiHypertextCommand(1, "gotolink x"); })},
        {"V_ApiRestartPgfNumbering", "api_vx_restart_pgf_numbering_1", S::Status,
         number([] { return V_ApiRestartPgfNumbering(1); })},
        {"V_ApiResetReferenceFrames", "api_vx_reset_reference_frames_1", S::Status,
         number([] { return V_ApiResetReferenceFrames(1); })},
        {"V_ApiRehyphenate", "api_vx_rehyphenate_1", S::Status, number([] { return V_ApiRehyphenate(1); })},
        {"V_ApiReformat", "api_vx_reformat_1", S::Status, number([] { return V_ApiReformat(1); })},
        {"V_ApiRedisplay", "api_vx_redisplay_1", S::Status, number([] { return V_ApiRedisplay(1); })},
        {"V_ApiClearAllChangebars", "api_vx_clear_all_changebars_1", S::Status,
         number([] { return V_ApiClearAllChangebars(1); })},
        {"V_ApiResetEqnSettings", "api_vx_reset_eqn_settings_1", S::Status,
         number([] { return V_ApiResetEqnSettings(1); })},
        {"V_ApiUpdateVariables", "api_vx_update_variables_1", S::Status,
         number([] { return V_ApiUpdateVariables(1); })},
        // Text and clipboard
        {"V_ApiGetText", "api_vx_get_text_1", S::Record, record([] { return V_ApiGetText(1, 2, 1); })},
        {"V_ApiGetText2", "api_vx_get_text2_1", S::Record, record([] { return V_ApiGetText2(1, 2, 1, 0); })},
        {"V_ApiGetTextForRange", "api_vx_get_text_for_range_1", S::Record,
         record([] { return V_ApiGetTextForRange(1, &range, 1); })},
        {"V_ApiGetTextForRange2", "api_vx_get_text_for_range2_1", S::Record,
         record([] { return V_ApiGetTextForRange2(1, &range, 1, 0); })},
        {"V_ApiAddText", "api_vx_add_text_1", S::Record, record([] { return V_ApiAddText(1, &loc, "t"); })},
        {"V_ApiDeleteText", "api_vx_delete_text_1", S::Status, number([] { return V_ApiDeleteText(1, &range); })},
        {"V_ApiReplaceText", "api_vx_replace_text_1", S::Status,
         number([] { return V_ApiReplaceText(1, &range, "t"); }), 0},
        {"V_ApiFind", "api_vx_find_1", S::Record, record([] { return V_ApiFind(1, &loc, &propVals); })},
        {"V_ApiScrollToText", "api_vx_scroll_to_text_1", S::Status, number([] { return V_ApiScrollToText(1, &range); })},
        {"V_ApiCenterOnText", "api_vx_center_on_text_1", S::Status, number([] { return V_ApiCenterOnText(1, &range); })},
        {"V_ApiCut", "api_vx_cut_1", S::Status, number([] { return V_ApiCut(1, 0); })},
        {"V_ApiCopy", "api_vx_copy_1", S::Status, number([] { return V_ApiCopy(1, 0); })},
        {"V_ApiPaste", "api_vx_paste_1", S::Status, number([] { return V_ApiPaste(1, 0); })},
        {"V_ApiClear", "api_vx_clear_1", S::Status, number([] { return V_ApiClear(1, 0); })},
        {"V_ApiPushClipboard", "api_vx_push_clipboard_1", S::Own, none([] { V_ApiPushClipboard(); }), std::nullopt,
         {Expect{0, kUntouched}, Expect{0, kUntouched}, Expect{0, -1}}},
        {"V_ApiPopClipboard", "api_vx_pop_clipboard_1", S::Status, number([] { return V_ApiPopClipboard(); })},
        // Dialogs, alerts and prompts
        {"V_ApiAlert", "api_vx_alert_1", S::Plain, number([] { return V_ApiAlert("m", 1); })},
        {"V_ApiPromptInt", "api_vx_prompt_int_1", S::Prompt,
         prompt<int32_t>([](int32_t *a) { return V_ApiPromptInt(a, "m", "s"); })},
        {"V_ApiPromptMetric", "api_vx_prompt_metric_1", S::Prompt,
         prompt<int32_t>([](int32_t *a) { return V_ApiPromptMetric(a, "m", "s", 1); })},
        {"V_ApiPromptString", "api_vx_prompt_string_1", S::Prompt,
         prompt<StringT>([](StringT *a) { return V_ApiPromptString(a, "m", "s"); })},
        {"V_ApiChooseFile", "api_vx_choose_file_1", S::Prompt,
         prompt<StringT>([](StringT *a) { return V_ApiChooseFile(a, "t", "/", "", 0, "h"); })},
        {"oldV_ApiChooseFile", "old_api_vx_choose_file_1", S::Prompt,
         prompt<StringT>([](StringT *a) { return oldV_ApiChooseFile(a, "t", "/", "", 0); })},
        {"V_ApiFileScrollBox", "old_api_vx_choose_file_1", S::Prompt,
         prompt<StringT>([](StringT *a) { return V_ApiFileScrollBox(a, "t", "/"); })},
        {"V_ApiScrollBox", "api_vx_scroll_box_1", S::Prompt,
         prompt<int32_t>([](int32_t *a) { return V_ApiScrollBox(a, "t", &strings, 0); })},
        {"V_ApiPromptPoint", "api_vx_prompt_point_1", S::Record, record([] { return V_ApiPromptPoint(1, 2, 3); })},
        {"V_ApiPromptRect", "api_vx_prompt_rect_1", S::Record, record([] { return V_ApiPromptRect(1, 2, 3); })},
        {"V_ApiModalDialog", "api_vx_modal_dialog_1", S::Plain, number([] { return V_ApiModalDialog(0, 2); }), 0},
        {"V_ApiModelessDialog", "api_vx_modeless_dialog_1", S::Plain,
         number([] { return V_ApiModelessDialog(1, 2); }), 0},
        {"V_ApiDialogItemId", "api_vx_dialog_item_id_1", S::Value, number([] { return V_ApiDialogItemId(1, 2); })},
        {"V_ApiOpenResource", "api_vx_open_resource_1", S::Value, number([] { return V_ApiOpenResource(1, "r"); })},
        {"V_ApiFcodes", "api_vx_fcodes_1", S::Status, number([] { return V_ApiFcodes(2, numbers); })},
        // Tables and elements
        {"V_ApiNewTable", "api_vx_new_table_1", S::Value,
         number([] { return V_ApiNewTable(1, "Format A", 2, 3, 1, 0, &loc); })},
        {"V_ApiAddRows", "api_vx_add_rows_1", S::Status, number([] { return V_ApiAddRows(1, 2, 3, 4); })},
        {"V_ApiAddCols", "api_vx_add_columns_1", S::Status, number([] { return V_ApiAddCols(1, 2, 3, 4, 5); })},
        {"V_ApiDeleteRows", "api_vx_cut_table_parts_1", S::Status, number([] { return V_ApiDeleteRows(1, 2, 3, 4); })},
        {"V_ApiDeleteCols", "api_vx_cut_table_parts_1", S::Status, number([] { return V_ApiDeleteCols(1, 2, 3, 4); })},
        {"V_ApiMakeTblSelection", "api_vx_make_table_selection_1", S::Status,
         number([] { return V_ApiMakeTblSelection(1, 2, 0, 1, 0, 1); })},
        {"V_ApiStraddleCells", "api_vx_straddle_cells_1", S::Status,
         number([] { return V_ApiStraddleCells(1, 2, 3, 4); })},
        {"V_ApiUnStraddleCells", "api_vx_straddle_cells_1", S::Status,
         number([] { return V_ApiUnStraddleCells(1, 2, 3, 4); })},
        {"V_ApiNewElement", "api_vx_new_element_1", S::Value, number([] { return V_ApiNewElement(1, 2, &loc); })},
        {"V_ApiNewElementInHierarchy", "api_vx_new_element_in_hierarchy_1", S::Value,
         number([] { return V_ApiNewElementInHierarchy(1, 2, &eloc); })},
        {"V_ApiNewBookComponentInHierarchy", "api_vx_new_book_component_in_hierarchy_1", S::Value,
         number([] { return V_ApiNewBookComponentInHierarchy(1, "c.vx", &eloc); })},
        {"V_ApiElementLocToTextLoc", "api_vx_elementloc_to_textloc_1", S::Record,
         record([] { return V_ApiElementLocToTextLoc(1, &eloc); })},
        {"V_ApiTextLocToElementLoc", "api_vx_textloc_to_elementloc_1", S::Record,
         record([] { return V_ApiTextLocToElementLoc(1, &loc); })},
        {"V_ApiDeleteUndefinedAttribute", "api_vx_delete_undefined_attribute_1", S::Status,
         number([] { return V_ApiDeleteUndefinedAttribute(1, "a", 0, 2); })},
        {"V_ApiWrapElement", "api_vx_wrap_element_1", S::Void, none([] { V_ApiWrapElement(1, 2); })},
        {"V_ApiMergeIntoFirst", "api_vx_merge_into_first_1", S::Void, none([] { V_ApiMergeIntoFirst(1); })},
        {"V_ApiMergeIntoLast", "api_vx_merge_into_last_1", S::Void, none([] { V_ApiMergeIntoLast(1); })},
        {"V_ApiSplitElement", "api_vx_split_element_1", S::Void, none([] { V_ApiSplitElement(1); })},
        {"V_ApiUnWrapElement", "api_vx_unwrap_element_1", S::Void, none([] { V_ApiUnWrapElement(1); })},
        {"V_ApiPromoteElement", "api_vx_promote_element_1", S::Void, none([] { V_ApiPromoteElement(1); })},
        {"V_ApiDemoteElement", "api_vx_demote_element_1", S::Void, none([] { V_ApiDemoteElement(1); })},
        // Fonts and encodings
        {"V_ApiFamilyFonts", "api_vx_family_fonts_1", S::Record, record([] { return V_ApiFamilyFonts(1); })},
        {"V_ApiCombinedFamilyFonts", "api_vx_combined_family_fonts_1", S::Record,
         record([] { return V_ApiCombinedFamilyFonts(1); })},
        {"V_ApiIsEncodingSupported", "api_vx_is_encoding_supported_1", S::Plain,
         number([] { return V_ApiIsEncodingSupported("JIS"); }), 0},
        {"V_ApiGetSupportedEncodings", "api_vx_get_supported_encodings_1", S::Record,
         record([] { return V_ApiGetSupportedEncodings(); })},
        {"V_ApiGetEncodingForFamily", "api_vx_get_encoding_for_family_1", S::String,
         string([] { return V_ApiGetEncodingForFamily(1); })},
        {"V_ApiGetEncodingForFont", "api_vx_get_encoding_for_font_1", S::String,
         string([] { return V_ApiGetEncodingForFont(&font); })},
        // Spelling and friends
        {"V_ApiSpell", "api_vx_spell_1", S::Record,
         record([] { return V_ApiSpell(1, &loc, &propVals, &spellStatus, &out1); })},
        {"V_ApiDictionary", "api_vx_dictionary_1", S::Status,
         number([] { return V_ApiDictionary(1, "w", 0, 2, nullptr); })},
        {"V_ApiDictionaryOperation", "api_vx_dictionary_1", S::Status,
         number([] { return V_ApiDictionaryOperation(1, "w", 0, 2); })},
        {"V_ApiGetDictionaryStrings", "api_vx_dictionary_1", S::Record,
         record([] { return V_ApiGetDictionaryStrings(1, 0); })},
        {"V_ApiModifyDictionary", "api_vx_modifydictionary_1", S::Status,
         number([] { return V_ApiModifyDictionary(1, 2, 3, "w"); }), 0},
        {"V_ApiResetSpelling", "api_vx_resetspelling_1", S::Status, number([] { return V_ApiResetSpelling(1); })},
        {"V_ApiThesaurus", "api_vx_thesaurus_1", S::Status,
         number([] {
             int32_t r = V_ApiThesaurus(0, "w", &out1, &out2, &out3, &out4);
             for (V_StringsT *o : {&out1, &out2, &out3, &out4})
                 V_ApiDeallocateStrings(o);
             return r;
         })},
        {"V_ApiShowHyphenation", "api_vx_showhyphenation_1", S::String,
         string([] { return V_ApiShowHyphenation("word"); })},
        {"V_ApiQuickSelect", "api_vx_quick_select_1", S::Value,
         number([] { return V_ApiQuickSelect(1, "t", &strings); }), -1},
        {"V_ApiUserInteractSelection", "api_vx_user_interact_selection_1", S::Status,
         number([] { return V_ApiUserInteractSelection(1); })},
        {"V_ApiCenterOnGraphicObject", "api_vx_center_on_graphic_object_1", S::Status,
         number([] { return V_ApiCenterOnGraphicObject(1, 2); })},
        {"V_ApiChangeColorPalette", "api_vx_change_color_palette_1", S::Status,
         number([] {
             return V_ApiChangeColorPalette(1, &metrics, 2, &metrics, 3, &metrics, 4, &metrics, &metrics, 5);
         })},
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
