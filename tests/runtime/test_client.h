// The test client (tests/clients/testclient.cpp) under a stand-in host of
// this process: its entry points log to a file, its commands exercise the
// runtime.
#pragma once

#include "host_with_client.h"

#include <arpa/inet.h>
#include <rpc/pmap_clnt.h>

#include <algorithm>
#include <chrono>
#include <future>
#include <string>
#include <vector>

namespace lindrel_test {

// Runs argv to its end while `host` serves; its output streams.
inline std::string serving(vxhost::Host &host, const std::vector<std::string> &argv)
{
    auto run = std::async(std::launch::async, [&] { return run_program(argv); });
    host.serve_until([&] { return run.wait_for(std::chrono::seconds(0)) == std::future_status::ready; }, 40);
    ProgramRun done = run.get();
    return done.out + done.err;
}

struct Client : HostWithClient {
    explicit Client(std::vector<std::string> environment = {}, int clientNumber = -1, bool sameUser = true)
        : HostWithClient(Options{kExamples, hostOptions(sameUser), environment, clientNumber, "testclient"})
    {
    }
    static vxhost::Host::Options hostOptions(bool sameUser)
    {
        vxhost::Host::Options o;
        o.callSeconds = 5;
        o.sameUser = sameUser;
        return o;
    }
    bool start() { return HostWithClient::start(kTestClient, 0); }
    bool begins(const std::string &prefix) const
    {
        auto lines = log();
        return std::any_of(lines.begin(), lines.end(), [&](const std::string &l) { return l.rfind(prefix, 0) == 0; });
    }
    std::string last() const { return log().empty() ? "" : log().back(); }
};

// The TCP port the port mapper gives for a program of this machine; 0 for none.
inline int tcp_port(uint32_t program)
{
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return pmap_getport(&local, program, 1, IPPROTO_TCP);
}

}  // namespace lindrel_test
