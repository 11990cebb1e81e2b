// vxhost's command line as a person and a client's tester use it: the
// outline before and after, scripts, one clear line for each way things
// fail, injected faults and the traces, and document files that are never
// lost or replaced.
#include "process.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace lindrel_test;

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
    void SetUp() override { write(doc, kPlan); }
    static void write(const std::string &path, const std::string &text, mode_t mode = 0644)
    {
        std::ofstream(path, std::ios::trunc) << text;
        chmod(path.c_str(), mode);
    }
    // vxhost, with the examples' templates unless told otherwise, so that the
    // levels are the defaults; DOC stands for the document.
    ProgramRun vxhost(const std::vector<std::string> &args, bool templates = true)
    {
        std::vector<std::string> argv = {kVxhost};
        if (templates)
            argv.insert(argv.end(), {"--templates", kExamples});
        for (const auto &a : args)
            argv.push_back(a == "DOC" ? doc : a);
        return run_program(argv);
    }
    TempDir dir;
    std::string doc = dir.file("plan.vx");
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
    EXPECT_NE(read_file(saved).find("\n3Level\tRequirements\n4Level\tInterviews\nBody\tA note\n2Level\tSchedule\n"),
              std::string::npos);
    EXPECT_EQ(read_file(doc), kPlan);  // the opened file is left alone
}

TEST_F(Cli, ScriptStepsCommentsFunctionCodesAndAlerts)
{
    std::string script = dir.file("steps.txt");
    write(script,  // saved with a byte-order mark, as some editors write
          "\xEF\xBB\xBF# Nudge the interviews up past their parent, then show it.\n"
          "\n"
          "select 3\n"
          "  run   Nudge Up  \n"
          "print\n"
          "fcode 292\n"
          "run About Lindrel...\n"
          "save\n");
    ProgramRun r = vxhost({"--quiet", "--events", "--script", script, doc});
    ASSERT_EQ(r.status, 0) << r.err;
    // The nudge up switched the display off and on, and was made visible.
    size_t shown = r.out.find("--- plan.vx");
    EXPECT_EQ(r.out.substr(0, shown),
              "event: notification 42 requested\nevent: display off\nevent: display on\n"
              "event: redisplay plan.vx\nevent: function codes 259 260\n");
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
    EXPECT_NE(read_file(doc).find("\n1Level\tPlan\n4Level\tInterviews\n2Level\tRequirements\n"), std::string::npos);
}

struct Answer {
    const char *name;
    std::vector<std::string> args;  // DOC stands for the document
    int status;
    std::string text;  // part of standard error, or of standard output after "out:"
};

