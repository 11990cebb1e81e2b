// The terminal as the outliner uses it, on ncurses: the alternate screen in
// raw mode (so that Ctrl-C, Ctrl-S and Ctrl-Z are keys, not signals or flow
// control), keys decoded with their Alt and Shift modifiers, and lines of
// text clipped to the width of the screen.
#pragma once

#include <optional>
#include <string>

namespace vxhost::tui {

struct Key {
    int code = 0;           // a character, or an ncurses KEY_ code when `function`
    bool function = false;
    bool alt = false;
    bool shift = false;     // with function keys only (Alt+Shift+arrows)
    bool operator==(const Key &o) const
    {
        return code == o.code && function == o.function && alt == o.alt && shift == o.shift;
    }
};

Key character(int c, bool alt = false);
Key control(char letter);
Key function_key(int code, bool alt = false, bool shift = false);
// "Tab", "Shift-Tab", "Alt-Up", "Alt-Shift-Down", "PageDown", "Ctrl-S", "r".
std::string key_name(const Key &key);

bool is_enter(const Key &key);
bool is_escape(const Key &key);
bool is_backspace(const Key &key);

// Text as one screen line of at most `columns` columns: control characters
// escaped (\n, \t, \xHH), bytes that are no character in this locale as "?",
// and cut at the last whole character that fits.
std::string fit(const std::string &text, int columns, int *used = nullptr);
// The columns that `text` takes, shown as fit() shows it.
int width_of(const std::string &text);

class Screen {
public:
    enum class Style { Plain, Selected, Dim, Bar };

    // Takes the terminal on standard input and output; throws
    // std::runtime_error when it cannot (an unknown terminal type).
    Screen();
    ~Screen();
    Screen(const Screen &) = delete;
    Screen &operator=(const Screen &) = delete;

    int rows() const;
    int columns() const;
    // The next key typed, if one is waiting.
    std::optional<Key> key();

    // Writes one row (fitted to the width) and blanks the rest of it.
    void row(int at, const std::string &text, Style style = Style::Plain);
    void cursor(int row, int column);  // shows the cursor there
    void hide_cursor();
    void show();                       // puts the frame on the terminal
    void repaint();                    // the next show() redraws everything

    // Leaves the alternate screen and restores the terminal's settings, at
    // once; for exits that skip destructors.
    static void restore();
};

}  // namespace vxhost::tui
