// vxhost as the bench on which a client is tested: its command line answers,
// injected faults and the JSON trace (read back by Python's json module),
// how the client's end is reported, and document files that must never be
// lost or replaced.
#include "proctable.h"
#include "record_text.h"
#include "process.h"

#include <gtest/gtest.h>

#include <dirent.h>
#include <sys/stat.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using lindrel_test::ProgramRun;
using lindrel_test::read_file;

const std::string kHost = LINDREL_BINARY_DIR "/host/vxhost";
const std::string kLindrel = LINDREL_BINARY_DIR "/outline/lindrel";
const std::string kTestClient = LINDREL_BINARY_DIR "/tests/clients/testclient";
const std::string kExamples = LINDREL_SOURCE_DIR "/examples";

const char kPlan[] =
    "@vxdoc 1\n@format 1Level\n@format 2Level\n@format 3Level\n"
    "1Level\tPlan\n2Level\tRequirements\n3Level\tInterviews\n2Level\tSchedule\n";

class Bench : public ::testing::Test {
protected:
    void SetUp() override { write(doc, kPlan); }
    static void write(const std::string &path, const std::string &text, mode_t mode = 0644)
    {
        std::ofstream(path, std::ios::trunc) << text;
        chmod(path.c_str(), mode);
    }
    // vxhost with the examples' level template; DOC stands for the document.
    ProgramRun vxhost(const std::vector<std::string> &args, bool templates = true)
    {
        std::vector<std::string> argv = {kHost};
        if (templates)
            argv.insert(argv.end(), {"--templates", kExamples});
        for (const auto &a : args)
            argv.push_back(a == "DOC" ? doc : a);
        return lindrel_test::run_program(argv);
    }
    // The files of the test's directory (a save leaves no temporary file).
    std::vector<std::string> files() const
    {
        std::vector<std::string> names;
        DIR *d = opendir(dir.path().c_str());
        while (dirent *e = d ? readdir(d) : nullptr)
            if (e->d_name[0] != '.')
                names.push_back(e->d_name);
        if (d)
            closedir(d);
        std::sort(names.begin(), names.end());
        return names;
    }
    lindrel_test::TempDir dir;
    std::string doc = dir.file("plan.vx");
};

struct Answer {
    const char *name;
    std::vector<std::string> args;
    int status;
    std::string text;  // part of standard error, or of standard output after "out:"
};

// Every answer is one line (plus the pointer to --help for bad arguments);
// a run that ends well says nothing on standard error.
TEST_F(Bench, CommandLineAnswersAndTheClientsEnd)
{
    std::string plain = dir.file("plain"), segv = dir.file("segv"), wrapper = dir.file("wrapper");
    write(plain, "not a program\n");
    write(segv, "#!/bin/sh\nkill -SEGV $$\n", 0755);
    write(wrapper, "#!/bin/sh\n" + kLindrel + "\nsleep 0.3\nexit 4\n", 0755);  // outlives its client
    std::string bare = dir.file("bare");  // a folder without OutlineLevels.vx
    mkdir(bare.c_str(), 0755);
    write(bare + "/plan.vx", kPlan);
    const Answer answers[] = {
        {"help", {"-h"}, 0, "out:usage: vxhost"},
        {"version", {"--version"}, 0, "out:vxhost (Lindrel) "},
        {"mistyped option", {"--trce", "DOC"}, 2, "unknown option --trce (did you mean --trace?)"},
        {"mistyped procedure", {"--fail", "opne=-1", "DOC"}, 2, "unknown procedure \"opne\" (did you mean open?)"},
        {"fail without a status", {"--fail", "over=-1", "DOC"}, 2, "api_vx_over_1 (1002) answers nothing"},
        {"call number 0", {"--drop-on", "open@0", "DOC"}, 2, "\"0\" is not a call number"},
        {"empty output", {"--output", "", "DOC"}, 2, "--output needs a file name"},
        {"stdin twice", {"--script", "-", "--interactive", "DOC"}, 2, "both read standard input"},
        {"mistyped label", {"--run", "Move Rihgt", "DOC"}, 1,
         "no menu command labelled \"Move Rihgt\" (did you mean \"Move Right\"?)"},
        {"not executable", {"--client", plain, "DOC"}, 1, "cannot run the client: Permission denied"},
        {"not on PATH", {"--client", "no-such-client-here", "DOC"}, 1, "no such program on PATH"},
        {"killed at start", {"--client", segv, "DOC"}, 1, "(it was killed by signal SIGSEGV (Segmentation fault))"},
        {"wrapper's own status", {"--client", wrapper, "DOC"}, 1, "the client ended with status 4"},
        {"no hand-over", {"--client", kTestClient, "--timeout", "1", "--command", "5", "DOC"}, 1,
         "host calls meanwhile; --timeout raises the limit)"},
        {"client without a document", {kTestClient}, 0, ""},
        {"the client's own failed open", {"--events", "--quiet", bare + "/plan.vx"}, 0,
         "out:event: open failed: " + bare + "/OutlineLevels.vx: No such file or directory"},
    };
    for (const Answer &a : answers) {
        SCOPED_TRACE(a.name);
        ProgramRun r = vxhost(a.args, a.name != std::string("the client's own failed open"));
        EXPECT_EQ(r.status, a.status) << r.err;
        bool out = a.text.rfind("out:", 0) == 0;
        EXPECT_NE((out ? r.out : r.err).find(out ? a.text.substr(4) : a.text), std::string::npos) << r.out << r.err;
        size_t lines = static_cast<size_t>(std::count(r.err.begin(), r.err.end(), '\n'));
        EXPECT_EQ(lines, a.status == 0 ? 0u : a.status == 2 ? 2u : 1u) << r.err;
    }
}

