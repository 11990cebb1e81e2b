// Attaching this test process to a running stand-in host through its session
// service, over real UDP and TCP RPC with the machine's port mapper, and
// the failures the attach reports.
#include "host_process.h"

#include "vapi/api.h"
#include "vapi/apistruct.h"
#include "callbacks.h"
#include "vapi/session.h"
#include "runtime_internal.h"

#include <arpa/inet.h>
#include <dirent.h>
#include <netdb.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

using apiutil_test::HostProcess;
using vxhost::Host;
using vxhost::SessionService;

namespace {

// What the entry points of this client received.
std::vector<int32_t> inits;
std::vector<std::string> notes;

std::string joined(const VdeApiFilterArgsT &fa)
{
    std::string out;
    for (StringT s : fa.args)
        out += std::string(s ? s : "(null)") + "|";
    for (uint32_t i = 0; i < fa.more.count; i++)
        out += std::string(fa.more.items[i]) + "|";
    return out;
}

}  // namespace

extern "C" {

void V_ApiInitialize(int32_t code) { inits.push_back(code); }

void V_ApiNotify(int32_t notification, uint32_t docId, StringT sparm, int32_t iparm)
{
    std::string text = notification == V_API_FILTER_NOTIFICATION
                           ? joined(*reinterpret_cast<VdeApiFilterArgsT *>(sparm))
                           : std::string(sparm);
    notes.push_back(std::to_string(notification) + " " + std::to_string(docId) + " " + text + " " +
                    std::to_string(iparm));
}

void V_ApiCommand(int32_t) {}

}  // extern "C"

