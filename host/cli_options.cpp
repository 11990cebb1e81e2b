#include "cli_options.h"

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
    "options:\n"
    "  --client PROGRAM       the client to start with a document (default: lindrel\n"
    "                         of the same build)\n"
    "  --templates DIR        template directory, session property 89 (default: the\n"
    "                         document's directory)\n"
    "  --fallback-templates DIR  second template directory, property 84 (default: DIR)\n"
    "  --script FILE          run the steps of FILE here: one \"VERB ARGUMENT\" a line,\n"
    "                         blank lines and lines starting with # skipped\n"
    "  --interactive          after the steps, edit the outline from the terminal\n"
    "  --save                 save the document at the end, to its own file\n"
    "  --output FILE          save the document at the end, to FILE\n"
    "  --quiet                print no outline before and after\n"
    "  --events               after each step, print what the client asked of the\n"
    "                         host: display switch, redisplay, function codes,\n"
    "                         return values, notification requests\n"
    "  --timeout SECONDS      how long to wait for the client each time (default 10)\n"
    "  --text-chunk N         give paragraph text in items of at most N bytes\n"
    "  --init CODE            the client's initialization code (default 1)\n"
    "  --name NAME            client name passed in VXAPIX (default: client)\n"
    "  --client-number N      client number; 0 or more makes the client fork\n"
    "  --trace                print every call in both directions on standard error\n"
    "  --serve                keep serving after the steps, until SIGINT or SIGTERM;\n"
    "                         processes of this user may call vxhost meanwhile\n"
    "  --listen ADDR          listen on this IPv4 address (default 127.0.0.1); beyond\n"
    "                         loopback, other machines may call (see docs/vxhost.md)\n"
    "  --print-program        print \"program P version V\" and \"session S version 1\"\n"
    "  --exit-on PROC         end vxhost at once (status 3) when the client calls PROC\n"
    "  --drop-on PROC         close the client's connection instead of answering PROC\n"
    "  --help                 this text\n"
    "\n"
    "steps, as script lines (run Move Right) or as options with \"--\" before them\n"
    "(--run \"Move Right\"); as an option, save is --save or --output above:\n";

const char kTail[] =
    "\n"
    "Without --exit or --serve the client is sent quit at the end. vxhost exits\n"
    "with 0 when every step worked and the client ended with 0; with 1 after a\n"
    "failure (one line on standard error says which); 2 for bad arguments.\n"
    "See docs/vxhost.md.\n";

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

std::string address(const std::string &text, const std::string &option)
{
    in_addr parsed{};
    if (inet_aton(text.c_str(), &parsed) == 0)
        throw Failure(option + " needs an IPv4 address, not \"" + text + "\"");
    return text;
}

std::string directory_of(const std::string &path)
{
    size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

std::string usage()
{
    std::ostringstream out;
    out << kHead;
    for (const Verb &v : verbs()) {
        std::string head = std::string("  ") + v.name + (*v.usage ? " " : "") + v.usage;
        out << head << std::string(head.size() < 26 ? 26 - head.size() : 1, ' ') << v.help << '\n';
    }
    out << kTail;
    return out.str();
}

Config parse(int argc, char **argv, const std::string &defaultClient)
{
    Config c;
    std::string explicitClient;
    int i = 1;
    auto value = [&](const std::string &option) -> std::string {
        if (i + 1 >= argc)
            throw Failure(option + " needs a value");
        return argv[++i];
    };
    for (; i < argc; ++i) {
        std::string arg = argv[i];
        // Operands: the client ends the arguments (the rest are its own);
        // options may follow a document.
        if (arg.compare(0, 2, "--") != 0) {
            if (c.document.empty() && explicitClient.empty() && is_program(arg)) {
                c.client = arg;
                c.clientArgs.assign(argv + i + 1, argv + argc);
                break;
            }
            if (!c.document.empty())
                throw Failure("one document at a time (\"" + arg + "\" is one too many)");
            c.document = arg;
        } else if (arg == "--help") c.help = true;
        else if (arg == "--trace") c.trace = true;
        else if (arg == "--serve") c.serve = true;
        else if (arg == "--print-program") c.printProgram = true;
        else if (arg == "--quiet") c.quiet = true;
        else if (arg == "--events") c.events = true;
        else if (arg == "--interactive") c.interactive = true;
        else if (arg == "--save") c.saveAtEnd = true;
        else if (arg == "--output") c.output = value(arg), c.saveAtEnd = true;
        else if (arg == "--client") explicitClient = value(arg);
        else if (arg == "--listen") c.listen = address(value(arg), arg);
        else if (arg == "--templates") c.templates = value(arg);
        else if (arg == "--fallback-templates") c.fallbackTemplates = value(arg);
        else if (arg == "--name") c.clientName = value(arg);
        else if (arg == "--client-number") c.clientNumber = integer(value(arg), arg);
        else if (arg == "--init") c.initCode = integer(value(arg), arg);
        else if (arg == "--text-chunk") c.textChunk = static_cast<size_t>(std::max(0, integer(value(arg), arg)));
        else if (arg == "--timeout") {
            Step s{"wait", value(arg), arg};  // the same bounds as a wait
            check(s);
            c.timeout = std::atof(s.value.c_str());
        } else if (arg == "--exit-on" || arg == "--drop-on") {
            c.faults.emplace_back(arg, static_cast<uint32_t>(integer(value(arg), arg)));
        } else if (arg == "--script") {
            auto steps = read_script(value(arg));
            c.steps.insert(c.steps.end(), steps.begin(), steps.end());
        } else if (const Verb *verb = find_verb(arg.substr(2))) {
            Step s{verb->name, verb->argument == Argument::None ? "" : value(arg), arg};
            check(s);
            c.steps.push_back(std::move(s));
        } else {
            throw Failure("unknown option " + arg);
        }
    }
    if (!c.document.empty()) {
        c.client = explicitClient.empty() ? defaultClient : explicitClient;
        if (c.templates.empty())
            c.templates = directory_of(c.document);
    } else if (c.client.empty()) {
        c.client = explicitClient;
    }
    if (c.fallbackTemplates.empty())
        c.fallbackTemplates = c.templates;
    if (c.saveAtEnd && c.document.empty())
        throw Failure("--save and --output need a document");
    if (c.interactive && c.document.empty())
        throw Failure("--interactive needs a document");
    return c;
}

}  // namespace vxhost::cli
