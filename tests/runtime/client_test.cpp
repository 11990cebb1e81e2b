// A real client process under the stand-in host, over real RPC: start-up
// from the host's environment, the host's calls and the client's replies,
// hand-overs and refusals, the control calls, and the idle watch on a host
// that vanishes.
#include "test_client.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <signal.h>
#include <sys/prctl.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <sstream>

#include "callbacks.h"
#include "runtime_internal.h"
#include "vapi/runtime.h"

namespace {

using namespace lindrel_test;
using vxhost::Host;
const uint32_t kTurnOver = 1002, kTakeControl = 1343, kClientNumber = 1340;
const char kShortIdle[] = "LINDREL_TEST_IDLE_SECONDS=1";

bool registered(uint32_t program) { return tcp_port(program) != 0; }

long handovers(const Client &c)
{
    auto calls = c.host_calls();
    return std::count(calls.begin(), calls.end(), kTurnOver);
}

class Callbacks : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(c.start()) << c.err(); }
    Client c;
    Host &host = c.host;
};

// Each entry point calls the host, which works only once the host has its
// reply; then exactly one hand-over follows, carrying bail-out 0.
TEST_F(Callbacks, EachEntryPointRunsAfterItsReplyAndHandsOverOnce)
{
    const std::pair<std::function<bool(Host &)>, const char *> cases[] = {
        {[](Host &h) { return h.command(7); }, "command 7 end"},
        {[](Host &h) { return h.message("a note", 1340, 5); }, "message [a note] 1340 5"},
        {[](Host &h) { return h.notify(1340, 7, "text", 9); }, "notify 1340 7 [text] 9"},
        {[](Host &h) { return h.dialog_event(12, 1340, 4); }, "dialog 12 1340 4"},
        {[](Host &h) { return h.init(1340); }, "init 1340 clientno 0"},
    };
    long answered = 0;
    for (const auto &[call, logged] : cases) {
        SCOPED_TRACE(logged);
        host.clear_trace();
        ASSERT_TRUE(call(host));
        host.serve_for(0.1);  // a second hand-over would arrive now
        EXPECT_EQ(c.host_calls(), (std::vector<uint32_t>{kClientNumber, kTurnOver}));
        EXPECT_EQ(host.last_bailout(), 0);
        EXPECT_TRUE(c.begins(logged));
        auto log = c.log();
        EXPECT_EQ(std::count(log.begin(), log.end(), "host 0"), ++answered);
    }
    ASSERT_TRUE(host.notify(3, 0, "", 0));  // a text sent empty arrives empty
    EXPECT_TRUE(c.logged("notify 3 0 [] 0"));
    EXPECT_EQ(c.err(), "");
}

TEST_F(Callbacks, ControlCallsNestingAndModalDialogs)
{
    // Command 2 hands back twice (the second is refused), 3 takes control
    // while holding it (refused, no call), 6 hands back and takes it again.
    const std::tuple<int, const char *, std::vector<uint32_t>> cases[] = {
        {2, "done 0 -1", {kTurnOver}}, {3, "take -1", {kTurnOver}}, {6, "take 0", {kTurnOver, kTakeControl, kTurnOver}}};
    for (const auto &[command, logged, calls] : cases) {
        host.clear_trace();
        ASSERT_EQ(host.call_command(command), RPC_SUCCESS);
        host.serve_until([&] { return c.logged("command " + std::to_string(command) + " end"); }, 5);
        host.serve_for(0.2);
        EXPECT_TRUE(c.logged(logged)) << command;
        EXPECT_EQ(c.host_calls(), calls) << command;
    }
    // Command 4 runs one service pass of its own, in which a second command
    // arrives: answered, refused as nested, never run.
    host.clear_trace();
    ASSERT_EQ(host.call_command(4), RPC_SUCCESS);
    ASSERT_EQ(host.call_command(1), RPC_SUCCESS);
    ASSERT_TRUE(host.wait_handover());
    host.serve_for(0.2);
    EXPECT_EQ(c.host_calls(), std::vector<uint32_t>{kTurnOver});
    EXPECT_TRUE(c.logged("nested pass") && !c.logged("command 1"));
    EXPECT_EQ(c.err(), "Vellix API client \"testclient\": Nested API_Init/V_ApiNotify/V_ApiMessage/V_ApiCommand.\n");
    // Command 5 waits for its dialog's end; an event of another dialog runs
    // the entry point meanwhile, and a dialog opened from it (item 99) waits
    // for its own end first.
    host.clear_trace();
    ASSERT_EQ(host.call_command(5), RPC_SUCCESS);
    ASSERT_TRUE(host.dialog_event(7, 1, 2));
    ASSERT_EQ(host.call_dialog_event(8, 99, 0), RPC_SUCCESS);
    ASSERT_TRUE(host.dialog_event(0, 0, 11));  // the inner end: one hand-over
    ASSERT_TRUE(host.wait_handover());          // the event that opened it
    EXPECT_TRUE(c.logged("inner modal 11") && !c.logged("command 5 end"));
    ASSERT_TRUE(host.dialog_event(0, 0, 5));
    ASSERT_TRUE(host.wait_handover());  // the command's own
    EXPECT_TRUE(c.logged("modal 5") && c.logged("command 5 end"));
    EXPECT_EQ(handovers(c), 5);
    ASSERT_TRUE(host.command(1));  // control went back: not nested
}

