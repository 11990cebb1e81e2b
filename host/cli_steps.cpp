#include "cli_steps.h"

#include "closest.h"
#include "shown_text.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <climits>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>

namespace vxhost::cli {

const std::vector<Verb> &verbs()
{
    static const std::vector<Verb> all = {
    {"select", Argument::Integers, "P[,OFFSET]", "put the insertion point in paragraph P (from 1) at OFFSET"},
    {"run", Argument::Text, "LABEL", "run the client's menu command of that label, e.g. \"Move Right\""},
    {"fcode", Argument::Integer, "N", "report function code N to the client (notification 42)"},
    {"print", Argument::None, "", "print the outline of the active document"},
    {"save", Argument::Optional, "[FILE]", "save the active document (to FILE, or to its own file)"},
    {"command", Argument::Integer, "N", "call the client's command N"},
    {"notify", Argument::Integers, "N,DOC,INT[,TEXT]", "call the client's notify with these arguments"},
    {"message", Argument::Text, "TEXT[,DOC,OBJ]", "call the client's message entry"},
    {"dialog", Argument::Integers, "D,ITEM,DETAIL", "send the client a dialog event"},
    {"wait", Argument::Seconds, "SECONDS", "serve the client for a while"},
    {"drop", Argument::None, "", "close every connection to the client"},
    {"exit", Argument::Integer, "STATUS", "end vxhost at once, leaving the client to itself"},
    };
    return all;
}

const Verb *find_verb(const std::string &name)
{
    for (const Verb &v : verbs())
        if (name == v.name)
            return &v;
    return nullptr;
}

std::vector<std::string> fields(const std::string &value, size_t count)
{
    std::vector<std::string> out;
    std::stringstream in(value);
    std::string part;
    while (out.size() + 1 < count && std::getline(in, part, ','))
        out.push_back(part);
    if (std::getline(in, part))  // the last field keeps its commas
        out.push_back(part);
    return out;
}

int32_t integer(const std::string &text, const std::string &where)
{
    errno = 0;
    char *end = nullptr;
    long v = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || errno != 0 || v < INT32_MIN || v > INT32_MAX)
        throw Failure(where + ": " + quoted(text) + " is not a number");
    return static_cast<int32_t>(v);
}

void check(const Step &step)
{
    const Verb *verb = find_verb(step.verb);
    if (verb == nullptr) {
        std::vector<std::string> names;
        for (const Verb &v : verbs())
            names.push_back(v.name);
        throw Failure(step.where + ": unknown step " + quoted(step.verb) + did_you_mean(step.verb, names, quoted));
    }
    const std::string &v = step.value;
    switch (verb->argument) {
    case Argument::None:
        if (!v.empty())
            throw Failure(step.where + ": " + step.verb + " takes no argument");
        break;
    case Argument::Optional: break;
    case Argument::Text:
        if (v.empty())
            throw Failure(step.where + ": " + step.verb + " needs " + verb->usage);
        break;
    case Argument::Integer: integer(v, step.where); break;
    case Argument::Integers: {
        // notify's last field is text; the others are all numbers.
        size_t numbers = step.verb == "notify" ? 3 : step.verb == "dialog" ? 3 : 2;
        auto parts = fields(v, step.verb == "notify" ? 4 : numbers);
        if (parts.empty() || (step.verb != "select" && parts.size() < numbers))
            throw Failure(step.where + ": " + step.verb + " needs " + verb->usage);
        for (size_t i = 0; i < parts.size() && i < numbers; ++i)
            integer(parts[i], step.where);
        break;
    }
    case Argument::Seconds: {
        char *end = nullptr;
        double s = std::strtod(v.c_str(), &end);
        if (v.empty() || *end != '\0' || !(s >= 0 && s <= 3600))
            throw Failure(step.where + ": " + quoted(v) + " is not a number of seconds (0 to 3600)");
        break;
    }
    }
}

namespace {

std::string trim(const std::string &s)
{
    size_t a = s.find_first_not_of(" \t\r"), b = s.find_last_not_of(" \t\r");
    return a == std::string::npos ? "" : s.substr(a, b - a + 1);
}

}  // namespace

std::vector<Step> read_script(const std::string &path)
{
    // "-" is standard input.
    std::ifstream file;
    struct stat st;
    errno = 0;
    if (path != "-" && stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
        errno = EISDIR;
    else if (path != "-")
        file.open(path);
    std::istream &in = path == "-" ? std::cin : file;
    std::string name = path == "-" ? "stdin" : shown(path);
    if (!in || errno == EISDIR)
        throw Failure(name + ": cannot read the script" + (errno ? std::string(": ") + std::strerror(errno) : ""));
    std::vector<Step> steps;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (number == 1 && line.compare(0, 3, "\xEF\xBB\xBF") == 0)
            line.erase(0, 3);  // a byte-order mark, as some editors write
        line = trim(line);
        if (line.empty() || line[0] == '#')
            continue;
        size_t blank = line.find_first_of(" \t");
        Step step{line.substr(0, blank), blank == std::string::npos ? "" : trim(line.substr(blank)),
                  name + ":" + std::to_string(number)};
        check(step);
        steps.push_back(std::move(step));
    }
    if (in.bad())
        throw Failure(name + ": read error");
    return steps;
}

}  // namespace vxhost::cli
