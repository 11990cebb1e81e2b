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

}  // namespace lindrel_test
