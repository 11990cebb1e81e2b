// Undo and redo over random edits of every kind the model has: each state on
// the way back and forth is the one that was, identifiers and selection
// included, and a document is modified exactly when it is not its file.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "document_history.h"

using namespace vxhost;

namespace {

// Content, paragraph identifiers, selection.
using State = std::tuple<DocContent, std::vector<ObjId>, TextRange>;

State state(const Document& d) {
  State s{d.content(), {}, d.selection()};
  for (const Paragraph* p : d.paragraphs()) std::get<1>(s).push_back(p->id);
  return s;
}

// One random edit: text with line breaks, a deleted paragraph, a cut and a
// paste of whole paragraphs, a tag or lock, a format added or removed.
void edit(Document& d, std::mt19937& random) {
  std::vector<const Paragraph*> ps = d.paragraphs();
  auto pick = [&] { return ps[random() % ps.size()]->id; };
  ObjId p = pick(), q = pick(), r = pick();  // all before an edit frees any
  switch (random() % 6) {
    case 0: d.addText({p, kEndOfText}, random() % 2 ? "x\ny" : "z", nullptr); break;
    case 1: d.deleteParagraph(p); break;
    case 2:
      if (Clip c; d.extract({{p, 0}, {q, kEndOfParagraph}}, true, &c) == status::kOk) d.insert({r, 0}, c);
      break;
    case 3: d.paragraph(p)->content.tag = std::to_string(random() % 3 + 1) + "Level"; break;
    case 4: d.paragraph(p)->content.lock ^= 1; break;
    default:
      if (random() % 2 || d.formats().empty()) d.addFormat("F" + std::to_string(random() % 4));
      else EXPECT_EQ(d.removeFormat(d.formats().front().id), status::kOk);
  }
  ps = d.paragraphs();
  ObjId at = pick();
  d.setSelection({{at, 0}, {at, 0}});
}

TEST(History, UndoAndRedoWalkBackAndForthThroughEveryState) {
  Editor ed;
  DocContent start{{"1Level", "2Level", "3Level"}, {}};
  for (int i = 0; i < 12; ++i) start.paras.push_back({std::to_string(i % 3 + 1) + "Level", "P" + std::to_string(i), 0});
  ObjId id = ed.addDocument(start, "t.vx", "", true);
  Document& d = *ed.document(id);
  History history(ed);
  history.commit("open");
  std::mt19937 random(7);
  std::vector<State> states{state(d)};
  size_t saved = 0;
  while (states.size() < 200) {
    for (int n = random() % 3; n >= 0; --n) edit(d, random);
    State now = state(d);
    if (std::get<0>(now) == std::get<0>(states.back()) && std::get<1>(now) == std::get<1>(states.back())) {
      d.setSelection(std::get<2>(states.back()));  // a step of the selection alone: none
      continue;
    }
    ASSERT_TRUE(history.commit("step").changed());
    states.push_back(now);
    if (states.size() == 100) {
      ed.save(id, testing::TempDir() + "history_test.vx", nullptr);
      saved = states.size() - 1;
    }
  }
  history.commit("select");
  for (size_t i = states.size() - 1; i > 0; --i) {
    ASSERT_TRUE(history.undo(d)) << i;
    ASSERT_EQ(state(d), states[i - 1]) << i;
    EXPECT_EQ(history.modified(id), i - 1 != saved) << i;  // the saved state alone is the file
  }
  EXPECT_FALSE(history.undo(d));
  for (size_t i = 1; i < states.size(); ++i) {
    ASSERT_TRUE(history.redo(d)) << i;
    ASSERT_EQ(state(d), states[i]) << i;
    EXPECT_EQ(history.modified(id), i != saved) << i;
  }
  EXPECT_FALSE(history.redo(d));
}

}  // namespace
