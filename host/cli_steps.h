// The steps that vxhost runs on its document and client, from its command
// line (--run "Move Right") or from a script file (run Move Right).
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace vxhost::cli {

// A failure that ends vxhost with one line on standard error.
struct Failure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct Step {
    std::string verb;   // "select", "run", "fcode", ... (see verbs())
    std::string value;  // its argument, blanks around it trimmed
    std::string where;  // "FILE:LINE" or "--VERB", for messages
};

enum class Argument { None, Optional, Text, Integer, Integers, Seconds };

struct Verb {
    const char *name;
    Argument argument;
    const char *usage;  // the argument as the help shows it
    const char *help;
};

// Every step, in the order the help lists them.
const std::vector<Verb> &verbs();
const Verb *find_verb(const std::string &name);

// Checks a step's argument against its verb; throws Failure.
void check(const Step &step);
// The steps of a script file: one "VERB [ARGUMENT]" a line, blank lines and
// lines starting with "#" ignored. Throws Failure naming the file and line.
std::vector<Step> read_script(const std::string &path);

// The comma-separated integers of an argument, at most `fields` of them
// with the last one allowed to be text ("42,7,3,some text").
std::vector<std::string> fields(const std::string &value, size_t count);
int32_t integer(const std::string &text, const std::string &where);

}  // namespace vxhost::cli
