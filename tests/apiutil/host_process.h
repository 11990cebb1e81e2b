// A stand-in host with its session service in a child process, so that the
// test process itself can attach to it as a client. The child runs a script
// against its host, reports lines back through a pipe and exits with the
// script's result.
#pragma once

#include "session_service.h"

#include "vapi/runtime.h"
#include "runtime_internal.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace apiutil_test {

inline bool before(std::chrono::steady_clock::time_point deadline)
{
    return std::chrono::steady_clock::now() < deadline;
}

inline std::chrono::steady_clock::time_point in(double seconds)
{
    return std::chrono::steady_clock::now() +
           std::chrono::duration_cast<std::chrono::steady_clock::duration>(std::chrono::duration<double>(seconds));
}

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
            Report report = [fd = fds[1]](const std::string &text) {
                std::string line = text + "\n";
                if (write(fd, line.data(), line.size()) < 0)
                    _exit(97);
            };
            int status;
            {  // the host and its session unregister when they go
                vxhost::Host host;
                vxhost::SessionService session(host, options);
                report(std::to_string(session.program()));
                status = script(host, session, report);
            }
            _exit(status);
        }
        close(fds[1]);
        from_ = fdopen(fds[0], "r");
        auto first = lines(1);
        session_ = first.empty() ? 0 : static_cast<uint32_t>(std::stoul(first[0]));
    }

    // A script ends by itself and takes its registrations with it; only a
    // stuck one is killed.
    ~HostProcess()
    {
        int status;
        if (pid_ > 0 && !finished_ && !wait(&status)) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        if (from_ != nullptr)
            fclose(from_);
    }

    uint32_t session() const { return session_; }

    // The rest of the child's report once it has ended; its status in
    // *status (-1 when it did not end in time).
    std::vector<std::string> finish(int *status)
    {
        auto rest = lines(1000);
        wait(status);
        return rest;
    }

private:
    bool wait(int *status)
    {
        *status = -1;
        for (auto deadline = in(15); before(deadline); usleep(10000)) {
            int raw;
            if (waitpid(pid_, &raw, WNOHANG) == pid_) {
                finished_ = true;
                *status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
                return true;
            }
        }
        return false;
    }

    // Up to `count` lines, fewer at the end of the report.
    std::vector<std::string> lines(size_t count)
    {
        std::vector<std::string> out;
        char buffer[4096];
        while (from_ != nullptr && out.size() < count && fgets(buffer, sizeof buffer, from_) != nullptr)
            out.emplace_back(buffer, strcspn(buffer, "\n"));
        return out;
    }

    pid_t pid_ = -1;
    FILE *from_ = nullptr;
    uint32_t session_ = 0;
    bool finished_ = false;
};

// Serves the host's calls in this process until done() holds or the time is
// up; stops once the host has sent quit, before the liveness check could
// notice a host that then ended.
inline bool serve_until(const std::function<bool()> &done, double seconds = 20)
{
    VdeApiSetIdleSeconds(1);
    for (auto deadline = in(seconds); !done(); V_ApiService(nullptr))
        if (VA_bailout || !before(deadline))
            return done();
    return true;
}

}  // namespace apiutil_test
