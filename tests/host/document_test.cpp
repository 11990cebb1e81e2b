// Editing semantics of the stand-in host's documents: the chain, cut and
// paste of whole paragraphs, added text, deletion, validity, the clipboard
// stack and text items.
#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>
#include <vector>

#include "document_editor.h"

using namespace vxhost;

namespace {

// A document whose paragraph i has text "P<i+1>" and the given tag; every
// default level is declared as a paragraph format.
DocContent outline(const std::vector<std::string>& tags) {
  DocContent c;
  for (int i = 1; i <= 7; ++i) c.formats.push_back(std::to_string(i) + "Level");
  for (size_t i = 0; i < tags.size(); ++i) c.paras.push_back({tags[i], "P" + std::to_string(i + 1), 0});
  return c;
}

struct EditorTest : ::testing::Test {
  Editor ed;
  ObjId doc = 0;
  Document* d = nullptr;

  void load(const std::vector<std::string>& tags) {
    doc = ed.addDocument(outline(tags), "t.vx", "", true);
    d = ed.document(doc);
  }
  // Paragraph texts in chain order, with "|" for an empty one.
  std::string order() const {
    std::string s;
    for (const Paragraph* p : d->paragraphs()) s += (s.empty() ? "" : " ") + (p->content.text.empty() ? "|" : p->content.text);
    return s;
  }
  ObjId nth(size_t i) const { return d->paragraphs().at(i)->id; }
  ObjId next(ObjId p) const {
    int32_t v = -1;
    EXPECT_EQ(ed.getInt(doc, p, prop::kNext, v), status::kOk);
    return static_cast<ObjId>(v);
  }
  ObjId prev(ObjId p) const {
    int32_t v = -1;
    EXPECT_EQ(ed.getInt(doc, p, prop::kPrevious, v), status::kOk);
    return static_cast<ObjId>(v);
  }
  void select(ObjId a, int32_t ao, ObjId b, int32_t bo) {
    ASSERT_EQ(ed.setProp(0, doc, prop::kSelection, TextRange{{a, ao}, {b, bo}}), status::kOk);
  }
  TextRange selection() const {
    TextRange r;
    EXPECT_EQ(ed.getRange(0, doc, prop::kSelection, r), status::kOk);
    return r;
  }
  std::string tag(ObjId p) const {
    std::string s;
    EXPECT_EQ(ed.getString(doc, p, prop::kTag, s), status::kOk);
    return s;
  }
  // Walks 717 to the end and 718 back, checking both directions agree.
  void expectChainConsistent() const {
    std::vector<ObjId> forward;
    for (ObjId p = d->first(); p; p = next(p)) forward.push_back(p);
    std::vector<ObjId> backward;
    for (ObjId p = forward.back(); p; p = prev(p)) backward.insert(backward.begin(), p);
    EXPECT_EQ(forward, backward);
    EXPECT_EQ(forward.size(), d->paragraphCount());
    EXPECT_EQ(forward.back(), d->last());
  }
};

TEST_F(EditorTest, ChainFromDocumentToFirstParagraph) {
  load({"1Level", "2Level"});
  int32_t flow = 0, frame = 0, first = 0;
  ASSERT_EQ(ed.getInt(0, doc, prop::kMainFlow, flow), status::kOk);
  ASSERT_EQ(ed.getInt(doc, static_cast<ObjId>(flow), prop::kFirstFrame, frame), status::kOk);
  ASSERT_EQ(ed.getInt(doc, static_cast<ObjId>(frame), prop::kFirstParagraph, first), status::kOk);
  EXPECT_EQ(static_cast<ObjId>(first), nth(0));
  EXPECT_EQ(next(nth(1)), 0u);
  EXPECT_EQ(prev(nth(0)), 0u);
  EXPECT_EQ(ed.setProp(doc, nth(0), prop::kNext, int32_t{5}), status::kReadOnly);
  int32_t v;
  EXPECT_EQ(ed.getInt(doc, 0, prop::kNext, v), status::kBadObject);  // a document with no selection asks this
}

TEST_F(EditorTest, CutOfMiddleBlockMovesWholeParagraphsToClipboard) {
  load({"1Level", "2Level", "3Level", "2Level"});
  ObjId p2 = nth(1), p3 = nth(2), p4 = nth(3);
  select(p2, 0, p3, kEndOfParagraph);
  ASSERT_EQ(ed.cut(doc), status::kOk);
  EXPECT_EQ(order(), "P1 P4");
  EXPECT_EQ(ed.objectValid(doc, p2), status::kBadObject);
  EXPECT_EQ(ed.objectValid(doc, p3), status::kBadObject);
  EXPECT_EQ(selection(), (TextRange{{p4, 0}, {p4, 0}}));
  ASSERT_TRUE(ed.clipboard().wholeParagraphs);
  ASSERT_EQ(ed.clipboard().paras.size(), 2u);
  EXPECT_EQ(ed.clipboard().paras[1], (ParaContent{"3Level", "P3", 0}));
  expectChainConsistent();
}

TEST_F(EditorTest, CutOfBlockEndingTheChainKeepsLastParagraphEmptied) {
  load({"1Level", "2Level", "3Level"});
  ObjId p2 = nth(1), p3 = nth(2);
  select(p2, 1, p3, kEndOfParagraph);  // starts inside P2's text
  EXPECT_EQ(ed.cut(doc), status::kBadRange);  // only whole paragraphs span several
  EXPECT_EQ(order(), "P1 P2 P3");

  select(p2, 0, p3, kEndOfParagraph);
  ASSERT_EQ(ed.cut(doc), status::kOk);
  EXPECT_EQ(order(), "P1 |");
  EXPECT_EQ(ed.objectValid(doc, p2), status::kBadObject);
  EXPECT_EQ(ed.objectValid(doc, p3), status::kOk);
  EXPECT_EQ(tag(p3), "3Level");
  EXPECT_EQ(selection(), (TextRange{{p3, 0}, {p3, 0}}));
  EXPECT_EQ(ed.clipboard().paras.size(), 2u);

  // The emptied survivor can then be deleted, as the block moves do.
  ASSERT_EQ(ed.deleteObject(doc, p3), status::kOk);
  EXPECT_EQ(order(), "P1");
  expectChainConsistent();
}

TEST_F(EditorTest, CutOfWholeDocumentLeavesOneEmptyParagraph) {
  load({"1Level", "2Level"});
  ObjId p2 = nth(1);
  select(nth(0), 0, p2, kEndOfParagraph);
  ASSERT_EQ(ed.cut(doc), status::kOk);
  EXPECT_EQ(order(), "|");
  EXPECT_EQ(d->first(), p2);
  EXPECT_EQ(ed.deleteObject(doc, p2), status::kLastParagraph);
  expectChainConsistent();
}

TEST_F(EditorTest, PasteInsertsNewParagraphsBeforeInsertionPoint) {
  load({"1Level", "2Level", "3Level", "1Level"});
  ObjId p1 = nth(0), p2 = nth(1), p3 = nth(2), p4 = nth(3);
  select(p2, 0, p3, kEndOfParagraph);
  ASSERT_EQ(ed.copy(doc), status::kOk);
  EXPECT_EQ(order(), "P1 P2 P3 P4");  // copy leaves the document

  select(p1, 0, p1, 0);
  ASSERT_EQ(ed.paste(doc), status::kOk);
  EXPECT_EQ(order(), "P2 P3 P1 P2 P3 P4");
  EXPECT_EQ(selection(), (TextRange{{p1, 0}, {p1, 0}}));
  EXPECT_NE(nth(0), p2);  // fresh identifiers, never the copied ones
  EXPECT_NE(nth(1), p3);
  EXPECT_EQ(tag(d->first()), "2Level");

  // At the end of a paragraph the clip goes after it; inside, it splits it.
  select(p4, kEndOfText, p4, kEndOfText);
  ASSERT_EQ(ed.paste(doc), status::kOk);
  EXPECT_EQ(order(), "P2 P3 P1 P2 P3 P4 P2 P3");
  select(p1, 1, p1, 1);
  ASSERT_EQ(ed.paste(doc), status::kOk);
  EXPECT_EQ(order(), "P2 P3 P P2 P3 1 P2 P3 P4 P2 P3");
  expectChainConsistent();
}

TEST_F(EditorTest, PasteOverRangeReplacesItAndEmptyClipboardIsRefused) {
  load({"Body", "Body", "Body"});
  select(nth(0), 0, nth(0), 0);
  EXPECT_EQ(ed.paste(doc), status::kClipboardEmpty);
  select(nth(2), 0, nth(2), kEndOfParagraph);
  ASSERT_EQ(ed.copy(doc), status::kOk);
  select(nth(0), 0, nth(1), kEndOfParagraph);
  ASSERT_EQ(ed.paste(doc), status::kOk);
  EXPECT_EQ(order(), "P3 P3");
}

TEST_F(EditorTest, TextFragmentsCutAndPasteInsideParagraphs) {
  load({"Body", "Body"});
  ObjId p1 = nth(0), p2 = nth(1);
  ASSERT_EQ(ed.addText(doc, {p1, kEndOfText}, "abcdef", nullptr), status::kOk);  // "P1abcdef"
  select(p1, 2, p1, 5);
  ASSERT_EQ(ed.cut(doc), status::kOk);
  EXPECT_FALSE(ed.clipboard().wholeParagraphs);
  EXPECT_EQ(order(), "P1def P2");
  EXPECT_EQ(selection(), (TextRange{{p1, 2}, {p1, 2}}));
  select(p2, 1, p2, 1);
  ASSERT_EQ(ed.paste(doc), status::kOk);
  EXPECT_EQ(order(), "P1def Pabc2");
  EXPECT_EQ(selection(), (TextRange{{p2, 4}, {p2, 4}}));
  select(p2, 1, p2, 1);
  EXPECT_EQ(ed.cut(doc), status::kNothingSelected);
  TextLoc after;
  ASSERT_EQ(ed.replaceText(doc, {{p2, 1}, {p2, 4}}, "-\n-", &after), status::kOk);
  EXPECT_EQ(order(), "P1def P- -2");
  EXPECT_EQ(after, (TextLoc{next(p2), 1}));
  EXPECT_EQ(ed.replaceText(doc, {{p1, 0}, {p2, 1}}, "x", nullptr), status::kBadRange);
  EXPECT_EQ(order(), "P1def P- -2");
  select(p2, 1, p1, 0);
  EXPECT_EQ(ed.cut(doc), status::kBadRange);
}

TEST_F(EditorTest, AddNewlineAtEndOfTextSplitsAfterTheText) {
  load({"1Level", "2Level"});
  ObjId p2 = nth(1);
  select(p2, kEndOfText, p2, kEndOfText);
  TextLoc after;
  ASSERT_EQ(ed.addText(doc, {p2, kEndOfText}, "\n", &after), status::kOk);
  EXPECT_EQ(order(), "P1 P2 |");
  ObjId added = next(p2);
  ASSERT_NE(added, 0u);
  EXPECT_EQ(tag(added), "2Level");
  EXPECT_EQ(after, (TextLoc{added, 0}));
  EXPECT_EQ(selection(), (TextRange{{added, 0}, {added, 0}}));
  EXPECT_EQ(d->last(), added);
  expectChainConsistent();
}

TEST_F(EditorTest, AddTextInsideShiftsTheCaretAndSplitsOnEachNewline) {
  load({"Body"});
  ObjId p1 = nth(0);
  select(p1, 1, p1, 2);
  TextLoc after;
  ASSERT_EQ(ed.addText(doc, {p1, 1}, "x\ny\nz", &after), status::kOk);
  EXPECT_EQ(order(), "Px y z1");
  EXPECT_EQ(after.offset, 1);
  EXPECT_EQ(after.obj, d->last());
  // Both ends were at or after the insertion: they follow the text.
  EXPECT_EQ(selection(), (TextRange{{d->last(), 1}, {d->last(), 2}}));
  EXPECT_EQ(ed.addText(doc, {p1, 9}, "q", nullptr), status::kBadRange);
  EXPECT_EQ(ed.addText(doc, {p1, -1}, "q", nullptr), status::kBadRange);
  EXPECT_EQ(ed.addText(doc, {12345, 0}, "q", nullptr), status::kBadObject);
  expectChainConsistent();
}

TEST_F(EditorTest, DeleteRemovesParagraphAndMovesSelectionOutOfIt) {
  load({"1Level", "2Level", "3Level"});
  ObjId p1 = nth(0), p2 = nth(1), p3 = nth(2);
  select(p2, 1, p2, 1);
  ASSERT_EQ(ed.deleteObject(doc, p2), status::kOk);
  EXPECT_EQ(ed.objectValid(doc, p2), status::kBadObject);
  EXPECT_EQ(selection(), (TextRange{{p3, 0}, {p3, 0}}));
  select(p3, 1, p3, 1);
  ASSERT_EQ(ed.deleteObject(doc, p3), status::kOk);
  EXPECT_EQ(selection(), (TextRange{{p1, 2}, {p1, 2}}));
  EXPECT_EQ(ed.deleteObject(doc, p3), status::kBadObject);  // a removed object stays invalid
  EXPECT_EQ(ed.setProp(0, doc, prop::kSelection, TextRange{{p3, 0}, {p3, 0}}), status::kBadObject);
  expectChainConsistent();
}

TEST_F(EditorTest, ObjectValidityAcrossDocuments) {
  load({"Body"});
  ObjId other = ed.addDocument(outline({"Body"}), "u.vx", "", true);
  ObjId mine = nth(0);
  EXPECT_EQ(ed.objectValid(doc, mine), status::kOk);
  EXPECT_EQ(ed.objectValid(other, mine), status::kBadObject);
  EXPECT_EQ(ed.objectValid(0, doc), status::kOk);
  EXPECT_EQ(ed.objectValid(0, 0), status::kOk);  // the session
  ASSERT_EQ(ed.close(doc), status::kOk);
  EXPECT_EQ(ed.objectValid(doc, mine), status::kBadDocument);
  EXPECT_EQ(ed.objectValid(0, doc), status::kBadObject);
}

TEST_F(EditorTest, ClipboardStackRestoresTheUsersClipboard) {
  load({"Body", "Body", "Body"});
  select(nth(0), 0, nth(0), kEndOfParagraph);
  ASSERT_EQ(ed.copy(doc), status::kOk);  // the user's clipboard: P1
  ASSERT_EQ(ed.pushClipboard(), status::kOk);
  select(nth(2), 0, nth(2), kEndOfParagraph);
  ASSERT_EQ(ed.cut(doc), status::kOk);
  EXPECT_EQ(ed.clipboard().paras.front().text, "P3");
  ASSERT_EQ(ed.popClipboard(), status::kOk);
  EXPECT_EQ(ed.clipboard().paras.front().text, "P1");
  EXPECT_EQ(ed.popClipboard(), status::kClipboardEmpty);
  for (size_t i = 0; i < Editor::kMaxClipboardStack; ++i) ASSERT_EQ(ed.pushClipboard(), status::kOk);
  // Past the limit the oldest entry goes: the latest push still pairs with
  // its pop, so a move restores the clipboard it found.
  select(nth(1), 0, nth(1), kEndOfParagraph);
  ASSERT_EQ(ed.copy(doc), status::kOk);
  ASSERT_EQ(ed.pushClipboard(), status::kOk);
  EXPECT_EQ(ed.clipboardDepth(), Editor::kMaxClipboardStack);
  select(nth(0), 0, nth(0), kEndOfParagraph);
  ASSERT_EQ(ed.copy(doc), status::kOk);
  ASSERT_EQ(ed.popClipboard(), status::kOk);
  EXPECT_EQ(ed.clipboard().paras.front().text, "P2");
}

TEST_F(EditorTest, TextItemsOfParagraphsAndRanges) {
  load({"Body", "Body", "Body"});
  ObjId p1 = nth(0), p2 = nth(1);
  ASSERT_EQ(ed.addText(doc, {p1, kEndOfText}, " long text", nullptr), status::kOk);  // "P1 long text"
  ASSERT_EQ(ed.deleteText(doc, {{p2, 0}, {p2, kEndOfText}}), status::kOk);
  std::vector<TextItem> items;
  ASSERT_EQ(ed.textItems(doc, {{p2, 0}, {p2, kEndOfParagraph}}, kStringItem, items), status::kOk);
  EXPECT_TRUE(items.empty());  // an empty paragraph has no items

  ed.setTextItemChunk(5);
  ASSERT_EQ(ed.objectText(doc, p1, kStringItem, items), status::kOk);
  std::string joined;
  std::vector<int32_t> offsets;
  for (const auto& it : items) {
    EXPECT_EQ(it.type, kStringItem);
    EXPECT_LE(it.text.size(), 5u);
    joined += it.text;
    offsets.push_back(it.offset);
  }
  EXPECT_EQ(joined, "P1 long text");
  EXPECT_EQ(offsets, (std::vector<int32_t>{0, 5, 10}));

  ed.setTextItemChunk(0);
  ASSERT_EQ(ed.textItems(doc, {{p1, 3}, {nth(2), 1}}, kStringItem, items), status::kOk);
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[0].text, "long text");
  EXPECT_EQ(items[1].text, "P");
  EXPECT_EQ(ed.textItems(doc, {{nth(2), 0}, {p1, 1}}, kStringItem, items), status::kBadRange);
  ASSERT_EQ(ed.objectText(doc, doc, kStringItem, items), status::kOk);
  ASSERT_EQ(items.size(), 2u);  // the whole document; the empty paragraph adds nothing
  EXPECT_EQ(items[1].text, "P3");
  ASSERT_EQ(ed.textItems(doc, {{p1, 0}, {p1, kEndOfParagraph}}, 2, items), status::kOk);
  EXPECT_TRUE(items.empty());  // only string items exist here
}

