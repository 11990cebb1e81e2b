// The vxhost command line as a person uses it: the outline before and after,
// scripts, and one clear line for each way things fail.
#include "docfile.h"
#include "process.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <string>
#include <vector>

namespace {

using namespace lindrel_test;
const std::string kHost = kVxhost;

const char kPlan[] =
    "@vxdoc 1\n"
    "@format 1Level\n@format 2Level\n@format 3Level\n@format 4Level\n@format Body\n"
    "1Level\tPlan\n"
    "2Level\tRequirements\n"
    "3Level\tInterviews\n"
    "Body\tA note\n"
    "2Level\tSchedule\n";

class Cli : public ::testing::Test {
protected:
    void SetUp() override
    {
        doc = dir.file("plan.vx");
        write(doc, kPlan);
    }
    void write(const std::string &path, const std::string &text) { std::ofstream(path) << text; }
    // vxhost with the examples' templates, so that the levels are the defaults.
    ProgramRun vxhost(std::vector<std::string> args)
    {
        args.insert(args.begin(), {kHost, "--templates", kExamples});
        return run_program(args);
    }
    TempDir dir;
    std::string doc;
};

TEST_F(Cli, OutlineBeforeAndAfterACommandAndTheSavedFile)
{
    std::string saved = dir.file("out.vx");
    ProgramRun r = vxhost({"--select", "2,3", "--run", "Move Right", "--output", saved, doc});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out,
              "--- before: plan.vx\n"
              "  Plan\n"
              ">   Requirements\n"
              "      Interviews\n"
              "  [Body] A note\n"
              "    Schedule\n"
              "--- after: plan.vx\n"
              "  Plan\n"
              ">     Requirements\n"
              "        Interviews\n"
              "  [Body] A note\n"
              "    Schedule\n");
    vxhost::DocContent content;
    std::string why;
    ASSERT_EQ(vxhost::loadDocument(saved, content, why), 0) << why;
    ASSERT_EQ(content.paras.size(), 5u);
    EXPECT_EQ(content.paras[1].tag, "3Level");
    EXPECT_EQ(content.paras[2].tag, "4Level");
    EXPECT_EQ(content.paras[3].tag, "Body");
    EXPECT_EQ(content.paras[4].tag, "2Level");
    EXPECT_EQ(read_file(doc), kPlan);  // the opened file is left alone
}

TEST_F(Cli, ScriptStepsCommentsFunctionCodesAndAlerts)
{
    std::string script = dir.file("steps.txt");
    write(script,
          "# Nudge the interviews up past their parent, then show it.\n"
          "\n"
          "select 3\n"
          "  run   Nudge Up  \n"
          "print\n"
          "fcode 292\n"
          "run About Lindrel...\n"
          "save\n");
    ProgramRun r = vxhost({"--quiet", "--events", "--script", script, doc});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.substr(0, r.out.find("event: display off")), "event: notification 42 requested\n");
    // The nudge up switched the display off and on, and was made visible.
    size_t shown = r.out.find("--- plan.vx");
    EXPECT_EQ(r.out.substr(r.out.find("event: display off"), shown - r.out.find("event: display off")),
              "event: display off\nevent: display on\nevent: redisplay plan.vx\nevent: function codes 259 260\n");
    EXPECT_NE(r.out.find("event: return value -10001\n"), std::string::npos);
    EXPECT_EQ(r.out.substr(shown, r.out.find("event", shown) - shown),
              "--- plan.vx\n"
              "  Plan\n"
              ">     Interviews\n"
              "    Requirements\n"
              "  [Body] A note\n"
              "    Schedule\n");
    EXPECT_NE(r.out.find("alert: Lindrel \n       Version 1.0  Build 103 \n"), std::string::npos) << r.out;
    // Saved to its own file: Nudge Right (292) deepened the interviews.
    vxhost::DocContent content;
    std::string why;
    ASSERT_EQ(vxhost::loadDocument(doc, content, why), 0) << why;
    EXPECT_EQ(content.paras[1].text, "Interviews");
    EXPECT_EQ(content.paras[1].tag, "4Level");
}

struct FailureCase {
    const char *name;
    std::vector<std::string> args;  // DOC stands for the test's document
    int status;
    std::string message;  // part of the one line on standard error
};

TEST_F(Cli, EveryFailureIsOneLineAndANonZeroStatus)
{
    write(dir.file("bad.vx"), "@vxdoc 1\n@format 1Level\nno tab on this line\n");
    write(dir.file("typo.txt"), "select 1\nrun Move Rihgt\n");
    write(dir.file("unknown.txt"), "select 1\njump 3\n");
    // A client whose process ends with a status of its own after quit.
    std::string failing = dir.file("failing-client");
    write(failing, "#!/bin/sh\n" + kTestClient + "\nexit 2\n");
    chmod(failing.c_str(), 0755);
    const FailureCase cases[] = {
        {"missing document", {dir.file("none.vx")}, 1, "none.vx: No such file or directory"},
        {"malformed document", {dir.file("bad.vx")}, 1, "bad.vx:3: "},
        {"unknown label", {"--script", dir.file("typo.txt"), "DOC"}, 1,
         "typo.txt:2: no menu command labelled \"Move Rihgt\""},
        {"unknown step", {"--script", dir.file("unknown.txt"), "DOC"}, 2, "unknown.txt:2: unknown step \"jump\""},
        {"no such paragraph", {"--select", "9", "DOC"}, 1, "--select: there is no paragraph 9 (the document has 5)"},
        {"offset outside", {"--select", "1,99", "DOC"}, 1, "offset 99 lies outside paragraph 1"},
        {"not a number", {"--fcode", "x", "DOC"}, 2, "--fcode: \"x\" is not a number"},
        {"client that cannot run", {"--client", dir.file("nothing"), "DOC"}, 1, "cannot run the client"},
        {"client that exits at once", {"--client", "/bin/false", "DOC"}, 1,
         "did not start (it ended with status 1)"},
        {"client that has ended", {"--client", kTestClient, "--command", "8", "--command", "1", "DOC"}, 1,
         "the client ended with status 0 during command 1"},
        {"client that never hands back", {"--client", kTestClient, "--timeout", "1", "--command", "5", "DOC"}, 1,
         "did not hand control back within 1 second after command 5"},
        {"client without function codes", {"--client", kTestClient, "--fcode", "285", "DOC"}, 1,
         "the client did not ask for function codes"},
        {"client that ends with a failure", {"--client", failing, "DOC"}, 1, "the client ended with status 2"},
        {"terminal mode without a terminal", {"--interactive", "DOC"}, 1, "--interactive needs a terminal"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> args = {"--quiet"};
        for (const auto &a : c.args)
            args.push_back(a == "DOC" ? doc : a);
        ProgramRun r = vxhost(args);
        EXPECT_EQ(r.status, c.status);
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_EQ(r.err.rfind("vxhost: ", 0), 0u) << r.err;
        // One line, plus the pointer to the help after bad arguments.
        size_t lines = static_cast<size_t>(std::count(r.err.begin(), r.err.end(), '\n'));
        EXPECT_EQ(lines, c.status == 2 ? 2u : 1u) << r.err;
    }
}

}  // namespace
