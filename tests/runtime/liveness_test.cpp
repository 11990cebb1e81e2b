// The idle client watches its host: a vanished host makes it run its
// emergency entry point and end; a live one leaves it serving.
#include "runtime_fixture.h"

#include <arpa/inet.h>
#include <rpc/pmap_clnt.h>
#include <sys/prctl.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

using lindrel_test::ClientSession;
using lindrel_test::TempDir;

namespace {

const char kClient[] = LINDREL_BINARY_DIR "/tests/clients/testclient";
const char kHost[] = LINDREL_BINARY_DIR "/host/vxhost";
const char kShortIdle[] = "LINDREL_TEST_IDLE_SECONDS=1";

TEST(Liveness, ClientOfAVanishedHostRunsItsEmergencyAndExits)
{
    // The client is started by a separate host process that ends abruptly
    // after init; the orphaned client comes to this process.
    prctl(PR_SET_CHILD_SUBREAPER, 1);
    TempDir dir;
    std::string log = dir.file("client.log");
    auto host = lindrel_test::run_program({kHost, "--exit", "0", kClient},
                                          {kShortIdle, "LINDREL_TEST_LOG=" + log});
    ASSERT_EQ(host.status, 0) << host.err;

    // "init 0 clientno 0 pid N env P.V H.V ..."
    auto lines = lindrel_test::read_lines(log);
    ASSERT_FALSE(lines.empty());
    std::istringstream init(lines[0]);
    std::string word;
    int pid = 0;
    unsigned program = 0;
    init >> word >> word >> word >> word >> word >> pid >> word >> program;
    ASSERT_GT(pid, 0);

    EXPECT_EQ(lindrel_test::wait_process(pid, 15), 1);
    lines = lindrel_test::read_lines(log);
    EXPECT_EQ(lines.back(), "emergency");
    // It took its program out of the port mapper before it went.
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    EXPECT_EQ(pmap_getport(&local, program, 1, IPPROTO_TCP), 0);
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
