// Listeners whose connections cannot stall the single-threaded loop.
#include "listener.h"

#include "connection.h"

#include <errno.h>
#include <sys/socket.h>
#include <unistd.h>

#include <type_traits>

namespace vapi::listener {
namespace {

// A listener accepts into the runtime's own connections (connection.h);
// the rest of it, registration included, is the library's.
using Ops = std::remove_const_t<std::remove_pointer_t<decltype(SVCXPRT::xp_ops)>>;
const Ops *library = nullptr;
Ops ours;

// The listeners made here, and whether they wait for a free descriptor.
fd_set listeners;  // zero-initialised as a static
bool held = false;

bool_t accept_one(SVCXPRT *listener, rpc_msg *)
{
    sockaddr_storage from{};
    socklen_t length = sizeof from;
    int fd = accept4(listener->xp_fd, reinterpret_cast<sockaddr *>(&from), &length, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (fd >= 0)
        connection::create(fd, from, length, kMaxRecord);
    else if (errno == EMFILE || errno == ENFILE)
        held = true;  // the connection stays queued until a descriptor is free
    return FALSE;  // a listener brings no call of its own
}

void destroy_listener(SVCXPRT *listener)
{
    FD_CLR(listener->xp_fd, &listeners);
    listener->xp_ops = library;  // the library knows its listeners by their operations
    svc_destroy(listener);
}

// Whether two more descriptors could be opened now: one to accept, one to
// look the caller up.
bool descriptors_free()
{
    int taken[2] = {-1, -1};
    int got = 0;
    while (got < 2 && (taken[got] = socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0)) >= 0)
        ++got;
    for (int i = 0; i < got; ++i)
        close(taken[i]);
    return got == 2;
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
    if (library == nullptr) {
        library = transport->xp_ops;
        ours = *library;
        ours.xp_recv = accept_one;
        ours.xp_destroy = destroy_listener;
    }
    transport->xp_ops = &ours;
    FD_SET(transport->xp_fd, &listeners);
    return transport;
}

bool hold_listeners(fd_set &watch)
{
    if (!held || descriptors_free()) {
        held = false;
        return false;
    }
    for (int fd = 0; fd < FD_SETSIZE; ++fd)
        if (FD_ISSET(fd, &listeners))
            FD_CLR(fd, &watch);
    return true;
}

}  // namespace vapi::listener
