// Start-up of a real client process: the environment, forking, the
// connection, and what a failed start leaves behind.
#include "runtime_fixture.h"

#include "vapi/runtime.h"
#include "runtime_internal.h"

#include <arpa/inet.h>
#include <rpc/pmap_clnt.h>
#include <unistd.h>

#include <gtest/gtest.h>

using lindrel_test::ClientSession;
using lindrel_test::run_program;

namespace {

const char kClient[] = LINDREL_BINARY_DIR "/tests/clients/testclient";

bool registered(uint32_t program)
{
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return pmap_getport(&local, program, 1, IPPROTO_TCP) != 0;
}

TEST(StartUp, WithoutUsableEnvironmentTheClientRefusesToRun)
{
    const char *const environments[] = {
        nullptr,              // missing
        "VXAPIX=",            // empty
        "VXAPIX=1.1 2.2 3.4", // six fields, no name
        "VXAPIX=garbage",
    };
    for (const char *env : environments) {
        SCOPED_TRACE(env ? env : "(missing)");
        auto run = env ? run_program({kClient}, {env}) : run_program({kClient});
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.err, "Vellix API client \"???\": not called by a Vellix product.\n");
    }
}

TEST(StartUp, FailedConnectionIsReportedAndCleanedUp)
{
    // Nobody serves the host program: the client registers itself, cannot
    // connect, says so under its own name, and leaves no registration.
    uint32_t mine = vxhost::free_program(1), his = vxhost::free_program(1);
    struct Case {
        std::string name, shown;
    };
    const Case cases[] = {
        {"lonely", "lonely"},
        // The name buffer holds 255 characters: a longer name is cut there.
        {std::string(300, 'n'), std::string(255, 'n')},
    };
    for (const auto &c : cases) {
        std::string env = "VXAPIX=" + std::to_string(mine) + ".1 " + std::to_string(his) + ".1 " +
                          std::to_string(getpid()) + ".-1." + c.name;
        auto run = run_program({kClient}, {env});
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.err, "Vellix API client \"" + c.shown + "\": unable to create TCP client.\n");
        EXPECT_FALSE(registered(mine));
    }

    // A host that drops the acknowledgement: connected, but no contact.
    lindrel_test::TempDir dir;
    vxhost::Host host;
    host.on(1000, [](vxhost::HostCall &call) { call.reply = vxhost::HostCall::Reply::Drop; });
    vxhost::LaunchOptions launch;
    launch.program = kClient;
    launch.name = "refused";
    launch.stderrPath = dir.file("err");
    ASSERT_TRUE(host.launch(launch));
    EXPECT_EQ(host.wait_exit(10), 1);
    EXPECT_EQ(lindrel_test::read_file(dir.file("err")),
              "Vellix API client \"refused\": unable to make initial contact.\n");
    EXPECT_FALSE(registered(host.client_program()));
}

// The client number decides whether the started process forks, and what
// the client sees as its number.
struct ForkCase {
    int clientNumber;
    const char *seen;
    bool forks;
};

TEST(StartUp, ClientNumberDecidesTheFork)
{
    const ForkCase cases[] = {
        {-1, "clientno 0", false},
        {-5, "clientno 4", false},
        {0, "clientno 0", true},
        {3, "clientno 3", true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.clientNumber);
        ClientSession::Options options;
        options.clientNumber = c.clientNumber;
        ClientSession session(kClient, options);
        ASSERT_TRUE(session.start()) << session.err();
        bool found = false;
        for (const auto &line : session.log())
            found = found || line.find(c.seen) != std::string::npos;
        EXPECT_TRUE(found);
        // The started process itself has ended, with status 0, only when
        // the client runs on in a child.
        vxhost::Host &host = session.host();
        bool launcherEnded = host.serve_until(
            [&] {
                host.client_running();  // collects what has ended
                return host.launcher_status().has_value();
            },
            c.forks ? 5 : 0.2);
        EXPECT_EQ(launcherEnded, c.forks);
        if (c.forks) {
            EXPECT_EQ(*host.launcher_status(), 0);
        }
        EXPECT_TRUE(host.client_running());
        ASSERT_EQ(host.call_quit(), RPC_SUCCESS);
        EXPECT_EQ(host.wait_exit(10), 0);
        EXPECT_FALSE(registered(host.client_program()));
    }
}

TEST(StartUp, CallTimeOutIsTheClientsOwnOrSevenDays)
{
    struct Case {
        std::vector<std::string> environment;
        const char *logged;
    };
    const Case cases[] = {
        {{}, "timeout 604800 0 handle 604800 0"},  // left at 0, 0
        {{"LINDREL_TEST_CALL_SECONDS=3"}, "timeout 3 0 handle 3 0"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.logged);
        ClientSession::Options options;
        options.environment = c.environment;
        ClientSession session(kClient, options);
        ASSERT_TRUE(session.start()) << session.err();
        ASSERT_TRUE(session.host().command(10));
        EXPECT_TRUE(session.logged(c.logged));
    }
}

TEST(StartUp, ClientWrittenInCRunsOnTheLibraryDefaults)
{
    lindrel_test::TempDir dir;
    vxhost::Host host;
    vxhost::LaunchOptions launch;
    launch.program = LINDREL_BINARY_DIR "/tests/clients/cclient";
    launch.stdoutPath = dir.file("out");
    ASSERT_TRUE(host.launch(launch));
    ASSERT_TRUE(host.init(0));
    ASSERT_TRUE(host.command(3));
    ASSERT_TRUE(host.notify(42, 1, "n", 2));
    ASSERT_TRUE(host.message("ignored by default", 0, 0));
    ASSERT_TRUE(host.dialog_event(1, 2, 3));
    ASSERT_EQ(host.call_quit(), RPC_SUCCESS);
    EXPECT_EQ(host.wait_exit(10), 0);
    EXPECT_EQ(lindrel_test::read_file(dir.file("out")), "init 0\ncommand 3\nnotify 42 1 n 2\n");
}

TEST(StartUp, ClientProgramAnswersRpcinfo)
{
    ClientSession session(kClient);
    ASSERT_TRUE(session.start());
    std::string program = std::to_string(session.host().client_program());
    auto run = run_program({"rpcinfo", "-t", "127.0.0.1", program, "1"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "program " + program + " version 1 ready and waiting\n");
}

TEST(StartUp, HostNamesResolveAsTheSystemResolvesThem)
{
    sockaddr_in address;
    for (const char *local : {static_cast<const char *>(nullptr), "", "localhost"}) {
        ASSERT_EQ(hostnameToRealAddr(local, &address), 0);
        EXPECT_EQ(address.sin_addr.s_addr, htonl(INADDR_LOOPBACK));
        EXPECT_EQ(address.sin_family, AF_INET);
        EXPECT_EQ(address.sin_port, 0);
    }
    ASSERT_EQ(hostnameToRealAddr("10.1.2.3", &address), 0);
    EXPECT_STREQ(inet_ntoa(address.sin_addr), "10.1.2.3");
    EXPECT_EQ(hostnameToRealAddr("no-such-host.invalid", &address), -1);
    // This machine's own name, as the resolver library reports it.
    auto getent = run_program({"getent", "ahostsv4", thishost()});
    ASSERT_EQ(getent.status, 0);
    ASSERT_EQ(hostnameToRealAddr(thishost(), &address), 0);
    EXPECT_EQ(getent.out.substr(0, getent.out.find(' ')), inet_ntoa(address.sin_addr));
}

}  // namespace
