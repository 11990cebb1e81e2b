#include "tui_palette.h"

#include "editor_service.h"

#include <set>

namespace vxhost::tui {
namespace {

void walk(const MenuSet &menus, ObjId menu, const std::string &path, std::set<ObjId> &seen,
          std::vector<Choice> &out)
{
    const Menu *m = menus.menu(menu);
    if (m == nullptr || !seen.insert(menu).second)
        return;
    for (ObjId item : m->items) {
        if (const Command *c = menus.command(item)) {
            if (c->client == EditorService::kClient && !c->label.empty() && seen.insert(item).second)
                out.push_back({c->label, path});
        } else if (const Menu *sub = menus.menu(item)) {
            walk(menus, item, path + (path.empty() ? "" : " > ") + sub->label, seen, out);
        }
    }
}

}  // namespace

std::vector<Choice> client_commands(const MenuSet &menus)
{
    std::vector<Choice> out;
    std::set<ObjId> seen;
    for (const char *main : {MenuSet::kMainMenu, MenuSet::kQuickMenu})
        walk(menus, menus.find(objtype::kMenu, main), "", seen, out);
    return out;
}

}  // namespace vxhost::tui
