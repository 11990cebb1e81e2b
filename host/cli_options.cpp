#include "cli_options.h"

#include "closest.h"
#include "shown_text.h"

#include <arpa/inet.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <sstream>

namespace vxhost::cli {
namespace {

const char kHead[] =
    "usage: vxhost [options] [steps] DOCUMENT\n"
    "       vxhost [options] [steps] [CLIENT [ARGS...]]\n"
    "\n"
    "Opens DOCUMENT (a .vx file), starts the outline client, prints the outline,\n"
    "runs the steps in order, prints the outline again and ends the client.\n"
    "With a program as the first operand, that program is the client and no\n"
    "document is opened.\n"
    "\n"
    "options:\n";

const char kTail[] =
    "\n"
    "Without --exit or --serve the client is sent quit at the end. vxhost exits\n"
    "with 0 when every step worked and the client ended with 0; with 1 after a\n"
    "failure (one line on standard error says which); 2 for bad arguments; 3\n"
    "from --exit-on. PROC is a host procedure's number or name (open or\n"
    "api_vx_open_1); PROC@N limits a fault to the Nth call. See docs/vxhost.md.\n";

// What parsing keeps besides the configuration.
struct State {
    std::string explicitClient;
};

struct Option {
    const char *name;
    const char *value;  // null for an option without a value
    const char *help;   // lines after the first are indented under it
    void (*set)(Config &, State &, const std::string &);
};

void add_fault(Config &c, Fault::Kind kind, const char *option, const std::string &text)
{
    try {
        c.faults.push_back(parse_fault(kind, text));
    } catch (const std::invalid_argument &e) {
        throw Failure(std::string(option) + ": " + shown(e.what()));
    }
}

const std::vector<Option> &options()
{
    static const std::vector<Option> all = {
    {"--client", "PROGRAM", "the client to start with a document (default: lindrel\nof the same build)",
     [](Config &, State &s, const std::string &v) { s.explicitClient = v; }},
    {"--templates", "DIR", "template directory, session property 89 (default: the\ndocument's directory)",
     [](Config &c, State &, const std::string &v) { c.templates = v; }},
    {"--fallback-templates", "DIR", "second template directory, property 84 (default: DIR)",
     [](Config &c, State &, const std::string &v) { c.fallbackTemplates = v; }},
    {"--script", "FILE", "run the steps of FILE (- for standard input) here:\none \"VERB ARGUMENT\" a line, "
     "# comments skipped",
     [](Config &c, State &, const std::string &v) {
         if (v == "-" && c.stepsFromInput)
             throw Failure("--script -: standard input can be read only once");
         c.stepsFromInput = c.stepsFromInput || v == "-";
         auto steps = read_script(v);
         c.steps.insert(c.steps.end(), steps.begin(), steps.end());
     }},
    {"--interactive", nullptr, "after the steps, edit the outline from the terminal",
     [](Config &c, State &, const std::string &) { c.interactive = true; }},
    {"--save", nullptr, "save the document at the end, to its own file",
     [](Config &c, State &, const std::string &) { c.saveAtEnd = true; }},
    {"--output", "FILE", "save the document at the end, to FILE",
     [](Config &c, State &, const std::string &v) {
         if (v.empty())
             throw Failure("--output needs a file name");
         c.output = v, c.saveAtEnd = true;
     }},
    {"--quiet", nullptr, "print no outline before and after",
     [](Config &c, State &, const std::string &) { c.quiet = true; }},
    {"--events", nullptr, "after each step, print what the client asked of the\nhost: display switch, redisplay, "
     "function codes,\nreturn values, notification requests, failed opens",
     [](Config &c, State &, const std::string &) { c.events = true; }},
    {"--timeout", "SECONDS", "how long to wait for the client each time (default 10)",
     [](Config &c, State &, const std::string &v) {
         check(Step{"wait", v, "--timeout"});  // the same bounds as a wait
         c.timeout = std::atof(v.c_str());
     }},
    {"--text-chunk", "N", "give paragraph text in items of at most N bytes",
     [](Config &c, State &, const std::string &v) {
         c.textChunk = static_cast<size_t>(std::max(0, integer(v, "--text-chunk")));
     }},
    {"--init", "CODE", "the client's initialization code (default 1)",
     [](Config &c, State &, const std::string &v) { c.initCode = integer(v, "--init"); }},
    {"--name", "NAME", "client name passed in VXAPIX (default: client)",
     [](Config &c, State &, const std::string &v) { c.clientName = v; }},
    {"--client-number", "N", "client number; 0 or more makes the client fork",
     [](Config &c, State &, const std::string &v) { c.clientNumber = integer(v, "--client-number"); }},
    {"--trace", nullptr, "print every call in both directions on standard error",
     [](Config &c, State &, const std::string &) { c.trace = true; }},
    {"--trace-format", "FORMAT", "text (the default) or jsonl: one JSON object a call",
     [](Config &c, State &, const std::string &v) {
         if (v != "text" && v != "jsonl")
             throw Failure("--trace-format: " + quoted(v) + " is neither text nor jsonl");
         c.traceFormat = v == "jsonl" ? Trace::Format::Jsonl : Trace::Format::Text;
         c.trace = true;
     }},
    {"--trace-file", "FILE", "write the trace to FILE instead of standard error",
     [](Config &c, State &, const std::string &v) {
         if (v.empty())
             throw Failure("--trace-file needs a file name");
         c.traceFile = v, c.trace = true;
     }},
    {"--fail", "PROC=STATUS", "answer the client's calls of PROC with STATUS",
     [](Config &c, State &, const std::string &v) { add_fault(c, Fault::Kind::Fail, "--fail", v); }},
    {"--delay", "PROC=MS", "answer the client's calls of PROC MS milliseconds late",
     [](Config &c, State &, const std::string &v) { add_fault(c, Fault::Kind::Delay, "--delay", v); }},
    {"--exit-on", "PROC", "end vxhost at once (status 3) when the client calls PROC",
     [](Config &c, State &, const std::string &v) { add_fault(c, Fault::Kind::Exit, "--exit-on", v); }},
    {"--drop-on", "PROC", "close the client's connection instead of answering PROC",
     [](Config &c, State &, const std::string &v) { add_fault(c, Fault::Kind::Drop, "--drop-on", v); }},
    {"--serve", nullptr, "keep serving after the steps, until SIGINT or SIGTERM;\nprocesses of this user may call vxhost meanwhile",
     [](Config &c, State &, const std::string &) { c.serve = true; }},
    {"--listen", "ADDR", "listen on this IPv4 address (default 127.0.0.1); beyond\nloopback, other machines may call "
     "(see docs/vxhost.md)",
     [](Config &c, State &, const std::string &v) {
         in_addr parsed{};
         if (inet_aton(v.c_str(), &parsed) == 0)
             throw Failure("--listen needs an IPv4 address, not " + quoted(v));
         c.listen = v;
     }},
    {"--print-program", nullptr, "print \"program P version V\" and \"session S version 1\"",
     [](Config &c, State &, const std::string &) { c.printProgram = true; }},
    {"--version", nullptr, "print vxhost's version",
     [](Config &c, State &, const std::string &) { c.version = true; }},
    {"--help", nullptr, "this text (also -h)",
     [](Config &c, State &, const std::string &) { c.help = true; }},
    };
    return all;
}

// "  NAME VALUE" in a column of its own, the help beside it.
void describe(std::ostream &out, const std::string &head, const std::string &help)
{
    constexpr size_t kColumn = 26;
    out << head << std::string(head.size() < kColumn ? kColumn - head.size() : 1, ' ');
    for (char c : help)
        c == '\n' ? void(out << '\n' << std::string(kColumn, ' ')) : void(out << c);
    out << '\n';
}

bool executable_file(const std::string &path)
{
    struct stat s;
    return stat(path.c_str(), &s) == 0 && S_ISREG(s.st_mode) && access(path.c_str(), X_OK) == 0;
}

// A program given as a path, or by a bare name found on PATH; never a
// document file.
bool is_program(const std::string &operand)
{
    if (operand.size() >= 3 && operand.compare(operand.size() - 3, 3, ".vx") == 0)
        return false;
    if (operand.find('/') != std::string::npos || executable_file(operand))
        return executable_file(operand);
    const char *path = std::getenv("PATH");
    std::stringstream dirs(path ? path : "");
    std::string dir;
    while (std::getline(dirs, dir, ':'))
        if (!dir.empty() && executable_file(dir + "/" + operand))
            return true;
    return false;
}

std::string directory_of(const std::string &path)
{
    size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

[[noreturn]] void unknown_option(const std::string &arg)
{
    std::vector<std::string> known = {"-h"};
    for (const Option &o : options())
        known.push_back(o.name);
    for (const Verb &v : verbs())
        known.push_back(std::string("--") + v.name);
    throw Failure("unknown option " + shown(arg) + did_you_mean(arg, known));
}

}  // namespace

std::string usage()
{
    std::ostringstream out;
    out << kHead;
    for (const Option &o : options())
        describe(out, std::string("  ") + o.name + (o.value ? std::string(" ") + o.value : ""), o.help);
    out << "\nsteps, as script lines (run Move Right) or as options with \"--\" before them\n"
           "(--run \"Move Right\"); as an option, save is --save or --output above:\n";
    for (const Verb &v : verbs())
        describe(out, std::string("  ") + v.name + (*v.usage ? " " : "") + v.usage, v.help);
    out << kTail;
    return out.str();
}

Config parse(int argc, char **argv, const std::string &defaultClient)
{
    Config c;
    State state;
    int i = 1;
    auto value = [&](const std::string &option) -> std::string {
        if (i + 1 >= argc)
            throw Failure(option + " needs a value");
        return argv[++i];
    };
    for (; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "-h") {
            c.help = true;
        } else if (arg.size() > 1 && arg[0] == '-') {
            const Option *option = nullptr;
            for (const Option &o : options())
                option = arg == o.name ? &o : option;
            const Verb *verb = arg.compare(0, 2, "--") == 0 ? find_verb(arg.substr(2)) : nullptr;
            if (option != nullptr) {
                option->set(c, state, option->value ? value(arg) : "");
            } else if (verb != nullptr) {
                Step s{verb->name, verb->argument == Argument::None ? "" : value(arg), arg};
                check(s);
                c.steps.push_back(std::move(s));
            } else {
                unknown_option(arg);
            }
        } else if (c.document.empty() && state.explicitClient.empty() && is_program(arg)) {
            // The client ends the arguments (the rest are its own); options
            // may follow a document.
            c.client = arg;
            c.clientArgs.assign(argv + i + 1, argv + argc);
            break;
        } else {
            if (!c.document.empty())
                throw Failure("one document at a time (" + quoted(arg) + " is one too many)");
            c.document = arg;
        }
    }
    if (!c.document.empty()) {
        c.client = state.explicitClient.empty() ? defaultClient : state.explicitClient;
        if (c.templates.empty())
            c.templates = directory_of(c.document);
    } else if (c.client.empty()) {
        c.client = state.explicitClient;
    }
    if (c.fallbackTemplates.empty())
        c.fallbackTemplates = c.templates;
    if (c.help || c.version)
        return c;
    if (c.saveAtEnd && c.document.empty())
        throw Failure("--save and --output need a document");
    if (c.interactive && c.document.empty())
        throw Failure("--interactive needs a document");
    if (c.interactive && c.stepsFromInput)
        throw Failure("--interactive and --script - both read standard input");
    return c;
}

}  // namespace vxhost::cli
