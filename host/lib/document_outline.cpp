#include "document_outline.h"

#include <algorithm>
#include <cstdio>

#include "docfile.h"

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

namespace {

// One line per paragraph, and nothing a terminal would act on: line breaks
// and tabs show as \n and \t, other control bytes as \xHH.
void appendShown(std::string& out, const std::string& text) {
  for (char c : text) {
    unsigned char u = static_cast<unsigned char>(c);
    if (c == '\n') {
      out += "\\n";
    } else if (c == '\t') {
      out += "\\t";
    } else if (u < 0x20 || u == 0x7f) {
      char hex[5];
      std::snprintf(hex, sizeof hex, "\\x%02x", u);
      out += hex;
    } else {
      out += c;
    }
  }
}

}  // namespace

std::string outlineTree(const Document& doc, const std::vector<std::string>& levels) {
  std::string out;
  for (const Paragraph* p : doc.paragraphs()) {
    out += p->id == doc.selection().start.obj ? "> " : "  ";
    auto it = std::find(levels.begin(), levels.end(), p->content.tag);
    if (it == levels.end()) {
      out += '[';
      appendShown(out, p->content.tag);
      out += "] ";
    } else {
      out.append(2 * static_cast<size_t>(it - levels.begin()), ' ');
    }
    appendShown(out, p->content.text);
    out += '\n';
  }
  return out;
}

}  // namespace vxhost
