// Alerts, prompts and dialogs.
#include "apiclib.h"

using namespace vapi::shape;

extern "C" {

int32_t V_ApiAlert(const char *message, int32_t type) { return plain<api_vx_alert_1>({str(message), type}); }
int32_t V_ApiPromptInt(int32_t *answer, const char *message, const char *stuff)
{
    return prompt<api_vx_prompt_int_1>(answer, {str(message), str(stuff)});
}
int32_t V_ApiPromptMetric(int32_t *answer, const char *message, const char *stuff, int32_t units)
{
    return prompt<api_vx_prompt_metric_1>(answer, {str(message), str(stuff), units});
}
int32_t V_ApiPromptString(StringT *answer, const char *message, const char *stuff)
{
    return prompt<api_vx_prompt_string_1>(answer, {str(message), str(stuff)});
}
int32_t V_ApiChooseFile(StringT *answer, const char *title, const char *dir, const char *stuff, int32_t mode,
                        const char *help)
{
    return prompt<api_vx_choose_file_1>(answer, {str(title), str(dir), str(stuff), mode, str(help)});
}
int32_t oldV_ApiChooseFile(StringT *answer, const char *title, const char *dir, const char *stuff, int32_t mode)
{
    return prompt<old_api_vx_choose_file_1>(answer, {str(title), str(dir), str(stuff), mode});
}
int32_t V_ApiFileScrollBox(StringT *answer, const char *title, const char *dir)
{
    return oldV_ApiChooseFile(answer, title, dir, nullptr, 0);
}
// The record holds the title, the default, then the list.
int32_t V_ApiScrollBox(int32_t *answer, const char *title, const V_StringsT *items, int32_t dflt)
{
    return prompt<api_vx_scroll_box_1>(answer, {str(title), dflt, val(items)});
}
V_PointT V_ApiPromptPoint(uint32_t id1, uint32_t id2, int32_t flags)
{
    static const V_PointT empty_point{};
    return record<api_vx_prompt_point_1>({id1, id2, flags}, empty_point);
}
RectT V_ApiPromptRect(uint32_t id1, uint32_t id2, int32_t flags)
{
    static const RectT empty_rect{};
    return record<api_vx_prompt_rect_1>({id1, id2, flags}, empty_rect);
}

int32_t V_ApiModalDialog(int32_t dialog, uint32_t resource)
{
    int32_t answer;
    {
        Reply<api_vx_modal_dialog_1> r({dialog, resource});
        if (!r)
            return 0;
        answer = *r;
    }  // released before the host's callbacks are served
    return dialog ? V_ApiServiceModalCallbacks() : answer;
}
int32_t V_ApiModelessDialog(int32_t dialog, uint32_t resource)
{
    return plain<api_vx_modeless_dialog_1>({dialog, resource}, 0);
}
uint32_t V_ApiDialogItemId(uint32_t dialog, int32_t item) { return read<api_vx_dialog_item_id_1>({dialog, item}); }
uint32_t V_ApiOpenResource(int32_t type, const char *n) { return read<api_vx_open_resource_1>({type, str(n)}); }
int32_t V_ApiFcodes(int32_t count, const int32_t *codes)
{
    V_IntsT list{codes && count > 0 ? static_cast<uint32_t>(count) : 0u, const_cast<int32_t *>(codes)};
    return status<api_vx_fcodes_1>({list});
}

}  // extern "C"
