#include "tui_screen.h"

#include <curses.h>

#include <climits>
#include <clocale>
#include <cstdio>
#include <cwchar>
#include <map>
#include <stdexcept>

namespace vxhost::tui {
namespace {

SCREEN *active = nullptr;

// Codes of our own for modified arrows that the terminal description does
// not name; clear of the range ncurses gives to extended key names.
constexpr int kOwnCodes = 0x6000;

// What the modified arrows arrive as: our codes, or the codes ncurses gave
// to the terminal description's own names for them.
std::map<int, Key> &modified_keys()
{
    static std::map<int, Key> keys;
    return keys;
}

// xterm's modified cursor keys (ESC [ 1 ; MOD letter) and the back-tab and
// home and end sequences that some terminal descriptions leave out.
void define_keys()
{
    struct Arrow {
        char letter;
        int code;
    };
    const Arrow arrows[] = {{'A', KEY_UP}, {'B', KEY_DOWN}, {'C', KEY_RIGHT}, {'D', KEY_LEFT}};
    int own = kOwnCodes;
    for (int modifier : {3, 4}) {  // 3: Alt, 4: Alt+Shift
        for (const Arrow &a : arrows) {
            char sequence[16];
            std::snprintf(sequence, sizeof sequence, "\x1b[1;%d%c", modifier, a.letter);
            int code = key_defined(sequence);
            if (code == 0 && define_key(sequence, ++own) == OK)
                code = own;
            if (code > 0)
                modified_keys()[code] = function_key(a.code, true, modifier == 4);
        }
    }
    const std::pair<const char *, int> plain[] = {
        {"\x1b[Z", KEY_BTAB}, {"\x1b[H", KEY_HOME}, {"\x1b[F", KEY_END}, {"\x1b[1~", KEY_HOME}, {"\x1b[4~", KEY_END}};
    for (const auto &[sequence, code] : plain)
        if (key_defined(sequence) == 0)
            define_key(sequence, code);
}

attr_t attributes(Screen::Style style)
{
    switch (style) {
    case Screen::Style::Selected: return A_REVERSE | A_BOLD;
    case Screen::Style::Dim: return A_DIM;
    case Screen::Style::Bar: return A_REVERSE;
    case Screen::Style::Plain: break;
    }
    return A_NORMAL;
}

void escaped(std::string &out, unsigned char c)
{
    if (c == '\n') {
        out += "\\n";
    } else if (c == '\t') {
        out += "\\t";
    } else {
        char hex[5];
        std::snprintf(hex, sizeof hex, "\\x%02x", c);
        out += hex;
    }
}

}  // namespace

Key character(int c, bool alt) { return Key{c, false, alt, false}; }
Key control(char letter) { return Key{letter & 0x1f, false, false, false}; }
Key function_key(int code, bool alt, bool shift) { return Key{code, true, alt, shift}; }

bool is_enter(const Key &k) { return k.function ? k.code == KEY_ENTER : !k.alt && (k.code == '\r' || k.code == '\n'); }
bool is_escape(const Key &k) { return !k.function && !k.alt && k.code == 27; }
bool is_backspace(const Key &k)
{
    return k.function ? k.code == KEY_BACKSPACE : !k.alt && (k.code == 127 || k.code == 8);
}

std::string key_name(const Key &k)
{
    std::string prefix = std::string(k.alt ? "Alt-" : "") + (k.shift ? "Shift-" : "");
    if (k.function) {
        switch (k.code) {
        case KEY_UP: return prefix + "Up";
        case KEY_DOWN: return prefix + "Down";
        case KEY_LEFT: return prefix + "Left";
        case KEY_RIGHT: return prefix + "Right";
        case KEY_PPAGE: return prefix + "PageUp";
        case KEY_NPAGE: return prefix + "PageDown";
        case KEY_HOME: return prefix + "Home";
        case KEY_END: return prefix + "End";
        case KEY_BTAB: return prefix + "Shift-Tab";
        default: break;
        }
        if (k.code >= KEY_F(1) && k.code <= KEY_F(12))
            return prefix + "F" + std::to_string(k.code - KEY_F0);
        return prefix + "key " + std::to_string(k.code);
    }
    if (k.code == '\t')
        return prefix + "Tab";
    if (k.code == 27)
        return prefix + "Escape";
    if (k.code >= 0 && k.code < 32)  // Ctrl-Space comes as 0: Ctrl-@
        return prefix + "Ctrl-" + static_cast<char>('@' + k.code);
    std::mbstate_t state{};
    char bytes[MB_LEN_MAX];
    size_t n = std::wcrtomb(bytes, static_cast<wchar_t>(k.code), &state);
    return prefix + (n == static_cast<size_t>(-1) ? "?" : std::string(bytes, n));
}

std::string fit(const std::string &text, int columns, int *used_columns)
{
    std::string out;
    int used = 0;
    std::mbstate_t state{};
    for (size_t at = 0; at < text.size();) {
        unsigned char c = static_cast<unsigned char>(text[at]);
        std::string piece;
        size_t length = 1;
        int width = 1;
        if (c < 0x20 || c == 0x7f) {
            escaped(piece, c);
            width = static_cast<int>(piece.size());
        } else if (c < 0x80) {
            piece = static_cast<char>(c);
        } else {
            wchar_t wide;
            length = std::mbrtowc(&wide, text.data() + at, text.size() - at, &state);
            int w = length == 0 || length > text.size() - at ? -1 : wcwidth(wide);
            if (w < 0) {  // no character here: one byte, shown as such
                state = {};
                length = 1;
                piece = "?";
            } else {
                piece = text.substr(at, length);
                width = w;
            }
        }
        if (used + width > columns)
            break;
        out += piece;
        used += width;
        at += length;
    }
    if (used_columns != nullptr)
        *used_columns = used;
    return out;
}

int width_of(const std::string &text)
{
    int used = 0;
    fit(text, INT_MAX, &used);
    return used;
}

Screen::Screen()
{
    // Wide characters need the locale's character set; numbers keep "C".
    std::setlocale(LC_CTYPE, "");
    active = newterm(nullptr, stdout, stdin);
    if (active == nullptr)
        throw std::runtime_error("the terminal cannot be used (TERM is not a known terminal type)");
    set_term(active);
    raw();
    noecho();
    nonl();
    keypad(stdscr, TRUE);
    nodelay(stdscr, TRUE);
    set_escdelay(25);
    curs_set(0);
    define_keys();
}

Screen::~Screen()
{
    restore();
    if (active != nullptr)
        delscreen(active);
    active = nullptr;
}

void Screen::restore()
{
    if (active != nullptr && !isendwin()) {
        endwin();
        std::fflush(stdout);
    }
}

int Screen::rows() const { return LINES; }
int Screen::columns() const { return COLS; }

std::optional<Key> Screen::key()
{
    wint_t c;
    int got = wget_wch(stdscr, &c);
    if (got == ERR)
        return std::nullopt;
    if (got == KEY_CODE_YES) {
        auto found = modified_keys().find(static_cast<int>(c));
        return found != modified_keys().end() ? found->second : function_key(static_cast<int>(c));
    }
    if (c != 27)
        return character(static_cast<int>(c));
    // Escape then a key at once: the terminal's way of sending Alt+key.
    std::optional<Key> next = key();
    if (!next)
        return character(27);
    next->alt = true;
    return next;
}

void Screen::row(int at, const std::string &text, Style style)
{
    if (at < 0 || at >= LINES)
        return;
    // The bottom right corner stays empty: writing there scrolls some terminals.
    int width = at == LINES - 1 ? COLS - 1 : COLS;
    std::string shown = fit(text, width);
    attr_t a = attributes(style);
    move(at, 0);
    attrset(a);
    addstr(shown.c_str());
    if (style == Style::Selected || style == Style::Bar) {
        int x = getcurx(stdscr);
        for (; x < width; ++x)
            addch(' ');
    }
    attrset(A_NORMAL);
    clrtoeol();
}

void Screen::cursor(int row, int column)
{
    curs_set(1);
    move(row, column);
}

void Screen::hide_cursor() { curs_set(0); }

void Screen::show() { refresh(); }

void Screen::repaint() { clearok(curscr, TRUE); }

}  // namespace vxhost::tui
