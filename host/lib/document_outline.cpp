#include "document_outline.h"

#include <algorithm>

#include "docfile.h"
#include "shown_text.h"

namespace vxhost {

std::vector<std::string> outlineLevels(const Editor& editor) {
  for (int32_t dirProp : {prop::kTemplateDir1, prop::kTemplateDir2}) {
    std::string dir;
    editor.getString(0, 0, dirProp, dir);
    DocContent content;
    std::string message;
    if (loadDocument(dir + "/OutlineLevels.vx", content, message) != status::kOk) continue;
    std::vector<std::string> names;
    for (const auto& p : content.paras)
      if (!p.text.empty()) names.push_back(p.text);
    return names;
  }
  std::vector<std::string> names;
  for (int i = 1; i <= 7; ++i) names.push_back(std::to_string(i) + "Level");
  return names;
}

std::string outlineTree(const Document& doc, const std::vector<std::string>& levels) {
  std::string out;
  for (const Paragraph* p : doc.paragraphs()) {
    out += p->id == doc.selection().start.obj ? "> " : "  ";
    auto it = std::find(levels.begin(), levels.end(), p->content.tag);
    if (it == levels.end()) {
      out += '[';
      append_shown(out, p->content.tag);
      out += "] ";
    } else {
      out.append(2 * static_cast<size_t>(it - levels.begin()), ' ');
    }
    append_shown(out, p->content.text);
    out += '\n';
  }
  return out;
}

}  // namespace vxhost
