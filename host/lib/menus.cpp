#include "menus.h"

#include <algorithm>
#include <unordered_set>

namespace vxhost {

MenuSet::MenuSet(IdAllocator& ids) : ids_(ids) {
  ObjId main = defineMenu(kMainMenu, "Main");
  ObjId quick = defineMenu(kQuickMenu, "Quick");
  for (const auto& [name, label] : {std::pair{"FileMenu", "File"}, {"EditMenu", "Edit"},
                                    {"FormatMenu", "Format"}})
    add(main, defineMenu(name, label));
  add(quick, find(objtype::kMenu, "EditMenu"));
  for (const char* sep : {"Separator1", "Separator2", "Separator3", "Separator4"})
    defineCommand(0, sep, "", "", -1);
}

ObjId MenuSet::defineMenu(const std::string& name, const std::string& label) {
  ObjId id = find(objtype::kMenu, name);
  if (!id) {
    if (full()) return 0;
    id = ids_.next();
    menus_[id] = Menu{id, name, label, {}};
    menuByName_[name] = id;
  }
  menus_[id].label = label;
  return id;
}

ObjId MenuSet::defineCommand(int32_t number, const std::string& name, const std::string& label,
                             const std::string& shortcut, int32_t client) {
  ObjId id = find(objtype::kCommand, name);
  if (!id) {
    if (full()) return 0;
    id = ids_.next();
    commandByName_[name] = id;
    commandOrder_.push_back(id);
  }
  commands_[id] = Command{id, number, client, name, label, shortcut};
  return id;
}

// Walks with a stack of its own: menus nested many deep must not exhaust the
// host's call stack.
bool MenuSet::contains(ObjId outer, ObjId inner) const {
  std::vector<ObjId> pending{outer};
  std::unordered_set<ObjId> seen;
  while (!pending.empty()) {
    ObjId id = pending.back();
    pending.pop_back();
    if (id == inner) return true;
    const Menu* m = menu(id);
    if (!m || !seen.insert(id).second) continue;
    pending.insert(pending.end(), m->items.begin(), m->items.end());
  }
  return false;
}

int32_t MenuSet::add(ObjId menuId, ObjId item) {
  Menu* m = menuPtr(menuId);
  if (!m || !isItem(item)) return status::kBadObject;
  if (std::find(m->items.begin(), m->items.end(), item) != m->items.end()) return status::kOk;
  if (contains(item, menuId)) return status::kBadValue;  // a menu inside itself
  if (m->items.size() >= kMaxItems) return status::kLimit;
  m->items.push_back(item);
  parents_[item].push_back(menuId);
  return status::kOk;
}

int32_t MenuSet::remove(ObjId item) {
  if (!isItem(item)) return status::kBadObject;
  for (ObjId parent : parents_[item]) {
    auto& items = menus_.at(parent).items;
    items.erase(std::find(items.begin(), items.end(), item));
  }
  parents_.erase(item);
  if (const Menu* m = menu(item)) {
    for (ObjId child : m->items) {
      auto& ps = parents_[child];
      ps.erase(std::find(ps.begin(), ps.end(), item));
    }
    menuByName_.erase(m->name);
    menus_.erase(item);
  } else {
    commandByName_.erase(commands_.at(item).name);
    commandOrder_.erase(std::find(commandOrder_.begin(), commandOrder_.end(), item));
    commands_.erase(item);
  }
  return status::kOk;
}

ObjId MenuSet::find(int32_t type, std::string_view name) const {
  const auto* byName = type == objtype::kMenu ? &menuByName_
                       : type == objtype::kCommand ? &commandByName_ : nullptr;
  const ObjId* id = byName ? findIn(*byName, std::string(name)) : nullptr;
  return id ? *id : 0;
}

ObjId MenuSet::commandByLabel(std::string_view label) const {
  for (ObjId id : commandOrder_)
    if (commands_.at(id).label == label) return id;
  return 0;
}

const Menu* MenuSet::menu(ObjId id) const { return findIn(menus_, id); }

Menu* MenuSet::menuPtr(ObjId id) { return findIn(menus_, id); }

const Command* MenuSet::command(ObjId id) const { return findIn(commands_, id); }

ObjId MenuSet::firstItem(ObjId id) const {
  const Menu* m = menu(id);
  return m && !m->items.empty() ? m->items.front() : 0;
}

ObjId MenuSet::homeMenu(ObjId context, ObjId item) const {
  auto it = parents_.find(item);
  if (it == parents_.end() || it->second.empty()) return 0;
  const auto& ps = it->second;
  return std::find(ps.begin(), ps.end(), context) != ps.end() ? context : ps.front();
}

ObjId MenuSet::nextItem(ObjId context, ObjId item) const {
  ObjId home = homeMenu(context, item);
  if (!home) return 0;
  const auto& items = menus_.at(home).items;
  auto it = std::find(items.begin(), items.end(), item);
  return ++it == items.end() ? 0 : *it;
}

int32_t MenuSet::moveBefore(ObjId context, ObjId item, ObjId before) {
  ObjId home = homeMenu(context, item);
  if (!home) return status::kBadObject;
  if (before == item) return status::kOk;
  auto& items = menus_.at(home).items;
  if (before && std::find(items.begin(), items.end(), before) == items.end()) return status::kBadValue;
  items.erase(std::find(items.begin(), items.end(), item));
  items.insert(before ? std::find(items.begin(), items.end(), before) : items.end(), item);
  return status::kOk;
}

const std::string* MenuSet::label(ObjId item) const {
  if (const Menu* m = menu(item)) return &m->label;
  if (const Command* c = command(item)) return &c->label;
  return nullptr;
}

int32_t MenuSet::setLabel(ObjId item, const std::string& text) {
  if (Menu* m = menuPtr(item)) {
    m->label = text;
  } else if (Command* c = findIn(commands_, item)) {
    c->label = text;
  } else {
    return status::kBadObject;
  }
  return status::kOk;
}

}  // namespace vxhost
