// The outline commands end to end: the real lindrel under the stand-in host,
// one scenario per row: a document, a selection, a command, and what the
// document, the selection and the shaping host calls must be afterwards.
#include "host_with_client.h"

#include <gtest/gtest.h>

using namespace lindrel_test;

namespace {

enum : int32_t { kNewOutline = 1, kMoveLeft = 2, kMoveRight = 3, kMoveUp = 4, kMoveDown = 5,
                 kNudgeLeft = 6, kNudgeRight = 7, kNudgeUp = 8, kNudgeDown = 9 };

using Lines = std::vector<std::string>;

struct Scenario {
    const char *name;
    std::vector<std::string> tags;
    Sel selection;
    Run run;
    Lines after;                   // "tag text" in chain order
    std::optional<std::string> caret;  // "text@offset"; nothing: the selection is left as it was
    std::optional<Lines> edits;    // nothing: not checked
};

// The calls of a block or line move, in the order the moves promise.
const Lines kMoveUpEdits = {"off", "select", "push", "cut", "valid", "delete", "select",
                            "paste", "pop", "select", "on", "redisplay", "fcodes"};
const Lines kMoveUpMiddleEdits = {"off", "select", "push", "cut", "valid", "select",
                                  "paste", "pop", "select", "on", "redisplay", "fcodes"};
const Lines kMoveDownEdits = {"off", "select", "push", "cut", "select", "select",
                              "paste", "pop", "select", "on", "redisplay", "fcodes"};
const Lines kMoveDownAtEndEdits = {"off", "select", "push", "cut", "select", "select", "add",
                                   "paste", "pop", "delete", "select", "on", "redisplay", "fcodes"};
const Lines kNothingMoved = {"fcodes"};
const Lines kLevelOnly = {};
const Lines kNudgeLevel = {"off", "on", "redisplay"};

const std::vector<std::string> kSix = {"1Level", "2Level", "3Level", "2Level", "1Level", "2Level"};
const std::vector<std::string> kFive = {"1Level", "2Level", "3Level", "2Level", "3Level"};

const Scenario kScenarios[] = {
    // Move Right / Move Left: whole blocks, each paragraph from its own level.
    {"RightMovesHeadAndDeeperRun", kSix, {1, 0}, Command(kMoveRight),
     {"1Level P1", "3Level P2", "4Level P3", "2Level P4", "1Level P5", "2Level P6"}, std::nullopt, kLevelOnly},
    {"LeftStopsAtTheHeadsLevel", kSix, {2, 0}, Command(kMoveLeft),
     {"1Level P1", "2Level P2", "2Level P3", "2Level P4", "1Level P5", "2Level P6"}, std::nullopt, kLevelOnly},
    {"LeftAtTheTopReappliesTopAndLiftsChildren", kSix, {0, 0}, Command(kMoveLeft),
     {"1Level P1", "1Level P2", "2Level P3", "1Level P4", "1Level P5", "2Level P6"}, std::nullopt, kLevelOnly},
    {"BodyParagraphEndsABlock", {"1Level", "2Level", "Body", "3Level", "2Level", "1Level", "2Level"}, {1, 0},
     Command(kMoveRight),
     {"1Level P1", "3Level P2", "Body P3", "3Level P4", "2Level P5", "1Level P6", "2Level P7"}, std::nullopt, {}},
    {"BodyHeadMovesEveryLevelAfterIt", {"1Level", "2Level", "Body", "3Level", "2Level", "1Level", "2Level"},
     {2, 0}, Command(kMoveRight),
     {"1Level P1", "2Level P2", "Body P3", "4Level P4", "3Level P5", "2Level P6", "3Level P7"}, std::nullopt, {}},
    {"RangeCountsByItsBeginning", kSix, {1, 1, 5}, Command(kMoveRight),
     {"1Level P1", "3Level P2", "4Level P3", "2Level P4", "1Level P5", "2Level P6"}, std::nullopt, {}},
    {"RightKeepsTheSeventhLevel", {"6Level", "7Level"}, {0, 0}, Command(kMoveRight),
     {"7Level P1", "7Level P2"}, std::nullopt, {}},
    // "1level" is no level: every level after it counts as deeper.
    {"LevelNamesKeepTheirCase", {"1level", "2Level"}, {0, 0}, Command(kMoveRight),
     {"1level P1", "3Level P2"}, std::nullopt, {}},
    {"FunctionCode285Demotes", kSix, {1, 0}, Fcode(285),
     {"1Level P1", "3Level P2", "4Level P3", "2Level P4", "1Level P5", "2Level P6"}, std::nullopt, kLevelOnly},
    {"FunctionCode284Promotes", kSix, {2, 0}, Fcode(284),
     {"1Level P1", "2Level P2", "2Level P3", "2Level P4", "1Level P5", "2Level P6"}, std::nullopt, kLevelOnly},

    // Move Up / Move Down: swap with the sibling block by cut and paste.
    {"UpPassesTheSiblingsChildren", kFive, {3, 2}, Command(kMoveUp),
     {"1Level P1", "2Level P4", "3Level P5", "2Level P2", "3Level P3"}, "P4@2", kMoveUpEdits},
    {"UpInTheMiddleOfTheChain", {"1Level", "2Level", "2Level", "1Level"}, {2, 1}, Command(kMoveUp),
     {"1Level P1", "2Level P3", "2Level P2", "1Level P4"}, "P3@1", kMoveUpMiddleEdits},
    {"DownPassesTheHeadsChildren", {"1Level", "2Level", "3Level", "2Level", "3Level", "1Level"}, {1, 1},
     Command(kMoveDown),
     {"1Level P1", "2Level P4", "3Level P5", "2Level P2", "3Level P3", "1Level P6"}, "P2@1",
     kMoveDownEdits},
    {"DownBelowTheLastParagraph", {"1Level", "2Level", "2Level"}, {1, 1}, Command(kMoveDown),
     {"1Level P1", "2Level P3", "2Level P2"}, "P2@1", kMoveDownAtEndEdits},
    {"UpWhenTheSiblingStartsTheChain", {"2Level", "2Level", "3Level"}, {1, 1}, Command(kMoveUp),
     {"2Level P2", "3Level P3", "2Level P1"}, "P2@1", {}},
    {"UpInTheFirstParagraph", kFive, {0, 0}, Command(kMoveUp), {"1Level P1", "2Level P2", "3Level P3",
     "2Level P4", "3Level P5"}, std::nullopt, kNothingMoved},
    {"UpBelowTheParent", kFive, {1, 0}, Command(kMoveUp), {"1Level P1", "2Level P2", "3Level P3", "2Level P4",
     "3Level P5"}, std::nullopt, kNothingMoved},
    {"UpFromABodyParagraph", {"1Level", "Body"}, {1, 0}, Command(kMoveUp), {"1Level P1", "Body P2"},
     std::nullopt, kNothingMoved},
    {"UpAcrossABodyParagraph", {"2Level", "Body", "2Level"}, {2, 0}, Command(kMoveUp),
     {"2Level P1", "Body P2", "2Level P3"}, std::nullopt, kNothingMoved},
    {"DownAtTheEndOfTheParent", {"1Level", "2Level", "1Level"}, {1, 0}, Command(kMoveDown),
     {"1Level P1", "2Level P2", "1Level P3"}, std::nullopt, kNothingMoved},
    {"DownBeforeABodyParagraph", {"2Level", "Body", "2Level"}, {0, 0}, Command(kMoveDown),
     {"2Level P1", "Body P2", "2Level P3"}, std::nullopt, kNothingMoved},
    {"DownInTheLastBlock", {"1Level", "2Level", "3Level"}, {1, 0}, Command(kMoveDown),
     {"1Level P1", "2Level P2", "3Level P3"}, std::nullopt, kNothingMoved},
    {"MoveReplacesARangeByACaret", kFive, {3, 1, 4}, Command(kMoveUp),
     {"1Level P1", "2Level P4", "3Level P5", "2Level P2", "3Level P3"}, "P4@1", {}},
    {"FunctionCodes282And283Move", {"1Level", "1Level"}, {1, 0}, Fcode(282),
     {"1Level P2", "1Level P1"}, "P2@0", {}},
    {"FunctionCode283", {"1Level", "1Level", "1Level"}, {0, 0}, Fcode(283),
     {"1Level P2", "1Level P1", "1Level P3"}, "P1@0", {}},

    // Nudges: one paragraph only.
    {"NudgeRightLeavesTheNextAlone", {"2Level", "3Level"}, {0, 0}, Command(kNudgeRight),
     {"3Level P1", "3Level P2"}, std::nullopt, kNudgeLevel},
    {"NudgeRightAtTheSeventh", {"7Level"}, {0, 0}, Command(kNudgeRight), {"7Level P1"}, std::nullopt, kNudgeLevel},
    {"NudgeLeftAtTheTop", {"1Level", "2Level"}, {0, 0}, Command(kNudgeLeft), {"1Level P1", "2Level P2"},
     std::nullopt, kNudgeLevel},
    {"NudgeOnABodyParagraphStillSwitchesTheDisplay", {"Body"}, {0, 0}, Command(kNudgeRight), {"Body P1"},
     std::nullopt, kNudgeLevel},
    {"NudgeUpWhateverTheLevels", {"1Level", "3Level"}, {1, 1}, Command(kNudgeUp), {"3Level P2", "1Level P1"},
     "P2@1",
     Lines{"off", "select", "push", "cut", "valid", "delete", "select", "paste", "pop", "select", "on",
           "redisplay", "fcodes"}},
    {"NudgeUpInTheFirstParagraph", {"1Level", "1Level"}, {0, 0}, Command(kNudgeUp), {"1Level P1", "1Level P2"},
     std::nullopt, kNothingMoved},
    {"NudgeUpBelowABodyParagraph", {"Body", "1Level"}, {1, 0}, Command(kNudgeUp), {"Body P1", "1Level P2"},
     std::nullopt, kNothingMoved},
    {"NudgeDownOnTheLastButOne", {"1Level", "2Level", "1Level"}, {1, 1}, Command(kNudgeDown),
     {"1Level P1", "1Level P3", "2Level P2"}, "P2@1",
     Lines{"off", "select", "push", "cut", "select", "add", "paste", "pop", "delete", "select", "on",
           "redisplay", "fcodes"}},
    {"NudgeDownInTheMiddle", {"1Level", "2Level", "1Level", "3Level"}, {1, 0}, Command(kNudgeDown),
     {"1Level P1", "1Level P3", "2Level P2", "3Level P4"}, "P2@0",
     Lines{"off", "select", "push", "cut", "select", "paste", "pop", "select", "on", "redisplay", "fcodes"}},
    {"NudgeDownOnTheLast", {"1Level", "2Level"}, {1, 0}, Command(kNudgeDown), {"1Level P1", "2Level P2"},
     std::nullopt, kNothingMoved},

    // Function codes of notification 42: horizontal nudges hand back -10001.
    {"Code292NudgesRightAndReturns", {"2Level"}, {0, 0}, Fcode(292), {"3Level P1"}, std::nullopt,
     Lines{"off", "on", "redisplay", "return -10001"}},
    {"Code291NudgesLeftAndReturns", {"2Level"}, {0, 0}, Fcode(291), {"1Level P1"}, std::nullopt,
     Lines{"off", "on", "redisplay", "return -10001"}},
    {"Code292OnABodyParagraphStillReturns", {"Body"}, {0, 0}, Fcode(292), {"Body P1"}, std::nullopt,
     Lines{"off", "on", "redisplay", "return -10001"}},
    {"Code289NudgesUp", {"1Level", "2Level"}, {1, 0}, Fcode(289), {"2Level P2", "1Level P1"}, "P2@0", {}},
    {"Code290NudgesDown", {"1Level", "2Level", "1Level"}, {0, 0}, Fcode(290),
     {"2Level P2", "1Level P1", "1Level P3"}, "P1@0", {}},
    {"Code286DoesNothing", {"2Level"}, {0, 0}, Fcode(286), {"2Level P1"}, std::nullopt, Lines{}},
    {"UnknownCommandDoesNothing", {"2Level"}, {0, 0}, Command(10), {"2Level P1"}, std::nullopt, Lines{}},
};

class Moves : public testing::TestWithParam<Scenario> {};

TEST_P(Moves, DocumentSelectionAndCalls)
{
    const Scenario &s = GetParam();
    HostWithClient h;
    ASSERT_TRUE(h.start());
    h.open(s.tags);
    h.select(s.selection);
    const vxhost::TextRange before = h.doc().selection();

    ASSERT_TRUE(h.run(s.run));
    EXPECT_EQ(h.paragraphs(), s.after);
    if (s.caret) {
        EXPECT_EQ(h.caret(), *s.caret);
    } else {
        EXPECT_EQ(h.doc().selection(), before);
    }
    if (s.edits) {
        EXPECT_EQ(h.edits(), *s.edits);
    }
    // The display switch is never left off, and the user's clipboard is back.
    EXPECT_EQ(h.editor.display(), 1);
    EXPECT_EQ(h.editor.clipboardDepth(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Outline, Moves, testing::ValuesIn(kScenarios),
                         [](const testing::TestParamInfo<Scenario> &info) { return info.param.name; });

// A paragraph whose property 588 is set takes no format, while the block
// around it still moves.
TEST(Formats, LockedParagraphKeepsItsLevel)
{
    HostWithClient h;
    ASSERT_TRUE(h.start());
    h.open({"1Level", "2Level", "3Level", "2Level"});
    h.doc().paragraph(h.para(1))->content.lock = 1;
    h.select({0, 0});
    ASSERT_TRUE(h.run(Command(kMoveRight)));
    EXPECT_EQ(h.paragraphs(), (Lines{"2Level P1", "2Level P2", "4Level P3", "3Level P4"}));
    h.select({1, 0});
    ASSERT_TRUE(h.run(Command(kNudgeLeft)));
    EXPECT_EQ(h.paragraphs(), (Lines{"2Level P1", "2Level P2", "4Level P3", "3Level P4"}));
}

// Function codes act on the notification's document, which need not be the
// active one; notifications other than 42 run nothing.
TEST(Notifications, FunctionCodesUseTheNotifiedDocument)
{
    HostWithClient h;
    ASSERT_TRUE(h.start());
    vxhost::ObjId notified = h.open({"2Level"});
    h.select({0}, notified);
    vxhost::ObjId active = h.open({"2Level"});
    h.select({0}, active);
    ASSERT_EQ(h.editor.activeDocument(), active);

    ASSERT_TRUE(h.host.notify(43, notified, "", 292));
    ASSERT_TRUE(h.host.notify(42, notified, "", 286));
    EXPECT_EQ(h.paragraphs(notified), Lines{"2Level P1"});
    ASSERT_TRUE(h.host.notify(42, notified, "", 292));
    EXPECT_EQ(h.paragraphs(notified), Lines{"3Level P1"});
    EXPECT_EQ(h.paragraphs(active), Lines{"2Level P1"});
    int returns = 0;
    for (const vxhost::TraceEntry &e : h.host.trace())
        returns += e.name == "api_vx_return_value_1";
    EXPECT_EQ(returns, 1);

    // A menu command works on the active document.
    ASSERT_TRUE(h.run(Command(kNudgeRight)));
    EXPECT_EQ(h.paragraphs(active), Lines{"3Level P1"});
    EXPECT_EQ(h.paragraphs(notified), Lines{"3Level P1"});
}

// A cut that the host refuses ends the move: nothing is deleted or pasted,
// and the selection is as before. When the host does not add the spare
// paragraph below the last one, the chain's final paragraph is the user's
// and is not deleted. Either way the display is on and the user's
// clipboard is back.
TEST(Refusals, RefusedCutOrAddLosesNothing)
{
    const uint32_t kCut = 1030, kAddText = 1058;
    for (auto [proc, command] : {std::pair{kCut, kMoveUp}, {kCut, kMoveDown}, {kCut, kNudgeUp}, {kCut, kNudgeDown},
                                 {kAddText, kMoveDown}, {kAddText, kNudgeDown}}) {
        SCOPED_TRACE(std::to_string(proc) + " " + std::to_string(command));
        HostWithClient h;
        ASSERT_TRUE(h.start());
        h.host.on(proc, [](vxhost::HostCall &call) { *static_cast<int32_t *>(call.result) = 9; });  // the status
        h.open({"1Level", "1Level", "1Level"});
        h.select(proc == kCut ? Sel{1, 1, 1} : Sel{1, 0});
        const vxhost::TextRange before = h.doc().selection();
        ASSERT_TRUE(h.run(Command(command)));
        Lines after = h.paragraphs();
        std::sort(after.begin(), after.end());
        EXPECT_EQ(after, (Lines{"1Level P1", "1Level P2", "1Level P3"})) << testing::PrintToString(h.paragraphs());
        if (proc == kCut) {
            EXPECT_EQ(h.paragraphs(), after);
            EXPECT_EQ(h.doc().selection(), before);
            EXPECT_EQ(h.edits(), (Lines{"off", "select", "push", "cut", "pop", "select", "on", "redisplay", "fcodes"}));
        }
        EXPECT_EQ(h.editor.display(), 1);
        EXPECT_EQ(h.editor.clipboardDepth(), 0u);
    }
}

}  // namespace
