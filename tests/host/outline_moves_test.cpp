// The outline client's block and line moves, replayed as the host calls they
// make, against the model: each move relies on the host's cut, paste, added
// text and delete behaving exactly so, and the resulting order and caret are
// checked here without any RPC in between.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document_editor.h"

using namespace vxhost;

namespace {

// Default levels "1Level" (top) to "7Level"; -1 for any other tag.
int level(const std::string& tag) {
  return tag.size() == 6 && tag[0] >= '1' && tag[0] <= '7' && tag.substr(1) == "Level" ? tag[0] - '1' : -1;
}

// The client's side, one host call per line, in the client's order.
struct Client {
  Editor& ed;
  ObjId doc;

  TextRange selection() {
    TextRange r{};
    ed.getRange(0, doc, prop::kSelection, r);
    return r;
  }
  void select(ObjId p, int32_t a, ObjId q, int32_t b) { ed.setProp(0, doc, prop::kSelection, TextRange{{p, a}, {q, b}}); }
  std::string tag(ObjId p) {
    std::string s;
    ed.getString(doc, p, prop::kTag, s);
    return s;
  }
  ObjId link(ObjId p, int32_t num) {
    int32_t v = 0;
    ed.getInt(doc, p, num, v);
    return static_cast<ObjId>(v);
  }
  ObjId first() {
    int32_t flow = 0, frame = 0, p = 0;
    ed.getInt(0, doc, prop::kMainFlow, flow);
    ed.getInt(doc, static_cast<ObjId>(flow), prop::kFirstFrame, frame);
    ed.getInt(doc, static_cast<ObjId>(frame), prop::kFirstParagraph, p);
    return static_cast<ObjId>(p);
  }
  void display(int32_t on) { ed.setProp(0, 0, prop::kDisplay, on); }
  void finish() {
    display(1);
    ed.redisplay(doc);
  }
  // A paragraph is in the head's block while it is a level deeper than the head.
  bool deeper(int head, const std::string& t) { return level(t) >= 0 && level(t) > head; }

  void selectBlock() {
    ObjId head = selection().start.obj;
    int h = level(tag(head));
    ObjId last = 0;
    for (ObjId p = link(head, prop::kNext); p; p = link(p, prop::kNext)) {
      if (!deeper(h, tag(p))) {
        last = link(p, prop::kPrevious);
        break;
      }
    }
    if (!last)
      for (last = head; link(last, prop::kNext);) last = link(last, prop::kNext);
    select(head, 0, last, kEndOfParagraph);
  }
  // The sibling at the head's level, walking over deeper paragraphs; 0 when
  // a non-level or higher paragraph, or the end, comes first.
  ObjId sibling(ObjId head, int32_t direction) {
    int h = level(tag(head));
    for (ObjId c = link(head, direction); c; c = link(c, direction)) {
      int l = level(tag(c));
      if (l < 0 || l < h) return 0;
      if (l == h) return c;
    }
    return 0;
  }
  void blockUp() {
    TextRange sel = selection();
    ObjId head = sel.start.obj;
    ObjId sib = level(tag(head)) >= 0 ? sibling(head, prop::kPrevious) : 0;
    if (sib) {
      ObjId before = link(sib, prop::kPrevious);
      display(0);
      selectBlock();
      ObjId last = selection().end.obj;
      ed.pushClipboard();
      ed.cut(doc);
      if (ed.objectValid(doc, last) == status::kOk) ed.deleteObject(doc, last);
      select(sib, 0, sib, 0);
      ed.paste(doc);
      ed.popClipboard();
      // With nothing before the sibling, the moved block starts the chain.
      ObjId moved = before ? link(before, prop::kNext) : first();
      select(moved, sel.start.offset, moved, sel.start.offset);
      finish();
    }
    ed.fcodes({259, 260});
  }
  // Puts the clip after `last`: before its successor, or, at the end of the
  // chain, before a paragraph added for the purpose and deleted afterwards.
  void pasteAfter(ObjId last) {
    ObjId after = link(last, prop::kNext);
    if (after) select(after, 0, after, 0);
    else {
      select(last, kEndOfText, last, kEndOfText);
      ed.addText(doc, {last, kEndOfText}, "\n", nullptr);
    }
    ed.paste(doc);
    ed.popClipboard();
    if (!after) {
      ObjId final = last;
      while (link(final, prop::kNext)) final = link(final, prop::kNext);
      ed.deleteObject(doc, final);
    }
  }
  void blockDown() {
    TextRange sel = selection();
    ObjId head = sel.start.obj;
    if (level(tag(head)) >= 0 && sibling(head, prop::kNext)) {
      display(0);
      selectBlock();
      ed.pushClipboard();
      ed.cut(doc);
      selectBlock();
      ObjId sibLast = selection().end.obj;
      pasteAfter(sibLast);
      ObjId moved = link(sibLast, prop::kNext);
      select(moved, sel.start.offset, moved, sel.start.offset);
      finish();
    }
    ed.fcodes({259, 260});
  }
  void nudge(int32_t direction) {
    TextRange sel = selection();
    ObjId p = sel.start.obj;
    ObjId n = level(tag(p)) >= 0 ? link(p, direction) : 0;
    if (n && level(tag(n)) >= 0) {
      display(0);
      select(p, 0, p, kEndOfParagraph);
      ed.pushClipboard();
      ed.cut(doc);
      ObjId moved;
      if (direction == prop::kPrevious) {
        if (ed.objectValid(doc, p) == status::kOk) ed.deleteObject(doc, p);
        select(n, 0, n, 0);
        ed.paste(doc);
        ed.popClipboard();
        moved = link(n, prop::kPrevious);
      } else {
        pasteAfter(n);
        moved = link(n, prop::kNext);
      }
      select(moved, sel.start.offset, moved, sel.start.offset);
      finish();
    }
    ed.fcodes({259, 260});
  }
};

struct OutlineMoves : ::testing::Test {
  Editor ed;
  ObjId doc = 0;
  Client client{ed, 0};