// Random edits of every kind, checking after each one that the chain reads
// the same both ways, that the selection names live paragraphs with offsets
// inside their text, and that no identifier of a removed paragraph returns.
TEST_F(EditorTest, RandomEditsKeepTheChainAndSelectionSound) {
  load({"1Level", "2Level", "3Level", "2Level"});
  std::mt19937 rng(7);
  std::set<ObjId> seen, removed;
  auto pick = [&] { return nth(rng() % d->paragraphCount()); };
  auto offset = [&](ObjId p) {
    int32_t len = static_cast<int32_t>(d->paragraph(p)->content.text.size());
    switch (rng() % 4) {
      case 0: return kEndOfText;
      case 1: return kEndOfParagraph;
      default: return static_cast<int32_t>(rng() % (len + 1));
    }
  };
  for (int step = 0; step < 1500; ++step) {
    ObjId a = pick(), b = rng() % 3 ? a : pick();
    switch (rng() % 8) {
      case 0: select(a, rng() % 2 ? 0 : offset(a), b, offset(b)); break;
      case 1: ed.addText(doc, {a, offset(a)}, rng() % 2 ? "\n" : "ab\ncd", nullptr); break;
      case 2: ed.cut(doc); break;
      case 3: ed.copy(doc); break;
      case 4: ed.paste(doc); break;
      case 5: ed.deleteObject(doc, a); break;
      case 6: ed.deleteText(doc, {{a, offset(a)}, {b, offset(b)}}); break;
      case 7: rng() % 2 ? ed.pushClipboard() : ed.popClipboard(); break;
    }
    expectChainConsistent();
    std::set<ObjId> now;
    for (const Paragraph* p : d->paragraphs()) {
      now.insert(p->id);
      ASSERT_EQ(removed.count(p->id), 0u) << "identifier reused at step " << step;
    }
    for (ObjId id : seen)
      if (!now.count(id)) removed.insert(id);
    seen.insert(now.begin(), now.end());
    TextRange sel = selection();
    for (const TextLoc& loc : {sel.start, sel.end}) {
      const Paragraph* p = d->paragraph(loc.obj);
      ASSERT_NE(p, nullptr) << "selection in a removed paragraph at step " << step;
      ASSERT_GE(resolveOffset(loc.offset, p->content.text.size()), 0) << "step " << step;
    }
    if (HasFailure()) return;
  }
}

}  // namespace