// Every failure is one line on standard error (plus the pointer to --help
// after bad arguments) and a non-zero status; a run that ends well says
// nothing there.
TEST_F(Cli, EveryAnswerIsOneLineAndItsStatus)
{
    write(dir.file("bad.vx"), "@vxdoc 1\n@format 1Level\nno tab on this line\n");
    write(dir.file("typo.txt"), "select 1\nrun Move Rihgt\n");
    write(dir.file("unknown.txt"), "select 1\njump 3\n");
    std::string plain = dir.file("plain"), segv = dir.file("segv"), wrapper = dir.file("wrapper");
    write(plain, "not a program\n");
    write(segv, "#!/bin/sh\nkill -SEGV $$\n", 0755);
    write(wrapper, "#!/bin/sh\n" + kLindrel + "\nsleep 0.3\nexit 4\n", 0755);  // outlives its client
    std::string bare = dir.mkdir("bare");  // a folder without OutlineLevels.vx
    write(bare + "/plan.vx", kPlan);
    const Answer answers[] = {
        {"help", {"-h"}, 0, "out:\n  --quiet                 print no outline before and after\n"},
        {"version", {"--version"}, 0, "out:vxhost (Lindrel) "},
        {"missing document", {dir.file("none.vx")}, 1, "none.vx: No such file or directory"},
        {"malformed document", {dir.file("bad.vx")}, 1, "bad.vx:3: "},
        {"mistyped label", {"--script", dir.file("typo.txt"), "DOC"}, 1,
         "typo.txt:2: no menu command labelled \"Move Rihgt\" (did you mean \"Move Right\"?)"},
        {"unknown step", {"--script", dir.file("unknown.txt"), "DOC"}, 2, "unknown.txt:2: unknown step \"jump\""},
        {"no such paragraph", {"--select", "9", "DOC"}, 1, "--select: there is no paragraph 9 (the document has 5)"},
        {"offset outside", {"--select", "1,99", "DOC"}, 1, "offset 99 lies outside paragraph 1"},
        {"not a number", {"--fcode", "x", "DOC"}, 2, "--fcode: \"x\" is not a number"},
        {"mistyped option", {"--trce", "DOC"}, 2, "unknown option --trce (did you mean --trace?)"},
        {"mistyped procedure", {"--fail", "opne=-1", "DOC"}, 2, "unknown procedure \"opne\" (did you mean open?)"},
        {"fail without a status", {"--fail", "over=-1", "DOC"}, 2, "api_vx_over_1 (1002) answers nothing"},
        {"empty output", {"--output", "", "DOC"}, 2, "--output needs a file name"},
        {"no terminal", {"--interactive", "DOC"}, 1, "--interactive needs a terminal"},
        {"not executable", {"--client", plain, "DOC"}, 1, "cannot run the client: Permission denied"},
        {"not on PATH", {"--client", "no-such-client-here", "DOC"}, 1, "no such program on PATH"},
        {"exits at once", {"--client", "/bin/false", "DOC"}, 1, "did not start (it ended with status 1)"},
        {"killed at start", {"--client", segv, "DOC"}, 1, "(it was killed by signal SIGSEGV (Segmentation fault))"},
        {"wrapper's own status", {"--client", wrapper, "DOC"}, 1, "the client ended with status 4"},
        {"ended during a command", {"--client", kTestClient, "--command", "8", "--command", "1", "DOC"}, 1,
         "the client ended with status 0 during command 1"},
        {"no hand-over", {"--client", kTestClient, "--timeout", "1", "--command", "5", "DOC"}, 1,
         "did not hand control back within 1 second after command 5 (it made "},
        {"no function codes asked", {"--client", kTestClient, "--fcode", "285", "DOC"}, 1,
         "the client did not ask for function codes"},
        {"client without a document", {kTestClient}, 0, ""},
        {"levels from the fallback folder", {"--templates", bare, "--fallback-templates", kExamples + "/custom-levels",
                                             kExamples + "/custom-levels/novel.vx"}, 0, "out:\n    Arrival\n"},
        {"the client's own failed open", {"--events", "--quiet", bare + "/plan.vx"}, 0,
         "out:event: open failed: " + bare + "/OutlineLevels.vx: No such file or directory"},
    };
    for (const Answer &a : answers) {
        SCOPED_TRACE(a.name);
        ProgramRun r = vxhost(a.args, a.name != std::string("the client's own failed open"));
        EXPECT_EQ(r.status, a.status) << r.err;
        bool out = a.text.rfind("out:", 0) == 0;
        EXPECT_NE((out ? r.out : r.err).find(out ? a.text.substr(4) : a.text), std::string::npos) << r.out << r.err;
        EXPECT_EQ(r.err.rfind("vxhost: ", 0), a.status == 0 ? std::string::npos : 0u) << r.err;
        size_t lines = static_cast<size_t>(std::count(r.err.begin(), r.err.end(), '\n'));
        EXPECT_EQ(lines, a.status == 0 ? 0u : a.status == 2 ? 2u : 1u) << r.err;
    }
}

// What Python's json module reads in a JSON trace: one line per call,
// "name|status|outcome|note|ms", after checking that every key is there.
std::vector<std::string> json_trace(const std::string &file)
{
    ProgramRun r = run_program(
        {"python3", "-c",
         "import json, sys\n"
         "for line in open(sys.argv[1]):\n"
         "    e = json.loads(line)\n"
         "    assert {'ms', 'dir', 'proc', 'name', 'args', 'result', 'status', 'outcome'} <= e.keys(), e\n"
         "    print('|'.join(str(e.get(k, '')) for k in ('name', 'status', 'outcome', 'note', 'ms')))\n",
         file});
    EXPECT_EQ(r.status, 0) << r.err;
    std::vector<std::string> lines;
    std::istringstream in(r.out);
    for (std::string l; std::getline(in, l);)
        lines.push_back(l);
    return lines;
}

