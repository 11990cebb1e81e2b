// The command palette's list: the commands the client put in the host's
// menus, by label, each with the menus it stands in.
#pragma once

#include "menus.h"
#include "tui_dialogs.h"

#include <vector>

namespace vxhost::tui {

// In menu order, each command once: name is the label, note the menu path
// ("Tools > Outlining").
std::vector<Choice> client_commands(const MenuSet &menus);

}  // namespace vxhost::tui
