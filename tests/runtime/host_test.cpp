// The stand-in host's dispatcher, driven by a plain RPC client on a second
// thread while the test's thread serves: handlers, the fall-back, the
// built-in control calls, refusals, dropped connections and the trace.
#include "vxhost.h"
#include "xdr_text.h"

#include "callbacks.h"

#include <netinet/in.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <thread>

using vxhost::Host;
using vxhost::HostCall;

namespace {

const uint32_t kInitAck = 1000, kTurnOver = 1002, kClientNumber = 1340, kClientName = 1341,
               kSetClientDir = 1344, kTakeControl = 1343;

class HostDispatch : public ::testing::Test {
protected:
    // Runs `work` as the host's client on another thread while this one
    // serves.
    void as_client(const std::function<void(CLIENT *)> &work)
    {
        std::atomic<bool> done{false};
        std::thread client([&] {
            sockaddr_in address{};
            address.sin_family = AF_INET;
            address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
            int socket = RPC_ANYSOCK;
            CLIENT *handle = clnttcp_create(&address, host.program(), host.version(), &socket, 0, 0);
            if (handle != nullptr) {
                work(handle);
                clnt_destroy(handle);
            }
            done = true;
        });
        host.serve_until([&] { return done.load(); }, 10);
        client.join();
    }

    template <typename Arg, typename Res>
    static clnt_stat call(CLIENT *c, uint32_t proc, xdrproc_t argCodec, Arg *arg, xdrproc_t resCodec, Res *res)
    {
        timeval timeout{5, 0};
        return clnt_call(c, proc, argCodec, reinterpret_cast<caddr_t>(arg), resCodec,
                         reinterpret_cast<caddr_t>(res), timeout);
    }

    const vxhost::TraceEntry &last() { return host.trace().back(); }

    Host host;
};

TEST_F(HostDispatch, HandlersFallbackAndDefaultAnswers)
{
    host.on(kClientNumber, [](HostCall &c) { *static_cast<int32_t *>(c.result) = 42; });
    int fallbacks = 0;
    host.set_fallback([&](HostCall &c) {
        ++fallbacks;
        if (c.proc.num == kClientName)  // released by the host after the reply
            *static_cast<char **>(c.result) = strdup("the client");
    });
    int32_t none = 0, number = -1;
    char *name = nullptr;
    as_client([&](CLIENT *c) {
        EXPECT_EQ(call(c, kClientNumber, vapi_codec(xdr_void), &none, vapi_codec(xdr_int), &number), RPC_SUCCESS);
        EXPECT_EQ(call(c, kClientName, vapi_codec(xdr_void), &none, vapi_codec(xdr_StringT), &name), RPC_SUCCESS);
        // The control calls are the host's own: never the fall-back's.
        int32_t pid = getpid();  // a process the host did not launch
        EXPECT_EQ(call(c, kInitAck, vapi_codec(xdr_int), &pid, vapi_codec(xdr_void), &none), RPC_SUCCESS);
        EXPECT_EQ(call(c, kTakeControl, vapi_codec(xdr_void), &none, vapi_codec(xdr_void), &none), RPC_SUCCESS);
    });
    EXPECT_EQ(number, 42);
    ASSERT_NE(name, nullptr);
    EXPECT_STREQ(name, "the client");
    xdr_free(vapi_codec(xdr_StringT), reinterpret_cast<char *>(&name));
    EXPECT_EQ(fallbacks, 1);
    EXPECT_EQ(host.client_pid(), -1);  // an acknowledgement from a stranger changes nothing
    EXPECT_EQ(host.acknowledgements(), 0);
    EXPECT_TRUE(host.client_holds_control());

    // Without a fall-back every result is all zero.
    host.set_fallback(nullptr);
    host.on(kClientNumber, nullptr);
    number = -1;
    as_client([&](CLIENT *c) {
        int32_t bail = 1;
        EXPECT_EQ(call(c, 1342, vapi_codec(xdr_void), &none, vapi_codec(xdr_StringT), &name), RPC_SUCCESS);
        EXPECT_EQ(call(c, kTurnOver, vapi_codec(xdr_int), &bail, vapi_codec(xdr_void), &none), RPC_SUCCESS);
    });
    EXPECT_STREQ(name, "");
    xdr_free(vapi_codec(xdr_StringT), reinterpret_cast<char *>(&name));
    EXPECT_EQ(host.handovers(), 1);
    EXPECT_EQ(host.last_bailout(), 1);
    EXPECT_FALSE(host.client_holds_control());
}

TEST_F(HostDispatch, RefusalsAndDroppedConnections)
{
    host.on(kSetClientDir, [](HostCall &c) {
        if (std::strcmp(*static_cast<char **>(c.arguments), "drop") == 0)
            c.reply = HostCall::Reply::Drop;
    });
    int32_t none = 0, result = -1;
    as_client([&](CLIENT *c) {
        // A number the table does not hold, and arguments that do not decode.
        EXPECT_EQ(call(c, 1056, vapi_codec(xdr_void), &none, vapi_codec(xdr_void), &none), RPC_PROCUNAVAIL);
        EXPECT_EQ(call(c, kSetClientDir, vapi_codec(xdr_void), &none, vapi_codec(xdr_int), &result),
                  RPC_CANTDECODEARGS);
        char *drop = const_cast<char *>("drop");
        EXPECT_NE(call(c, kSetClientDir, vapi_codec(xdr_StringT), &drop, vapi_codec(xdr_int), &result),
                  RPC_SUCCESS);
    });
    // A new connection is served as before.
    as_client([&](CLIENT *c) {
        char *keep = const_cast<char *>("/tmp/a \"dir\"");
        EXPECT_EQ(call(c, kSetClientDir, vapi_codec(xdr_StringT), &keep, vapi_codec(xdr_int), &result), RPC_SUCCESS);
    });
    const auto &trace = host.trace();
    ASSERT_EQ(trace.size(), 4u);
    EXPECT_EQ(trace[0].outcome, "unknown procedure");
    EXPECT_EQ(trace[1].outcome, "garbage arguments");
    EXPECT_EQ(trace[2].outcome, "dropped");
    EXPECT_EQ(trace[3].name, "api_set_client_directory_1");
    EXPECT_EQ(trace[3].arguments, "\"/tmp/a \\\"dir\\\"\"");
    EXPECT_EQ(trace[3].outcome, "replied");
}

TEST(XdrText, RecordsReadInWireOrder)
{
    VxApiNotifyArgT notify{42, 7, const_cast<char *>("hello"), -3};
    EXPECT_EQ(vxhost::xdr_text(vapi_codec(xdr_VxApiNotifyArgT), &notify), "42, 7, \"hello\", -3");
    // A number equal to the length of the string after it stays a number;
    // a four-byte string has no fill; bytes outside UTF-8 are escaped.
    VxApiNotifyArgT tricky{4, 4, const_cast<char *>("ab\n\xe9"), 4};
    EXPECT_EQ(vxhost::xdr_text(vapi_codec(xdr_VxApiNotifyArgT), &tricky), "4, 4, \"ab\\n\\xe9\", 4");
    VxApiMessageArgT message{nullptr, 1, 2};
    EXPECT_EQ(vxhost::xdr_text(vapi_codec(xdr_VxApiMessageArgT), &message), "0, 1, 2");
}

}  // namespace
