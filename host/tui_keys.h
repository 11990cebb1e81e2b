// Which key does what in the terminal outliner: one table, from which the
// key help is made too.
#pragma once

#include "tui_screen.h"

#include <string>
#include <vector>

namespace vxhost::tui {

enum class Action {
    Up, Down, Left, Right, PageUp, PageDown, Home, End,
    Search, NextMatch, PreviousMatch,
    Command,  // the client's menu command of the binding's label
    Palette, Undo, Redo, Save, SaveAs, Documents, Help, Redraw, Quit,
};

struct Binding {
    std::vector<Key> keys;
    Action action;
    const char *label;  // Command: the client's menu label
    const char *does;   // for the key help
};

const std::vector<Binding> &bindings();
// The binding of a key, or null.
const Binding *binding(const Key &key);
// The key help, one line a binding: "Tab, Alt-Right, r   Move Right: ...".
std::vector<std::string> key_help();

}  // namespace vxhost::tui
