// Peers that do not belong or do not behave, over real loopback RPC: the test
// client under a stand-in host of this process, rpcinfo (as another user
// where it matters) as the stranger and as the judge of the port mapper.
#include "callbacks.h"
#include "process.h"
#include "session_service.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <rpc/pmap_clnt.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <sstream>

using lindrel_test::read_file;
using lindrel_test::TempDir;

namespace {

const char kClient[] = LINDREL_BINARY_DIR "/tests/clients/testclient";
using Clock = std::chrono::steady_clock;

double since(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

// Starts argv with both its output streams in the file `out`.
pid_t spawn(const std::vector<std::string> &argv, const std::string &out, const std::vector<std::string> &env = {})
{
    std::vector<char *> args;
    for (const auto &a : argv)
        args.push_back(const_cast<char *>(a.c_str()));
    args.push_back(nullptr);
    pid_t pid = fork();
    if (pid == 0) {
        int fd = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(fd, STDOUT_FILENO);
        dup2(fd, STDERR_FILENO);
        for (const auto &e : env)
            putenv(const_cast<char *>(e.c_str()));
        execvp(args[0], args.data());
        _exit(127);
    }
    return pid;
}

// The test client launched and initialised by a host of this process, with
// its session service beside it.
struct Rig {
    TempDir dir;
    vxhost::Host host;
    vxhost::SessionService session{host};
    bool started = false;

    explicit Rig(bool sameUser = true, const std::vector<std::string> &env = {}) : host(options(sameUser))
    {
        vxhost::LaunchOptions launch;
        launch.program = kClient;
        launch.name = "testclient";
        launch.environment = env;
        launch.environment.push_back("LINDREL_TEST_LOG=" + dir.file("log"));
        launch.stderrPath = dir.file("err");
        started = host.launch(launch) && host.init(0);
    }
    static vxhost::Host::Options options(bool sameUser)
    {
        vxhost::Host::Options o;
        o.sameUser = sameUser;
        return o;
    }
    std::vector<std::string> log() const { return lindrel_test::read_lines(dir.file("log")); }
    std::string last() const { return log().empty() ? "" : log().back(); }

    // Runs argv to its end while the host serves; its output.
    std::string run(const std::vector<std::string> &argv)
    {
        pid_t pid = spawn(argv, dir.file("out"));
        bool ended = host.serve_until([&] { return waitpid(pid, nullptr, WNOHANG) == pid; }, 20);
        if (!ended) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
        return read_file(dir.file("out"));
    }
    int port(uint32_t program, int protocol) const
    {
        sockaddr_in local{};
        local.sin_family = AF_INET;
        local.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        return pmap_getport(&local, program, 1, static_cast<u_int>(protocol));
    }
    int connect_to(uint32_t program) const
    {
        int s = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in to{};
        to.sin_family = AF_INET;
        to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        to.sin_port = htons(static_cast<uint16_t>(port(program, IPPROTO_TCP)));
        EXPECT_EQ(connect(s, reinterpret_cast<sockaddr *>(&to), sizeof to), 0);
        return s;
    }
};

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
        Rig rig(c.sameUser);
        ASSERT_TRUE(rig.started);
        uint32_t program = c.target == HostProgram ? rig.host.program()
                           : c.target == Session   ? rig.session.program()
                                                   : rig.host.client_program();
        std::vector<std::string> argv = {"rpcinfo", c.target == Session ? "-u" : "-t", "127.0.0.1",
                                         std::to_string(program), "1"};
        if (c.asNobody)
            argv.insert(argv.begin(), {"setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"});
        std::string out = rig.run(argv);
        EXPECT_NE(out.find(c.served ? "ready and waiting" : "Authentication error"), std::string::npos) << out;
        if (c.target != ClientProgram) {
            EXPECT_EQ(rig.host.trace().back().outcome, c.served ? "replied" : "refused");
        }
        // The client the host started is served all along.
        EXPECT_TRUE(rig.host.command(7));
        EXPECT_EQ(rig.last(), "command 7 end");
    }
}

TEST(HostilePeers, HalfARecordHoldsUpNobody)
{
    for (bool toClient : {true, false}) {
        SCOPED_TRACE(toClient ? "the client's program" : "the host's program");
        Rig rig;
        ASSERT_TRUE(rig.started);
        int s = rig.connect_to(toClient ? rig.host.client_program() : rig.host.program());
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
        Rig rig;
        ASSERT_TRUE(rig.started);
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
        EXPECT_EQ(read_file(rig.dir.file("err")),
                  std::string("Vellix API client \"testclient\": ended by SIG") + c.name + ".\n");
        EXPECT_EQ(rig.run({"rpcinfo", "-p"}).find(" " + std::to_string(program) + " "), std::string::npos);
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
        auto run = lindrel_test::run_program({kClient}, {"VXAPIX=" + vxapix});
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.err, "Vellix API client \"x\": " + text + ".\n");
    }
    Rig none;  // nothing of the refused clients is left in the port mapper
    EXPECT_EQ(none.port(static_cast<uint32_t>(std::stoul(program)), IPPROTO_TCP), 0);
}

TEST(HostilePeers, TheFilterNotificationStaysWithinTheBlockLimit)
{
    const size_t big = 16 << 20;
    const std::pair<std::string, std::string> cases[] = {
        {std::string(big, '\x1e'), "filter -1 0"},  // sixteen million pieces: past the limit, none
        {std::string(big, 'a'), "filter " + std::to_string(big) + " 0"},
        {"a\x1e\x1e\x1e\x1e\x1e\x1e\x1e", "filter 1 2"},
    };
    Rig rig;
    ASSERT_TRUE(rig.started);
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
    Rig rig;
    ASSERT_TRUE(rig.started);
    auto cpu = [pid = rig.host.client_pid()] {  // seconds the client has run
        std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
        std::string line((std::istreambuf_iterator<char>(stat)), {});
        std::istringstream fields(line.substr(line.rfind(')') + 2));
        std::string skip;
        long user = 0, system = 0;
        for (int i = 0; i < 11; ++i)
            fields >> skip;
        fields >> user >> system;
        return static_cast<double>(user + system) / static_cast<double>(sysconf(_SC_CLK_TCK));
    };
    ASSERT_TRUE(rig.host.command(11));  // every descriptor taken
    int waiting = rig.connect_to(rig.host.client_program());
    double before = cpu();
    rig.host.serve_for(1);
    EXPECT_LT(cpu() - before, 0.2);
    ASSERT_TRUE(rig.host.command(12));
    // With descriptors free again, the waiting connection and a new one are served.
    std::string program = std::to_string(rig.host.client_program());
    EXPECT_NE(rig.run({"rpcinfo", "-t", "127.0.0.1", program, "1"}).find("ready and waiting"), std::string::npos);
    close(waiting);
}

}  // namespace