namespace {

int open_descriptors()
{
    int n = 0;
    DIR *d = opendir("/proc/self/fd");
    while (readdir(d) != nullptr)
        n++;
    closedir(d);
    return n;
}

// This machine's address as the resolver gives it, in dotted-quad text.
std::string own_address()
{
    char name[256] = "";
    gethostname(name, sizeof name - 1);
    addrinfo hints{}, *found = nullptr;
    hints.ai_family = AF_INET;
    if (getaddrinfo(name, nullptr, &hints, &found) != 0)
        return "?";
    char text[INET_ADDRSTRLEN];
    inet_ntop(AF_INET, &reinterpret_cast<sockaddr_in *>(found->ai_addr)->sin_addr, text, sizeof text);
    freeaddrinfo(found);
    return text;
}

class Session : public ::testing::Test {
protected:
    void SetUp() override
    {
        inits.clear();
        notes.clear();
        VA_errno = 0;
    }
    void TearDown() override { V_ApiShutDown(); }
};

// Waits for `count` connect requests and reports them.
HostProcess::Script requests_seen(size_t count)
{
    return [count](Host &host, SessionService &session, const HostProcess::Report &report) {
        if (!host.serve_until([&] { return session.requests().size() >= count; }, 10))
            return 1;
        for (const auto &r : session.requests())
            report(r.clientName + " " + r.address + " " + std::to_string(r.pid));
        return 0;
    };
}

TEST_F(Session, AttachedClientIsServedLikeAStartedOne)
{
    HostProcess host({}, [](Host &host, SessionService &session, const HostProcess::Report &report) {
        // The attach itself runs init, which ends with a hand-over.
        if (!host.serve_until([&] { return host.handovers() >= 1; }, 10))
            return 1;
        requests_seen(1)(host, session, report);
        bool sent = host.notify(V_API_FILTER_NOTIFICATION, 12, "a\x1e" "b", 7) && host.notify(5, 3, "plain", 1);
        host.call_quit();
        return sent ? 0 : 2;
    });
    EXPECT_EQ(V_ApiConnectToSession("tester", nullptr, host.session()), 0);
    EXPECT_EQ(VA_errno, 0);
    EXPECT_TRUE(apiutil_test::serve_until([] { return VA_bailout != 0; }));

    EXPECT_EQ(inits, std::vector<int32_t>{0});
    // Notification 75 arrives unpacked (and released: the sanitizer build
    // would see the record leak); any other one as its text.
    EXPECT_EQ(notes, (std::vector<std::string>{"75 12 a|b|(null)|(null)|(null)|(null)| 7", "5 3 plain 1"}));
    int status;
    EXPECT_EQ(host.finish(&status),
              std::vector<std::string>{"tester " + own_address() + " " + std::to_string(getpid())});
    EXPECT_EQ(status, 0);
    EXPECT_EQ(V_ApiVellixAlive(), 0);  // a host on this machine is watched
}

TEST_F(Session, FailuresAreReportedWithoutPrinting)
{
    testing::internal::CaptureStderr();
    SessionService::Options refusing, failing, nowhere;
    refusing.status = 3;
    failing.failConnect = true;
    nowhere.hostProgram = vxhost::free_program(1);  // a host program nobody serves
    nowhere.initOnAttach = false;
    {
        HostProcess host(refusing, requests_seen(2));
        // No host name and an empty one both reach this machine's session.
        EXPECT_EQ(V_ApiConnectToSession("first", nullptr, host.session()), 3);
        EXPECT_EQ(VA_errno, 3);
        EXPECT_EQ(V_ApiConnectToSession("second", "", host.session()), 3);
        EXPECT_EQ(vellix_client, nullptr);  // no hookup
        int status;
        EXPECT_EQ(host.finish(&status).size(), 2u);
    }
    {
        HostProcess host(failing, requests_seen(1));
        EXPECT_EQ(V_ApiConnectToSession("tester", nullptr, host.session()), V_API_CONNECT_FAILED);
        EXPECT_EQ(VA_errno, V_API_CONNECT_FAILED);
    }
    {
        HostProcess host(nowhere, requests_seen(1));
        EXPECT_EQ(V_ApiConnectToSession("tester", nullptr, host.session()), V_API_HOOKUP_FAILED);
        EXPECT_EQ(VA_errno, V_API_HOOKUP_FAILED);
    }
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");

    uint32_t nobody = vxhost::free_program(VX_SESSION_VERSION);
    int descriptors = open_descriptors();
    EXPECT_EQ(V_ApiConnectToSession("tester", "localhost", nobody), V_API_NO_SESSION);
    EXPECT_EQ(VA_errno, V_API_NO_SESSION);
    EXPECT_EQ(V_ApiConnectToSession("tester", "256.1.1.1", nobody), V_API_NO_SESSION);  // no such machine
    EXPECT_EQ(open_descriptors(), descriptors);
}

// The stand-in host's command line, serving: any process may attach.
TEST_F(Session, RunningVxhostAcceptsAnAttach)
{
    int out[2];
    ASSERT_EQ(pipe(out), 0);
    pid_t vxhost = fork();
    if (vxhost == 0) {
        dup2(out[1], STDOUT_FILENO);
        close(out[0]);
        close(out[1]);
        const char *program = LINDREL_BINARY_DIR "/host/vxhost";
        execl(program, program, "--serve", "--print-program", nullptr);
        _exit(127);
    }
    close(out[1]);
    FILE *told = fdopen(out[0], "r");
    unsigned hostProgram = 0, session = 0;
    bool read = fscanf(told, "program %u version 1 session %u version 1", &hostProgram, &session) == 2;
    fclose(told);
    if (read) {
        // The port mapper's own client reaches the session's null procedure.
        std::string command = "rpcinfo -u 127.0.0.1 " + std::to_string(session) + " 1";
        FILE *rpcinfo = popen(command.c_str(), "r");
        char answer[256] = "";
        EXPECT_NE(fgets(answer, sizeof answer, rpcinfo), nullptr);
        pclose(rpcinfo);
        EXPECT_EQ(std::string(answer), "program " + std::to_string(session) + " version 1 ready and waiting\n");

        EXPECT_EQ(V_ApiConnectToSession("visitor", "localhost", session), 0);
        EXPECT_TRUE(apiutil_test::serve_until([] { return !inits.empty(); }));
        V_ApiSetInt(0, 0, 92, 0);  // the host is ours to call now
        EXPECT_EQ(VA_errno, 0);
        EXPECT_EQ(V_ApiDisconnectFromSession(), 0);
        EXPECT_EQ(VA_bailout, 1);
    }
    kill(vxhost, SIGTERM);
    int status = -1;
    waitpid(vxhost, &status, 0);
    ASSERT_TRUE(read);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

// The connect records against XDR written out by hand: the request in the
// reverse of its memory order, the reply in the same order.
TEST(SessionRecords, WireOrderOfTheConnectRecords)
{
    const unsigned char requestWire[] = {0, 0, 0, 2,   'a', 'b', 0,   0,   0,   0,   0,   7,
                                         '1', '.', '2', '.', '3', '.', '4', 0,  1,  2,  3,  4};
    char buffer[64];
    VxRpcApiConnectArgT request{0x01020304, const_cast<char *>("1.2.3.4"), const_cast<char *>("ab")};
    XDR xdrs;
    xdrmem_create(&xdrs, buffer, sizeof buffer, XDR_ENCODE);
    ASSERT_TRUE(xdr_VxRpcApiConnectArgT(&xdrs, &request));
    EXPECT_EQ(std::string(buffer, xdr_getpos(&xdrs)),
              std::string(reinterpret_cast<const char *>(requestWire), sizeof requestWire));
    xdr_destroy(&xdrs);

    unsigned char replyWire[] = {0, 0, 0, 0, 0, 0, 0, 9, 0, 0, 0, 100, 0, 0, 0, 1, 0, 0, 0, 200,
                                 0, 0, 0, 2, 0, 0, 0x10, 0x92, 0, 0, 0, 1, 'h', 0, 0, 0};
    // Whole, then cut inside the host name and before it: a cut reply fails
    // and what was decoded can still be freed.
    for (size_t length : {sizeof replyWire, sizeof replyWire - 4, sizeof replyWire - 8}) {
        VxRpcApiConnectReturnT reply{};
        xdrmem_create(&xdrs, reinterpret_cast<char *>(replyWire), length, XDR_DECODE);
        bool decoded = xdr_VxRpcApiConnectReturnT(&xdrs, &reply);
        xdr_destroy(&xdrs);
        EXPECT_EQ(decoded, length == sizeof replyWire);
        if (decoded) {
            EXPECT_EQ(reply.status, 0);
            EXPECT_EQ(reply.connection, 9);
            EXPECT_EQ(reply.clientProg, 100);
            EXPECT_EQ(reply.clientVers, 1);
            EXPECT_EQ(reply.hostProg, 200);
            EXPECT_EQ(reply.hostVers, 2);
            EXPECT_EQ(reply.hostPid, 4242);
            EXPECT_STREQ(reply.hostName, "h");
        }
        xdr_free(vapi_codec(xdr_VxRpcApiConnectReturnT), reinterpret_cast<char *>(&reply));
    }
}

TEST(HostNtoa, DottedQuadOfAName)
{
    EXPECT_STREQ(host_ntoa(nullptr), "127.0.0.1");
    EXPECT_STREQ(host_ntoa("10.1.2.3"), "10.1.2.3");
    EXPECT_STREQ(host_ntoa("256.1.1.1"), "0.0.0.0");  // resolves to nothing
    EXPECT_EQ(host_ntoa(thishost()), own_address());
}

}  // namespace
