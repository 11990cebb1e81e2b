// Helpers for tests that run real client processes against the stand-in
// host: a private temporary directory, a running host with the test client
// launched, and plain program runs with their standard error captured.
#pragma once

#include "vxhost.h"

#include <sys/types.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace lindrel_test {

// A directory of its own under TMPDIR, removed with everything in it.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir &) = delete;
    TempDir &operator=(const TempDir &) = delete;
    const std::string &path() const { return path_; }
    std::string file(const std::string &name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

std::string read_file(const std::string &path);
std::vector<std::string> read_lines(const std::string &path);

// The test client under a host of this process. Its entry points write to
// log(); its standard error goes to err().
class ClientSession {
public:
    struct Options {
        int clientNumber = -1;
        std::string name = "testclient";
        std::vector<std::string> environment;
        double callSeconds = 5;
    };

    explicit ClientSession(const std::string &clientProgram);
    ClientSession(const std::string &clientProgram, const Options &options);

    // Launches the client and runs init (2) with its hand-over.
    bool start();

    vxhost::Host &host() { return *host_; }
    std::vector<std::string> log() const { return read_lines(dir_.file("client.log")); }
    std::string err() const { return read_file(dir_.file("client.err")); }
    bool logged(const std::string &line) const;
    // Calls of a host procedure in the trace.
    int calls_to_host(uint32_t proc) const;
    // Host procedure numbers called by the client, in order.
    std::vector<uint32_t> host_calls() const;

private:
    TempDir dir_;
    std::string program_;
    Options options_;
    std::unique_ptr<vxhost::Host> host_;
};

struct ProgramRun {
    int status = -1;  // exit status, 128 + signal for a signal
    std::string out, err;
};

// Runs a program to its end with the given environment (the test's own,
// without "VXAPIX", plus `environment`).
ProgramRun run_program(const std::vector<std::string> &argv, const std::vector<std::string> &environment = {});

// Waits for a child or adopted orphan to end; its status or nothing.
std::optional<int> wait_process(pid_t pid, double seconds);

}  // namespace lindrel_test
