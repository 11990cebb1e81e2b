// Lindrel's start-up end to end: the menus it builds, the About alert and
// New Outline, with the real lindrel under the stand-in host.
#include "host_with_client.h"

#include <gtest/gtest.h>

using namespace lindrel_test;
using vxhost::ObjId;

namespace {

enum : int32_t { kNewOutline = 1, kMoveRight = 3, kNudgeRight = 7, kAbout = 1000 };
using Lines = std::vector<std::string>;

std::vector<std::string> Labels(const vxhost::MenuSet &menus, ObjId menu)
{
    std::vector<std::string> out;
    for (ObjId item : menus.menu(menu)->items)
        out.push_back(*menus.label(item));
    return out;
}

// The arguments of every open request for `file`, in order.
Lines Opens(const HostWithClient &h, const std::string &file)
{
    Lines out;
    for (const vxhost::TraceEntry &e : h.host.trace())
        if (e.name == "api_vx_open_1" && e.arguments.find("/" + file + "\"") != std::string::npos)
            out.push_back(e.arguments);
    return out;
}

TEST(StartUp, BuildsToolsAndOutliningMenus)
{
    HostWithClient h;
    ASSERT_TRUE(h.start());
    const vxhost::MenuSet &menus = h.editor.menus();
    ObjId tools = menus.find(vxhost::objtype::kMenu, "DovraTools"), outlining = menus.find(vxhost::objtype::kMenu, "Lindrel");
    ASSERT_TRUE(tools != 0 && outlining != 0);
    EXPECT_EQ(*menus.label(tools), "Tools");
    EXPECT_EQ(Labels(menus, outlining),
              (Lines{"New Outline", "", "Move Right", "Move Left", "Move Up", "Move Down", "", "Nudge Right",
                     "Nudge Left", "Nudge Up", "Nudge Down", "", "About Lindrel..."}));
    for (const char *main : {vxhost::MenuSet::kMainMenu, vxhost::MenuSet::kQuickMenu}) {
        const auto &items = menus.menu(menus.find(vxhost::objtype::kMenu, main))->items;
        EXPECT_EQ(std::count(items.begin(), items.end(), tools), 1) << main;
    }
    EXPECT_TRUE(h.editor.wantsNotification(vxhost::EditorService::kClient, 42));
    // The level template is opened with its ten parameters: count, then
    // property, value type and value of each.
    EXPECT_EQ(Opens(h, "OutlineLevels.vx"),
              Lines{"\"" + kExamples + "/OutlineLevels.vx\", 10, 5, 1, 0, 2, 1, 0, 3, 1, 1, "
                    "17, 1, 7, 23, 1, 1, 28, 1, 1, 22, 1, 1, 25, 1, 1, 19, 1, 1, 20, 1, 1"});

    // Initialized again, the client builds nothing more and keeps its levels.
    ASSERT_TRUE(h.host.init(1));
    EXPECT_EQ(Labels(menus, tools), Lines{"Outlining"});
    EXPECT_EQ(Labels(menus, outlining).size(), 13u);
    EXPECT_EQ(Opens(h, "OutlineLevels.vx").size(), 1u);
    h.open({"1Level"});
    h.select({0, 0});
    ASSERT_TRUE(h.run(Command(kMoveRight)));
    EXPECT_EQ(h.paragraphs(), Lines{"2Level P1"});
}

struct PlacementScenario {
    const char *name;
    Lines before;  // labels of the Tools menu's items before start-up
    Lines after;
};

const PlacementScenario kPlacements[] = {
    {"BetweenAlphaAndZeta", {"Alpha", "Zeta"}, {"Alpha", "Outlining", "Zeta"}},
    {"CaseInsensitively", {"alpha", "OUTLINE X", "zeta"}, {"alpha", "OUTLINE X", "Outlining", "zeta"}},
    {"FirstWhenEverythingSortsAfter", {"Tables", "Zoom"}, {"Outlining", "Tables", "Zoom"}},
    {"LastWhenEverythingSortsBefore", {"Alpha", "Beta"}, {"Alpha", "Beta", "Outlining"}},
    {"BeforeAnEqualLabel", {"Alpha", "OUTLINING"}, {"Alpha", "Outlining", "OUTLINING"}},
    // "#1 X" is the host's first object (identifier 1, its main menu)
    // labelled X: an item's identifier plays no part in the walk.
    {"PassingTheFirstObject", {"#1 Main", "Zeta"}, {"Main", "Outlining", "Zeta"}},
    {"BeforeTheFirstObject", {"Alpha", "#1 Zoom"}, {"Alpha", "Outlining", "Zoom"}},
};

class Placement : public testing::TestWithParam<PlacementScenario> {};

TEST_P(Placement, ExistingToolsMenuKeepsItsOrder)
{
    HostWithClient h;
    vxhost::MenuSet &menus = h.editor.menus();
    ObjId tools = menus.defineMenu("DovraTools", "Tools");
    ASSERT_EQ(menus.find(vxhost::objtype::kMenu, vxhost::MenuSet::kMainMenu), 1u);
    for (const std::string &label : GetParam().before)
        menus.add(tools, label.rfind("#1 ", 0) == 0 ? menus.defineMenu(vxhost::MenuSet::kMainMenu, label.substr(3))
                                                     : menus.defineMenu("item " + label, label));
    ObjId quick = menus.find(vxhost::objtype::kMenu, vxhost::MenuSet::kQuickMenu);
    std::vector<ObjId> quickBefore = menus.menu(quick)->items;

    ASSERT_TRUE(h.start());
    EXPECT_EQ(Labels(menus, tools), GetParam().after);
    EXPECT_EQ(menus.find(vxhost::objtype::kMenu, "DovraTools"), tools);
    // The client did not make the Tools menu, so the quick menu is untouched.
    EXPECT_EQ(menus.menu(quick)->items, quickBefore);
}

INSTANTIATE_TEST_SUITE_P(Outline, Placement, testing::ValuesIn(kPlacements),
                         [](const testing::TestParamInfo<PlacementScenario> &info) { return info.param.name; });

TEST(StartUp, OtherInitializationCodesBuildNothing)
{
    HostWithClient h;
    ASSERT_TRUE(h.start(kLindrel, 0));
    EXPECT_EQ(h.editor.menus().find(vxhost::objtype::kMenu, "Lindrel") + h.editor.menus().find(vxhost::objtype::kMenu, "DovraTools"), 0u);
    EXPECT_FALSE(h.editor.wantsNotification(vxhost::EditorService::kClient, 42));

    // Without a level list no paragraph is a level paragraph.
    h.open({"1Level", "2Level"});
    h.select({0, 0});
    ASSERT_TRUE(h.run(Command(kMoveRight)));
    EXPECT_EQ(h.paragraphs(), (Lines{"1Level P1", "2Level P2"}));
}

// Without a document every command still hands back, while About and New
// Outline work.
TEST(Commands, AboutAndNewOutlineNeedNoDocument)
{
    HostWithClient h;
    ASSERT_TRUE(h.start());
    for (int32_t command : {2, 3, 4, 5, 6, 7, 8, 9})
        EXPECT_TRUE(h.run(Command(command))) << command;
    ASSERT_EQ(h.editor.activeDocument(), 0u);

    ASSERT_TRUE(h.run(Command(kAbout)));
    std::vector<vxhost::HostEvent> alerts = h.events(vxhost::HostEvent::Kind::Alert);
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_EQ(alerts[0].value * 10 + std::count(alerts[0].text.begin(), alerts[0].text.end(), '\n'), 24);
    EXPECT_EQ(alerts[0].text.rfind("Lindrel \nVersion 1.0  Build 103 \n", 0), 0u) << alerts[0].text;

    // New Outline opens a new document made from Outline.vx of property 89.
    ASSERT_TRUE(h.run(Command(kNewOutline)));
    ObjId made = h.editor.activeDocument();
    ASSERT_NE(made, 0u);
    EXPECT_EQ(h.editor.document(made)->paragraphs().front()->content.text, "Topic");

    // Twice: two identical open requests (one parameter: 29, an integer,
    // 1), two documents.
    ASSERT_TRUE(h.run(Command(kNewOutline)));
    EXPECT_NE(h.editor.activeDocument(), made);
    const std::string open = "\"" + kExamples + "/Outline.vx\", 1, 29, 1, 1";
    EXPECT_EQ(Opens(h, "Outline.vx"), (Lines{open, open}));
    EXPECT_TRUE(h.host.client_running());
}

// New Outline looks only in the first template directory, and says so when
// it finds nothing there.
TEST(Commands, NewOutlineLooksOnlyInTheFirstDirectory)
{
    TempDir empty;
    HostWithClient h(HostWithClient::Options{empty.path()});
    h.editor.setProp(0, 0, vxhost::prop::kTemplateDir2, kExamples);
    std::vector<std::string> reports;
    h.service.set_reporter([&](const std::string &m) { reports.push_back(m); });
    ASSERT_TRUE(h.start());
    ASSERT_TRUE(h.run(Command(kNewOutline)));
    EXPECT_EQ(h.editor.activeDocument(), 0u);
    ASSERT_FALSE(reports.empty());
    EXPECT_NE(reports.back().find(empty.path() + "/Outline.vx"), std::string::npos) << reports.back();
}

}  // namespace
