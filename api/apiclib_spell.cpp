// Fonts and encodings; spelling, dictionaries, thesaurus and hyphenation;
// selection, palette and the end of a session.
#include "apiclib.h"

using namespace vapi::shape;

namespace {

// The dictionary operation that reads the dictionary's strings; it has a
// call of its own.
constexpr int32_t kReadDictionary = 9;
constexpr int32_t kRefusedOperation = -43;

}  // namespace

extern "C" {

V_FontsT V_ApiFamilyFonts(int32_t family)
{
    static const V_FontsT empty_fonts{};
    return record<api_vx_family_fonts_1>(family, empty_fonts);
}
V_CombinedFontsT V_ApiCombinedFamilyFonts(uint32_t family)
{
    static const V_CombinedFontsT empty_fonts{};
    return record<api_vx_combined_family_fonts_1>({family}, empty_fonts);
}
int32_t V_ApiIsEncodingSupported(const char *encoding)
{
    return plain<api_vx_is_encoding_supported_1>(str(encoding), 0);
}
V_StringsT V_ApiGetSupportedEncodings(void)
{
    static const V_StringsT empty_strings{};
    return record<api_vx_get_supported_encodings_1>(0, empty_strings);
}
StringT V_ApiGetEncodingForFamily(int32_t family) { return read<api_vx_get_encoding_for_family_1>(family); }
StringT V_ApiGetEncodingForFont(const V_FontT *font) { return read<api_vx_get_encoding_for_font_1>({val(font)}); }

V_TextRangeT V_ApiSpell(uint32_t d, const V_TextLocT *start, const V_PropValsT *params, int32_t *status,
                        V_StringsT *suggestions)
{
    static const V_TextRangeT empty_textrange{};
    static const V_StringsT empty_strings{};
    V_TextRangeT range = empty_textrange;
    int32_t spellStatus = 0;
    V_StringsT found = empty_strings;
    Reply<api_vx_spell_1> r({d, val(start), val(params)});
    if (r) {
        if (!refused(*r)) {
            range = r->textRange;
            spellStatus = r->spellStatus;
        }
        // Suggestions are handed over even when the host refused.
        found = copy_out(r->suggestions);
    }
    if (status)
        *status = spellStatus;
    if (suggestions)
        *suggestions = found;
    else
        V_ApiDeallocateStrings(&found);
    return range;
}

int32_t V_ApiDictionary(uint32_t id, const char *text, int32_t value, int32_t operation, V_StringsT *strings)
{
    static const V_StringsT empty_strings{};
    V_StringsT found = empty_strings;
    int32_t result = -1;
    Reply<api_vx_dictionary_1> r({id, str(text), value, operation});
    if (r) {
        found = copy_out(r->strings);
        refused(*r);
        result = r->status;
    }
    if (strings)
        *strings = found;
    else
        V_ApiDeallocateStrings(&found);
    return result;
}

int32_t V_ApiDictionaryOperation(uint32_t id, const char *text, int32_t value, int32_t operation)
{
    if (operation == kReadDictionary)
        return kRefusedOperation;
    return V_ApiDictionary(id, text, value, operation, nullptr);
}

V_StringsT V_ApiGetDictionaryStrings(uint32_t id, int32_t value)
{
    static const V_StringsT empty_strings{};
    V_StringsT strings = empty_strings;
    V_ApiDictionary(id, nullptr, value, kReadDictionary, &strings);
    return strings;
}

int32_t V_ApiModifyDictionary(uint32_t id, int32_t i1, int32_t i2, const char *word)
{
    return status<api_vx_modifydictionary_1>({id, i1, i2, str(word)}, 0);
}
int32_t V_ApiResetSpelling(uint32_t d) { return status<api_vx_resetspelling_1>({d}); }

int32_t V_ApiThesaurus(int32_t value, const char *word, V_StringsT *list1, V_StringsT *list2, V_StringsT *list3,
                       V_StringsT *list4)
{
    static const V_StringsT empty_strings{};
    V_StringsT *outs[] = {list1, list2, list3, list4};
    for (V_StringsT *out : outs)
        if (out)
            *out = empty_strings;
    Reply<api_vx_thesaurus_1> r({value, str(word)});
    if (!r)
        return -1;
    const V_StringsT *lists[] = {&r->list1, &r->list2, &r->list3, &r->list4};
    for (int k = 0; k < 4; k++)
        if (outs[k])
            *outs[k] = copy_out(*lists[k]);
    refused(*r);
    return r->status;
}

StringT V_ApiShowHyphenation(const char *word)
{
    return read<api_vx_showhyphenation_1, &ApiVxShowHyphenationRetT::hyphenated>({str(word)});
}

int32_t V_ApiQuickSelect(uint32_t d, const char *title, const V_StringsT *items)
{
    return read<api_vx_quick_select_1>({d, str(title), val(items)}, -1);
}
int32_t V_ApiUserInteractSelection(int32_t mode) { return status<api_vx_user_interact_selection_1>({mode}); }
int32_t V_ApiCenterOnGraphicObject(uint32_t d, uint32_t o) { return status<api_vx_center_on_graphic_object_1>({d, o}); }
int32_t V_ApiChangeColorPalette(uint32_t id1, const V_MetricsT *m1, uint32_t id2, const V_MetricsT *m2, uint32_t id3,
                                const V_MetricsT *m3, uint32_t id4, const V_MetricsT *m4, const V_MetricsT *m5,
                                uint32_t id5)
{
    return status<api_vx_change_color_palette_1>(
        {id1, val(m1), id2, val(m2), id3, val(m3), id4, val(m4), val(m5), id5});
}

// Ends the attachment to the session whatever the host answered.
int32_t V_ApiDisconnectFromSession(void)
{
    int32_t answer = plain<api_vx_disconnect_from_session_1>(0);
    V_ApiDoneCommand();
    V_ApiShutDown();
    VA_bailout = 1;
    return answer;
}

}  // extern "C"