// Quit while a command waits: the client ends, and the command's hand-over
// tells the host it is ending.
TEST_F(Callbacks, QuitDuringAModalWaitEndsTheClient)
{
    ASSERT_EQ(host.call_command(5), RPC_SUCCESS);
    ASSERT_EQ(host.call_dialog_event(8, 99, 0), RPC_SUCCESS);
    ASSERT_TRUE(host.dialog_event(0, 0, 11));
    ASSERT_TRUE(host.wait_handover());
    int handovers = host.handovers();
    ASSERT_EQ(host.call_quit(), RPC_SUCCESS);
    EXPECT_EQ(host.wait_exit(10), 0);
    EXPECT_TRUE(c.logged("modal 0"));
    EXPECT_EQ(host.handovers() * 10 + host.last_bailout(), (handovers + 1) * 10 + 1);
    EXPECT_FALSE(registered(host.client_program()));  // it took its program out of the port mapper
}

// Calls the dispatch routine answers without running an entry point.
TEST_F(Callbacks, RefusedAndMalformedCalls)
{
    EXPECT_EQ(host.call(9, vapi_codec(xdr_void), nullptr), RPC_PROCUNAVAIL);
    EXPECT_EQ(host.call(100000, vapi_codec(xdr_void), nullptr), RPC_PROCUNAVAIL);
    EXPECT_EQ(host.call(VX_API_COMMAND, vapi_codec(xdr_void), nullptr), RPC_CANTDECODEARGS);
    StringT partial = const_cast<char *>("half a message");  // without the numbers after it
    EXPECT_EQ(host.call(VX_API_MESSAGE, vapi_codec(xdr_StringT), &partial), RPC_CANTDECODEARGS);
    EXPECT_EQ(host.call(VX_API_NULL, vapi_codec(xdr_void), nullptr), RPC_SUCCESS);
    Vx4ApiNotifyArgT old{1, 2, const_cast<char *>("x")};  // no reply at all
    EXPECT_EQ(host.call(VX4_API_NOTIFY, vapi_codec(xdr_Vx4ApiNotifyArgT), &old, 0.5), RPC_TIMEDOUT);
    host.serve_for(0.2);
    EXPECT_EQ(c.err(), "Vellix API client \"testclient\": Vellix process sent old-style notification.\n");
    EXPECT_EQ(handovers(c), 1);  // init's only
    ASSERT_TRUE(host.command(9));
    EXPECT_TRUE(c.logged("extra 1 ready"));  // a ready extra descriptor is reported, not dispatched
    ASSERT_TRUE(host.command(8));            // bail-out: sent with the hand-over, then the end
    EXPECT_EQ(host.last_bailout(), 1);
    EXPECT_EQ(host.wait_exit(10), 0);
}

