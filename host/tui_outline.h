// The outline as the terminal shows it: which paragraphs are on screen, how
// each one reads, the search, and the status line.
#pragma once

#include "document.h"

#include <optional>
#include <string>
#include <vector>

namespace vxhost::tui {

// The first paragraph on screen: it keeps the selected one in view, with a
// few paragraphs of context above and below it where the screen is tall
// enough.
struct Viewport {
    size_t top = 0;
    void follow(size_t selected, size_t count, size_t rows);
};

// One paragraph's line: ">" for the selected one, "#" for a locked one
// (property 588 not 0), two blanks a level for a level paragraph, and the tag
// in brackets for any other.
std::string outline_row(const Paragraph &p, const std::vector<std::string> &levels, bool selected);

// The next paragraph after `from` (before it, going back) whose text holds
// `pattern`, whatever the case of ASCII letters; past the end it goes on
// from the other end and says so in `wrapped`.
std::optional<size_t> find_text(const std::vector<const Paragraph *> &paras, const std::string &pattern,
                                size_t from, bool forward, bool *wrapped);

// "plan.vx [modified]  paragraph 3 of 17  3Level"
std::string status_line(const Document &doc, size_t selected, bool modified, size_t documents);

}  // namespace vxhost::tui
