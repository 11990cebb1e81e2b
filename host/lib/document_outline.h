// The outline of a document as people read it: one line per paragraph,
// indented by level, for the stand-in host's displays and the demo.
#pragma once

#include <string>
#include <vector>

#include "document_editor.h"

namespace vxhost {

// The level names as the outline client finds them: the paragraph texts of
// "OutlineLevels.vx" in the directory of session property 89, else of 84,
// else "1Level" to "7Level".
std::vector<std::string> outlineLevels(const Editor& editor);

// Each paragraph on its own line: two blanks per level below the top, then
// its text; a paragraph that is not a level paragraph shows its tag in
// brackets, unindented. The paragraph where the selection begins is marked
// with "> " (every other line starts with two blanks). Control characters
// in tags and texts are shown escaped.
std::string outlineTree(const Document& doc, const std::vector<std::string>& levels);

}  // namespace vxhost
