// The test process as the client of a stand-in host that runs in a child
// process, attached through the host's session service: the host answers
// through its generic store and whatever the test scripted before starting
// it, and streams its trace back, so that a test can check what went over
// the wire.
#pragma once

#include "generic_host.h"
#include "session_service.h"
#include "vapi/runtime.h"
#include "vapi/session.h"
#include "vxhost.h"

#include <poll.h>
#include <rpc/pmap_clnt.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace api_test {

// One call the host received, as its trace shows it.
struct Call {
    std::string stub;
    std::string args;  // wire order: integers in decimal, strings quoted, "" as 0
    std::string outcome;
};

class HostChild {
public:
    using Setup = std::function<void(vxhost::Host &, vxhost::generic::GenericHost &)>;

    // Without `trace` the host keeps its trace to itself (for long runs:
    // nobody reads the pipe then).
    explicit HostChild(const Setup &setup = {}, bool trace = true)
    {
        signal(SIGPIPE, SIG_IGN);  // a dropped connection must fail the call, not end the test
        int traceFd[2], ready[2];
        if (pipe(traceFd) != 0 || pipe(ready) != 0)
            return;
        pid_ = fork();
        if (pid_ == 0) {
            close(traceFd[0]);
            close(ready[0]);
            serve(setup, trace ? traceFd[1] : -1, ready[1]);
        }
        close(traceFd[1]);
        close(ready[1]);
        trace_ = traceFd[0];
        uint32_t programs[2] = {0, 0};
        if (pid_ > 0 && wait_readable(ready[0], 5000) && read(ready[0], programs, 8) == 8 && programs[0] != 0) {
            program_ = programs[0];
            session_ = programs[1];
            VA_TimeOut = {5, 0};  // a host that hangs fails the test instead
            attached_ = V_ApiConnectToSession("apitest", nullptr, session_) == 0;
        }
        close(ready[0]);
    }

    ~HostChild()
    {
        V_ApiShutDown();
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        // The host was killed: its registrations are left to remove.
        if (program_ != 0)
            pmap_unset(program_, 1);
        if (session_ != 0)
            pmap_unset(session_, 1);
        if (trace_ >= 0)
            close(trace_);
    }
    HostChild(const HostChild &) = delete;
    HostChild &operator=(const HostChild &) = delete;

    bool attached() const { return attached_; }

    // The host's calls up to and including the next one of `stub` (all that
    // arrive within a few seconds when it never comes).
    std::vector<Call> calls_until(const std::string &stub)
    {
        std::vector<Call> out;
        auto end = std::chrono::steady_clock::now() + std::chrono::seconds(3);
        while (std::chrono::steady_clock::now() < end) {
            size_t nl;
            while ((nl = pending_.find('\n')) != std::string::npos) {
                Call c = parse(pending_.substr(0, nl));
                pending_.erase(0, nl + 1);
                out.push_back(c);
                if (c.stub == stub)
                    return out;
            }
            if (!wait_readable(trace_, 100))
                continue;
            char buf[4096];
            ssize_t n = read(trace_, buf, sizeof buf);
            if (n <= 0)
                break;
            pending_.append(buf, static_cast<size_t>(n));
        }
        return out;
    }

    // The arguments of the next call of `stub`; "(no call)" when none came.
    std::string args_of(const std::string &stub)
    {
        std::vector<Call> calls = calls_until(stub);
        return !calls.empty() && calls.back().stub == stub ? calls.back().args : "(no call)";
    }

private:
    // Writes the trace to the parent, one line per call.
    class PipeBuf : public std::streambuf {
    public:
        explicit PipeBuf(int fd) : fd_(fd) {}

    protected:
        int overflow(int c) override
        {
            char ch = static_cast<char>(c);
            return c == EOF || write(fd_, &ch, 1) == 1 ? c : EOF;
        }
        std::streamsize xsputn(const char *s, std::streamsize n) override { return write(fd_, s, n); }

    private:
        int fd_;
    };

    [[noreturn]] static void serve(const Setup &setup, int traceFd, int readyFd)
    {
        uint32_t programs[2] = {0, 0};
        try {
            PipeBuf buf(traceFd);
            std::ostream trace(&buf);
            vxhost::Host::Options options;
            if (traceFd >= 0)  // the arguments in wire order, for exact comparison
                options.traceSink = [&trace](const vxhost::TraceEntry &e) {
                    trace << e.name << '(' << e.arguments << "): " << e.outcome << std::endl;
                };
            vxhost::Host host(options);
            vxhost::SessionService::Options attach;
            attach.initOnAttach = false;  // the test serves no callbacks unless it asks for them
            vxhost::SessionService session(host, attach);
            vxhost::generic::GenericHost generic(host);
            if (setup)
                setup(host, generic);
            programs[0] = host.program();
            programs[1] = session.program();
            if (write(readyFd, programs, 8) != 8)
                _exit(1);
            host.serve_until([] { return false; }, 60);
        } catch (...) {
            if (programs[0] == 0 && write(readyFd, programs, 8) != 8)
                _exit(1);
        }
        _exit(0);
    }

    static bool wait_readable(int fd, int milliseconds)
    {
        pollfd p{fd, POLLIN, 0};
        return poll(&p, 1, milliseconds) > 0;
    }

    // "NAME(ARGS): OUTCOME"
    static Call parse(const std::string &line)
    {
        Call c;
        size_t open = line.find('('), close = line.rfind("): ");
        if (open == std::string::npos || close == std::string::npos || close < open)
            return c;
        size_t start = line.rfind(' ', open);
        c.stub = line.substr(start + 1, open - start - 1);
        c.args = line.substr(open + 1, close - open - 1);
        c.outcome = line.substr(close + 3);
        return c;
    }

    pid_t pid_ = -1;
    uint32_t program_ = 0, session_ = 0;
    int trace_ = -1;
    bool attached_ = false;
    std::string pending_;
};

}  // namespace api_test
