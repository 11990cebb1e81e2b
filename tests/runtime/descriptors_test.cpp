// The service loop inside this process: descriptor-change reports, extra
// descriptors, and service sockets beyond the first 32 descriptors.
#include "runtime_fixture.h"

#include "callbacks.h"
#include "vapi/runtime.h"
#include "runtime_internal.h"

#include <fcntl.h>
#include <signal.h>
#include <netinet/in.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

std::vector<std::pair<int, int>> reports;
void remember(int32_t fd, int32_t added) { reports.emplace_back(fd, added); }

int childEnded[2];

SVCXPRT *tcp_service(int socket = RPC_ANYSOCK) { return svctcp_create(socket, 0, 0); }

TEST(Descriptors, CallbackHearsOfEachServiceDescriptorOnceEachWay)
{
    int placeholder = open("/dev/null", O_RDONLY);  // keeps a low number free for later
    SVCXPRT *a = tcp_service(), *b = tcp_service();
    ASSERT_TRUE(a && b);
    reports.clear();
    EXPECT_EQ(V_ApiSetFdFunc(remember), nullptr);
    EXPECT_EQ(reports, (std::vector<std::pair<int, int>>{{a->xp_fd, 1}, {b->xp_fd, 1}}));

    // Nothing changed: nothing reported.
    reports.clear();
    call_fd_func();
    EXPECT_TRUE(reports.empty());

    // A higher descriptor goes away as a lower one comes: the removal is
    // reported first.
    close(placeholder);
    SVCXPRT *c = tcp_service();
    ASSERT_LT(c->xp_fd, b->xp_fd);
    int gone = b->xp_fd;
    svc_destroy(b);
    call_fd_func();
    EXPECT_EQ(reports, (std::vector<std::pair<int, int>>{{gone, 0}, {c->xp_fd, 1}}));

    // A new callback hears at once of every descriptor; the old one is returned.
    EXPECT_EQ(V_ApiSetFdFunc(nullptr), remember);
    svc_destroy(a);
    svc_destroy(c);
}

TEST(Descriptors, ReadyExtraDescriptorIsReturnedAndNothingIsDispatched)
{
    SVCXPRT *idle = tcp_service();  // a service with nothing to read
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    ASSERT_LT(fds[0], 32);
    ASSERT_EQ(write(fds[1], "x", 1), 1);
    uint32_t mask = 1u << fds[0];
    EXPECT_EQ(V_ApiService(&mask), 1);
    EXPECT_EQ(mask, 1u << fds[0]);
    EXPECT_EQ(VA_SelectMask, 1u << fds[0]);
    close(fds[0]);
    close(fds[1]);
    svc_destroy(idle);
}

TEST(Descriptors, ServiceSocketsAbove31AreServed)
{
    // The loop below must wake when rpcinfo ends: its end is a byte in a
    // pipe that the loop watches as an extra descriptor.
    ASSERT_EQ(pipe(childEnded), 0);
    signal(SIGCHLD, [](int) { ssize_t n = write(childEnded[1], "c", 1); (void)n; });
    // Fill every descriptor below 40, so that the service's listening socket
    // and the connection it accepts are both numbered above 31.
    std::vector<int> fillers;
    while (fillers.empty() || fillers.back() < 40)
        fillers.push_back(open("/dev/null", O_RDONLY));
    close(fillers.back());
    fillers.pop_back();
    V_ApiSetFdFunc(remember);
    reports.clear();
    SVCXPRT *high = tcp_service();
    ASSERT_NE(high, nullptr);
    ASSERT_GE(high->xp_fd, 32);
    call_fd_func();
    EXPECT_EQ(reports, (std::vector<std::pair<int, int>>{{high->xp_fd, 1}}));

    uint32_t program = vxhost::free_program(1);
    netconfig *nconf = getnetconfigent("tcp");
    reinterpret_cast<sockaddr_in *>(high->xp_ltaddr.buf)->sin_port = htons(high->xp_port);
    ASSERT_TRUE(svc_reg(high, program, 1, vx_api_prog_1, nconf));
    freenetconfigent(nconf);

    // rpcinfo calls the null procedure; this process serves it.
    pid_t pid = fork();
    if (pid == 0) {
        int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        execlp("rpcinfo", "rpcinfo", "-t", "127.0.0.1", std::to_string(program).c_str(), "1", nullptr);
        _exit(127);
    }
    int status = -1;
    for (int pass = 0; pass < 50 && waitpid(pid, &status, WNOHANG) == 0; ++pass) {
        uint32_t mask = 1u << childEnded[0];
        V_ApiService(&mask);
    }
    if (waitpid(pid, &status, WNOHANG) == 0) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
    }
    signal(SIGCHLD, SIG_DFL);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    // The accepted connection came and went, above 31 as well.
    bool connectionSeen = false;
    for (auto [fd, added] : reports)
        connectionSeen = connectionSeen || (fd != high->xp_fd && fd >= 32 && added == 1);
    EXPECT_TRUE(connectionSeen);

    svc_unreg(program, 1);
    svc_destroy(high);
    V_ApiSetFdFunc(nullptr);
    for (int fd : fillers)
        close(fd);
    close(childEnded[0]);
    close(childEnded[1]);
}

}  // namespace
