// Menus and commands of the stand-in host, reached the way a client reaches
// them: named lookups, the item chain (1927 first item, 1923 next item, 30
// label) and placing a menu before an item by writing 1923.
#include <gtest/gtest.h>

#include <strings.h>

#include <string>
#include <vector>

#include "document_editor.h"

using namespace vxhost;

namespace {

struct MenuTest : ::testing::Test {
  Editor ed;
  MenuSet& m = ed.menus();

  ObjId id(int32_t type, const std::string& name) {
    ObjId out = 0;
    EXPECT_EQ(ed.namedObject(0, type, name, out), status::kOk) << name;
    return out;
  }
  int32_t getId(ObjId doc, ObjId obj, int32_t num) {
    int32_t v = -1;
    EXPECT_EQ(ed.getInt(doc, obj, num, v), status::kOk);
    return v;
  }
  // The labels of a menu's items, walked through the properties.
  std::vector<std::string> labels(ObjId menu) {
    std::vector<std::string> out;
    for (ObjId item = static_cast<ObjId>(getId(0, menu, prop::kFirstItem)); item;
         item = static_cast<ObjId>(getId(menu, item, prop::kNextItem))) {
      std::string label;
      EXPECT_EQ(ed.getString(0, item, prop::kLabel, label), status::kOk);
      out.push_back(label);
    }
    return out;
  }
  // What the client does after adding its menu to the Tools menu: walk to the
  // first item whose label sorts at or after "Outlining" and put the menu
  // before it.
  void place(ObjId tools, ObjId outlining) {
    ObjId item = static_cast<ObjId>(getId(0, tools, prop::kFirstItem));
    std::string label;
    ed.getString(0, item, prop::kLabel, label);
    while (item && strcasecmp(label.c_str(), "Outlining") < 0) {
      item = static_cast<ObjId>(getId(0, item, prop::kNextItem));
      label.clear();
      ed.getString(0, item, prop::kLabel, label);
    }
    if (item) {
      ASSERT_EQ(ed.setProp(tools, outlining, prop::kNextItem, static_cast<int32_t>(item)), status::kOk);
    }
  }
  ObjId toolsWith(const std::vector<std::string>& itemLabels) {
    ObjId tools = m.defineMenu("DovraTools", "Tools");
    for (const auto& l : itemLabels) EXPECT_EQ(m.add(tools, m.defineCommand(1, "cmd" + l, l, "", 9)), status::kOk);
    return tools;
  }
};

TEST_F(MenuTest, PredefinedMenusAndSeparators) {
  ObjId main = id(objtype::kMenu, "!VellixMainMenu");
  ObjId quick = id(objtype::kMenu, "!QuickVellixMainMenu");
  EXPECT_NE(main, quick);
  for (const char* sep : {"Separator1", "Separator2", "Separator3", "Separator4"}) EXPECT_NE(id(objtype::kCommand, sep), 0u);
  ObjId none = 7;
  EXPECT_EQ(ed.namedObject(0, objtype::kMenu, "DovraTools", none), status::kNoSuchName);
  EXPECT_EQ(none, 0u);
  EXPECT_EQ(ed.namedObject(0, objtype::kMenu, "Separator1", none), status::kNoSuchName);  // a command, not a menu
  EXPECT_FALSE(labels(main).empty());
}

TEST_F(MenuTest, ClientMenuBuildAndPlacementInNewToolsMenu) {
  ObjId main = id(objtype::kMenu, MenuSet::kMainMenu);
  ObjId quick = id(objtype::kMenu, MenuSet::kQuickMenu);
  ObjId tools = m.defineMenu("DovraTools", "Tools");
  ASSERT_EQ(m.add(main, tools), status::kOk);
  ASSERT_EQ(m.add(quick, tools), status::kOk);
  ObjId outlining = m.defineMenu("Lindrel", "Outlining");
  ASSERT_EQ(m.add(outlining, m.defineCommand(1, "NewOutline", "New Outline", "", 0)), status::kOk);
  ASSERT_EQ(m.add(outlining, id(objtype::kCommand, "Separator1")), status::kOk);
  ASSERT_EQ(m.add(outlining, m.defineCommand(3, "MoveRight", "Move Right", "", 0)), status::kOk);
  ASSERT_EQ(m.add(tools, outlining), status::kOk);
  // In a Tools menu just made, the walk stops at the Outlining menu itself
  // and names it as its own place: nothing moves.
  place(tools, outlining);
  EXPECT_EQ(labels(tools), std::vector<std::string>{"Outlining"});
  EXPECT_EQ(labels(outlining), (std::vector<std::string>{"New Outline", "", "Move Right"}));
  EXPECT_EQ(labels(main).back(), "Tools");
  EXPECT_EQ(labels(quick).back(), "Tools");

  const Command* c = m.command(m.commandByLabel("Move Right"));
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(c->number, 3);
  EXPECT_EQ(c->client, 0);
}

TEST_F(MenuTest, OutliningLandsBetweenAlphaAndZeta) {
  ObjId tools = toolsWith({"Alpha", "Zeta"});
  ObjId outlining = m.defineMenu("Lindrel", "Outlining");
  ASSERT_EQ(m.add(tools, outlining), status::kOk);
  place(tools, outlining);
  EXPECT_EQ(labels(tools), (std::vector<std::string>{"Alpha", "Outlining", "Zeta"}));
}

TEST_F(MenuTest, PlacementComparesLabelsWithoutCase) {
  ObjId tools = toolsWith({"alpha", "OUTLINE X", "zeta"});
  ObjId outlining = m.defineMenu("Lindrel", "Outlining");
  ASSERT_EQ(m.add(tools, outlining), status::kOk);
  place(tools, outlining);
  EXPECT_EQ(labels(tools), (std::vector<std::string>{"alpha", "OUTLINE X", "Outlining", "zeta"}));
}

TEST_F(MenuTest, NextItemFollowsTheMenuNamedAsDocument) {
  ObjId main = id(objtype::kMenu, MenuSet::kMainMenu);
  ObjId quick = id(objtype::kMenu, MenuSet::kQuickMenu);
  ObjId tools = m.defineMenu("DovraTools", "Tools");
  ObjId help = m.defineMenu("HelpMenu", "Help");
  ASSERT_EQ(m.add(main, tools), status::kOk);
  ASSERT_EQ(m.add(main, help), status::kOk);
  ASSERT_EQ(m.add(quick, tools), status::kOk);
  EXPECT_EQ(static_cast<ObjId>(getId(main, tools, prop::kNextItem)), help);
  EXPECT_EQ(getId(quick, tools, prop::kNextItem), 0);
  // Without a menu named, the item's first menu is meant.
  EXPECT_EQ(static_cast<ObjId>(getId(0, tools, prop::kNextItem)), help);
  // Moving within the quick menu leaves the main menu alone.
  ObjId edit = id(objtype::kMenu, "EditMenu");
  ASSERT_EQ(ed.setProp(quick, tools, prop::kNextItem, static_cast<int32_t>(edit)), status::kOk);
  EXPECT_EQ(labels(quick).front(), "Tools");
  EXPECT_EQ(labels(main).back(), "Help");
  // Before an item of another menu, or into a menu it is not in: refused.
  EXPECT_EQ(ed.setProp(quick, tools, prop::kNextItem, static_cast<int32_t>(help)), status::kBadValue);
  // 0 puts it last.
  ASSERT_EQ(ed.setProp(quick, tools, prop::kNextItem, int32_t{0}), status::kOk);
  EXPECT_EQ(labels(quick).back(), "Tools");
}

TEST_F(MenuTest, AddRedefineRemoveAndCycles) {
  ObjId tools = m.defineMenu("DovraTools", "Tools");
  ObjId sub = m.defineMenu("Lindrel", "Outlining");
  ASSERT_EQ(m.add(tools, sub), status::kOk);
  ASSERT_EQ(m.add(tools, sub), status::kOk);  // already there: stays once
  EXPECT_EQ(labels(tools).size(), 1u);
  EXPECT_EQ(m.add(sub, tools), status::kBadValue);  // would hold itself
  EXPECT_EQ(m.add(sub, sub), status::kBadValue);

  // A client started a second time defines the same names: same objects.
  ObjId cmd = m.defineCommand(3, "MoveRight", "Move Right", "", 0);
  EXPECT_EQ(m.defineCommand(3, "MoveRight", "Move Right", "", 1), cmd);
  EXPECT_EQ(m.command(cmd)->client, 1);
  EXPECT_EQ(m.defineMenu("Lindrel", "Outline"), sub);
  EXPECT_EQ(labels(tools), std::vector<std::string>{"Outline"});

  ASSERT_EQ(m.add(sub, cmd), status::kOk);
  ASSERT_EQ(ed.deleteObject(0, sub), status::kOk);
  EXPECT_TRUE(labels(tools).empty());
  EXPECT_EQ(ed.objectValid(0, sub), status::kBadObject);
  EXPECT_EQ(ed.objectValid(0, cmd), status::kOk);
  EXPECT_EQ(getId(0, cmd, prop::kNextItem), 0);  // in no menu any more
  EXPECT_EQ(ed.setProp(0, cmd, prop::kNextItem, int32_t{0}), status::kBadObject);
  EXPECT_EQ(ed.setProp(0, cmd, prop::kFirstItem, int32_t{0}), status::kReadOnly);
  ASSERT_EQ(ed.setProp(0, cmd, prop::kLabel, std::string("Demote")), status::kOk);
  EXPECT_EQ(m.commandByLabel("Demote"), cmd);
}

// A new named menu or command of an existing name is that object, unchanged:
// it does not take a client's command over. Menus nested very deep are
// checked for cycles without exhausting the stack, and the number of menus
// and commands is bounded.
TEST_F(MenuTest, NewNamedObjectsDeepNestingAndTheObjectLimit) {
  ObjId cmd = m.defineCommand(3, "MoveRight", "Move Right", "", 0);
  ObjId found = 0;
  ASSERT_EQ(ed.newNamedObject(0, objtype::kCommand, "MoveRight", found), status::kOk);
  EXPECT_EQ(found, cmd);
  EXPECT_EQ(m.command(cmd)->number, 3);
  EXPECT_EQ(m.command(cmd)->client, 0);
  EXPECT_EQ(m.command(cmd)->label, "Move Right");
  ObjId tools = m.defineMenu("DovraTools", "Tools");
  ASSERT_EQ(ed.newNamedObject(0, objtype::kMenu, "DovraTools", found), status::kOk);
  EXPECT_EQ(found, tools);
  EXPECT_EQ(*m.label(tools), "Tools");

  // A chain of 50,000 menus, each inside the one before: closing the cycle
  // is refused, adding beside it is not.
  ObjId top = m.defineMenu("deep0", "");
  ObjId bottom = top;
  for (int i = 1; i < 50000; ++i) {
    ObjId next = m.defineMenu("deep" + std::to_string(i), "");
    ASSERT_EQ(m.add(bottom, next), status::kOk);
    bottom = next;
  }
  EXPECT_EQ(m.add(bottom, top), status::kBadValue);
  EXPECT_EQ(m.add(bottom, cmd), status::kOk);

  // Fill up to the limit: nothing new is made, what exists is still found.
  for (size_t made = 0; m.defineCommand(0, "fill" + std::to_string(made), "", "", -1) != 0; ++made)
    ASSERT_LT(made, MenuSet::kMaxObjects);
  EXPECT_EQ(m.defineMenu("one more", ""), 0u);
  EXPECT_EQ(ed.newNamedObject(0, objtype::kMenu, "one more", found), status::kLimit);
  EXPECT_EQ(found, 0u);
  EXPECT_EQ(m.defineMenu("DovraTools", "Tools"), tools);
  EXPECT_EQ(m.defineCommand(3, "MoveRight", "Move Right", "", 0), cmd);
}

}  // namespace
