// A client under a host: the stand-in host with its session service runs in
// a child process, and the test process is its client, attached through the
// session service as any process may attach. The host answers through its
// generic store and whatever the test set up before it started; it streams
// its trace back, so that a test can check what went over the wire.
// Alternatively the child runs a script against its host and exits with the
// script's result, reporting lines back.
#pragma once

#include "generic_host.h"
#include "session_service.h"
#include "vxhost.h"

#include <sys/types.h>

#include "vapi/runtime.h"
#include "vapi/session.h"

#include <poll.h>
#include <rpc/pmap_clnt.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>

#include <functional>
#include <string>
#include <vector>

namespace lindrel_test {

// One call the host received, as its trace shows it.
struct Call {
    std::string stub;
    std::string args;  // wire order: integers in decimal, strings quoted
    std::string outcome;
};

class HostChild {
public:
    using Setup = std::function<void(vxhost::Host &, vxhost::generic::GenericHost &)>;
    using Report = std::function<void(const std::string &)>;
    using Script = std::function<int(vxhost::Host &, vxhost::SessionService &, const Report &)>;
    struct Options {
        Setup setup = {};
        // Without a script the host serves until it is killed, and this
        // process attaches to it at once (its init is not called).
        Script script = {};
        vxhost::SessionService::Options session = {};
        bool trace = true;  // off for long runs: nobody reads the pipe then
    };

    explicit HostChild(const Setup &setup = {}) : HostChild(Options{setup}) {}
    explicit HostChild(Options options);
    ~HostChild();
    HostChild(const HostChild &) = delete;
    HostChild &operator=(const HostChild &) = delete;

    bool attached() const { return attached_; }
    uint32_t session() const { return session_; }

    // The host's calls up to and including the next one of `stub` (all that
    // arrive within a few seconds when it never comes).
    std::vector<Call> calls_until(const std::string &stub);
    // The arguments of the next call of `stub`; "(no call)" when none came.
    std::string args_of(const std::string &stub);
    // A script's reports once it has ended; its status in *status (-1 when
    // it did not end in time).
    std::vector<std::string> finish(int *status);

private:
    bool line(std::string &out, double seconds);
    bool wait(int *status, double seconds);

    pid_t pid_ = -1;
    uint32_t program_ = 0, session_ = 0;
    int from_ = -1;
    bool attached_ = false, finished_ = false, scripted_ = false;
    std::string pending_;
    std::vector<std::string> reports_;
};

// ---- implementation ----
namespace detail {

[[noreturn]] inline void serve(const HostChild::Options &options, int out, int ready)
{
    uint32_t programs[2] = {0, 0};
    int status = 0;
    FILE *stream = fdopen(out, "w");
    try {
        vxhost::Host::Options hostOptions;
        if (options.trace)  // the arguments in wire order, for exact comparison
            hostOptions.traceSink = [stream](const vxhost::TraceEntry &e) {
                std::fprintf(stream, "%s\t%s\t%s\n", e.name.c_str(), e.arguments.c_str(), e.outcome.c_str());
                std::fflush(stream);
            };
        vxhost::Host host(hostOptions);
        vxhost::SessionService session(host, options.session);
        vxhost::generic::GenericHost generic(host);
        if (options.setup)
            options.setup(host, generic);
        programs[0] = host.program();
        programs[1] = session.program();
        if (write(ready, programs, 8) != 8)
            _exit(1);
        if (options.script)
            status = options.script(host, session, [stream](const std::string &text) {
                std::fprintf(stream, "| %s\n", text.c_str());
                std::fflush(stream);
            });
        else
            host.serve_until([] { return false; }, 60);
    } catch (...) {
        if (programs[0] == 0 && write(ready, programs, 8) != 8)
            _exit(1);
    }
    _exit(status);
}

inline bool readable(int fd, int milliseconds)
{
    pollfd p{fd, POLLIN, 0};
    return poll(&p, 1, milliseconds) > 0;
}

}  // namespace detail

inline HostChild::HostChild(Options options) : scripted_(bool(options.script))
{
    signal(SIGPIPE, SIG_IGN);  // a dropped connection must fail the call, not end the test
    if (!scripted_)
        options.session.initOnAttach = false;  // the test serves no callbacks unless it asks
    int out[2], ready[2];
    if (pipe(out) != 0 || pipe(ready) != 0)
        return;
    std::fflush(nullptr);
    pid_ = fork();
    if (pid_ == 0) {
        close(out[0]);
        close(ready[0]);
        detail::serve(options, out[1], ready[1]);
    }
    close(out[1]);
    close(ready[1]);
    from_ = out[0];
    uint32_t programs[2] = {0, 0};
    if (pid_ > 0 && detail::readable(ready[0], 5000) && read(ready[0], programs, 8) == 8 && programs[0] != 0) {
        program_ = programs[0];
        session_ = programs[1];
        VA_TimeOut = {5, 0};  // a host that hangs fails the test instead
        if (!scripted_)
            attached_ = V_ApiConnectToSession("apitest", nullptr, session_) == 0;
    }
    close(ready[0]);
}

inline HostChild::~HostChild()
{
    V_ApiShutDown();
    int status;
    if (pid_ > 0 && !finished_ && !(scripted_ && wait(&status, 15))) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
        // Killed: its registrations are left to remove.
        pmap_unset(program_, 1);
        pmap_unset(session_, 1);
    }
    if (from_ >= 0)
        close(from_);
}

// The next line from the child, reports set aside; false at its end or
// when none comes in time.
inline bool HostChild::line(std::string &out, double seconds)
{
    auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    for (;;) {
        size_t nl = pending_.find('\n');
        if (nl != std::string::npos) {
            out = pending_.substr(0, nl);
            pending_.erase(0, nl + 1);
            if (out.rfind("| ", 0) != 0)
                return true;
            reports_.push_back(out.substr(2));
            continue;
        }
        if (std::chrono::steady_clock::now() >= end)
            return false;
        if (!detail::readable(from_, 50))
            continue;
        char buf[4096];
        ssize_t n = read(from_, buf, sizeof buf);
        if (n <= 0)
            return false;
        pending_.append(buf, static_cast<size_t>(n));
    }
}

inline std::vector<Call> HostChild::calls_until(const std::string &stub)
{
    std::vector<Call> out;
    for (std::string text; line(text, 3);) {
        size_t tab = text.find('\t'), last = text.rfind('\t');
        if (tab == last)
            continue;
        out.push_back({text.substr(0, tab), text.substr(tab + 1, last - tab - 1), text.substr(last + 1)});
        if (out.back().stub == stub)
            break;
    }
    return out;
}

inline std::string HostChild::args_of(const std::string &stub)
{
    std::vector<Call> calls = calls_until(stub);
    return !calls.empty() && calls.back().stub == stub ? calls.back().args : "(no call)";
}

inline std::vector<std::string> HostChild::finish(int *status)
{
    for (std::string text; line(text, 15);) {
    }
    wait(status, 15);
    return reports_;
}

inline bool HostChild::wait(int *status, double seconds)
{
    *status = -1;
    auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    for (int raw; std::chrono::steady_clock::now() < end; usleep(10000))
        if (waitpid(pid_, &raw, WNOHANG) == pid_) {
            *status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
            return finished_ = true;
        }
    return false;
}

}  // namespace lindrel_test
