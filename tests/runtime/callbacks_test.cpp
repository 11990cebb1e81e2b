// The host's calls into a real client process, over real RPC: replies,
// hand-overs, refusals and the control calls.
#include "runtime_fixture.h"

#include "callbacks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

using lindrel_test::ClientSession;
using vxhost::Host;

namespace {

const char kClient[] = LINDREL_BINARY_DIR "/tests/clients/testclient";
const uint32_t kTurnOver = 1002, kTakeControl = 1343, kClientNumber = 1340;

class Callbacks : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(session.start()) << session.err(); }
    Host &host() { return session.host(); }
    ClientSession session{kClient};
};

// Every callback that runs an entry point. Each entry point here calls the
// host, which only works when the host already has its reply; then exactly
// one hand-over follows, carrying bail-out 0.
struct EntryCase {
    const char *name;
    std::function<bool(Host &)> call;
    const char *logged;
};

TEST_F(Callbacks, EachEntryPointRunsAfterItsReplyAndIsFollowedByOneHandover)
{
    const EntryCase cases[] = {
        {"command", [](Host &h) { return h.command(7); }, "command 7 end"},
        {"message", [](Host &h) { return h.message("a note", 1340, 5); }, "message [a note] 1340 5"},
        {"notify", [](Host &h) { return h.notify(1340, 7, "text", 9); }, "notify 1340 7 [text] 9"},
        {"dialog event", [](Host &h) { return h.dialog_event(12, 1340, 4); }, "dialog 12 1340 4"},
        {"init again", [](Host &h) { return h.init(1340); }, "init 1340 clientno 0"},
    };
    long answered = 0;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        host().clear_trace();
        ASSERT_TRUE(c.call(host()));
        host().serve_for(0.1);  // a second hand-over would arrive now
        EXPECT_EQ(session.host_calls(), (std::vector<uint32_t>{kClientNumber, kTurnOver}));
        EXPECT_EQ(host().last_bailout(), 0);
        bool found = false;
        for (const auto &line : session.log())
            found = found || line.rfind(c.logged, 0) == 0;
        EXPECT_TRUE(found) << c.logged;
        auto log = session.log();
        EXPECT_EQ(std::count(log.begin(), log.end(), "host 0"), ++answered);
    }
    // Texts the host sends empty arrive as empty strings.
    ASSERT_TRUE(host().notify(3, 0, "", 0));
    EXPECT_TRUE(session.logged("notify 3 0 [] 0"));
    EXPECT_EQ(session.err(), "");
}

// Control calls made by the entry point, and the host calls each leaves.
struct ControlCase {
    int command;
    const char *logged;
    std::vector<uint32_t> hostCalls;
};

TEST_F(Callbacks, ControlCallsFromAnEntryPoint)
{
    const ControlCase cases[] = {
        // Handing back early: one hand-over, and the second attempt is refused.
        {2, "done 0 -1", {kTurnOver}},
        // Taking control while holding it: refused without a host call.
        {3, "take -1", {kTurnOver}},
        // Handing back, then taking control again: the handler hands back once more.
        {6, "take 0", {kTurnOver, kTakeControl, kTurnOver}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.command);
        host().clear_trace();
        ASSERT_TRUE(host().call_command(c.command) == RPC_SUCCESS);
        host().serve_until([&] { return session.logged("command " + std::to_string(c.command) + " end"); }, 5);
        host().serve_for(0.2);
        EXPECT_TRUE(session.logged(c.logged));
        EXPECT_EQ(session.host_calls(), c.hostCalls);
    }
}

TEST_F(Callbacks, CallWhileHoldingControlIsRefusedAsNested)
{
    // Command 4 runs one service pass of its own, in which the second
    // command arrives: it is answered, refused, and never run.
    host().clear_trace();
    ASSERT_EQ(host().call_command(4), RPC_SUCCESS);
    ASSERT_EQ(host().call_command(1), RPC_SUCCESS);
    ASSERT_TRUE(host().wait_handover());
    host().serve_for(0.2);
    EXPECT_EQ(session.calls_to_host(kTurnOver), 1);
    EXPECT_TRUE(session.logged("nested pass"));
    EXPECT_FALSE(session.logged("command 1"));
    EXPECT_EQ(session.err(),
              "Vellix API client \"testclient\": Nested API_Init/V_ApiNotify/V_ApiMessage/V_ApiCommand.\n");
}

TEST_F(Callbacks, ModalDialogWaitsForItsEndAndRestoresTheOuterState)
{
    host().clear_trace();
    ASSERT_EQ(host().call_command(5), RPC_SUCCESS);
    // An event of another dialog runs the entry point during the wait.
    ASSERT_TRUE(host().dialog_event(7, 1, 2));
    // A dialog opened from that event waits for its own end...
    ASSERT_EQ(host().call_dialog_event(8, 99, 0), RPC_SUCCESS);
    ASSERT_TRUE(host().dialog_event(0, 0, 11));  // its end: one hand-over
    ASSERT_TRUE(host().wait_handover());          // the event that opened it
    EXPECT_TRUE(session.logged("inner modal 11"));
    EXPECT_FALSE(session.logged("command 5 end"));
    // ...and the outer wait still runs until its own end.
    ASSERT_TRUE(host().dialog_event(0, 0, 5));
    ASSERT_TRUE(host().wait_handover());  // the command's own hand-over
    EXPECT_TRUE(session.logged("modal 5"));
    EXPECT_TRUE(session.logged("command 5 end"));
    EXPECT_EQ(session.calls_to_host(kTurnOver), 5);
    // Control went back to the host in the end: a new command is not nested.
    ASSERT_TRUE(host().command(1));
    EXPECT_EQ(session.err(), "");
}

