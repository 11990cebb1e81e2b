// This process attached to a running stand-in host through its session
// service, over real UDP and TCP RPC with the machine's port mapper: the
// attach, its failures, the default parameter lists entry by entry, and the
// one-call open, new document and save as the host receives them.
#include "client_under_host.h"
#include "process.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netdb.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "vapi/api.h"
#include "apiutil.h"
#include "vapi/apisimple.h"
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
        HostChild host(scripted(requestsSeen(2), refusing));
        // No host name and an empty one both reach this machine's session.
        EXPECT_EQ(V_ApiConnectToSession("first", nullptr, host.session()) * 10 + VA_errno, 33);
        EXPECT_EQ(V_ApiConnectToSession("second", "", host.session()), 3);
        EXPECT_EQ(vellix_client, nullptr);  // no hookup
        int status;
        EXPECT_EQ(host.finish(&status).size(), 2u);
    }
    for (auto [options, result] : {std::pair(failing, V_API_CONNECT_FAILED), std::pair(nowhere, V_API_HOOKUP_FAILED)}) {
        HostChild host(scripted(requestsSeen(1), options));
        EXPECT_EQ(V_ApiConnectToSession("tester", nullptr, host.session()), result);
        EXPECT_EQ(VA_errno, result);
    }
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    uint32_t nobody = vxhost::free_program(VX_SESSION_VERSION);
    int descriptors = lindrel_test::open_descriptors();
    EXPECT_EQ(V_ApiConnectToSession("tester", "localhost", nobody) * 10 + VA_errno, V_API_NO_SESSION * 11);
    EXPECT_EQ(V_ApiConnectToSession("tester", "256.1.1.1", nobody), V_API_NO_SESSION);  // no such machine
    EXPECT_EQ(lindrel_test::open_descriptors(), descriptors);
    EXPECT_STREQ(host_ntoa(nullptr), "127.0.0.1");
    EXPECT_STREQ(host_ntoa("10.1.2.3"), "10.1.2.3");
    EXPECT_STREQ(host_ntoa("256.1.1.1"), "0.0.0.0");  // resolves to nothing
}

// The stand-in host's command line, serving: any process may attach, and
// the port mapper's own client reaches the session's null procedure.
TEST_F(Session, RunningVxhostAcceptsAnAttach)
{
    int out[2];
    ASSERT_EQ(pipe(out), 0);
    pid_t vxhost = fork();
    if (vxhost == 0) {
        dup2(out[1], STDOUT_FILENO);
        close(out[0]);
        execl(lindrel_test::kVxhost.c_str(), "vxhost", "--serve", "--print-program", nullptr);
        _exit(127);
    }
    close(out[1]);
    FILE *told = fdopen(out[0], "r");
    unsigned hostProgram = 0, session = 0;
    bool read = fscanf(told, "program %u version 1 session %u version 1", &hostProgram, &session) == 2;
    fclose(told);
    if (read) {
        auto rpcinfo = lindrel_test::run_program({"rpcinfo", "-u", "127.0.0.1", std::to_string(session), "1"});
        EXPECT_EQ(rpcinfo.out, "program " + std::to_string(session) + " version 1 ready and waiting\n");
        EXPECT_EQ(V_ApiConnectToSession("visitor", "localhost", session), 0);
        EXPECT_TRUE(serveUntil([] { return !inits.empty(); }));
        V_ApiSetInt(0, 0, 92, 0);  // the host is ours to call now
        EXPECT_EQ(VA_errno + V_ApiDisconnectFromSession() * 10, 0);
        EXPECT_EQ(VA_bailout, 1);
    }
    kill(vxhost, SIGTERM);
    int status = -1;
    waitpid(vxhost, &status, 0);
    ASSERT_TRUE(read);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

// A list, released, as "number=value" words: 'text' for strings, null for
// a null string, type<code> for other values.
std::string taken(V_PropValsT list)
{
    std::string out;
    for (uint32_t i = 0; i < list.count; i++) {
        const V_TypedValT &v = list.items[i].value;
        std::string value = v.typeCode == 1 ? std::to_string(v.value.intVal) : "type" + std::to_string(v.typeCode);
        if (v.typeCode == V_TYPE_STRING)
            value = v.value.stringVal ? "'" + std::string(v.value.stringVal) + "'" : "null";
        out += (i ? " " : "") + std::to_string(list.items[i].ident.propNum) + "=" + value + (list.items[i].ident.propName ? "?" : "");
    }
    V_ApiDeallocatePropVals(&list);
    return out;
}

const char kOpenList[] = "1=1 2=1 14=4 15=4 16=4 17=4 18=4 19=4 20=4 21=4 22=4 23=4 28=4 24=4 25=4 4=1";

TEST(DefaultParams, EveryListEntryByEntry)
{
    const std::tuple<V_PropValsT (*)(), const char *> cases[] = {
        {V_ApiGetOpenDefaultParams,
         "1=0 5=1 7=0 8=0 33=0 9=0 10=0 11=0 13=0 2=0 14=0 15=0 16=12 17=5 18=0 19=0 20=0 21=5 22=0 "
         "23=0 28=0 24=0 25=0 32=0 26=1 27=0 29=0 6=0 30=0 42=0 4=0 3=0 12=0 31=null 36=12 35=12 "
         "34=null 37=0 38=null 39=null 40=0 41=0"},
        {V_ApiGetSaveDefaultParams,
         "1=0 4=1 5=2 6=2 7=0 8=0 10=0 9=0 11=1 13=438 2=0 12=0 3=0 14=0 16=null 18=null 17=0 20=0 19=0 21=0"},
        {V_ApiGetImportDefaultParams,
         "1=0 2=0 4=5 5=0 6=null 7=0 8=0 9=0 10=0 11=0 12=0 33=0 17=0 13=1 15=72 14=1 16=12 18=1 "
         "32=1 19=1 20=null 21=10 22=1 23=1 24=1 25=null 26=1 27=0 29=null 30=0 28=1 31=1 34=null "
         "3=0 35=null 36=0"},
        {V_ApiGetExportDefaultParams, "1=0 2=0 3=0 4=1 6=type10 5=8 7=0 8=0 9=0 10=0 11=1 13=438 15=72 12=1 14=null 16=null"},
        {V_ApiGetUpdateBookDefaultParams, "1=1 2=0 3=1 6=1 4=0 5=1 7=1 8=1 9=1 10=1 11=1"},
        {V_ApiGetSpellDefaultParams,
         "1005=1 1000=6137 1001='!,.:;?' 1002='!%),.:;?]}' 1003='$([{' 1004='.' 1006='resultfile.dct' 1007=1"},
        {initializeNewPropList, "29=1"},
        {initializeSavePropList, "4=1 5=0 8=1 2=1"},
    };
    for (const auto &[make, entries] : cases)
        EXPECT_EQ(taken(make()), entries);
    EXPECT_EQ(taken(initializeOpenPropList(0)), kOpenList);
    EXPECT_EQ(taken(initializeOpenPropList(-3)), std::string(kOpenList) + " 29=-3");
    // The spelling strings belong to each list: changed or released alone.
    V_PropValsT a = V_ApiGetSpellDefaultParams(), b = V_ApiGetSpellDefaultParams();
    a.items[2].value.value.stringVal[0] = 'X';
    V_ApiDeallocatePropVals(&a);
    EXPECT_STREQ(b.items[2].value.value.stringVal, "!,.:;?");
    V_ApiDeallocatePropVals(&b);
}

}  // namespace
