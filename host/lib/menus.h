// The host's menus (object type 55) and commands (object type 57). A menu
// holds an ordered list of items, each a command or another menu; one item
// may stand in several menus (the Tools menu hangs on both main menus), so
// "the next item" is asked of an item within one of its menus.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "document_types.h"

namespace vxhost {

struct Command {
  ObjId id = 0;
  int32_t number = 0;  // what the owning client is called back with
  int32_t client = -1; // the client that defined it; -1 for the host's own
  std::string name;
  std::string label;
  std::string shortcut;
};

struct Menu {
  ObjId id = 0;
  std::string name;
  std::string label;
  std::vector<ObjId> items;
};

class MenuSet {
 public:
  static constexpr const char* kMainMenu = "!VellixMainMenu";
  static constexpr const char* kQuickMenu = "!QuickVellixMainMenu";
  // A menu holds at most this many items; a misbehaving client cannot grow
  // one without bound.
  static constexpr size_t kMaxItems = 4096;
  // Menus and commands together; a define past this makes nothing (0).
  static constexpr size_t kMaxObjects = 100000;

  // Makes the predefined main menus, a few standard submenus and the
  // separator commands "Separator1" to "Separator4".
  explicit MenuSet(IdAllocator& ids);
  MenuSet(const MenuSet&) = delete;
  MenuSet& operator=(const MenuSet&) = delete;

  // Define calls find an existing object of that name (updating its label)
  // or make a new one, so that a client started twice does not double its
  // menus; 0 when a new one would pass kMaxObjects.
  ObjId defineMenu(const std::string& name, const std::string& label);
  ObjId defineCommand(int32_t number, const std::string& name, const std::string& label,
                      const std::string& shortcut, int32_t client);
  // Appends an item to a menu; an item already in that menu stays where it is.
  int32_t add(ObjId menu, ObjId item);
  // Takes an item out of every menu and forgets it.
  int32_t remove(ObjId item);

  ObjId find(int32_t type, std::string_view name) const;  // 0 when absent
  ObjId commandByLabel(std::string_view label) const;
  // Every command, in the order they were defined.
  const std::vector<ObjId>& commands() const { return commandOrder_; }
  const Menu* menu(ObjId id) const;
  const Command* command(ObjId id) const;
  bool isItem(ObjId id) const { return menu(id) || command(id); }

  ObjId firstItem(ObjId menu) const;
  // The item after `item` in menu `context`, or in the first menu it was added
  // to when `context` is not one of its menus; 0 after the last one.
  ObjId nextItem(ObjId context, ObjId item) const;
  // Puts `item` just before `before` in menu `context` (or the item's first
  // menu); `before` 0 puts it last, `before` equal to `item` leaves it.
  int32_t moveBefore(ObjId context, ObjId item, ObjId before);

  const std::string* label(ObjId item) const;
  int32_t setLabel(ObjId item, const std::string& label);

 private:
  Menu* menuPtr(ObjId id);
  bool full() const { return menus_.size() + commands_.size() >= kMaxObjects; }
  ObjId homeMenu(ObjId context, ObjId item) const;
  bool contains(ObjId outer, ObjId inner) const;

  IdAllocator& ids_;
  std::unordered_map<ObjId, Menu> menus_;
  std::unordered_map<ObjId, Command> commands_;
  // For each item, the menus it stands in, in the order it was added to them.
  std::unordered_map<ObjId, std::vector<ObjId>> parents_;
  std::unordered_map<std::string, ObjId> menuByName_;
  std::unordered_map<std::string, ObjId> commandByName_;
  std::vector<ObjId> commandOrder_;
};

}  // namespace vxhost
