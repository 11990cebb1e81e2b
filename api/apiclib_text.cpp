// Reading and changing text; the clipboard.
#include "apiclib.h"

using namespace vapi::shape;

extern "C" {

TextItemsT V_ApiGetText(uint32_t d, uint32_t o, uint32_t flags)
{
    static const TextItemsT empty_textitems{};
    return record<api_vx_get_text_1>({d, o, flags}, empty_textitems);
}
TextItemsT V_ApiGetText2(uint32_t d, uint32_t o, uint32_t flags, uint32_t flags2)
{
    static const TextItemsT empty_textitems{};
    return record<api_vx_get_text2_1>({d, o, flags, flags2}, empty_textitems);
}
TextItemsT V_ApiGetTextForRange(uint32_t d, const V_TextRangeT *r, uint32_t flags)
{
    static const TextItemsT empty_textitems{};
    return record<api_vx_get_text_for_range_1>({d, val(r), flags}, empty_textitems);
}
TextItemsT V_ApiGetTextForRange2(uint32_t d, const V_TextRangeT *r, uint32_t flags, uint32_t flags2)
{
    static const TextItemsT empty_textitems{};
    return record<api_vx_get_text_for_range2_1>({d, val(r), flags, flags2}, empty_textitems);
}
V_TextLocT V_ApiAddText(uint32_t d, const V_TextLocT *loc, const char *text)
{
    static const V_TextLocT empty_textloc{};
    return record<api_vx_add_text_1>({d, val(loc), str(text)}, empty_textloc);
}
int32_t V_ApiDeleteText(uint32_t d, const V_TextRangeT *r) { return status<api_vx_delete_text_1>({d, val(r)}); }
int32_t V_ApiReplaceText(uint32_t d, const V_TextRangeT *r, const char *text)
{
    return status<api_vx_replace_text_1>({d, val(r), str(text)}, 0);
}
V_TextRangeT V_ApiFind(uint32_t d, const V_TextLocT *start, const V_PropValsT *params)
{
    static const V_TextRangeT empty_textrange{};
    return record<api_vx_find_1>({d, val(start), val(params)}, empty_textrange);
}
int32_t V_ApiScrollToText(uint32_t d, const V_TextRangeT *r) { return status<api_vx_scroll_to_text_1>({d, val(r)}); }
int32_t V_ApiCenterOnText(uint32_t d, const V_TextRangeT *r) { return status<api_vx_center_on_text_1>({d, val(r)}); }
int32_t V_ApiCut(uint32_t d, int32_t flags) { return status<api_vx_cut_1>({d, flags}); }
int32_t V_ApiCopy(uint32_t d, int32_t flags) { return status<api_vx_copy_1>({d, flags}); }
int32_t V_ApiPaste(uint32_t d, int32_t flags) { return status<api_vx_paste_1>({d, flags}); }
int32_t V_ApiClear(uint32_t d, int32_t flags) { return status<api_vx_clear_1>({d, flags}); }
// The host answers nothing worth reading; only a failed call is reported.
void V_ApiPushClipboard(void) { Reply<api_vx_push_clipboard_1> r(0); }
int32_t V_ApiPopClipboard(void) { return status<api_vx_pop_clipboard_1>(0); }

}  // extern "C"
