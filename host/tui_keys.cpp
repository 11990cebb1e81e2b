#include "tui_keys.h"

#include <curses.h>

namespace vxhost::tui {

const std::vector<Binding> &bindings()
{
    using A = Action;
    static const std::vector<Binding> table = {
        {{function_key(KEY_UP)}, A::Up, nullptr, "previous paragraph"},
        {{function_key(KEY_DOWN)}, A::Down, nullptr, "next paragraph"},
        {{function_key(KEY_LEFT)}, A::Left, nullptr, "insertion point one byte back"},
        {{function_key(KEY_RIGHT)}, A::Right, nullptr, "insertion point one byte on"},
        {{function_key(KEY_PPAGE)}, A::PageUp, nullptr, "a screen up"},
        {{function_key(KEY_NPAGE)}, A::PageDown, nullptr, "a screen down"},
        {{function_key(KEY_HOME)}, A::Home, nullptr, "first paragraph"},
        {{function_key(KEY_END)}, A::End, nullptr, "last paragraph"},
        {{character('/')}, A::Search, nullptr, "search for a text (Enter: from the selection on)"},
        {{character('n')}, A::NextMatch, nullptr, "next match of the search"},
        {{character('N')}, A::PreviousMatch, nullptr, "previous match of the search"},
        {{character('\t'), function_key(KEY_RIGHT, true), character('r')}, A::Command, "Move Right",
         "Move Right: the block a level deeper"},
        {{function_key(KEY_BTAB), function_key(KEY_LEFT, true), character('l')}, A::Command, "Move Left",
         "Move Left: the block a level up"},
        {{function_key(KEY_UP, true), character('u')}, A::Command, "Move Up", "Move Up: the block before its sibling"},
        {{function_key(KEY_DOWN, true), character('d')}, A::Command, "Move Down",
         "Move Down: the block after its sibling"},
        {{function_key(KEY_RIGHT, true, true), character('R')}, A::Command, "Nudge Right",
         "Nudge Right: this paragraph a level deeper"},
        {{function_key(KEY_LEFT, true, true), character('L')}, A::Command, "Nudge Left",
         "Nudge Left: this paragraph a level up"},
        {{function_key(KEY_UP, true, true), character('U')}, A::Command, "Nudge Up",
         "Nudge Up: this paragraph before the one above"},
        {{function_key(KEY_DOWN, true, true), character('D')}, A::Command, "Nudge Down",
         "Nudge Down: this paragraph after the one below"},
        {{control('N')}, A::Command, "New Outline", "New Outline: a new document from the outline template"},
        {{character('a')}, A::Command, "About Lindrel...", "About Lindrel..."},
        {{character(':')}, A::Palette, nullptr, "run any of the client's menu commands by its label"},
        {{character('z')}, A::Undo, nullptr, "undo the last change of this document"},
        {{character('Z')}, A::Redo, nullptr, "redo what was undone"},
        {{character('s'), control('S')}, A::Save, nullptr, "save to the document's file"},
        {{character('w')}, A::SaveAs, nullptr, "save as: to a file you name"},
        {{character('b')}, A::Documents, nullptr, "the open documents: switch to another"},
        {{character('?'), function_key(KEY_F(1))}, A::Help, nullptr, "this help"},
        {{control('L')}, A::Redraw, nullptr, "draw the screen anew"},
        {{character('q'), control('C'), control('D')}, A::Quit, nullptr,
         "quit (asks first when changes are not saved)"},
    };
    return table;
}

const Binding *binding(const Key &key)
{
    for (const Binding &b : bindings())
        for (const Key &k : b.keys)
            if (k == key)
                return &b;
    return nullptr;
}

std::vector<std::string> key_help()
{
    std::vector<std::string> lines;
    for (const Binding &b : bindings()) {
        std::string keys;
        for (const Key &k : b.keys)
            keys += (keys.empty() ? "" : ", ") + key_name(k);
        keys.resize(std::max<size_t>(keys.size() + 2, 26), ' ');
        lines.push_back(keys + b.does);
    }
    return lines;
}

}  // namespace vxhost::tui
