// The idle client watches its host: a vanished host makes it run its
// emergency entry point and end; a live one leaves it serving.
#include "runtime_fixture.h"

#include <arpa/inet.h>
#include <rpc/pmap_clnt.h>
#include <sys/prctl.h>
#include <signal.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

using lindrel_test::ClientSession;
using lindrel_test::TempDir;

namespace {

const char kClient[] = LINDREL_BINARY_DIR "/tests/clients/testclient";
const char kHost[] = LINDREL_BINARY_DIR "/host/vxhost";
const char kShortIdle[] = "LINDREL_TEST_IDLE_SECONDS=1";

// How the host vanished, and what the client had logged by then.
struct VanishCase {
    const char *name;
    std::vector<std::string> hostArgs;
    int hostStatus;
    std::vector<std::string> logged;
    std::vector<std::string> client = {kClient};
};

TEST(Liveness, ClientOfAVanishedHostRunsItsEmergencyAndExits)
{
    const VanishCase cases[] = {
        {"idle after init", {"--exit", "0"}, 0, {"emergency"}},
        // The host ends while the client waits for an answer: that call
        // fails, the command completes, and the idle check finds the host gone.
        {"mid-command", {"--exit-on", "1340", "--command", "7"}, 3, {"host -1", "command 7 end", "emergency"}},
        // A started client runs on its host's machine whatever that machine's
        // own name resolves to, so the host stays watched.
        {"machine named elsewhere",
         {"--exit", "0"},
         0,
         {"emergency"},
         {"/usr/bin/unshare", "--uts", "sh", "-c", std::string("hostname 127.0.0.2 && exec ") + kClient}},
    };
    // The client is started by a separate host process; when that ends, the
    // orphaned client comes to this process.
    prctl(PR_SET_CHILD_SUBREAPER, 1);
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        std::string log = dir.file("client.log");
        std::vector<std::string> argv = {kHost};
        argv.insert(argv.end(), c.hostArgs.begin(), c.hostArgs.end());
        argv.insert(argv.end(), c.client.begin(), c.client.end());
        auto host = lindrel_test::run_program(argv, {kShortIdle, "LINDREL_TEST_LOG=" + log});
        ASSERT_EQ(host.status, c.hostStatus) << host.err;

        // "init 0 clientno 0 pid N env P.V H.V ..."
        auto lines = lindrel_test::read_lines(log);
        ASSERT_FALSE(lines.empty());
        std::istringstream init(lines[0]);
        std::string word;
        int pid = 0;
        unsigned program = 0;
        init >> word >> word >> word >> word >> word >> pid >> word >> program;
        ASSERT_GT(pid, 0);

        auto status = lindrel_test::wait_process(pid, 15);
        if (!status) {  // still running: leave nothing behind
            kill(pid, SIGKILL);
            lindrel_test::wait_process(pid, 5);
        }
        EXPECT_EQ(status, 1);
        lines = lindrel_test::read_lines(log);
        ASSERT_GE(lines.size(), c.logged.size());
        EXPECT_EQ(std::vector<std::string>(lines.end() - static_cast<long>(c.logged.size()), lines.end()), c.logged);
        // It took its program out of the port mapper before it went.
        sockaddr_in local{};
        local.sin_family = AF_INET;
        local.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        EXPECT_EQ(pmap_getport(&local, program, 1, IPPROTO_TCP), 0);
    }
}

TEST(Liveness, ClientOfALiveHostKeepsServingThroughIdleTimeOuts)
{
    ClientSession::Options options;
    options.environment = {kShortIdle};
    ClientSession session(kClient, options);
    ASSERT_TRUE(session.start());
    session.host().serve_for(2.5);
    EXPECT_TRUE(session.host().client_running());
    EXPECT_TRUE(session.host().command(1));
    EXPECT_FALSE(session.logged("emergency"));
}

}  // namespace
