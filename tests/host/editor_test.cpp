// The stand-in host's editor model in this process: the paragraph chain,
// cut and paste of whole paragraphs and of text, added text, deletion,
// validity, the clipboard stack and text items (and random edits that must
// keep all of it sound); menus' bounds; documents opened, closed and made
// from templates.
#include "document_editor.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>
#include <vector>

using namespace vxhost;

namespace {

struct EditorTest : testing::Test {
    Editor ed;
    ObjId doc = 0;
    Document *d = nullptr;

    // Paragraph i has the text "P<i+1>" and the given tag; the seven levels are declared.
    void load(const std::vector<std::string> &tags)
    {
        DocContent c;
        for (int i = 1; i <= 7; ++i)
            c.formats.push_back(std::to_string(i) + "Level");
        for (size_t i = 0; i < tags.size(); ++i)
            c.paras.push_back({tags[i], "P" + std::to_string(i + 1), 0});
        doc = ed.addDocument(c, "t.vx", "", true);
        d = ed.document(doc);
    }
    // Paragraph texts in chain order, "|" for an empty one.
    std::string order() const
    {
        std::string s;
        for (const Paragraph *p : d->paragraphs())
            s += (s.empty() ? "" : " ") + (p->content.text.empty() ? "|" : p->content.text);
        return s;
    }
    ObjId nth(size_t i) const { return d->paragraphs().at(i)->id; }
    ObjId link(ObjId p, int32_t prop) const
    {
        int32_t v = -1;
        EXPECT_EQ(ed.getInt(doc, p, prop, v), status::kOk);
        return static_cast<ObjId>(v);
    }
    void select(ObjId a, int32_t ao, ObjId b, int32_t bo) { ASSERT_EQ(ed.setProp(0, doc, prop::kSelection, TextRange{{a, ao}, {b, bo}}), status::kOk); }
    TextRange selection() const
    {
        TextRange r;
        EXPECT_EQ(ed.getRange(0, doc, prop::kSelection, r), status::kOk);
        return r;
    }
    // 717 to the end and 718 back agree with the model's chain.
    void expectChainConsistent() const
    {
        std::vector<ObjId> forward, backward;
        for (ObjId p = d->first(); p; p = link(p, prop::kNext))
            forward.push_back(p);
        for (ObjId p = forward.back(); p; p = link(p, prop::kPrevious))
            backward.insert(backward.begin(), p);
        EXPECT_EQ(forward, backward);
        EXPECT_EQ(forward.size() * 1000 + forward.back(), d->paragraphCount() * 1000 + d->last());
    }
};

// What the outline moves never do: links written, ranges that split
// paragraphs, pastes at the end of a paragraph or inside it, a clipboard
// stack past its limit.
TEST_F(EditorTest, ChainCutPasteAndTheClipboardStack)
{
    load({"1Level", "2Level", "3Level", "2Level"});
    ObjId p1 = nth(0), p2 = nth(1), p3 = nth(2), p4 = nth(3);
    int32_t flow = 0;  // document 422 -> 1169 -> 972 leads to the first paragraph
    ASSERT_EQ(ed.getInt(0, doc, prop::kMainFlow, flow), status::kOk);
    EXPECT_EQ(link(link(ObjId(flow), prop::kFirstFrame), prop::kFirstParagraph), p1);
    EXPECT_EQ(ed.setProp(doc, p1, prop::kNext, int32_t{5}) * 10 + ed.getInt(doc, 0, prop::kNext, flow), status::kReadOnly * 10 + status::kBadObject);
    select(p2, 1, p3, kEndOfParagraph);  // only whole paragraphs span several
    EXPECT_EQ(ed.cut(doc), status::kBadRange);
    select(p2, 0, p3, kEndOfParagraph);
    ASSERT_EQ(ed.copy(doc), status::kOk);
    ASSERT_EQ(ed.pushClipboard(), status::kOk);
    ASSERT_EQ(ed.cut(doc), status::kOk);
    select(p4, kEndOfText, p4, kEndOfText);  // at the end of a paragraph the clip goes after it
    ASSERT_EQ(ed.paste(doc), status::kOk);
    select(p1, 1, p1, 1);  // inside, it splits it
    ASSERT_EQ(ed.paste(doc), status::kOk);
    EXPECT_EQ(order(), "P P2 P3 1 P4 P2 P3");
    EXPECT_TRUE(nth(1) != p2 && nth(2) != p3);  // fresh identifiers
    ASSERT_EQ(ed.popClipboard(), status::kOk);
    EXPECT_EQ(ed.clipboard().paras.size(), 2u);  // the copy before the push
    EXPECT_EQ(ed.popClipboard(), status::kClipboardEmpty);
    for (size_t i = 0; i <= Editor::kMaxClipboardStack; ++i)
        ASSERT_EQ(ed.pushClipboard(), status::kOk);  // past the limit the oldest entry goes
    EXPECT_EQ(ed.clipboardDepth(), Editor::kMaxClipboardStack);
    expectChainConsistent();
}

TEST_F(EditorTest, TheLastParagraphStaysAndDeletionMovesTheSelection)
{
    load({"1Level", "2Level", "3Level"});
    ObjId p1 = nth(0), p2 = nth(1), p3 = nth(2);
    select(p2, 0, p3, kEndOfParagraph);  // a cut through the end keeps the last one, emptied
    ASSERT_EQ(ed.cut(doc), status::kOk);
    EXPECT_EQ(order(), "P1 |");
    EXPECT_EQ(ed.objectValid(doc, p3), status::kOk);
    EXPECT_EQ(selection(), (TextRange{{p3, 0}, {p3, 0}}));
    ASSERT_EQ(ed.deleteObject(doc, p3), status::kOk);
    EXPECT_EQ(selection(), (TextRange{{p1, 2}, {p1, 2}}));  // moved out of it
    EXPECT_EQ(ed.deleteObject(doc, p1), status::kLastParagraph);
    EXPECT_EQ(ed.deleteObject(doc, p3), status::kBadObject);  // a removed object stays invalid
    EXPECT_EQ(ed.setProp(0, doc, prop::kSelection, TextRange{{p3, 0}, {p3, 0}}), status::kBadObject);
    select(p1, 0, p1, kEndOfParagraph);  // the whole document: one empty paragraph stays
    ASSERT_EQ(ed.cut(doc), status::kOk);
    EXPECT_EQ(order(), "|");
    ObjId other = ed.addDocument(DocContent{{}, {{"Body", "x", 0}}}, "u.vx", "", true);
    EXPECT_EQ(ed.objectValid(other, d->first()), status::kBadObject);  // validity is per document
    EXPECT_EQ(ed.objectValid(0, doc) + ed.objectValid(0, 0), status::kOk);  // the session too
    ASSERT_EQ(ed.close(doc), status::kOk);
    EXPECT_EQ(ed.objectValid(doc, p1) * 10 + ed.objectValid(0, doc), status::kBadDocument * 10 + status::kBadObject);
}

TEST_F(EditorTest, TextFragmentsAddedTextAndTextItems)
{
    load({"Body", "2Level"});
    ObjId p1 = nth(0), p2 = nth(1);
    ASSERT_EQ(ed.addText(doc, {p1, kEndOfText}, "abcdef", nullptr), status::kOk);
    select(p1, 2, p1, 5);
    ASSERT_EQ(ed.cut(doc), status::kOk);
    EXPECT_FALSE(ed.clipboard().wholeParagraphs);
    EXPECT_EQ(order(), "P1def P2");
    EXPECT_EQ(selection(), (TextRange{{p1, 2}, {p1, 2}}));
    select(p2, 1, p2, 1);
    ASSERT_EQ(ed.paste(doc), status::kOk);
    EXPECT_EQ(order(), "P1def Pabc2");
    EXPECT_EQ(selection(), (TextRange{{p2, 4}, {p2, 4}}));
    EXPECT_EQ(ed.cut(doc), status::kNothingSelected);
    TextLoc after;
    ASSERT_EQ(ed.replaceText(doc, {{p2, 1}, {p2, 4}}, "-\n-", &after), status::kOk);
    EXPECT_EQ(order(), "P1def P- -2");
    EXPECT_EQ(after, (TextLoc{link(p2, prop::kNext), 1}));
    EXPECT_EQ(ed.replaceText(doc, {{p1, 0}, {p2, 1}}, "x", nullptr), status::kBadRange);
    select(p2, 1, p1, 0);
    EXPECT_EQ(ed.cut(doc), status::kBadRange);
    // "\n" at the end of the text: a new empty paragraph with the same tag follows.
    select(d->last(), kEndOfText, d->last(), kEndOfText);
    ASSERT_EQ(ed.addText(doc, {d->last(), kEndOfText}, "\n", &after), status::kOk);
    EXPECT_EQ(order(), "P1def P- -2 |");
    EXPECT_EQ(ed.document(doc)->paragraph(d->last())->content.tag + std::to_string(after == TextLoc{d->last(), 0}), "2Level1");
    EXPECT_EQ(selection(), (TextRange{{d->last(), 0}, {d->last(), 0}}));
    select(p1, 1, p1, 2);  // both ends at or after the insertion follow the text
    ASSERT_EQ(ed.addText(doc, {p1, 1}, "x\ny\nz", &after), status::kOk);
    EXPECT_EQ(order(), "Px y z1def P- -2 |");
    EXPECT_EQ(selection(), (TextRange{{after.obj, 1}, {after.obj, 2}}));
    for (TextLoc bad : {TextLoc{p1, 9}, TextLoc{p1, -1}})
        EXPECT_EQ(ed.addText(doc, bad, "q", nullptr), status::kBadRange);
    EXPECT_EQ(ed.addText(doc, {12345, 0}, "q", nullptr), status::kBadObject);
    std::vector<TextItem> items;
    ASSERT_EQ(ed.textItems(doc, {{d->last(), 0}, {d->last(), kEndOfParagraph}}, kStringItem, items), status::kOk);
    EXPECT_TRUE(items.empty());  // an empty paragraph has none
    ed.setTextItemChunk(2);
    ASSERT_EQ(ed.objectText(doc, p2, kStringItem, items), status::kOk);
    std::string pieces;
    for (const auto &it : items)
        pieces += std::to_string(it.offset) + ":" + it.text + " ";
    EXPECT_EQ(pieces, "0:P- ");
    ed.setTextItemChunk(0);
    ASSERT_EQ(ed.textItems(doc, {{nth(2), 1}, {nth(3), 1}}, kStringItem, items), status::kOk);
    EXPECT_EQ(items.size() * 100 + items[0].text.size() * 10 + items[1].text.size(), 241u);
    EXPECT_EQ(ed.textItems(doc, {{nth(2), 0}, {p1, 1}}, kStringItem, items), status::kBadRange);
    EXPECT_EQ(ed.textItems(doc, {{p1, 1}, {p1, 0}}, kStringItem, items), status::kBadRange);
    ASSERT_EQ(ed.objectText(doc, doc, kStringItem, items), status::kOk);
    EXPECT_EQ(items.size(), 5u);  // the whole document; the empty paragraph adds nothing
    ASSERT_EQ(ed.textItems(doc, {{p1, 0}, {p1, kEndOfParagraph}}, 2, items), status::kOk);
    EXPECT_TRUE(items.empty());  // only string items exist here
    expectChainConsistent();
}

// Random edits of every kind: after each the chain reads the same both
// ways, the selection names live paragraphs with offsets inside their
// text, and no identifier of a removed paragraph returns.
TEST_F(EditorTest, RandomEditsKeepTheChainAndSelectionSound)
{
    load({"1Level", "2Level", "3Level", "2Level"});
    std::mt19937 rng(7);
    std::set<ObjId> seen, removed;
    auto pick = [&] { return nth(rng() % d->paragraphCount()); };
    auto offset = [&](ObjId p) {
        int32_t len = static_cast<int32_t>(d->paragraph(p)->content.text.size());
        return rng() % 4 == 0 ? kEndOfText : rng() % 3 == 0 ? kEndOfParagraph : static_cast<int32_t>(rng() % (len + 1));
    };
    for (int step = 0; step < 1500 && !HasFailure(); ++step) {
        ObjId a = pick(), b = rng() % 3 ? a : pick();
        switch (rng() % 8) {
        case 0: select(a, rng() % 2 ? 0 : offset(a), b, offset(b)); break;
        case 1: ed.addText(doc, {a, offset(a)}, rng() % 2 ? "\n" : "ab\ncd", nullptr); break;
        case 2: ed.cut(doc); break;
        case 3: ed.copy(doc); break;
        case 4: ed.paste(doc); break;
        case 5: ed.deleteObject(doc, a); break;
        case 6: ed.deleteText(doc, {{a, offset(a)}, {b, offset(b)}}); break;
        default: rng() % 2 ? ed.pushClipboard() : ed.popClipboard(); break;
        }
        expectChainConsistent();
        std::set<ObjId> now;
        for (const Paragraph *p : d->paragraphs()) {
            now.insert(p->id);
            ASSERT_EQ(removed.count(p->id), 0u) << "identifier reused at step " << step;
        }
        for (ObjId id : seen)
            if (!now.count(id))
                removed.insert(id);
        seen.insert(now.begin(), now.end());
        for (const TextLoc &loc : {selection().start, selection().end}) {
            const Paragraph *p = d->paragraph(loc.obj);
            ASSERT_NE(p, nullptr) << "selection in a removed paragraph at step " << step;
            ASSERT_GE(resolveOffset(loc.offset, p->content.text.size()), 0) << step;
        }
    }
}

// Menus hold no cycle, however deep; a client started again defines the
// same objects; past the limit nothing new is made but what exists is found.
TEST(Menus, CyclesRedefinitionAndLimits)
{
    Editor ed;
    MenuSet &m = ed.menus();
    ObjId top = m.defineMenu("deep0", ""), bottom = top, cmd = m.defineCommand(3, "MoveRight", "Move Right", "", 0), found = 7;
    EXPECT_EQ(m.defineCommand(3, "MoveRight", "Move Right", "", 1) * 10 + m.defineMenu("deep0", "Outline"), cmd * 10 + top);
    EXPECT_EQ(m.command(cmd)->client, 1);
    for (int i = 1; i < 50000; ++i) {
        ObjId inner = m.defineMenu("deep" + std::to_string(i), "");
        ASSERT_EQ(m.add(bottom, inner), status::kOk);
        bottom = inner;
    }
    EXPECT_EQ(m.add(bottom, top) * 100 + m.add(bottom, bottom) * 10 + m.add(bottom, cmd), status::kBadValue * 110);
    for (size_t made = 0; m.defineCommand(0, "fill" + std::to_string(made), "", "", -1) != 0; ++made)
        ASSERT_LT(made, MenuSet::kMaxObjects);
    EXPECT_EQ(ed.newNamedObject(0, objtype::kMenu, "one more", found), status::kLimit);
    EXPECT_EQ(found, 0u);
    EXPECT_EQ(m.defineMenu("deep0", "") * 10 + m.defineCommand(3, "MoveRight", "Move Right", "", 0), top * 10 + cmd);
    ASSERT_EQ(ed.deleteObject(0, top), status::kOk);
    EXPECT_EQ(ed.objectValid(0, top) * 10 + ed.objectValid(0, cmd), status::kBadObject * 10);
}

}  // namespace
