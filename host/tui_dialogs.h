// The outliner's questions on the bottom line of the screen: a line of text
// (a search, a file name), a choice from a list with completion (the command
// palette, the open documents), a key (y/n/c), and pages of text to read (the
// key help, the client's alerts).
#pragma once

#include "tui_screen.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vxhost::tui {

struct Ui {
    Screen &screen;
    std::function<Key()> next_key;     // waits for a key, serving the client meanwhile
    std::function<void()> draw_under;  // what stays on the screen behind a question
};

// A line typed after `label`; nothing when cancelled (Escape, Ctrl-C, Ctrl-G).
std::optional<std::string> ask_line(Ui &ui, const std::string &label, std::string text = "");

struct Choice {
    std::string name;  // what is typed and completed
    std::string note;  // shown after it
};
// One of `choices`: typing narrows the list to those whose name contains the
// text, Tab completes the longest common start, Up and Down pick, Enter
// takes. Nothing when cancelled or when nothing matches.
std::optional<size_t> choose(Ui &ui, const std::string &label, const std::vector<Choice> &choices);

// The answer to `question`: one of the letters of `answers`, or 0 for
// Escape (and Ctrl-C, Ctrl-G); other keys are not taken.
char ask_key(Ui &ui, const std::string &question, const std::string &answers);

// Lines to read, a screen at a time (Up, Down, PageUp, PageDown, Home, End);
// any other key closes them.
void page(Ui &ui, const std::string &title, const std::vector<std::string> &lines);

}  // namespace vxhost::tui