TEST_F(Callbacks, ConnectionLostDuringAModalWaitLeavesTheClientServing)
{
    // The connection that carried the command closes while the command
    // waits; its end comes on a new connection. The command's handler must
    // finish without touching the closed connection's transport.
    ASSERT_EQ(host().call_command(5), RPC_SUCCESS);
    host().serve_for(0.2);
    host().drop_connection();
    host().serve_for(0.2);
    ASSERT_EQ(host().call_dialog_event(0, 0, 5), RPC_SUCCESS);
    host().serve_until([&] { return session.logged("command 5 end"); }, 5);
    EXPECT_TRUE(session.logged("modal 5"));
    host().serve_for(0.2);
    ASSERT_TRUE(host().client_running()) << session.err();
    ASSERT_EQ(host().call_quit(), RPC_SUCCESS);
    EXPECT_EQ(host().wait_exit(10), 0);
}

TEST_F(Callbacks, QuitDuringAModalWaitStillEndsTheClient)
{
    ASSERT_EQ(host().call_command(5), RPC_SUCCESS);
    // A dialog within the wait ends with 11: that result is the inner
    // wait's, and the outer one's stays unset.
    ASSERT_EQ(host().call_dialog_event(8, 99, 0), RPC_SUCCESS);
    ASSERT_TRUE(host().dialog_event(0, 0, 11));
    ASSERT_TRUE(host().wait_handover());
    EXPECT_TRUE(session.logged("inner modal 11"));
    ASSERT_EQ(host().call_quit(), RPC_SUCCESS);
    EXPECT_EQ(host().wait_exit(10), 0);
    EXPECT_TRUE(session.logged("modal 0"));
    // The command still hands control back, telling the host it is ending.
    EXPECT_EQ(host().last_bailout(), 1);
}

TEST_F(Callbacks, ExtraDescriptorIsReportedWithoutDispatch)
{
    ASSERT_TRUE(host().command(9));
    EXPECT_TRUE(session.logged("extra 1 ready"));
}

// Calls the dispatch routine answers without an entry point.
TEST_F(Callbacks, RefusedAndMalformedCalls)
{
    // No such procedure.
    EXPECT_EQ(host().call(9, vapi_codec(xdr_void), nullptr), RPC_PROCUNAVAIL);
    EXPECT_EQ(host().call(100000, vapi_codec(xdr_void), nullptr), RPC_PROCUNAVAIL);
    // Arguments that do not decode: nothing, or a string without the
    // numbers that follow it (the string decoded so far must not leak).
    EXPECT_EQ(host().call(VX_API_COMMAND, vapi_codec(xdr_void), nullptr), RPC_CANTDECODEARGS);
    StringT partial = const_cast<char *>("half a message");
    EXPECT_EQ(host().call(VX_API_MESSAGE, vapi_codec(xdr_StringT), &partial), RPC_CANTDECODEARGS);
    // The null procedure answers at once.
    EXPECT_EQ(host().call(VX_API_NULL, vapi_codec(xdr_void), nullptr), RPC_SUCCESS);
    // The old-style notification gets no reply at all.
    Vx4ApiNotifyArgT old{1, 2, const_cast<char *>("x")};
    EXPECT_EQ(host().call(VX4_API_NOTIFY, vapi_codec(xdr_Vx4ApiNotifyArgT), &old, 0.5), RPC_TIMEDOUT);
    host().serve_for(0.2);
    EXPECT_EQ(session.err(), "Vellix API client \"testclient\": Vellix process sent old-style notification.\n");
    // None of these ran an entry point or took control.
    EXPECT_EQ(session.calls_to_host(kTurnOver), 1);  // init's
    ASSERT_TRUE(host().command(1));
}

TEST_F(Callbacks, DroppedConnectionFailsTheClientsCallsWithoutEndingIt)
{
    host().drop_connection();
    ASSERT_EQ(host().call_command(7), RPC_SUCCESS);
    host().serve_until([&] { return session.logged("command 7 end"); }, 5);
    EXPECT_TRUE(session.logged("host -1"));
    EXPECT_TRUE(host().client_running());
}

TEST(CallTimeOut, ClientsOwnTimeOutGovernsItsCallsToTheHost)
{
    // The host never answers 1340. With the client's one second the
    // command completes; the stub's own 25 seconds would outlast the host's
    // ten-second wait for the hand-over.
    ClientSession::Options options;
    options.environment = {"LINDREL_TEST_CALL_SECONDS=1"};
    ClientSession session(kClient, options);
    ASSERT_TRUE(session.start());
    session.host().on(kClientNumber, [](vxhost::HostCall &c) { c.reply = vxhost::HostCall::Reply::None; });
    ASSERT_TRUE(session.host().command(7));
    EXPECT_TRUE(session.logged("host -1"));
}

TEST_F(Callbacks, QuitEndsTheClientWithoutHandover)
{
    int before = session.calls_to_host(kTurnOver);
    ASSERT_EQ(host().call_quit(), RPC_SUCCESS);
    EXPECT_EQ(host().wait_exit(10), 0);
    EXPECT_EQ(session.calls_to_host(kTurnOver), before);
}

TEST_F(Callbacks, BailOutIsSentWithTheHandoverAndEndsTheClient)
{
    ASSERT_TRUE(host().command(8));
    EXPECT_EQ(host().last_bailout(), 1);
    EXPECT_EQ(host().wait_exit(10), 0);
}

}  // namespace
