#include "tui_dialogs.h"

#include <curses.h>

#include <algorithm>
#include <cctype>
#include <climits>
#include <cwchar>

namespace vxhost::tui {
namespace {

bool cancels(const Key &k) { return is_escape(k) || k == control('C') || k == control('G'); }

// A character typed into a line, as UTF-8; empty for anything else.
std::string typed(const Key &k)
{
    if (k.function || k.alt || k.code < 32 || k.code == 127)
        return "";
    std::mbstate_t state{};
    char bytes[MB_LEN_MAX];
    size_t n = std::wcrtomb(bytes, static_cast<wchar_t>(k.code), &state);
    return n == static_cast<size_t>(-1) ? "" : std::string(bytes, n);
}

void drop_last_character(std::string &text)
{
    while (!text.empty() && (static_cast<unsigned char>(text.back()) & 0xC0) == 0x80)
        text.pop_back();
    if (!text.empty())
        text.pop_back();
}

std::string lower(std::string s)
{
    for (char &c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// Edits `text` with one key; false when the key is not for editing.
bool edit(std::string &text, const Key &k)
{
    if (is_backspace(k))
        drop_last_character(text);
    else if (k == control('U'))
        text.clear();
    else if (std::string c = typed(k); !c.empty())
        text += c;
    else
        return false;
    return true;
}

// The prompt on the bottom line with the cursor after it; a long text shows
// its end.
void prompt_row(Ui &ui, const std::string &label, const std::string &text)
{
    int last = ui.screen.rows() - 1, room = ui.screen.columns() - 1;
    std::string shown = text;
    while (!shown.empty() && width_of(label + shown) > room) {
        size_t cut = 1;
        while (cut < shown.size() && (static_cast<unsigned char>(shown[cut]) & 0xC0) == 0x80)
            ++cut;
        shown.erase(0, cut);
    }
    ui.screen.row(last, label + shown);
    ui.screen.cursor(last, std::min(width_of(label + shown), room));
    ui.screen.show();
}

std::string completed(const std::string &text, const std::vector<Choice> &choices, const std::vector<size_t> &matches)
{
    // Names that start with the text are completed first; failing those,
    // whatever matched.
    std::vector<std::string> names;
    for (size_t i : matches)
        if (lower(choices[i].name).rfind(lower(text), 0) == 0)
            names.push_back(choices[i].name);
    if (names.empty())
        for (size_t i : matches)
            names.push_back(choices[i].name);
    std::string common = names.front();
    for (const std::string &n : names) {
        size_t same = 0;
        while (same < common.size() && same < n.size() &&
               std::tolower(static_cast<unsigned char>(common[same])) ==
                   std::tolower(static_cast<unsigned char>(n[same])))
            ++same;
        common.resize(same);
    }
    return common.size() > text.size() || names.size() == 1 ? common : text;
}

}  // namespace

std::optional<std::string> ask_line(Ui &ui, const std::string &label, std::string text)
{
    for (;;) {
        ui.draw_under();
        prompt_row(ui, label, text);
        Key k = ui.next_key();
        if (is_enter(k))
            break;
        if (cancels(k)) {
            ui.screen.hide_cursor();
            return std::nullopt;
        }
        edit(text, k);
    }
    ui.screen.hide_cursor();
    return text;
}

std::optional<size_t> choose(Ui &ui, const std::string &label, const std::vector<Choice> &choices)
{
    std::string text;
    size_t picked = 0;  // among the matches
    size_t width = 0;   // of the names' column
    for (const Choice &c : choices)
        width = std::max(width, c.name.size() + 3);
    for (;;) {
        std::vector<size_t> matches;
        for (size_t i = 0; i < choices.size(); ++i)
            if (lower(choices[i].name).find(lower(text)) != std::string::npos)
                matches.push_back(i);
        picked = std::min(picked, matches.empty() ? 0 : matches.size() - 1);

        int rows = ui.screen.rows(), listed = std::max(rows - 2, 0);
        ui.screen.row(0, matches.empty() ? "(nothing matches)"
                                         : "Tab completes, Up and Down pick, Enter takes, Escape cancels",
                      Screen::Style::Bar);
        size_t first = listed > 0 && picked >= static_cast<size_t>(listed) ? picked + 1 - listed : 0;
        for (int r = 0; r < listed; ++r) {
            size_t at = first + static_cast<size_t>(r);
            if (at >= matches.size()) {
                ui.screen.row(r + 1, "");
                continue;
            }
            const Choice &c = choices[matches[at]];
            std::string name = c.name;
            name.resize(std::max(name.size() + 3, width), ' ');
            ui.screen.row(r + 1, (at == picked ? "> " : "  ") + name + c.note,
                          at == picked ? Screen::Style::Selected : Screen::Style::Plain);
        }
        prompt_row(ui, label, text);

        Key k = ui.next_key();
        if (cancels(k))
            break;
        if (is_enter(k) && !matches.empty()) {
            ui.screen.hide_cursor();
            return matches[picked];
        }
        if (k == function_key(KEY_UP))
            picked = picked > 0 ? picked - 1 : 0;
        else if (k == function_key(KEY_DOWN))
            ++picked;
        else if (k == character('\t') && !matches.empty())
            text = completed(text, choices, matches);
        else if (edit(text, k))
            picked = 0;
    }
    ui.screen.hide_cursor();
    return std::nullopt;
}

char ask_key(Ui &ui, const std::string &question, const std::string &answers)
{
    for (;;) {
        ui.draw_under();
        prompt_row(ui, question, "");
        Key k = ui.next_key();
        if (cancels(k))
            break;
        if (!k.function && !k.alt && k.code < 128 && k.code > 32 &&
            answers.find(static_cast<char>(std::tolower(k.code))) != std::string::npos) {
            ui.screen.hide_cursor();
            return static_cast<char>(std::tolower(k.code));
        }
    }
    ui.screen.hide_cursor();
    return 0;
}

void page(Ui &ui, const std::string &title, const std::vector<std::string> &lines)
{
    size_t top = 0;
    for (;;) {
        int rows = ui.screen.rows();
        size_t shown = static_cast<size_t>(std::max(rows - 1, 1));
        size_t last = lines.size() > shown ? lines.size() - shown : 0;
        top = std::min(top, last);
        for (int r = 0; r + 1 < rows; ++r) {
            size_t at = top + static_cast<size_t>(r);
            ui.screen.row(r, at < lines.size() ? lines[at] : "");
        }
        std::string where = lines.size() > shown ? "  lines " + std::to_string(top + 1) + "-" +
                                                        std::to_string(std::min(top + shown, lines.size())) +
                                                        " of " + std::to_string(lines.size()) + ", Up/Down"
                                                  : "";
        ui.screen.row(rows - 1, title + where + "  (any other key goes on)", Screen::Style::Bar);
        ui.screen.show();
        Key k = ui.next_key();
        if (k == function_key(KEY_UP))
            top = top > 0 ? top - 1 : 0;
        else if (k == function_key(KEY_DOWN))
            ++top;
        else if (k == function_key(KEY_PPAGE))
            top = top > shown ? top - shown : 0;
        else if (k == function_key(KEY_NPAGE))
            top += shown;
        else if (k == function_key(KEY_HOME))
            top = 0;
        else if (k == function_key(KEY_END))
            top = last;
        else if (!(k == function_key(KEY_RESIZE)))
            return;
    }
}

}  // namespace vxhost::tui
