// Peers that do not belong or do not behave, over real loopback RPC: the test
// client under a stand-in host of this process, rpcinfo (as another user
// where it matters) as the stranger and as the judge of the port mapper.
#include "callbacks.h"
#include "session_service.h"
#include "test_client.h"

#include <linux/netlink.h>
#include <seccomp.h>
#include <signal.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <sstream>

namespace {

using namespace lindrel_test;
using Clock = std::chrono::steady_clock;

double since(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

// argv run as another user (nobody).
std::vector<std::string> asNobody(std::vector<std::string> argv)
{
    argv.insert(argv.begin(), {"setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"});
    return argv;
}

// Connects a plain socket to a program's TCP port on this machine.
int connect_to(uint32_t program)
{
    int s = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    to.sin_port = htons(static_cast<uint16_t>(tcp_port(program)));
    EXPECT_EQ(connect(s, reinterpret_cast<sockaddr *>(&to), sizeof to), 0);
    return s;
}

TEST(HostilePeers, OnlyTheirOwnCallersAreServed)
{
    enum Target { HostProgram, Session, ClientProgram };
    struct Case {
        const char *name;
        bool asNobody, sameUser;
        Target target;
        bool served;
    };
    const Case cases[] = {
        {"this user but not the client, without --serve", false, false, HostProgram, false},
        {"this user, with --serve", false, true, HostProgram, true},
        {"another user, the host's program", true, true, HostProgram, false},
        {"another user, the session service", true, true, Session, false},
        {"another user, the client's program", true, true, ClientProgram, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        if (c.asNobody && geteuid() != 0)
            GTEST_SKIP() << "needs root to become another user";
        Client rig({}, -1, c.sameUser);
        vxhost::SessionService session{rig.host};
        ASSERT_TRUE(rig.start());
        uint32_t program = c.target == HostProgram ? rig.host.program()
                           : c.target == Session   ? session.program()
                                                   : rig.host.client_program();
        std::vector<std::string> argv = {"rpcinfo", c.target == Session ? "-u" : "-t", "127.0.0.1",
                                         std::to_string(program), "1"};
        std::string out = serving(rig.host, c.asNobody ? asNobody(argv) : argv);
        EXPECT_NE(out.find(c.served ? "ready and waiting" : "Authentication error"), std::string::npos) << out;
        if (c.target != ClientProgram) {
            EXPECT_EQ(rig.host.trace().back().outcome, c.served ? "replied" : "refused");
        }
        // The client the host started is served all along.
        EXPECT_TRUE(rig.host.command(7));
        EXPECT_EQ(rig.last(), "command 7 end");
    }
}

// Listening on this machine's own address, not loopback, a caller from that
// address is still of this machine: another user is refused there too.
TEST(HostilePeers, AnotherUserIsRefusedThroughThisMachinesOwnAddress)
{
    std::string address;  // the first of this machine's own addresses, as hostname lists them
    std::istringstream(run_program({"hostname", "-I"}).out) >> address;
    if (address.find('.') == std::string::npos || address.rfind("127.", 0) == 0)
        address.clear();
    if (address.empty() || geteuid() != 0)
        GTEST_SKIP() << "needs an address besides loopback, and root to become another user";
    vxhost::Host::Options options = Client::hostOptions(true);
    options.listen = address;
    vxhost::Host host(options);
    std::string out = serving(host, asNobody({"rpcinfo", "-t", address, std::to_string(host.program()), "1"}));
    EXPECT_NE(out.find("Authentication error"), std::string::npos) << address;
}

// Without the kernel's socket diagnostics, callers are found in /proc/net;
// a caller on an IPv6 socket is there under its IPv4-mapped address. A
// refused caller's connection is closed.
TEST(HostilePeers, WithoutSocketDiagnosticsCallersAreStillTold)
{
    const std::string nullCallOverIPv6 =
        "import socket, struct, sys\n"
        "s = socket.create_connection(('::ffff:127.0.0.1', int(sys.argv[1])), timeout=5)\n"
        "s.sendall(struct.pack('>11I', 0x80000028, 1, 0, 2, int(sys.argv[2]), 1, 0, 0, 0, 0, 0))\n"
        "if struct.unpack('>4I', s.recv(1024)[:16])[3] == 0: print('accepted')\n"
        "elif s.recv(64) == b'': print('refused and closed')\n";
    if (geteuid() != 0)
        GTEST_SKIP() << "needs root to become another user";
    auto told = [&] {
        scmp_filter_ctx filter = seccomp_init(SCMP_ACT_ALLOW);
        seccomp_rule_add(filter, SCMP_ACT_ERRNO(EPROTONOSUPPORT), SCMP_SYS(socket), 2,
                         SCMP_A0(SCMP_CMP_EQ, AF_NETLINK), SCMP_A2(SCMP_CMP_EQ, NETLINK_SOCK_DIAG));
        vxhost::Host host(Client::hostOptions(true));
        std::vector<std::string> call = {"/usr/bin/python3", "-c", nullCallOverIPv6, std::to_string(tcp_port(host.program())),
                                         std::to_string(host.program())};
        return seccomp_load(filter) == 0 && serving(host, call) == "accepted\n" &&
               serving(host, asNobody(call)) == "refused and closed\n";
    };
    EXPECT_EXIT(_exit(told() ? 0 : 1), testing::ExitedWithCode(0), "");
}

TEST(HostilePeers, HalfARecordHoldsUpNobody)
{
    for (bool toClient : {true, false}) {
        SCOPED_TRACE(toClient ? "the client's program" : "the host's program");
        Client rig;
        ASSERT_TRUE(rig.start());
        int s = connect_to(toClient ? rig.host.client_program() : rig.host.program());
        // A record of 40 bytes, of which 20 come.
        char half[24] = {'\x80', 0, 0, 40};
        ASSERT_EQ(write(s, half, sizeof half), static_cast<ssize_t>(sizeof half));
        rig.host.serve_for(0.2);
        auto start = Clock::now();
        EXPECT_TRUE(rig.host.command(7));  // the client calls the host in turn
        EXPECT_LT(since(start), 3);
        EXPECT_EQ(rig.log().at(rig.log().size() - 2), "host 0");
        close(s);
    }
}

TEST(HostilePeers, TheClientEndsWhenAskedEvenWhileItWaitsForTheHost)
{
    struct Case {
        int signal;
        const char *name;
        bool inHostCall;
    };
    for (const auto &c : {Case{SIGTERM, "TERM", true}, Case{SIGINT, "INT", true}, Case{SIGHUP, "HUP", false}}) {
        SCOPED_TRACE(c.name);
        Client rig;
        ASSERT_TRUE(rig.start());
        rig.host.on(1340, [](vxhost::HostCall &call) { call.reply = vxhost::HostCall::Reply::None; });
        if (c.inHostCall) {  // the host stays silent: the client waits for it
            ASSERT_EQ(rig.host.call_command(7), RPC_SUCCESS);
            rig.host.serve_until([&] { return rig.last() == "command 7"; }, 5);
            rig.host.serve_for(0.2);
        }
        uint32_t program = rig.host.client_program();
        auto start = Clock::now();
        kill(rig.host.client_pid(), c.signal);
        EXPECT_EQ(rig.host.wait_exit(5), 1);
        EXPECT_LT(since(start), 1.5);
        EXPECT_EQ(rig.err(),
                  std::string("Vellix API client \"testclient\": ended by SIG") + c.name + ".\n");
        std::string out = serving(rig.host, {"rpcinfo", "-t", "127.0.0.1", std::to_string(program), "1"});
        EXPECT_NE(out.find("Program not registered"), std::string::npos) << out;
    }
}

TEST(HostilePeers, AnEnvironmentThatWouldMakeTheClientCallItselfIsRefused)
{
    std::string program = std::to_string(vxhost::free_program(1));
    const std::pair<std::string, std::string> cases[] = {
        {program + ".1 " + program + ".1 1.-1.x", "the client's RPC program is the host's own"},
        {"4294967296.1 " + program + ".1 1.-1.x", "VXAPIX holds a number out of range"},
        {program + ".1 -1.1 1.-1.x", "VXAPIX holds a number out of range"},
    };
    for (const auto &[vxapix, text] : cases) {
        SCOPED_TRACE(vxapix);
        auto run = run_program({kTestClient}, {"VXAPIX=" + vxapix});
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.err, "Vellix API client \"x\": " + text + ".\n");
    }
    EXPECT_EQ(tcp_port(static_cast<uint32_t>(std::stoul(program))), 0);  // nothing of them is left in the port mapper
}

TEST(HostilePeers, TheFilterNotificationStaysWithinTheBlockLimit)
{
    const size_t big = 16 << 20;
    const std::pair<std::string, std::string> cases[] = {
        {std::string(big, '\x1e'), "filter -1 0"},  // sixteen million pieces: past the limit, none
        {std::string(big, 'a'), "filter " + std::to_string(big) + " 0"},
        {"a\x1e\x1e\x1e\x1e\x1e\x1e\x1e", "filter 1 2"},
    };
    Client rig;
    ASSERT_TRUE(rig.start());
    for (const auto &[text, logged] : cases) {
        SCOPED_TRACE(logged);
        ASSERT_TRUE(rig.host.notify(75, 1, text, 0));
        std::string line = rig.log().at(rig.log().size() - 1);
        EXPECT_EQ(line.substr(0, line.find(" peak")), logged);
#ifndef __SANITIZE_ADDRESS__  // its quarantine keeps what was freed
        EXPECT_LT(std::stol(line.substr(line.find("peak") + 5)), 250 * 1024) << "kB at the peak";
#endif
    }
}

TEST(HostilePeers, AtTheDescriptorLimitTheClientWaitsInsteadOfSpinning)
{
    Client rig;
    ASSERT_TRUE(rig.start());
    auto cpu = [pid = rig.host.client_pid()] {  // seconds the client has run
        double ns = 0;
        std::ifstream("/proc/" + std::to_string(pid) + "/schedstat") >> ns;
        return ns / 1e9;
    };
    ASSERT_TRUE(rig.host.command(11));  // every descriptor taken
    int waiting = connect_to(rig.host.client_program());
    double before = cpu();
    rig.host.serve_for(1);
    EXPECT_LT(cpu() - before, 0.2);
    ASSERT_TRUE(rig.host.command(12));
    // With descriptors free again, the waiting connection and a new one are served.
    std::string program = std::to_string(rig.host.client_program());
    EXPECT_NE(serving(rig.host, {"rpcinfo", "-t", "127.0.0.1", program, "1"}).find("ready and waiting"), std::string::npos);
    close(waiting);
}

}  // namespace
