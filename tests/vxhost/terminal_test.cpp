// The terminal mode in a real terminal: tmux runs vxhost in a small pane, the
// keys go in through send-keys and the screen comes back from capture-pane.
// The outline is several screens long, so that paging and following the
// selection matter.
#include "docfile.h"
#include "process.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace {

using namespace lindrel_test;

// A locked title, then 20 parts of 3 chapters of 3 sections: 261 paragraphs.
std::string long_outline()
{
    vxhost::DocContent doc;
    doc.formats = {"1Level", "2Level", "3Level", "4Level", "Body"};
    doc.paras.push_back({"Body", "Title", 1});  // locked
    for (int part = 1; part <= 20; ++part) {
        std::string p = std::to_string(part);
        doc.paras.push_back({"1Level", "Part " + p, 0});
        for (int chapter = 1; chapter <= 3; ++chapter) {
            std::string c = p + "." + std::to_string(chapter);
            doc.paras.push_back({"2Level", "Chapter " + c, 0});
            for (int section = 1; section <= 3; ++section)
                doc.paras.push_back({"3Level", "Section " + c + "." + std::to_string(section), 0});
        }
    }
    return vxhost::formatDocument(doc);
}

class Terminal : public ::testing::Test {
protected:
    void SetUp() override { dir.write("book.vx", long_outline()); }
    void TearDown() override { tmux({"kill-server"}); }

    ProgramRun tmux(std::vector<std::string> args)
    {
        args.insert(args.begin(), {"tmux", "-f", "/dev/null", "-S", dir.file("tmux")});
        return run_program(args);
    }
    // vxhost in a pane of 80 by 12 under a shell that says how it ended and
    // how the terminal was set before and after.
    void start()
    {
        std::string command = "cd " + dir.path() + " && stty -g >before; " + kVxhost + " --templates " + kExamples +
                              " --interactive book.vx; echo \"exited $?\"; stty -g >after; sleep 600";
        ASSERT_EQ(tmux({"new-session", "-d", "-x", "80", "-y", "12", command}).status, 0) << "is tmux installed?";
        wait_for("? help");
    }
    void keys(std::vector<std::string> keys)
    {
        keys.insert(keys.begin(), "send-keys");
        tmux(keys);
    }
    std::string screen() { return tmux({"capture-pane", "-p"}).out; }
    // The screen once it shows `text`; a loaded machine may take its time.
    std::string wait_for(const std::string &text)
    {
        std::string shown;
        for (auto end = std::chrono::steady_clock::now() + std::chrono::seconds(30);
             std::chrono::steady_clock::now() < end; std::this_thread::sleep_for(std::chrono::milliseconds(50)))
            if ((shown = screen()).find(text) != std::string::npos)
                return shown;
        ADD_FAILURE() << "no \"" << text << "\" on the screen:\n" << shown;
        return shown;
    }
    // The line of the selected paragraph, which must be on screen.
    static std::string selected_line(const std::string &shown)
    {
        size_t at = ("\n" + shown).find("\n>");
        EXPECT_NE(at, std::string::npos) << "the selection is out of sight:\n" << shown;
        return at == std::string::npos ? "" : shown.substr(at, shown.find('\n', at) - at);
    }
    // Saves under a new `name` and gives the file's bytes.
    std::string save_as(const std::string &name)
    {
        keys({"w", name, "Enter"});
        wait_for("saved " + name);
        return read_file(dir.file(name));
    }

    TempDir dir;
    std::string doc = dir.file("book.vx");
};

TEST_F(Terminal, TheSelectionStaysInSightWhilePagingSearchingAndMoving)
{
    struct Case {
        std::vector<std::string> keys;
        const char *status;    // what the status line then says
        const char *selected;  // the end of the selected paragraph's line
    };
    // 9 outline rows: a page is 9 paragraphs, Part 1 starts at paragraph 2.
    const Case cases[] = {
        {{"NPage", "NPage", "NPage"}, "paragraph 28 of 261", "Part 3"},
        {{"End"}, "paragraph 261 of 261", "Section 20.3.3"},
        {{"PPage"}, "paragraph 252 of 261", "Section 20.1.2"},
        {{"Home"}, "paragraph 1 of 261   Body", "># [Body] Title"},
        {{"/", "section 12.2.3", "Enter"}, "paragraph 153 of 261   3Level", "    Section 12.2.3"},
        {{"n"}, "paragraph 153 of 261", "Section 12.2.3"},  // the only match: found again
        {{"Up", "Up", "Up", "Up", "Up", "Up", "Up", "Up"}, "paragraph 145 of 261   1Level", "Part 12"},
        // Part 12's block goes down past Part 13 and Part 14.
        {{"M-Down"}, "Move Down: 26 paragraphs changed", "Part 12"},
        {{"d"}, "paragraph 171 of 261   1Level", "Part 12"},
        {{"Tab"}, "Move Right: 13 paragraphs changed", ">    Part 12"},
        {{"BTab"}, "Move Left: 13 paragraphs changed", ">  Part 12"},
        {{"M-S-Up"}, "Nudge Up: ", "Part 12"},
        {{"C-Home"}, "nothing on", "Part 12"},
        {{"C-Space"}, "nothing on Ctrl-@ (? lists the keys)", "Part 12"},  // key code 0
        {{"/", "title", "Enter"}, "paragraph 1 of 261   Body", "Title"},  // asks again, with a pattern kept
        {{":"}, "\n  Move Right         Tools > Outlining", "New Outline        Tools > Outlining"},
    };
    start();
    for (const Case &c : cases) {
        SCOPED_TRACE(c.keys.front());
        keys(c.keys);
        std::string line = selected_line(wait_for(c.status));
        EXPECT_EQ(line.substr(line.size() - std::string(c.selected).size()), c.selected) << line;
    }
}

