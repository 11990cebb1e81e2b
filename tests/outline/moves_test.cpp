// The outline commands end to end: the real lindrel under the stand-in host,
// one scenario per row: the level templates, a document, a selection, a
// command, and what the document, the selection and the shaping host calls
// must be afterwards.
#include "docfile.h"
#include "host_with_client.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

using namespace lindrel_test;

namespace {

enum : int32_t { kNewOutline = 1, kMoveLeft = 2, kMoveRight = 3, kMoveUp = 4, kMoveDown = 5,
                 kNudgeLeft = 6, kNudgeRight = 7, kNudgeUp = 8, kNudgeDown = 9 };

using Lines = std::vector<std::string>;

// A scenario: tags by code ("3" is 3Level, "B" Body, "_" a blank, anything
// else itself; a final "!" locks the paragraph), the selection, the command,
// the paragraphs afterwards ("3P2": 3Level P2), the caret ("text@offset";
// none: the selection is left as it was) and the calls that change the
// display, the selection, the clipboard or the chain (none: not checked),
// when the host refuses a procedure. With templates of its own, the level templates in the directories of 89
// and 84 (none: no file), text items of at most `chunk` bytes (0: whole),
// and the times the client says it lacks list memory.
struct Scenario {
    const char *name, *tags;
    Sel selection;
    Run run;
    const char *after, *caret, *edits;
    uint32_t refused = 0;  // a host procedure answered with a refusal
    bool ownTemplates = false;
    std::optional<Lines> first = {}, second = {};
    size_t chunk = 0;
    int messages = 0;
};

std::string Tag(std::string code)
{
    std::replace(code.begin(), code.end(), '_', ' ');
    return code == "B" ? "Body" : code.find_first_not_of("0123456789") == std::string::npos ? code + "Level" : code;
}

Lines Words(const std::string &text)
{
    Lines out;
    std::istringstream in(text);
    for (std::string w; in >> w;)
        out.push_back(w);
    return out;
}

// The calls of a block or line move, in the order the moves promise.
const char kUp[] = "off,select,push,cut,valid,delete,select,paste,pop,select,on,redisplay,fcodes";
const char kUpMiddle[] = "off,select,push,cut,valid,select,paste,pop,select,on,redisplay,fcodes";
const char kDown[] = "off,select,push,cut,select,select,paste,pop,select,on,redisplay,fcodes";
const char kDownAtEnd[] = "off,select,push,cut,select,select,add,paste,pop,delete,select,on,redisplay,fcodes";
const char kNothing[] = "fcodes", kLevelOnly[] = "", kNudgeLevel[] = "off,on,redisplay";
const char kReturns[] = "off,on,redisplay,return -10001";
const char kRefusedCut[] = "off,select,push,cut,pop,select,on,redisplay,fcodes";
const uint32_t kCut = 1030, kAddText = 1058;
const char kSix[] = "1 2 3 2 1 2", kFive[] = "1 2 3 2 3", kBody[] = "1 2 B 3 2 1 2";
const Lines kNine = {"L1", "L2", "L3", "L4", "L5", "L6", "L7", "L8", "L9"}, kThree = {"Chapter", "Section", "Point"};

// A level template whose paragraphs hold `names`, in `dir`.
void WriteTemplate(const std::string &dir, const Lines &names)
{
    vxhost::DocContent content;
    for (const std::string &name : names)
        content.paras.push_back({"Body", name, 0});
    std::string message;
    ASSERT_EQ(vxhost::saveDocument(dir + "/OutlineLevels.vx", content, message), 0) << message;
}

const Scenario kScenarios[] = {
    // Move Right / Move Left: whole blocks, each paragraph from its own level.
    {"RightMovesHeadAndDeeperRun", kSix, {1, 0}, Command(kMoveRight), "1P1 3P2 4P3 2P4 1P5 2P6", nullptr, kLevelOnly},
    {"LeftStopsAtTheHeadsLevel", kSix, {2, 0}, Command(kMoveLeft), "1P1 2P2 2P3 2P4 1P5 2P6", nullptr, kLevelOnly},
    {"LeftAtTheTopReappliesTopAndLiftsChildren", kSix, {0, 0}, Command(kMoveLeft), "1P1 1P2 2P3 1P4 1P5 2P6", nullptr, kLevelOnly},
    {"BodyParagraphEndsABlock", kBody, {1, 0}, Command(kMoveRight), "1P1 3P2 BP3 3P4 2P5 1P6 2P7", nullptr, nullptr},
    {"BodyHeadMovesEveryLevelAfterIt", kBody, {2, 0}, Command(kMoveRight), "1P1 2P2 BP3 4P4 3P5 2P6 3P7", nullptr, nullptr},
    {"RangeCountsByItsBeginning", kSix, {1, 1, 5}, Command(kMoveRight), "1P1 3P2 4P3 2P4 1P5 2P6", nullptr, nullptr},
    // "1level" is no level: every level after it counts as deeper.
    {"LevelNamesKeepTheirCase", "1level 2", {0, 0}, Command(kMoveRight), "1levelP1 3P2", nullptr, nullptr},
    {"FunctionCode285Demotes", kSix, {1, 0}, Fcode(285), "1P1 3P2 4P3 2P4 1P5 2P6", nullptr, kLevelOnly},
    {"FunctionCode284Promotes", kSix, {2, 0}, Fcode(284), "1P1 2P2 2P3 2P4 1P5 2P6", nullptr, kLevelOnly},

    // Move Up / Move Down: swap with the sibling block by cut and paste.
    {"UpPassesTheSiblingsChildren", kFive, {3, 2}, Command(kMoveUp), "1P1 2P4 3P5 2P2 3P3", "P4@2", kUp},
    {"UpInTheMiddleOfTheChain", "1 2 2 1", {2, 1}, Command(kMoveUp), "1P1 2P3 2P2 1P4", "P3@1", kUpMiddle},
    {"DownPassesTheHeadsChildren", "1 2 3 2 3 1", {1, 1}, Command(kMoveDown), "1P1 2P4 3P5 2P2 3P3 1P6", "P2@1", kDown},
    {"DownBelowTheLastParagraph", "1 2 2", {1, 1}, Command(kMoveDown), "1P1 2P3 2P2", "P2@1", kDownAtEnd},
    {"UpWhenTheSiblingStartsTheChain", "2 2 3", {1, 1}, Command(kMoveUp), "2P2 3P3 2P1", "P2@1", nullptr},
    {"UpInTheFirstParagraph", kFive, {0, 0}, Command(kMoveUp), "1P1 2P2 3P3 2P4 3P5", nullptr, kNothing},
    {"UpBelowTheParent", kFive, {1, 0}, Command(kMoveUp), "1P1 2P2 3P3 2P4 3P5", nullptr, kNothing},
    {"UpFromABodyParagraph", "1 B", {1, 0}, Command(kMoveUp), "1P1 BP2", nullptr, kNothing},
    {"UpAcrossABodyParagraph", "2 B 2", {2, 0}, Command(kMoveUp), "2P1 BP2 2P3", nullptr, kNothing},
    {"DownAtTheEndOfTheParent", "1 2 1", {1, 0}, Command(kMoveDown), "1P1 2P2 1P3", nullptr, kNothing},
    {"DownBeforeABodyParagraph", "2 B 2", {0, 0}, Command(kMoveDown), "2P1 BP2 2P3", nullptr, kNothing},
    {"DownInTheLastBlock", "1 2 3", {1, 0}, Command(kMoveDown), "1P1 2P2 3P3", nullptr, kNothing},
    {"MoveReplacesARangeByACaret", kFive, {3, 1, 4}, Command(kMoveUp), "1P1 2P4 3P5 2P2 3P3", "P4@1", nullptr},
    {"FunctionCodes282And283Move", "1 1", {1, 0}, Fcode(282), "1P2 1P1", "P2@0", nullptr},
    {"FunctionCode283", "1 1 1", {0, 0}, Fcode(283), "1P2 1P1 1P3", "P1@0", nullptr},

    // Nudges: one paragraph only.
    {"NudgeRightLeavesTheNextAlone", "2 3", {0, 0}, Command(kNudgeRight), "3P1 3P2", nullptr, kNudgeLevel},
    {"NudgeRightAtTheSeventh", "7", {0, 0}, Command(kNudgeRight), "7P1", nullptr, kNudgeLevel},
    {"NudgeLeftAtTheTop", "1 2", {0, 0}, Command(kNudgeLeft), "1P1 2P2", nullptr, kNudgeLevel},
    {"NudgeOnABodyParagraphStillSwitchesTheDisplay", "B", {0, 0}, Command(kNudgeRight), "BP1", nullptr, kNudgeLevel},
    {"NudgeUpWhateverTheLevels", "1 3", {1, 1}, Command(kNudgeUp), "3P2 1P1", "P2@1", kUp},
    {"NudgeUpInTheFirstParagraph", "1 1", {0, 0}, Command(kNudgeUp), "1P1 1P2", nullptr, kNothing},
    {"NudgeUpBelowABodyParagraph", "B 1", {1, 0}, Command(kNudgeUp), "BP1 1P2", nullptr, kNothing},
    {"NudgeDownOnTheLastButOne", "1 2 1", {1, 1}, Command(kNudgeDown), "1P1 1P3 2P2", "P2@1",
     "off,select,push,cut,select,add,paste,pop,delete,select,on,redisplay,fcodes"},
    {"NudgeDownInTheMiddle", "1 2 1 3", {1, 0}, Command(kNudgeDown), "1P1 1P3 2P2 3P4", "P2@0",
     "off,select,push,cut,select,paste,pop,select,on,redisplay,fcodes"},
    {"NudgeDownOnTheLast", "1 2", {1, 0}, Command(kNudgeDown), "1P1 2P2", nullptr, kNothing},

    // Function codes of notification 42: horizontal nudges hand back -10001.
    {"Code292NudgesRightAndReturns", "2", {0, 0}, Fcode(292), "3P1", nullptr, kReturns},
    {"Code291NudgesLeftAndReturns", "2", {0, 0}, Fcode(291), "1P1", nullptr, kReturns},
    {"Code292OnABodyParagraphStillReturns", "B", {0, 0}, Fcode(292), "BP1", nullptr, kReturns},
    {"Code289NudgesUp", "1 2", {1, 0}, Fcode(289), "2P2 1P1", "P2@0", nullptr},
    {"Code290NudgesDown", "1 2 1", {0, 0}, Fcode(290), "2P2 1P1 1P3", "P1@0", nullptr},
    {"Code286DoesNothing", "2", {0, 0}, Fcode(286), "2P1", nullptr, kLevelOnly},
    {"UnknownCommandDoesNothing", "2", {0, 0}, Command(10), "2P1", nullptr, kLevelOnly},
    // A cut that the host refuses ends the move: nothing is deleted or
    // pasted. When the host does not add the spare paragraph below the last
    // one, the chain's final paragraph is the user's and is not deleted.
    {"RefusedCutUp", "1 1 1", {1, 1, 1}, Command(kMoveUp), "1P1 1P2 1P3", nullptr, kRefusedCut, kCut},
    {"RefusedCutDown", "1 1 1", {1, 1, 1}, Command(kMoveDown), "1P1 1P2 1P3", nullptr, kRefusedCut, kCut},
    {"RefusedCutNudgeUp", "1 1 1", {1, 1, 1}, Command(kNudgeUp), "1P1 1P2 1P3", nullptr, kRefusedCut, kCut},
    {"RefusedCutNudgeDown", "1 1 1", {1, 1, 1}, Command(kNudgeDown), "1P1 1P2 1P3", nullptr, kRefusedCut, kCut},
    {"RefusedAddDown", "1 1 1", {1, 0}, Command(kMoveDown), "1P1 1P3 1P2", "P2@0", nullptr, kAddText},
    {"RefusedAddNudgeDown", "1 1 1", {1, 0}, Command(kNudgeDown), "1P1 1P3 1P2", "P2@0", nullptr, kAddText},
    // A paragraph whose property 588 is set takes no format, while the block around it still moves.
    {"LockedParagraphKeepsItsLevel", "1 2! 3 2", {0, 0}, Command(kMoveRight), "2P1 2P2 4P3 3P4", nullptr, nullptr},
    {"LockedParagraphIsNotNudged", "2 2! 4", {1, 0}, Command(kNudgeLeft), "2P1 2P2 4P3", nullptr, nullptr},

    // The level list, from the level templates or the defaults.
    {"NoTemplateGivesTheDefaults", "6 7 B", {0, 0}, Command(kMoveRight), "7P1 7P2 BP3", nullptr, nullptr, 0, true},
    {"DefaultsDoNotKnowBody", "B 1", {0, 0}, Command(kMoveRight), "BP1 2P2", nullptr, nullptr, 0, true},
    {"ThreeNames", "Chapter Section Point 1", {0, 0}, Command(kMoveRight), "SectionP1 PointP2 PointP3 1P4", nullptr,
     nullptr, 0, true, kThree},
    {"FoundOnlyInTheSecondDirectory", "Chapter Section", {0, 0}, Command(kMoveRight), "SectionP1 PointP2", nullptr,
     nullptr, 0, true, {}, kThree},
    {"FirstDirectoryWins", "Up Chapter", {0, 0}, Command(kMoveRight), "DownP1 ChapterP2", nullptr, nullptr, 0, true,
     Lines{"Up", "Down"}, kThree},
    {"NineNamesClampAtTheSeventh", "L6 L8 L9", {0, 0}, Command(kMoveRight), "L7P1 L7P2 L7P3", nullptr, nullptr, 0, true, kNine},
    {"NineNamesNudgeTheEighthUp", "L8", {0, 0}, Command(kNudgeRight), "L7P1", nullptr, nullptr, 0, true, kNine},
    {"EmptyParagraphsOnlyGiveAnEmptyList", "1 2", {0, 0}, Command(kMoveRight), "1P1 2P2", nullptr, nullptr, 0, true,
     Lines{"", ""}, {}, 0, 2},
    {"AnEmptyParagraphIsSkipped", "Top Sub", {0, 0}, Command(kMoveRight), "SubP1 SubP2", nullptr, nullptr, 0, true,
     Lines{"Top", "", "Sub"}, {}, 0, 1},
    {"TrailingBlankBelongsToTheName", "Top Top_", {1, 0}, Command(kMoveRight), "TopP1 SubP2", nullptr, nullptr, 0, true,
     Lines{"Top ", "Sub"}},
    {"NamesDeliveredInSeveralItems", "Chapter", {0, 0}, Command(kMoveRight), "SectionP1", nullptr, nullptr, 0, true,
     Lines{"Chapter", "Section"}, {}, 2},
};

void PrintTo(const Scenario &s, std::ostream *out) { *out << s.name; }

class Moves : public testing::TestWithParam<Scenario> {};

TEST_P(Moves, DocumentSelectionAndCalls)
{
    const Scenario &s = GetParam();
    TempDir dirs;
    std::string first = dirs.mkdir("first"), second = dirs.mkdir("second");
    for (auto [dir, names] : {std::pair{first, s.first}, {second, s.second}})
        if (names)
            WriteTemplate(dir, *names);
    HostWithClient h(s.ownTemplates ? HostWithClient::Options{first} : HostWithClient::Options{});
    if (s.ownTemplates)
        h.editor.setProp(0, 0, vxhost::prop::kTemplateDir2, second);
    h.editor.setTextItemChunk(s.chunk);
    if (s.refused)  // the status comes first in every result
        h.host.on(s.refused, [](vxhost::HostCall &call) { *static_cast<int32_t *>(call.result) = 9; });
    ASSERT_TRUE(h.start());
    Lines codes = Words(s.tags), tags, after, levels = s.first.value_or(Lines{}), more = s.second.value_or(Lines{});
    for (const std::string &code : codes)
        tags.push_back(Tag(code.substr(0, code.find('!'))));
    for (const std::string &p : Words(s.after))
        after.push_back(Tag(p.substr(0, p.rfind('P'))) + " " + p.substr(p.rfind('P')));
    // The document declares every level name (an empty one included, so that
    // a level with no name could be applied by mistake).
    levels.insert(levels.end(), more.begin(), more.end());
    h.open(tags, levels);
    for (size_t i = 0; i < codes.size(); i++)
        h.doc().paragraph(h.para(i))->content.lock = codes[i].back() == '!';
    h.select(s.selection);
    const vxhost::TextRange before = h.doc().selection();

    ASSERT_TRUE(h.run(s.run));
    EXPECT_EQ(h.paragraphs(), after);
    if (s.caret) {
        EXPECT_EQ(h.caret(), s.caret);
    } else {
        EXPECT_EQ(h.doc().selection(), before);
    }
    std::string edits;
    for (const std::string &e : h.edits())
        edits += (edits.empty() ? "" : ",") + e;
    EXPECT_TRUE(s.edits == nullptr || edits == s.edits) << edits;
    // The display switch is never left off, the user's clipboard is back,
    // and the level template is closed again.
    EXPECT_EQ(h.editor.display(), 1);
    EXPECT_EQ(h.editor.clipboardDepth(), 0u);
    EXPECT_EQ(h.editor.activeDocument(), h.document());
    // Quit, so that a sanitizer build reports any leak on standard error.
    ASSERT_EQ(h.host.call_quit(), RPC_SUCCESS);
    EXPECT_EQ(h.host.wait_exit(20), std::optional<int>(0));
    std::string expected;
    for (int i = 0; i < s.messages; i++)
        expected += "Couldn't allocate string list memory\n";
    EXPECT_EQ(h.err(), expected);
}

INSTANTIATE_TEST_SUITE_P(Outline, Moves, testing::ValuesIn(kScenarios),
                         [](const testing::TestParamInfo<Scenario> &info) { return info.param.name; });

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

}  // namespace
