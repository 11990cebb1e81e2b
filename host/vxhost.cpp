// vxhost: the stand-in host's command line. Launches a client, runs a script
// of calls on it, and reports how the client ended; or simply serves.
#include "vxhost.h"
#include "generic_host.h"
#include "session_service.h"

#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

const char kUsage[] =
    "usage: vxhost [options] [actions] [CLIENT [ARGS...]]\n"
    "options:\n"
    "  --name NAME           client name passed in VXAPIX (default: client)\n"
    "  --client-number N     client number; 0 or more makes the client fork (default -1)\n"
    "  --trace               print every call in both directions on standard error\n"
    "  --serve               keep serving after the actions, until SIGINT or SIGTERM\n"
    "  --print-program       print \"program P version V\" and \"session S version 1\" at start\n"
    "actions, run in order after the client's init (2):\n"
    "  --command N           command call (3), then serve until the hand-over\n"
    "  --notify N,DOC,INT[,TEXT]  notify call (7)\n"
    "  --message TEXT[,DOC,OBJ]   message call (4)\n"
    "  --dialog D,ITEM,DETAIL     dialog event call (6)\n"
    "  --wait SECONDS        serve for a while\n"
    "  --drop                close every connection to the client\n"
    "  --exit STATUS         end the host at once, without quitting the client\n"
    "faults while the client works:\n"
    "  --exit-on PROC        end the host at once (status 3) when the client calls PROC\n"
    "  --drop-on PROC        close the client's connection instead of answering PROC\n"
    "Without --exit or --serve the client is sent quit (1) at the end, and vxhost\n"
    "exits with the client's exit status.\n";

struct Action {
    std::string name;
    std::string value;
};

volatile std::sig_atomic_t stopping = 0;
void stop(int) { stopping = 1; }

std::vector<std::string> split(const std::string &text, size_t fields)
{
    std::vector<std::string> out;
    std::stringstream in(text);
    std::string part;
    while (out.size() + 1 < fields && std::getline(in, part, ','))
        out.push_back(part);
    if (std::getline(in, part))  // the last field keeps its commas
        out.push_back(part);
    return out;
}

int number(const std::vector<std::string> &fields, size_t i, int fallback = 0)
{
    return i < fields.size() ? std::atoi(fields[i].c_str()) : fallback;
}

bool run(vxhost::Host &host, const Action &a)
{
    if (a.name == "--command")
        return host.command(std::atoi(a.value.c_str()));
    if (a.name == "--notify") {
        auto f = split(a.value, 4);
        return host.notify(number(f, 0), static_cast<uint32_t>(number(f, 1)), f.size() > 3 ? f[3] : "",
                           number(f, 2));
    }
    if (a.name == "--message") {
        auto f = split(a.value, 3);
        return host.message(f.empty() ? "" : f[0], static_cast<uint32_t>(number(f, 1)),
                            static_cast<uint32_t>(number(f, 2)));
    }
    if (a.name == "--dialog") {
        auto f = split(a.value, 3);
        return host.dialog_event(number(f, 0), number(f, 1), number(f, 2));
    }
    if (a.name == "--wait") {
        host.serve_for(std::atof(a.value.c_str()));
        return true;
    }
    if (a.name == "--drop") {
        host.drop_connection();
        return true;
    }
    if (a.name == "--exit")
        vxhost::Host::exit_abruptly(std::atoi(a.value.c_str()));
    return false;
}

}  // namespace

int main(int argc, char **argv)
{
    vxhost::LaunchOptions launch;
    vxhost::Host::Options options;
    std::vector<Action> actions;
    std::vector<std::pair<std::string, uint32_t>> faults;
    bool serve = false, printProgram = false, ending = false;
    int i = 1;
    for (; i < argc && std::strncmp(argv[i], "--", 2) == 0; ++i) {
        std::string arg = argv[i];
        bool hasValue = i + 1 < argc;
        if (arg == "--trace") {
            options.traceTo = &std::cerr;
        } else if (arg == "--serve") {
            serve = true;
        } else if (arg == "--print-program") {
            printProgram = true;
        } else if (arg == "--drop") {
            actions.push_back({arg, ""});
        } else if ((arg == "--exit-on" || arg == "--drop-on") && hasValue) {
            faults.emplace_back(arg, static_cast<uint32_t>(std::strtoul(argv[++i], nullptr, 10)));
        } else if (arg == "--name" && hasValue) {
            launch.name = argv[++i];
        } else if (arg == "--client-number" && hasValue) {
            launch.clientNumber = std::atoi(argv[++i]);
        } else if ((arg == "--command" || arg == "--notify" || arg == "--message" || arg == "--dialog" ||
                    arg == "--wait" || arg == "--exit") && hasValue) {
            actions.push_back({arg, argv[++i]});
            ending = ending || arg == "--exit";
        } else {
            std::cerr << kUsage;
            return 2;
        }
    }
    std::signal(SIGINT, stop);
    std::signal(SIGTERM, stop);
    std::signal(SIGPIPE, SIG_IGN);

    vxhost::Host host(options);
    vxhost::SessionService session(host);  // lets any process attach itself
    vxhost::generic::GenericHost generic(host);  // answers what no handler of its own does
    for (const auto &[fault, proc] : faults) {
        if (fault == "--exit-on")
            host.on(proc, [](vxhost::HostCall &) { vxhost::Host::exit_abruptly(3); });
        else
            host.on(proc, [](vxhost::HostCall &call) { call.reply = vxhost::HostCall::Reply::Drop; });
    }
    if (printProgram)
        std::cout << "program " << host.program() << " version " << host.version() << std::endl
                  << "session " << session.program() << " version 1" << std::endl;

    int status = 0;
    if (i < argc) {
        launch.program = argv[i];
        launch.args.assign(argv + i + 1, argv + argc);
        if (!host.launch(launch) || !host.init(0)) {
            std::cerr << "vxhost: the client did not start\n";
            auto exited = host.wait_exit(1);
            return exited ? *exited : 1;
        }
        for (const Action &a : actions)
            if (!run(host, a))
                std::cerr << "vxhost: " << a.name << ' ' << a.value << ": no hand-over from the client\n";
    }
    if (serve) {
        while (!stopping)
            host.serve_for(0.2);
    }
    if (i < argc && !ending) {
        if (host.client_running())
            host.call_quit();
        auto exited = host.wait_exit(30);
        if (!exited) {
            std::cerr << "vxhost: the client did not end\n";
            return 1;
        }
        std::cerr << "vxhost: client exited with status " << *exited << '\n';
        status = *exited;
    }
    return status;
}