TEST_F(Cli, EachFaultStrikesItsCallSaysSoAndIsInTheJsonTrace)
{
    std::string trace = dir.file("trace.jsonl");
    const struct {
        std::vector<std::string> args;
        int status;          // -1: whatever the client makes of it
        std::string said;    // the line on standard error
        std::string traced;  // the start of the faulted call's line in the JSON trace
    } cases[] = {
        {{"--fail", "open@1=-1009"}, 0, "fault: api_vx_open_1 (1019) call 1: answered with status -1009",
         "api_vx_open_1|-1009|replied|fault: answered with status -1009|"},
        {{"--delay", "get_id@2=300"}, 0, "fault: api_vx_get_id_1 (1066) call 2: delayed by 300 ms",
         "api_vx_get_id_1|0|replied|fault: delayed by 300 ms|"},
        {{"--drop-on", "1066@3", "--timeout", "1"}, -1, "fault: api_vx_get_id_1 (1066) call 3: dropped the connection",
         "api_vx_get_id_1|None|dropped|fault: dropped the connection|"},
        {{"--exit-on", "api_vx_over_1"}, 3, "fault: api_vx_over_1 (1002) call 1: vxhost ends (status 3)", ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.said);
        std::vector<std::string> args = {"--quiet", "--trace-format", "jsonl", "--trace-file", trace};
        args.insert(args.end(), c.args.begin(), c.args.end());
        args.push_back("DOC");
        ProgramRun r = vxhost(args);
        EXPECT_TRUE(c.status < 0 || r.status == c.status) << r.status << r.err;
        EXPECT_NE(r.err.find("vxhost: " + c.said + "\n"), std::string::npos) << r.err;
        std::vector<std::string> calls = json_trace(trace);
        ASSERT_FALSE(calls.empty());
        EXPECT_EQ(calls[0].rfind("api_vx_init_ack_5_1|None|replied||", 0), 0u) << calls[0];
        if (c.traced.empty())
            continue;
        auto hit = std::find_if(calls.begin(), calls.end(), [&](const auto &l) { return l.rfind(c.traced, 0) == 0; });
        ASSERT_NE(hit, calls.end());
        auto ms = [](const std::string &l) { return std::stod(l.substr(l.rfind('|') + 1)); };
        // A delay completes after the call before it.
        EXPECT_TRUE(c.args[0] != "--delay" || ms(*hit) - ms(*(hit - 1)) >= 300.0) << *hit;
    }
}

TEST_F(Cli, TextTraceDecodesRecordsByTheirFieldNames)
{
    ProgramRun r = vxhost({"--trace", "--quiet", "DOC"});
    ASSERT_EQ(r.status, 0) << r.err;
    for (const char *line : {"host -> client  2 vx_api_init_1(initialization=1) -> ok\n",
                             "client -> host  1051 api_vx_get_named_object_1(docId=0, objType=55, "
                             "name=\"!VellixMainMenu\") -> status=0, objId=",
                             "1081 api_vx_get_text_for_range_1(docId=", ", textRange={start={objId=",
                             "-> status=0, textItems=[{offset=0, data={1, \"1Level\"}}]\n"})
        EXPECT_NE(r.err.find(line), std::string::npos) << line;
}

// A save that cannot complete leaves the file as it was, and no temporary
// file beside it.
TEST_F(Cli, DocumentFilesAreNeverLostOrReplaced)
{
    const std::pair<std::string, std::string> cases[] = {
        {"chmod 444 DOC; $H --quiet --select 2 --run 'Move Right' --save DOC",
         "plan.vx: the file is read-only, so it was not replaced\n"},
        {"ulimit -f 1; $H --quiet --save DOC", "plan.vx: File too large\n"},
    };
    for (const auto &[command, err] : cases) {
        SCOPED_TRACE(command);
        write(doc, std::string(kPlan) + "2Level\t" + std::string(4000, 'x') + "\n");
        std::string before = read_file(doc), shell = command;
        for (size_t at; (at = shell.find("DOC")) != std::string::npos;)
            shell.replace(at, 3, doc);
        ProgramRun r = run_program({"/bin/sh", "-c", "H='" + kVxhost + " --templates " + kExamples + "'; " + shell});
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err.substr(r.err.size() - std::min(r.err.size(), err.size())), err);  // the reason ends the line
        EXPECT_EQ(read_file(doc), before);
        EXPECT_EQ(dir_entries(dir.path()), std::vector<std::string>{"plan.vx"});
        chmod(doc.c_str(), 0644);
    }
}

}  // namespace
