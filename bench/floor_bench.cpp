// The physical floor under every RPC number: one bare round trip of a few
// bytes over loopback TCP between two processes, with no RPC at all.
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <benchmark/benchmark.h>

namespace {

// An echo process on a loopback port, connected to this one.
class Echo {
public:
    Echo()
    {
        int listener = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (listener < 0 || bind(listener, reinterpret_cast<sockaddr *>(&address), length) != 0 ||
            listen(listener, 1) != 0 || getsockname(listener, reinterpret_cast<sockaddr *>(&address), &length) != 0)
            return;
        child_ = fork();
        if (child_ == 0) {
            int peer = accept(listener, nullptr, nullptr);
            char buf[64];
            for (ssize_t n; (n = read(peer, buf, sizeof buf)) > 0;)
                if (write(peer, buf, static_cast<size_t>(n)) != n) break;
            _exit(0);
        }
        close(listener);
        fd_ = socket(AF_INET, SOCK_STREAM, 0);
        int one = 1;
        setsockopt(fd_, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
        if (connect(fd_, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0) fd_ = -1;
    }
    ~Echo()
    {
        if (fd_ >= 0) close(fd_);
        if (child_ > 0) {
            kill(child_, SIGTERM);
            waitpid(child_, nullptr, 0);
        }
    }
    bool roundTrip()
    {
        char buf[4] = {1, 2, 3, 4};
        return fd_ >= 0 && write(fd_, buf, sizeof buf) == sizeof buf && read(fd_, buf, sizeof buf) == sizeof buf;
    }

private:
    pid_t child_ = -1;
    int fd_ = -1;
};

void BM_LoopbackRoundTrip(benchmark::State &state)
{
    Echo echo;
    for (auto _ : state)
        if (!echo.roundTrip()) {
            state.SkipWithError("no echo");
            break;
        }
}
BENCHMARK(BM_LoopbackRoundTrip)->UseRealTime()->Unit(benchmark::kMicrosecond);

}  // namespace
