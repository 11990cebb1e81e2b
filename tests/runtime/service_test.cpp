// In this process: the stand-in host's dispatcher driven by a plain RPC
// client on a second thread.
#include "vxhost.h"

#include <gtest/gtest.h>

#include <netinet/in.h>
#include <unistd.h>

#include <atomic>
#include <cstring>
#include <functional>
#include <thread>

#include "callbacks.h"

namespace {

const uint32_t kInitAck = 1000, kTurnOver = 1002, kClientNumber = 1340, kClientName = 1341, kSetClientDir = 1344,
               kTakeControl = 1343;

// Runs `work` as the host's client on another thread while this one serves.
void asClient(vxhost::Host &host, const std::function<void(CLIENT *)> &work)
{
    std::atomic<bool> done{false};
    std::thread client([&] {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        int socket = RPC_ANYSOCK;
        if (CLIENT *handle = clnttcp_create(&address, host.program(), host.version(), &socket, 0, 0)) {
            work(handle);
            clnt_destroy(handle);
        }
        done = true;
    });
    host.serve_until([&] { return done.load(); }, 10);
    client.join();
}

template <typename Arg, typename Res>
clnt_stat call(CLIENT *c, uint32_t proc, xdrproc_t argCodec, Arg *arg, xdrproc_t resCodec, Res *res)
{
    timeval timeout{5, 0};
    return clnt_call(c, proc, argCodec, reinterpret_cast<caddr_t>(arg), resCodec, reinterpret_cast<caddr_t>(res), timeout);
}

// Handlers first, then the fall-back, then all-zero results; the control
// calls are the host's own. Unknown procedures, arguments that do not decode
// and dropped connections are traced as such; a new connection is served.
TEST(HostDispatch, HandlersFallbackControlCallsAndRefusals)
{
    vxhost::Host host;
    EXPECT_FALSE(host.client_running());  // none launched
    host.on(kClientNumber, [](vxhost::HostCall &c) { *static_cast<int32_t *>(c.result) = 42; });
    host.on(kSetClientDir, [](vxhost::HostCall &c) {
        if (std::strcmp(*static_cast<char **>(c.arguments), "drop") == 0)
            c.reply = vxhost::HostCall::Reply::Drop;
    });
    int fallbacks = 0;
    host.set_fallback([&](vxhost::HostCall &c) {
        ++fallbacks;
        if (c.proc.num == kClientName)  // released by the host after the reply
            *static_cast<char **>(c.result) = strdup("the client");
    });
    int32_t none = 0, number = -1, pid = getpid(), bail = 1;
    char *name = nullptr, *drop = const_cast<char *>("drop"), *keep = const_cast<char *>("/tmp/a \"dir\"");
    asClient(host, [&](CLIENT *c) {
        EXPECT_EQ(call(c, kClientNumber, vapi_codec(xdr_void), &none, vapi_codec(xdr_int), &number), RPC_SUCCESS);
        EXPECT_EQ(call(c, kClientName, vapi_codec(xdr_void), &none, vapi_codec(xdr_StringT), &name), RPC_SUCCESS);
        EXPECT_EQ(call(c, kInitAck, vapi_codec(xdr_int), &pid, vapi_codec(xdr_void), &none), RPC_SUCCESS);
        EXPECT_EQ(call(c, kTakeControl, vapi_codec(xdr_void), &none, vapi_codec(xdr_void), &none), RPC_SUCCESS);
        EXPECT_EQ(call(c, 1056, vapi_codec(xdr_void), &none, vapi_codec(xdr_void), &none), RPC_PROCUNAVAIL);
        EXPECT_EQ(call(c, kSetClientDir, vapi_codec(xdr_void), &none, vapi_codec(xdr_int), &number), RPC_CANTDECODEARGS);
        EXPECT_NE(call(c, kSetClientDir, vapi_codec(xdr_StringT), &drop, vapi_codec(xdr_int), &number), RPC_SUCCESS);
    });
    EXPECT_EQ(number, 42);
    EXPECT_STREQ(name, "the client");
    xdr_free(vapi_codec(xdr_StringT), reinterpret_cast<char *>(&name));
    EXPECT_EQ(fallbacks, 1);
    EXPECT_EQ(host.client_pid() * 10 + host.acknowledgements(), -10);  // an acknowledgement from a stranger changes nothing
    EXPECT_TRUE(host.client_holds_control());
    ASSERT_EQ(host.trace().size(), 7u);
    EXPECT_EQ(host.trace()[4].outcome + "|" + host.trace()[5].outcome + "|" + host.trace()[6].outcome,
              "unknown procedure|garbage arguments|dropped");
    host.set_fallback(nullptr);
    host.clear_trace();
    asClient(host, [&](CLIENT *c) {
        EXPECT_EQ(call(c, 1342, vapi_codec(xdr_void), &none, vapi_codec(xdr_StringT), &name), RPC_SUCCESS);
        EXPECT_EQ(call(c, kSetClientDir, vapi_codec(xdr_StringT), &keep, vapi_codec(xdr_int), &number), RPC_SUCCESS);
        EXPECT_EQ(call(c, kTurnOver, vapi_codec(xdr_int), &bail, vapi_codec(xdr_void), &none), RPC_SUCCESS);
    });
    EXPECT_STREQ(name, "");  // without a fall-back every result is all zero
    xdr_free(vapi_codec(xdr_StringT), reinterpret_cast<char *>(&name));
    EXPECT_EQ(host.handovers() * 10 + host.last_bailout(), 11);
    EXPECT_FALSE(host.client_holds_control());
    EXPECT_EQ(host.trace()[1].name + "(" + host.trace()[1].arguments + "): " + host.trace()[1].outcome,
              "api_set_client_directory_1(\"/tmp/a \\\"dir\\\"\"): replied");
}

}  // namespace