TEST(StartUp, WithoutUsableEnvironmentOrHostTheClientRefusesToRun)
{
    for (const char *env : {"VXAPIX=", "VXAPIX=1.1 2.2 3.4", "VXAPIX=garbage", "LINDREL_T=1"}) {
        auto run = run_program({kTestClient}, {env});
        EXPECT_EQ(run.status, 1) << env;
        EXPECT_EQ(run.err, "Vellix API client \"???\": not called by a Vellix product.\n");
    }
    // Nobody serves the host program: the client says so under its own name
    // (cut at 255 characters) and leaves no registration.
    uint32_t mine = vxhost::free_program(1), his = vxhost::free_program(1);
    for (auto [name, shown] : {std::pair<std::string, std::string>("lonely", "lonely"), {std::string(300, 'n'), std::string(255, 'n')}}) {
        auto run = run_program({kTestClient}, {"VXAPIX=" + std::to_string(mine) + ".1 " + std::to_string(his) + ".1 " +
                                               std::to_string(getpid()) + ".-1." + name});
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.err, "Vellix API client \"" + shown + "\": unable to create TCP client.\n");
        EXPECT_FALSE(registered(mine));
    }
    Client refused;  // connected, but the acknowledgement is dropped
    refused.host.on(1000, [](vxhost::HostCall &call) { call.reply = vxhost::HostCall::Reply::Drop; });
    EXPECT_FALSE(refused.start());
    EXPECT_EQ(refused.host.wait_exit(10), 1);
    EXPECT_EQ(refused.err(), "Vellix API client \"testclient\": unable to make initial contact.\n");
    EXPECT_FALSE(registered(refused.host.client_program()));
}

// The client number decides whether the started process forks (ending at
// once with 0) and what the client sees as its number; the call time-out is
// the client's own or seven days.
TEST(StartUp, ClientNumberForkAndTimeOut)
{
    const std::tuple<int, const char *, bool, std::vector<std::string>, const char *> cases[] = {
        {-1, "clientno 0", false, {}, "timeout 604800 0 handle 604800 0"},
        {-5, "clientno 4", false, {"LINDREL_TEST_CALL_SECONDS=3"}, "timeout 3 0 handle 3 0"},
        {0, "clientno 0", true, {"LINDREL_TEST_CALL_SECONDS=3"}, "timeout 3 0 handle 3 0"},
        {3, "clientno 3", true, {}, "timeout 604800 0 handle 604800 0"}};
    sigset_t blocked, saved;  // the client must not inherit this
    sigemptyset(&blocked);
    sigaddset(&blocked, SIGUSR1);
    sigaddset(&blocked, SIGTERM);
    sigprocmask(SIG_BLOCK, &blocked, &saved);
    for (const auto &[number, seen, forks, environment, timeout] : cases) {
        SCOPED_TRACE(number);
        Client c(environment, number);
        ASSERT_TRUE(c.start()) << c.err();
        EXPECT_TRUE(c.begins(std::string("init 0 ") + seen));
        EXPECT_EQ(c.host.serve_until([&] { return c.host.client_running(), c.host.launcher_status().has_value(); }, forks ? 5 : 0.2), forks);
        EXPECT_EQ(c.host.launcher_status().value_or(0), 0);
        EXPECT_TRUE(c.host.client_running());
        ASSERT_TRUE(c.host.command(10));
        EXPECT_TRUE(c.logged(timeout));
        EXPECT_TRUE(c.logged("blocked 0 files 256 256 unbuffered 1"));
        ASSERT_EQ(c.host.call_quit(), RPC_SUCCESS);
        EXPECT_EQ(c.host.wait_exit(10), 0);
        EXPECT_FALSE(registered(c.host.client_program()));
    }
    sigprocmask(SIG_SETMASK, &saved, nullptr);
    // The host never answers 1340: with the client's one second the command
    // completes, where the stub's own 25 seconds would outlast the host's wait.
    Client quick({"LINDREL_TEST_CALL_SECONDS=1"});
    ASSERT_TRUE(quick.start());
    quick.host.on(kClientNumber, [](vxhost::HostCall &call) { call.reply = vxhost::HostCall::Reply::None; });
    ASSERT_TRUE(quick.host.command(7));
    EXPECT_TRUE(quick.logged("host -1"));
}

