// vxhost's command line: what to open, which client to start, which steps to
// run, and how.
#pragma once

#include "cli_steps.h"
#include "faults.h"
#include "trace.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vxhost::cli {

struct Config {
    std::string document;                // empty: no document
    std::string client;                  // empty: no client
    std::vector<std::string> clientArgs;
    std::string clientName = "client";
    int clientNumber = -1;
    int32_t initCode = 1;
    std::string templates;               // session 89; default: the document's directory
    std::string fallbackTemplates;       // session 84; default: the same as 89
    double timeout = 10;                 // seconds to wait for the client each time
    size_t textChunk = 0;                // deliver paragraph text in items of this size
    std::string listen = "127.0.0.1";    // where the host's program and session listen
    bool serve = false, printProgram = false, quiet = false, interactive = false;
    bool events = false;                 // show what the client asked of the host, step by step
    bool saveAtEnd = false;              // --save or --output: after the steps and the terminal
    std::string output;                  // where to (empty: the document's own file)
    std::vector<Step> steps;             // in command-line order, scripts inlined
    bool stepsFromInput = false;         // --script -
    bool trace = false;                  // --trace, --trace-format or --trace-file
    Trace::Format traceFormat = Trace::Format::Text;
    std::string traceFile;               // empty: standard error
    std::vector<Fault> faults;
    bool help = false, version = false;
};

// The help text of `vxhost --help`.
std::string usage();

// Reads the arguments. A first operand that is an executable program (and
// not a document) is the client, with the operands after it as its
// arguments; otherwise it is the document and the client is `defaultClient`
// unless --client names another. Throws Failure on bad arguments.
Config parse(int argc, char **argv, const std::string &defaultClient);

}  // namespace vxhost::cli
