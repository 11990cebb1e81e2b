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
void release(V_FontsT &r) { V_ApiDeallocateFonts(&r); }
void release(V_ElementCatalogEntriesT &r) { V_ApiDeallocateElementCatalogEntries(&r); }
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

// A call's outcome by what it returns: a number, nothing, a string or a
// record (released here).
template <class F>
std::function<Outcome()> outcome(F f)
{
    return [f] {
        using R = decltype(f());
        if constexpr (std::is_void_v<R>) {
            f();
            return Outcome{};
        } else if constexpr (std::is_arithmetic_v<R>) {
            return Outcome{static_cast<int64_t>(f()), false};
        } else {
            R r = f();
            Outcome o{0, false};
            if constexpr (std::is_same_v<R, StringT>)
                o.handed = r != nullptr, V_ApiDeallocateString(&r);
            else
                o.handed = non_zero(r), release(r);
            return o;
        }
    };
}
// A prompt: its return value, and whether it wrote its output.
char mark[] = "untouched";
template <class Out, class F>
std::function<Outcome()> prompt(F f)
{
    return [f] {
        Out before;
        if constexpr (std::is_same_v<Out, StringT>)
            before = mark;
        else
            before = -12345;
        Out answer = before;
        Outcome o{f(&answer), answer != before};
        if constexpr (std::is_same_v<Out, StringT>)
            if (o.handed)
                V_ApiDeallocateString(&answer);
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
StringT words[] = {text};
V_StringsT strings{1, words};
int32_t numbers[] = {1, 2};
V_MetricsT metrics{2, numbers};
V_PropValT propVal{{9, nullptr}, {1, {}}};
V_PropValsT propVals{1, &propVal};
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
#define ROW(shape, fn, stub, args, ...) {#fn, #stub, Shape::shape, outcome([] { return fn args; }), __VA_ARGS__}
#define N ROW
#define V(fn, stub, args) ROW(Void, fn, stub, args)
#define STR(fn, stub, args) ROW(String, fn, stub, args)
#define REC(fn, stub, args) ROW(Record, fn, stub, args)
#define PROMPT(Out, fn, stub, args) {#fn, #stub, Shape::Prompt, prompt<Out>([](Out *a) { return fn args; })}
// Own rows: what they return and leave in VA_errno when answered, refused, failed.
#define OWN(fn, stub, args, answered, refused, failed) \
    {#fn, #stub, Shape::Own, outcome([] { return fn args; }), std::nullopt, {answered, refused, failed}}
Expect E(int64_t value, int32_t error, bool handed = false) { return Expect{value, error, handed}; }

std::vector<Entry> entries()
{
    return {
        // Property access
        N(Value, V_ApiGetInt, api_vx_get_int_1, (1, 2, 3)),
        V(V_ApiSetInt, api_vx_set_int_1, (1, 5, 3, 4)),
        N(Value, V_ApiGetId, api_vx_get_id_1, (1, 2, 3)),
        STR(V_ApiGetString, api_vx_get_string_1, (1, 2, 3)),
        V(V_ApiSetString, api_vx_set_string_1, (1, 5, 3, "s")),
        REC(V_ApiGetStrings, api_vx_get_strings_1, (1, 2, 3)),
        REC(V_ApiGetTextRange, api_vx_get_textrange_1, (1, 2, 3)),
        REC(V_ApiGetVal, api_vx_get_val_1, (1, 2, 3)),
        // The host names the property it answers for.
        OWN(V_ApiGetPropVal, api_vx_get_prop_1, (1, 2, 3), E(0, kUntouched, true), E(0, kRefusal), E(0, -1)),
        REC(V_ApiGetProps, api_vx_get_props_1, (1, 2)),
        REC(V_ApiGetElementCatalog, api_vx_get_element_catalog_1, (1)),
        OWN(V_ApiGetTextPropVal, api_vx_get_text_prop_1, (1, &loc, 3), E(0, kUntouched, true),
            E(0, kRefusal), E(0, -1)),
        // Object handles
        N(Value, V_ApiNewNamedObject, api_vx_new_named_object_1, (1, 32, "Body")),
        N(Value, V_ApiGetNamedObject, api_vx_get_named_object_1, (1, 32, "Body")),
        OWN(V_ApiObjectValid, api_vx_object_valid_1, (1, 2), E(1, kUntouched), E(0, kRefusal), E(0, -1)),
        N(Status, V_ApiDelete, api_vx_delete_1, (1, 2)),
        // Session and control
        N(Plain, V_ApiReturnValue, api_vx_return_value_1, (-10001), 0),
        N(Plain, V_ApiClientNumber, api_client_number_1, ()),
        // A bare string result: no status to refuse with.
        OWN(V_ApiClientName, api_client_name_1, (), E(0, kUntouched, true), E(0, kUntouched, true), E(0, -1)),
        OWN(V_ApiClientDir, api_client_directory_1, (), E(0, kUntouched, true), E(0, kUntouched, true),
            E(0, -1)),
        N(Value, V_ApiCallClient, api_vx_call_client_1, ("c", "m")),
        // No result beyond completion: the time not slept when it failed.
        OWN(V_ApiSleep, api_vx_sleep_1, (0), E(0, kUntouched), E(0, kUntouched), E(0, -1)),
        OWN(V_ApiUSleep, api_vx_usleep_1, (250), E(0, kUntouched), E(0, kUntouched), E(250, -1)),
        // Leaves VA_errno as it found it.
        OWN(V_Progress, api_vx_set_int_1, (50), E(0, kUntouched), E(-1, kUntouched), E(-1, kUntouched)),
        // Menus and commands
        N(Status, V_ApiAddMenu, api_vx_add_menu_1, ("a", "b", "c")),
        N(Value, V_ApiDefineCommand, api_vx_define_command_1, (1, "a", "b", "c")),
        // Documents and books: the value, 0 when refused or failed
        N(Value, V_ApiOpen, api_vx_open_1, ("f", &propVals, &holder)),
        N(Value, V_ApiSave, api_vx_save_1, (1, "f", &propVals, &holder)),
        N(Value, V_ApiImport, api_vx_import_1, (1, &loc, "f", &propVals, &holder)),
        N(Status, V_ApiExport, api_vx_export_1, (1, "f", &propVals, &holder), 0),
        N(Status, V_ApiUpdateBook, api_vx_update_book_1, (1, &propVals, &holder)),
        N(Value, V_ApiCustomDoc, api_vx_custom_1, (1, 2, 3, 4, 5, 6, 7, 8, 9, 10)),
        REC(V_ApiCompare, api_vx_compare_1, (1, 2, 3, "a", "b", "c", 4)),
        // Text and clipboard
        REC(V_ApiGetTextForRange, api_vx_get_text_for_range_1, (1, &range, 1)),
        REC(V_ApiAddText, api_vx_add_text_1, (1, &loc, "t")),
        N(Status, V_ApiReplaceText, api_vx_replace_text_1, (1, &range, "t"), 0),
        REC(V_ApiFind, api_vx_find_1, (1, &loc, &propVals)),
        OWN(V_ApiPushClipboard, api_vx_push_clipboard_1, (), E(0, kUntouched), E(0, kUntouched), E(0, -1)),
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
        N(Status, V_ApiFcodes, api_vx_fcodes_1, (2, numbers)),
        // Tables and elements
        N(Value, V_ApiNewTable, api_vx_new_table_1, (1, "Format A", 2, 3, 1, 0, &loc)),
        N(Status, V_ApiDeleteRows, api_vx_cut_table_parts_1, (1, 2, 3, 4)),
        N(Status, V_ApiStraddleCells, api_vx_straddle_cells_1, (1, 2, 3, 4)),
        V(V_ApiWrapElement, api_vx_wrap_element_1, (1, 2)),
        // Fonts and encodings
        REC(V_ApiFamilyFonts, api_vx_family_fonts_1, (1)),
        N(Plain, V_ApiIsEncodingSupported, api_vx_is_encoding_supported_1, ("JIS"), 0),
        REC(V_ApiGetSupportedEncodings, api_vx_get_supported_encodings_1, ()),
        STR(V_ApiGetEncodingForFont, api_vx_get_encoding_for_font_1, (&font)),
        // Spelling and friends
        REC(V_ApiSpell, api_vx_spell_1, (1, &loc, &propVals, &spellStatus, &out1)),
        N(Status, V_ApiDictionary, api_vx_dictionary_1, (1, "w", 0, 2, nullptr)),
        REC(V_ApiGetDictionaryStrings, api_vx_dictionary_1, (1, 0)),
        N(Status, V_ApiModifyDictionary, api_vx_modifydictionary_1, (1, 2, 3, "w"), 0),
        {"V_ApiThesaurus", "api_vx_thesaurus_1", Shape::Status, outcome(thesaurus)},
        STR(V_ApiShowHyphenation, api_vx_showhyphenation_1, ("word")),
        N(Value, V_ApiQuickSelect, api_vx_quick_select_1, (1, "t", &strings), -1),
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

// Every procedure but the control calls refused, or dropped.
HostChild::Setup everyProcedure(bool drop)
{
    return [drop](vxhost::Host &, GenericHost &g) {
        for (uint32_t i = 0; i < api_proc_count; ++i)
            if (uint32_t n = api_procs[i].num; n != 1000 && n != 1001 && n != 1002 && n != 1343)
                drop ? g.script_drop(n) : g.script_status(n, kRefusal);
    };
}

TEST(Shapes, EveryFunctionWhenTheHostAnswers) { run_all(kAnswered, {}); }
TEST(Shapes, EveryFunctionWhenTheHostRefuses) { run_all(kRefused, everyProcedure(false)); }
TEST(Shapes, EveryFunctionWhenTheConnectionIsDropped) { run_all(kFailed, everyProcedure(true)); }

}  // namespace