// Names resolve as the system resolves them (getent as the oracle).
TEST(StartUp, HostNamesResolveAsTheSystemResolvesThem)
{
    sockaddr_in address;
    auto getent = run_program({"getent", "ahostsv4", thishost()});  // this machine's own name
    ASSERT_EQ(hostnameToRealAddr(thishost(), &address), 0);
    EXPECT_EQ(getent.out.substr(0, getent.out.find(' ')), inet_ntoa(address.sin_addr));
    EXPECT_EQ(hostnameToRealAddr("no-such-host.invalid", &address), -1);
}

// The idle client watches its host: a vanished one makes it run its
// emergency entry point and end with 1; a live one leaves it serving. The
// client is started by a separate host process: when that ends, the
// orphaned client comes to this process.
TEST(Liveness, ClientOfAVanishedHostRunsItsEmergencyAndExits)
{
    const std::tuple<std::vector<std::string>, int, std::vector<std::string>> cases[] = {
        {{"--exit", "0", "/bin/sh", "-c", "exec " + kTestClient + " 2>ERR"}, 0, {"emergency"}},
        // The host ends while the client waits for an answer: that call
        // fails, the command completes, and the idle check finds the host gone.
        {{"--exit-on", "1340", "--command", "7", kTestClient}, 3, {"host -1", "command 7 end", "emergency"}},
        // A started client runs on its host's machine whatever that
        // machine's own name resolves to, so the host stays watched.
        {{"--exit", "0", "/usr/bin/unshare", "--uts", "sh", "-c", "hostname 127.0.0.2 && exec " + kTestClient}, 0, {"emergency"}},
    };
    prctl(PR_SET_CHILD_SUBREAPER, 1);
    std::vector<std::unique_ptr<TempDir>> dirs;
    std::vector<std::pair<int, unsigned>> clients;  // process and program of each, ending meanwhile
    for (const auto &[args, hostStatus, logged] : cases) {
        dirs.push_back(std::make_unique<TempDir>());
        std::vector<std::string> argv = {kVxhost};
        for (std::string a : args) {  // ERR: where the client's standard error goes
            if (size_t at = a.find("ERR"); at != std::string::npos)
                a.replace(at, 3, dirs.back()->file("err"));
            argv.push_back(a);
        }
        auto host = run_program(argv, {kShortIdle, "LINDREL_TEST_LOG=" + dirs.back()->file("log")});
        ASSERT_EQ(host.status, hostStatus) << host.err;
        auto lines = read_lines(dirs.back()->file("log"));  // "init 0 clientno 0 pid N env P.V H.V ..."
        ASSERT_FALSE(lines.empty());
        std::istringstream init(lines[0]);
        std::string word;
        clients.emplace_back(0, 0);
        init >> word >> word >> word >> word >> word >> clients.back().first >> word >> clients.back().second;
        ASSERT_GT(clients.back().first, 0);
    }
    Client live({kShortIdle});
    ASSERT_TRUE(live.start());
    live.host.serve_for(2.5);
    EXPECT_TRUE(live.host.command(1) && !live.logged("emergency"));
    for (size_t i = 0; i < clients.size(); ++i) {
        auto status = wait_process(clients[i].first, 15);
        if (!status)
            kill(clients[i].first, SIGKILL), wait_process(clients[i].first, 5);
        EXPECT_EQ(status, 1);
        auto lines = read_lines(dirs[i]->file("log"));
        const auto &logged = std::get<2>(cases[i]);
        EXPECT_EQ(std::vector<std::string>(lines.end() - long(logged.size()), lines.end()), logged);
        EXPECT_FALSE(registered(clients[i].second));
    }
    EXPECT_NE(read_file(dirs[0]->file("err")).find("\": the Vellix process has ended.\n"), std::string::npos);
}

}  // namespace