TEST_F(Terminal, UndoAndRedoRestoreTheDocumentByteForByte)
{
    start();
    keys({"a"});  // an alert is a page of its own, then the key help
    EXPECT_EQ(wait_for("Build 103").rfind("Lindrel\nVersion 1.0", 0), 0u);
    keys({"Enter", "?", "Up"});  // Up at the top of the page stays there
    EXPECT_EQ(wait_for("Keys  lines 1-11 of").rfind("Up                        previous paragraph", 0), 0u);
    keys({"Enter"});
    std::string original = read_file(doc);
    keys({"/", "Chapter 4.2", "Enter"});
    wait_for("paragraph 46 of");
    const char *moves[][2] = {{"Tab", "Move Right: "}, {"M-Up", "Move Up: "}, {"M-S-Right", "Nudge Right: "},
                              {"End", "paragraph 261 of"}, {"u", "Move Up: "}};
    for (auto &move : moves) {
        keys({move[0]});
        wait_for(move[1]);
    }
    std::string changed = save_as("changed.vx");
    ASSERT_NE(changed, original);
    keys({"z", "z", "z", "z"});
    wait_for("undone: Move Right");
    keys({"z"});
    wait_for("nothing to undo");
    // Back where the first command was run.
    EXPECT_NE(wait_for("paragraph 46 of").find("changed.vx [modified]"), std::string::npos);
    EXPECT_EQ(save_as("undone.vx"), original);
    keys({"w", "changed.vx", "Enter"});
    wait_for("changed.vx exists: replace it? y or n");
    keys({"n", "Z", "Z", "Z", "Z"});
    wait_for("redone: Move Up");
    EXPECT_EQ(save_as("redone.vx"), changed);
    EXPECT_EQ(read_file(doc), original);  // the opened file was never written
    EXPECT_EQ(read_file(dir.file("changed.vx")), changed);  // nor one not to be replaced
}

// Quitting with unsaved changes asks first; Ctrl-C is a key like q. The
// terminal comes back as it was, off the alternate screen. A hang-up cannot
// ask: the changes go to a file beside.
TEST_F(Terminal, EveryWayOutGivesTheTerminalBackAndKeepsTheChanges)
{
    const std::vector<std::string> cases[] = {{"q", "c", "q", "Escape", "q", "n"}, {"C-c", "y"}, {}};
    for (const auto &answers : cases) {
        SCOPED_TRACE(answers.empty() ? "hang-up" : answers.front());
        std::string original = read_file(dir.write("book.vx", long_outline()));
        start();
        keys({"Down", "Tab"});
        wait_for("[modified]");
        for (const std::string &answer : answers) {
            keys({answer});
            if (answer == "q" || answer == "C-c")
                wait_for("book.vx has unsaved changes: y save, n discard, c or Escape cancel");
        }
        if (answers.empty()) {
            tmux({"kill-server"});  // the terminal hangs up
            std::string kept = dir.file("book.vx.save");
            for (int i = 0; i < 600 && read_file(kept).empty(); ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
            EXPECT_NE(read_file(kept).find("2Level\tPart 1\n"), std::string::npos) << read_file(kept);
            continue;
        }
        wait_for("exited 0");
        EXPECT_EQ(tmux({"display", "-p", "#{alternate_on}"}).out, "0\n");
        EXPECT_EQ(read_file(dir.file("after")), read_file(dir.file("before")));
        EXPECT_EQ(read_file(doc) != original, answers.back() == "y");
        tmux({"kill-server"});
    }
}

}  // namespace
