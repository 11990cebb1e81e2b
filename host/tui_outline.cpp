#include "tui_outline.h"

#include <algorithm>
#include <cctype>

namespace vxhost::tui {

void Viewport::follow(size_t selected, size_t count, size_t rows)
{
    if (rows == 0)
        return;
    size_t margin = std::min<size_t>(2, (rows - 1) / 2);
    // A jump out of sight (a search, End) lands in the middle; a step to the
    // edge scrolls as little as it takes.
    if (selected < top || selected >= top + rows)
        top = selected > rows / 2 ? selected - rows / 2 : 0;
    else if (selected < top + margin)
        top = selected > margin ? selected - margin : 0;
    else if (selected + margin >= top + rows)
        top = selected + margin + 1 - rows;
    // No blank rows below the end while there are paragraphs above.
    top = std::min(top, count > rows ? count - rows : 0);
}

std::string outline_row(const Paragraph &p, const std::vector<std::string> &levels, bool selected)
{
    std::string row = selected ? ">" : " ";
    row += p.content.lock != 0 ? "# " : "  ";
    auto level = std::find(levels.begin(), levels.end(), p.content.tag);
    if (level == levels.end())
        row += "[" + p.content.tag + "] ";
    else
        row.append(2 * static_cast<size_t>(level - levels.begin()), ' ');
    return row + p.content.text;
}

namespace {

bool holds(const std::string &text, const std::string &pattern)
{
    auto same = [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
    };
    return std::search(text.begin(), text.end(), pattern.begin(), pattern.end(), same) != text.end();
}

}  // namespace

std::optional<size_t> find_text(const std::vector<const Paragraph *> &paras, const std::string &pattern,
                                size_t from, bool forward, bool *wrapped)
{
    size_t n = paras.size();
    *wrapped = false;
    for (size_t step = 1; step <= n; ++step) {
        size_t at = forward ? (from + step) % n : (from + n - step % n) % n;
        if (forward ? at <= from : at >= from)
            *wrapped = true;
        if (holds(paras[at]->content.text, pattern))
            return at;
    }
    return std::nullopt;
}

std::string status_line(const Document &doc, size_t selected, bool modified, size_t documents)
{
    const Paragraph *p = doc.paragraph(doc.selection().start.obj);
    std::string line = " " + doc.name() + (modified ? " [modified]" : "") + "   paragraph " +
                       std::to_string(selected + 1) + " of " + std::to_string(doc.paragraphCount());
    if (p != nullptr) {
        line += "   " + p->content.tag;
        if (doc.selection().start.offset != 0)
            line += "   offset " + std::to_string(doc.selection().start.offset);
    }
    if (documents > 1)
        line += "   " + std::to_string(documents) + " documents (b)";
    return line + "   ? help";
}

}  // namespace vxhost::tui
