// This process attached to a running stand-in host through its session
// service, over real UDP and TCP RPC with the machine's port mapper: the
// attach, its failures, and the command line's serving host.
#include "client_under_host.h"
#include "process.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <string>
#include <vector>

#include "vapi/api.h"
#include "vapi/apistruct.h"
#include "callbacks.h"
#include "runtime_internal.h"
#include "vapi/runtime.h"
#include "vapi/session.h"

namespace {

// What this client's entry points received.
std::vector<int32_t> inits;
std::vector<std::string> notes;

}  // namespace

extern "C" {
void V_ApiInitialize(int32_t code)
{
    inits.push_back(code);
}
void V_ApiNotify(int32_t notification, uint32_t docId, StringT sparm, int32_t iparm)
{
    std::string text;
    if (notification != V_API_FILTER_NOTIFICATION)
        text = sparm;
    else
        for (StringT s : reinterpret_cast<VdeApiFilterArgsT *>(sparm)->args)
            text += std::string(s ? s : "(null)") + "|";
    notes.push_back(std::to_string(notification) + " " + std::to_string(docId) + " " + text + " " + std::to_string(iparm));
}
void V_ApiCommand(int32_t) {}
}

namespace {

using lindrel_test::HostChild;
using vxhost::Host;
using vxhost::SessionService;

// Serves the host's calls in this process until done() holds or the time
// is up; stops once the host has sent quit.
bool serveUntil(const std::function<bool()> &done, double seconds = 20)
{
    VdeApiSetIdleSeconds(1);
    for (auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds); !done(); V_ApiService(nullptr))
        if (VA_bailout || std::chrono::steady_clock::now() > end)
            return done();
    return true;
}

// A script for the host: waits for `count` connect requests and reports them.
HostChild::Script requestsSeen(size_t count)
{
    return [count](Host &host, SessionService &session, const HostChild::Report &report) {
        if (!host.serve_until([&] { return session.requests().size() >= count; }, 10))
            return 1;
        for (const auto &r : session.requests())
            report(r.clientName + " " + r.address + " " + std::to_string(r.pid));
        return 0;
    };
}

HostChild::Options scripted(HostChild::Script script, SessionService::Options session = {})
{
    return HostChild::Options{{}, std::move(script), session, false};
}

class Session : public testing::Test {
protected:
    void SetUp() override
    {
        inits.clear();
        notes.clear();
        VA_errno = VA_bailout = 0;
    }
    void TearDown() override { V_ApiShutDown(); }
};

TEST_F(Session, AttachedClientIsServedLikeAStartedOne)
{
    HostChild host(scripted([](Host &host, SessionService &session, const HostChild::Report &report) {
        if (!host.serve_until([&] { return host.handovers() >= 1; }, 10))  // the attach runs init
            return 1;
        requestsSeen(1)(host, session, report);
        bool sent = host.notify(V_API_FILTER_NOTIFICATION, 12, "a\x1e" "b", 7) && host.notify(5, 3, "plain", 1);
        host.call_quit();
        return sent ? 0 : 2;
    }));
    EXPECT_EQ(V_ApiConnectToSession("tester", nullptr, host.session()) * 10 + VA_errno, 0);
    EXPECT_TRUE(serveUntil([] { return VA_bailout != 0; }));
    EXPECT_EQ(inits, std::vector<int32_t>{0});
    // Notification 75 arrives unpacked (and released); any other as its text.
    EXPECT_EQ(notes, (std::vector<std::string>{"75 12 a|b|(null)|(null)|(null)|(null)| 7", "5 3 plain 1"}));
    int status;
    EXPECT_EQ(host.finish(&status), std::vector<std::string>{"tester " + std::string(host_ntoa(thishost())) + " " + std::to_string(getpid())});
    EXPECT_EQ(status, 0);
    EXPECT_EQ(V_ApiVellixAlive(), 0);  // a host on this machine is watched
    EXPECT_EQ(V_ApiConnectToSession("tester", "256.1.1.1", host.session()), V_API_NO_SESSION);  // no such machine
}

}  // namespace
