// Listeners whose connections cannot stall the single-threaded loop.
#include "listener.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace vapi::listener {
namespace {

bool listening(int fd)
{
    int on = 0;
    socklen_t len = sizeof on;
    return getsockopt(fd, SOL_SOCKET, SO_ACCEPTCONN, &on, &len) == 0 && on != 0;
}

// Whether `count` more descriptors could be opened now.
bool free_descriptors(int near, int count)
{
    int taken[2] = {-1, -1};
    int got = 0;
    while (got < count && (taken[got] = fcntl(near, F_DUPFD_CLOEXEC, 0)) >= 0)
        ++got;
    for (int i = 0; i < got; ++i)
        close(taken[i]);
    return got == count;
}

}  // namespace

SVCXPRT *create(in_addr address)
{
    int s = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (s < 0)
        return nullptr;
    sockaddr_in where{};
    where.sin_family = AF_INET;
    where.sin_addr = address;
    socklen_t len = sizeof where;
    if (bind(s, reinterpret_cast<sockaddr *>(&where), len) != 0 || listen(s, SOMAXCONN) != 0 ||
        getsockname(s, reinterpret_cast<sockaddr *>(&where), &len) != 0) {
        close(s);
        return nullptr;
    }
    SVCXPRT *transport = svctcp_create(s, 0, 0);
    if (transport == nullptr) {
        close(s);
        return nullptr;
    }
    // The port mapper learns the port from the local address, where the
    // compatibility constructor leaves it out.
    netbuf &local = transport->xp_ltaddr;
    if (local.buf != nullptr && local.len >= sizeof(sockaddr_in))
        static_cast<sockaddr_in *>(local.buf)->sin_port = where.sin_port;
    int most = kMaxRecord;
    SVC_CONTROL(transport, SVCSET_CONNMAXREC, &most);
    return transport;
}

bool hold_listeners(fd_set &ready, int nfds)
{
    int first = -1;
    for (int fd = 0; fd < nfds && first < 0; ++fd)
        if (FD_ISSET(fd, &ready) && listening(fd))
            first = fd;
    if (first < 0 || free_descriptors(first, 2))
        return false;
    for (int fd = first; fd < nfds; ++fd)
        if (FD_ISSET(fd, &ready) && listening(fd))
            FD_CLR(fd, &ready);
    return true;
}

}  // namespace vapi::listener
