// A stand-in host with its session service, running in a child process, so
// that the test process itself can attach to it as a client and call it.
// The child runs a script against its host and reports lines back through
// a pipe; its exit status is the script's result.
#pragma once

#include "session_service.h"

#include "vapi/runtime.h"

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace apiutil_test {

class HostProcess {
public:
    using Report = std::function<void(const std::string &)>;
    using Script = std::function<int(vxhost::Host &, vxhost::SessionService &, const Report &)>;

    HostProcess(const vxhost::SessionService::Options &options, const Script &script)
    {
        int fds[2];
        if (pipe(fds) != 0)
            return;
        std::fflush(nullptr);
        pid_ = fork();
        if (pid_ == 0) {
            close(fds[0]);
            _exit(run_child(options, script, fds[1]));
        }
        close(fds[1]);
        in_ = fds[0];
        std::string first = line(10);
        if (first.rfind("session ", 0) == 0)
            session_ = static_cast<uint32_t>(std::stoul(first.substr(8)));
    }

    ~HostProcess()
    {
        // Scripts end by themselves, taking their registrations with them;
        // only a stuck one is killed.
        int status;
        if (pid_ > 0 && !status_ && !wait(&status, 10)) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        if (in_ >= 0)
            close(in_);
    }

    HostProcess(const HostProcess &) = delete;
    HostProcess &operator=(const HostProcess &) = delete;

    // The session program, 0 when the child could not start its host.
    uint32_t session() const { return session_; }

    // Everything else the child reported, once it has ended, and its status
    // (-1 when it did not end in time).
    std::vector<std::string> finish(int *status, double seconds = 15)
    {
        std::vector<std::string> lines;
        for (std::string l; !(l = line(seconds)).empty();)
            lines.push_back(l);
        wait(status, seconds);
        return lines;
    }

private:
    static int run_child(const vxhost::SessionService::Options &options, const Script &script, int out)
    {
        Report report = [out](const std::string &text) {
            std::string l = text + "\n";
            if (write(out, l.data(), l.size()) < 0)
                _exit(97);
        };
        vxhost::Host host;
        vxhost::SessionService session(host, options);
        report("session " + std::to_string(session.program()));
        return script(host, session, report);
    }

    // The child's exit status (-1 when it did not end in time).
    bool wait(int *status, double seconds)
    {
        *status = -1;
        auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
        int raw;
        while (std::chrono::steady_clock::now() < deadline) {
            if (waitpid(pid_, &raw, WNOHANG) == pid_) {
                status_ = true;
                *status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
                return true;
            }
            usleep(10000);
        }
        return false;
    }

    // One line without its newline; "" at the end or after `seconds`.
    std::string line(double seconds)
    {
        std::string text;
        char c;
        pollfd p{in_, POLLIN, 0};
        while (poll(&p, 1, static_cast<int>(seconds * 1000)) > 0 && read(in_, &c, 1) == 1) {
            if (c == '\n')
                return text;
            text += c;
        }
        return text;
    }

    pid_t pid_ = -1;
    int in_ = -1;
    uint32_t session_ = 0;
    bool status_ = false;
};

// Serves the host's calls in this process until done() holds or the time
// is up. Stops as soon as the host has sent quit, before the liveness check
// could notice a host that then ended.
inline bool serve_until(const std::function<bool()> &done, double seconds)
{
    VdeApiSetIdleSeconds(1);
    auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (!done()) {
        if (VA_bailout || std::chrono::steady_clock::now() > deadline)
            return done();
        V_ApiService(nullptr);
    }
    return true;
}

}  // namespace apiutil_test
