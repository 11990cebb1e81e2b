// Lindrel's entry points: the Outlining menu at start-up, and the dispatch of
// menu commands and notified function codes to the outline routines.
#include "vapi/hostcodes.h"
#include "utils.h"
#include "vapi/api.h"
#include "vapi/runtime.h"
#include "vsupport/memory.h"
#include "vsupport/strings.h"
#include "vsupport/strlist.h"

extern "C" {
V_StrListT *Hierarchy = nullptr;
}

namespace {

typedef void (*OutlineRoutineT)(uint32_t document, const V_StrListT *list);

struct CommandT {
    int32_t number;
    const char *name;
    const char *label;
    OutlineRoutineT routine;  // null for New Outline and About
};

const CommandT kCommands[] = {
    {1, "NewOutline", "New Outline", nullptr},
    {3, "MoveRight", "Move Right", BlockDemote},
    {2, "MoveLeft", "Move Left", BlockPromote},
    {4, "MoveUp", "Move Up", BlockUp},
    {5, "MoveDown", "Move Down", BlockDown},
    {7, "NudgeRight", "Nudge Right", NudgeLineRight},
    {6, "NudgeLeft", "Nudge Left", NudgeLineLeft},
    {8, "NudgeUp", "Nudge Up", NudgeLineUp},
    {9, "NudgeDown", "Nudge Down", NudgeLineDown},
    {1000, "LindrelAbout", "About Lindrel...", nullptr},
};
const int32_t kNewOutline = 1, kAbout = 1000;

// The Outlining menu's items in order: a command number, or a separator name.
struct MenuItemT {
    int32_t command;
    const char *separator;
};
const MenuItemT kMenuItems[] = {
    {1, nullptr},    {0, VX_SEPARATOR1}, {3, nullptr}, {2, nullptr}, {4, nullptr},
    {5, nullptr},    {0, VX_SEPARATOR2}, {7, nullptr}, {6, nullptr}, {8, nullptr},
    {9, nullptr},    {0, VX_SEPARATOR4}, {1000, nullptr},
};

struct FunctionCodeT {
    int32_t code;
    OutlineRoutineT routine;
    bool returnsValue;  // the host expects -10001 after a horizontal nudge
};
const FunctionCodeT kFunctionCodes[] = {
    {VX_FCODE_BLOCK_UP, BlockUp, false},           {VX_FCODE_BLOCK_DOWN, BlockDown, false},
    {VX_FCODE_BLOCK_PROMOTE, BlockPromote, false}, {VX_FCODE_BLOCK_DEMOTE, BlockDemote, false},
    {VX_FCODE_NUDGE_UP, NudgeLineUp, false},       {VX_FCODE_NUDGE_DOWN, NudgeLineDown, false},
    {VX_FCODE_NUDGE_LEFT, NudgeLineLeft, true},    {VX_FCODE_NUDGE_RIGHT, NudgeLineRight, true},
};

const char kAboutText[] =
    "Lindrel \n"
    "Version 1.0  Build 103 \n"
    "Outline editing for Vellix documents.\n"
    "Moves a block, or one paragraph, left, right, up or down.\n"
    "Find it under Tools > Outlining.";

const CommandT *FindCommand(int32_t number)
{
    for (const CommandT &command : kCommands)
        if (command.number == number)
            return &command;
    return nullptr;
}

uint32_t ToolsMenu()
{
    uint32_t tools = V_ApiGetNamedObject(0, VX_OBJ_MENU, VX_MENU_TOOLS);
    if (tools != 0)
        return tools;
    uint32_t mainMenu = V_ApiGetNamedObject(0, VX_OBJ_MENU, VX_MENU_MAIN);
    tools = V_ApiDefineAndAddMenu(mainMenu, VX_MENU_TOOLS, "Tools");
    uint32_t quickMenu = V_ApiGetNamedObject(0, VX_OBJ_MENU, VX_MENU_QUICK);
    V_ApiAddMenuToMenu(quickMenu, tools);
    return tools;
}

void FillOutliningMenu(uint32_t menu)
{
    for (const MenuItemT &item : kMenuItems) {
        if (item.separator != nullptr) {
            uint32_t separator = V_ApiGetNamedObject(0, VX_OBJ_COMMAND, item.separator);
            V_ApiAddCommandToMenu(menu, separator);
        } else {
            const CommandT *command = FindCommand(item.command);
            V_ApiDefineAndAddCommand(command->number, menu, command->name, command->label, "");
        }
    }
}

// Puts the Outlining menu before the first Tools item whose label sorts at or
// after "Outlining", case-insensitively. The menu itself is one of the items,
// so the walk ends at it at the latest.
void PlaceByLabel(uint32_t tools, uint32_t outlining)
{
    uint32_t item = V_ApiGetId(0, tools, VX_PROP_FIRST_ITEM);
    char *label = V_ApiGetString(0, item, VX_PROP_ITEM_LABEL);
    while (item != 0 && V_StrICmp(label, "Outlining") < 0) {
        V_Free(label);
        item = V_ApiGetId(0, item, VX_PROP_NEXT_ITEM);
        label = V_ApiGetString(0, item, VX_PROP_ITEM_LABEL);
    }
    if (item != 0)
        V_ApiSetId(tools, outlining, VX_PROP_NEXT_ITEM, item);
    V_Free(label);
}

}  // namespace

extern "C" void V_ApiInitialize(int32_t code)
{
    // Start-up happens once: a second initialization would define the menus
    // again and read a second level list over the first.
    static bool started = false;
    if (code != 1 || started)
        return;
    started = true;
    uint32_t tools = ToolsMenu();
    uint32_t outlining = V_ApiDefineMenu("Lindrel", "Outlining");
    FillOutliningMenu(outlining);
    V_ApiAddMenuToMenu(tools, outlining);
    PlaceByLabel(tools, outlining);

    Hierarchy = V_StrListNew(1, 1);
    ReadOutlineHierarchy(Hierarchy);
    V_ApiNotification(VX_NOTIFY_FUNCTION, 1);
}

extern "C" void V_ApiCommand(int32_t number)
{
    V_VdeInit();
    uint32_t document = V_ApiGetId(0, 0, VX_PROP_ACTIVE_DOCUMENT);
    if (number == kAbout) {
        V_ApiAlert(kAboutText, VX_ALERT_NOTE);
    } else if (number == kNewOutline) {
        MakeOutline();
    } else if (const CommandT *command = FindCommand(number)) {
        command->routine(document, Hierarchy);
    }
}

extern "C" void V_ApiNotify(int32_t notification, uint32_t document, StringT, int32_t code)
{
    if (notification != VX_NOTIFY_FUNCTION)
        return;
    for (const FunctionCodeT &function : kFunctionCodes) {
        if (function.code != code)
            continue;
        function.routine(document, Hierarchy);
        if (function.returnsValue)
            V_ApiReturnValue(VX_RETURN_HANDLED);
        return;
    }
}