// What Python's json module reads in a JSON trace: one line per call,
// "name|status|outcome|note|ms", after checking that every key is there.
std::vector<std::string> json_trace(const std::string &file)
{
    ProgramRun r = lindrel_test::run_program(
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

struct FaultCase {
    std::vector<std::string> args;
    int status;            // -1: whatever the client makes of it
    std::string said;      // the line on standard error
    std::string traced;    // the start of the faulted call's line in the JSON trace
};

TEST_F(Bench, EachFaultStrikesItsCallSaysSoAndIsInTheJsonTrace)
{
    std::string trace = dir.file("trace.jsonl");
    const FaultCase cases[] = {
        {{"--fail", "open@1=-1009"}, 0, "fault: api_vx_open_1 (1019) call 1: answered with status -1009",
         "api_vx_open_1|-1009|replied|fault: answered with status -1009|"},
        {{"--delay", "get_id@2=300"}, 0, "fault: api_vx_get_id_1 (1066) call 2: delayed by 300 ms",
         "api_vx_get_id_1|0|replied|fault: delayed by 300 ms|"},
        {{"--drop-on", "1066@3", "--timeout", "1"}, -1, "fault: api_vx_get_id_1 (1066) call 3: dropped the connection",
         "api_vx_get_id_1|None|dropped|fault: dropped the connection|"},
        {{"--exit-on", "api_vx_over_1"}, 3, "fault: api_vx_over_1 (1002) call 1: vxhost ends (status 3)", ""},
    };
    for (const FaultCase &c : cases) {
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
        if (c.args[0] == "--delay") {  // it completed the delay after the call before it
            EXPECT_GE(ms(*hit) - ms(*(hit - 1)), 300.0);
        }
    }
}

TEST_F(Bench, TextTraceDecodesEveryRecordByItsFieldNames)
{
    ProgramRun r = vxhost({"--trace", "--quiet", "DOC"});
    ASSERT_EQ(r.status, 0) << r.err;
    for (const char *line : {"host -> client  2 vx_api_init_1(initialization=1) -> ok\n",
                             "client -> host  1051 api_vx_get_named_object_1(docId=0, objType=55, "
                             "name=\"!VellixMainMenu\") -> status=0, objId=",
                             "1081 api_vx_get_text_for_range_1(docId=", ", textRange={start={objId=",
                             "-> status=0, textItems=[{offset=0, data={1, \"1Level\"}}]\n"})
        EXPECT_NE(r.err.find(line), std::string::npos) << line;
    // Every record of the procedure table has its field names.
    for (uint32_t i = 0; i < api_proc_count; ++i) {
        std::vector<char> zero(std::max(api_procs[i].argSize, api_procs[i].resSize));
        for (const char *type : {api_procs[i].argType, api_procs[i].resType}) {
            std::string text = vxhost::record_text(type, zero.data());
            bool record = std::string(type) != "int" && std::string(type) != "void" && std::string(type) != "StringT";
            EXPECT_EQ(record, text.find('=') != std::string::npos) << api_procs[i].stubName << ": " << text;
        }
    }
}

TEST_F(Bench, DocumentFilesAreNeverLostReplacedOrShownRaw)
{
    std::string big = std::string(kPlan) + "2Level\t" + std::string(4000, 'x') + "\n";
    std::string odd = dir.file("odd.vx");
    write(odd, "@vxdoc 1\n@bad\x1b[2J\n");
    // An editor's leftovers: a byte-order mark, blanks at line ends, an
    // indented comment.
    std::string loose = dir.file("loose.vx");
    write(loose, "\xEF\xBB\xBF@vxdoc 1 \n  # a note\n@format 1Level  \n1Level\tLoose\t588=1  \n");
    struct {
        const char *name;
        std::string shell;  // run by /bin/sh; $H is vxhost with the templates
        int status;
        std::string err;
    } cases[] = {
        {"read-only", "chmod 444 DOC; $H --quiet --select 2 --run 'Move Right' --save DOC", 1,
         "plan.vx: the file is read-only, so it was not replaced\n"},
        {"file size limit", "ulimit -f 1; $H --quiet --save DOC", 1, "plan.vx: File too large\n"},
        {"control bytes", "$H " + odd, 1, "odd.vx:2: unknown directive '@bad\\x1b[2J'\n"},
        {"loose lines", "$H --select 1 " + loose, 0, ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        write(doc, c.name == std::string("file size limit") ? big : kPlan);
        std::string before = read_file(doc), shell = c.shell;
        for (size_t at; (at = shell.find("DOC")) != std::string::npos;)
            shell.replace(at, 3, doc);
        ProgramRun r = lindrel_test::run_program({"/bin/sh", "-c", "H='" + kHost + " --templates " + kExamples + "'; " + shell});
        EXPECT_EQ(r.status, c.status);
        // The one line ends with the reason; a run that worked says nothing.
        EXPECT_EQ(c.err.empty() ? r.err : r.err.substr(r.err.size() - std::min(r.err.size(), c.err.size())), c.err);
        EXPECT_EQ(read_file(doc), before);
        EXPECT_EQ(files(), (std::vector<std::string>{"loose.vx", "odd.vx", "plan.vx"}));
        EXPECT_TRUE(c.status != 0 || r.out.find("> Loose\n") != std::string::npos) << r.out;
        chmod(doc.c_str(), 0644);
    }
}

}  // namespace