  void load(const std::vector<std::string>& tags) {
    DocContent c;
    for (int i = 1; i <= 7; ++i) c.formats.push_back(std::to_string(i) + "Level");
    for (size_t i = 0; i < tags.size(); ++i) c.paras.push_back({tags[i], "P" + std::to_string(i + 1), 0});
    doc = client.doc = ed.addDocument(c, "outline", "", true);
  }
  ObjId para(const std::string& text) const {
    for (const Paragraph* p : ed.document(doc)->paragraphs())
      if (p->content.text == text) return p->id;
    return 0;
  }
  std::string order() const {
    std::string s;
    for (const Paragraph* p : ed.document(doc)->paragraphs()) s += (s.empty() ? "" : " ") + p->content.text;
    return s;
  }
  void caretIn(const std::string& text, int32_t offset) {
    ObjId p = para(text);
    client.select(p, offset, p, offset);
  }
  void expectCaret(const std::string& text, int32_t offset) {
    EXPECT_EQ(client.selection(), (TextRange{{para(text), offset}, {para(text), offset}}));
  }
  std::string tags() const {
    std::string s;
    for (const Paragraph* p : ed.document(doc)->paragraphs()) s += p->content.tag.substr(0, 1);
    return s;
  }
};

TEST_F(OutlineMoves, MoveUpPassesSubordinatesOfTheSibling) {
  load({"1Level", "2Level", "3Level", "2Level", "3Level"});
  caretIn("P4", 1);
  client.blockUp();
  EXPECT_EQ(order(), "P1 P4 P5 P2 P3");
  EXPECT_EQ(tags(), "12323");
  expectCaret("P4", 1);
  // The display switch went off and on around the move, then the redisplay.
  const auto& ev = ed.events();
  ASSERT_GE(ev.size(), 4u);
  EXPECT_EQ(ev.front().kind, HostEvent::Kind::DisplaySwitch);
  EXPECT_EQ(ev.front().value, 0);
  EXPECT_EQ(ev[ev.size() - 3].value, 1);
  EXPECT_EQ(ev[ev.size() - 2].kind, HostEvent::Kind::Redisplay);
  EXPECT_EQ(ev.back().codes, (std::vector<int32_t>{259, 260}));
  EXPECT_EQ(ed.clipboardDepth(), 0u);
}

TEST_F(OutlineMoves, MoveDownPastSiblingBlock) {
  load({"1Level", "2Level", "3Level", "2Level", "3Level", "1Level"});
  caretIn("P2", 2);
  client.blockDown();
  EXPECT_EQ(order(), "P1 P4 P5 P2 P3 P6");
  expectCaret("P2", 2);
}

TEST_F(OutlineMoves, MoveDownBelowTheLastParagraph) {
  load({"1Level", "2Level", "2Level"});
  caretIn("P2", 0);
  client.blockDown();
  EXPECT_EQ(order(), "P1 P3 P2");  // the helper paragraph is gone again
  expectCaret("P2", 0);
  EXPECT_EQ(ed.document(doc)->paragraphCount(), 3u);
}

TEST_F(OutlineMoves, MoveUpOntoTheFirstParagraph) {
  load({"1Level", "2Level", "1Level"});
  caretIn("P3", 1);
  client.blockUp();
  EXPECT_EQ(order(), "P3 P1 P2");
  expectCaret("P3", 1);
}

TEST_F(OutlineMoves, NoSiblingNothingMoves) {
  load({"1Level", "2Level", "Body", "2Level"});
  for (const char* start : {"P1", "P2", "P3"}) {
    caretIn(start, 0);
    client.blockUp();
    client.blockDown();
  }
  EXPECT_EQ(order(), "P1 P2 P3 P4");
  for (const auto& e : ed.events()) EXPECT_EQ(e.kind, HostEvent::Kind::Fcodes);
}

TEST_F(OutlineMoves, NudgeUpIgnoresLevels) {
  load({"1Level", "3Level"});
  caretIn("P2", 1);
  client.nudge(prop::kPrevious);
  EXPECT_EQ(order(), "P2 P1");
  expectCaret("P2", 1);
}

TEST_F(OutlineMoves, NudgeDownOfLastButOneAndNudgeUpOfLast) {
  load({"1Level", "2Level", "2Level"});
  caretIn("P2", 1);
  client.nudge(prop::kNext);
  EXPECT_EQ(order(), "P1 P3 P2");
  expectCaret("P2", 1);
  client.nudge(prop::kPrevious);  // the cut last paragraph survives emptied, then goes
  EXPECT_EQ(order(), "P1 P2 P3");
  expectCaret("P2", 1);
  EXPECT_EQ(ed.document(doc)->paragraphCount(), 3u);
}

}  // namespace
