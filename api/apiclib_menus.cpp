// Menus and commands of the host.
#include "apiclib.h"

using namespace vapi::shape;

extern "C" {

int32_t V_ApiMenuExists(const char *menu) { return plain<api_vx_menu_exists_1>({str(menu)}); }
int32_t V_ApiShortcutExists(const char *shortcut) { return plain<api_vx_shortcut_exists_1>({str(shortcut)}); }
int32_t V_ApiAddMenu(const char *s1, const char *s2, const char *s3)
{
    return status<api_vx_add_menu_1>({str(s1), str(s2), str(s3)});
}
int32_t V_ApiRemoveMenu(const char *s1, const char *s2) { return status<api_vx_remove_menu_1>({str(s1), str(s2)}); }
int32_t V_ApiAddCommand(int32_t cmd, const char *s1, const char *s2, const char *s3, const char *s4)
{
    return status<api_vx_add_command_1>({cmd, str(s1), str(s2), str(s3), str(s4)});
}
uint32_t V_ApiDefineCommand(int32_t cmd, const char *n, const char *label, const char *shortcut)
{
    return read<api_vx_define_command_1>({cmd, str(n), str(label), str(shortcut)});
}
uint32_t V_ApiDefineMenu(const char *n, const char *label)
{
    return read<api_vx_define_menu_1>({str(n), str(label)});
}
uint32_t V_ApiDefineAndAddCommand(int32_t cmd, uint32_t menu, const char *n, const char *label, const char *shortcut)
{
    return read<api_vx_define_and_add_command_1>({cmd, menu, str(n), str(label), str(shortcut)});
}
uint32_t V_ApiDefineAndAddMenu(uint32_t menu, const char *n, const char *label)
{
    return read<api_vx_define_and_add_menu_1>({menu, str(n), str(label)});
}
int32_t V_ApiAddCommandToMenu(uint32_t menu, uint32_t cmd) { return status<api_vx_add_command_to_menu_1>({menu, cmd}); }
int32_t V_ApiAddMenuToMenu(uint32_t menu, uint32_t sub) { return status<api_vx_add_menu_to_menu_1>({menu, sub}); }
int32_t V_ApiLoadMenuCustomizationFile(const char *file, int32_t flag)
{
    return status<api_vx_load_menu_customization_file_1>({str(file), flag});
}
int32_t V_ApiAnimateMenu(uint32_t id1, uint32_t id2, int32_t i1, const char *s, uint32_t id3, int32_t i2)
{
    return status<api_vx_animate_menu_1>({id1, id2, i1, str(s), id3, i2});
}
uint32_t V_ApiMenuItemInMenu(uint32_t menu, uint32_t item, int32_t flag)
{
    return read<api_vx_menu_item_in_menu_1>({menu, item, flag});
}

}  // extern "C"
