// Connections read a record at a time, as its bytes come, and never wait
// for a peer that sends no more.
#include "connection.h"

#include "callbacks.h"

#include <errno.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <rpc/svc_auth.h>
#include <rpc/svc_mt.h>
#include <string.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <new>
#include <string>
#include <type_traits>

namespace vapi::connection {
namespace {

using Clock = std::chrono::steady_clock;
// How long a reply may wait for a peer that takes none of it.
const auto kWriteGrace = std::chrono::seconds(2);
const size_t kPiece = 64 * 1024;

struct Connection {
    SVCXPRT xprt;
    SVCXPRT_EXT ext;
    sockaddr_storage remote, local;
    char verifier[MAX_AUTH_BYTES];
    int maxRecord;
    // The record coming in: its fragments' contents so far, the header of
    // the next fragment, and how much of the current one is still to come.
    std::string record;
    unsigned char header[4];
    int headerBytes;
    uint32_t fragmentLeft;
    bool inFragment, lastFragment, complete, dead;
    uint32_t xid;
    XDR in;  // the complete record being decoded
    XDR out;  // the reply, as a record, into `pending`
    std::string pending;
};

Connection &of(SVCXPRT *x) { return *static_cast<Connection *>(x->xp_p1); }

// A read that brought nothing: later, or never (the peer closed or failed).
bool nothing(Connection &c, ssize_t n)
{
    if (n == 0 || (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR))
        c.dead = true;
    return false;
}

// Reads what has come of the current record; true once it is complete.
bool read_record(Connection &c)
{
    int fd = c.xprt.xp_fd;
    while (!c.complete) {
        if (!c.inFragment) {
            ssize_t n = recv(fd, c.header + c.headerBytes, sizeof c.header - static_cast<size_t>(c.headerBytes), 0);
            if (n <= 0)
                return nothing(c, n);
            c.headerBytes += static_cast<int>(n);
            if (c.headerBytes < 4)
                continue;
            uint32_t h;
            memcpy(&h, c.header, sizeof h);
            h = ntohl(h);
            c.headerBytes = 0;
            c.lastFragment = (h & 0x80000000u) != 0;
            c.fragmentLeft = h & 0x7fffffffu;
            if (c.record.size() + c.fragmentLeft > static_cast<size_t>(c.maxRecord)) {
                c.dead = true;  // longer than any record may be
                return false;
            }
            c.inFragment = true;
        }
        if (c.fragmentLeft > 0) {
            // The record grows with the bytes that came, not with what the
            // header announced.
            size_t at = c.record.size();
            c.record.resize(at + std::min<size_t>(c.fragmentLeft, kPiece));
            ssize_t n = recv(fd, &c.record[at], c.record.size() - at, 0);
            c.record.resize(at + static_cast<size_t>(std::max<ssize_t>(n, 0)));
            if (n <= 0)
                return nothing(c, n);
            c.fragmentLeft -= static_cast<uint32_t>(n);
        }
        if (c.fragmentLeft == 0) {
            c.inFragment = false;
            c.complete = c.lastFragment;
        }
    }
    return true;
}

// The record served last is done with.
void start_next(Connection &c)
{
    if (!c.complete)
        return;
    c.complete = false;
    if (c.record.capacity() > kPiece)
        std::string().swap(c.record);
    c.record.clear();
}

bool_t receive(SVCXPRT *x, rpc_msg *msg)
{
    Connection &c = of(x);
    start_next(c);
    if (c.dead || !read_record(c))
        return FALSE;
    xdrmem_create(&c.in, &c.record[0], static_cast<u_int>(c.record.size()), XDR_DECODE);
    if (!xdr_callmsg(&c.in, msg)) {
        c.dead = true;
        return FALSE;
    }
    c.xid = msg->rm_xid;
    return TRUE;
}

// Asked after each call is served: its record is let go at once, so that
// an idle connection keeps no large one.
xprt_stat status(SVCXPRT *x)
{
    Connection &c = of(x);
    start_next(c);
    return c.dead ? XPRT_DIED : XPRT_IDLE;
}

bool_t get_arguments(SVCXPRT *x, xdrproc_t codec, void *where)
{
    Connection &c = of(x);
    return c.complete && SVCAUTH_UNWRAP(&SVC_XP_AUTH(x), &c.in, codec, static_cast<caddr_t>(where));
}

bool_t free_arguments(SVCXPRT *, xdrproc_t codec, void *where)
{
    XDR x{};
    x.x_op = XDR_FREE;
    return codec(&x, where);
}

// Writes the pending reply; a peer that takes none of it for a while is
// dropped rather than waited for.
bool flush(Connection &c)
{
    size_t done = 0;
    auto progress = Clock::now();
    while (done < c.pending.size()) {
        ssize_t n = send(c.xprt.xp_fd, c.pending.data() + done, c.pending.size() - done, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n > 0) {
            done += static_cast<size_t>(n);
            progress = Clock::now();
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)
            break;
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(progress + kWriteGrace - Clock::now());
        if (left.count() <= 0)
            break;
        pollfd p{c.xprt.xp_fd, POLLOUT, 0};
        poll(&p, 1, static_cast<int>(left.count()));
    }
    bool all = done == c.pending.size();
    std::string().swap(c.pending);
    if (!all)
        c.dead = true;
    return all;
}

bool_t send_reply(SVCXPRT *x, rpc_msg *msg)
{
    Connection &c = of(x);
    if (c.dead)
        return FALSE;
    // As the library does: the results go through the authentication
    // flavour's wrapping, after the plain reply header.
    bool results = msg->rm_reply.rp_stat == MSG_ACCEPTED && msg->rm_reply.rp_acpt.ar_stat == SUCCESS;
    xdrproc_t codec = msg->acpted_rply.ar_results.proc;
    caddr_t where = msg->acpted_rply.ar_results.where;
    if (results) {
        msg->acpted_rply.ar_results.proc = vapi_codec(xdr_void);
        msg->acpted_rply.ar_results.where = nullptr;
    }
    msg->rm_xid = c.xid;
    c.out.x_op = XDR_ENCODE;
    bool encoded = xdr_replymsg(&c.out, msg) && (!results || SVCAUTH_WRAP(&SVC_XP_AUTH(x), &c.out, codec, where));
    xdrrec_endofrecord(&c.out, TRUE);
    return flush(c) && encoded;
}

void destroy(SVCXPRT *x)
{
    Connection *c = &of(x);
    xprt_unregister(x);
    close(x->xp_fd);
    XDR_DESTROY(&c->out);
    delete c;
}

bool_t control(SVCXPRT *, const u_int, void *) { return FALSE; }

int no_reading(void *, void *, int) { return -1; }

int into_pending(void *handle, void *bytes, int length)
{
    static_cast<Connection *>(handle)->pending.append(static_cast<const char *>(bytes), static_cast<size_t>(length));
    return length;
}

using Ops = std::remove_const_t<std::remove_pointer_t<decltype(SVCXPRT::xp_ops)>>;
using Ops2 = std::remove_const_t<std::remove_pointer_t<decltype(SVCXPRT::xp_ops2)>>;
const Ops kOps = {receive, status, get_arguments, send_reply, free_arguments, destroy};
const Ops2 kOps2 = {control};

}  // namespace

SVCXPRT *create(int fd, const sockaddr_storage &remote, socklen_t length, int maxRecord)
{
    auto *c = new (std::nothrow) Connection{};
    if (c == nullptr || fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK) != 0) {
        delete c;
        close(fd);
        return nullptr;
    }
    int on = 1;
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    c->remote = remote;
    socklen_t localLength = sizeof c->local;
    getsockname(fd, reinterpret_cast<sockaddr *>(&c->local), &localLength);
    c->maxRecord = maxRecord;
    SVCXPRT &x = c->xprt;
    x.xp_fd = fd;
    x.xp_ops = &kOps;
    x.xp_ops2 = &kOps2;
    x.xp_p1 = c;
    x.xp_p3 = &c->ext;
    x.xp_verf.oa_base = c->verifier;
    x.xp_rtaddr = {sizeof c->remote, length, &c->remote};
    x.xp_ltaddr = {sizeof c->local, localLength, &c->local};
    x.xp_addrlen = static_cast<int>(std::min<size_t>(length, sizeof x.xp_raddr));
    memcpy(&x.xp_raddr, &c->remote, static_cast<size_t>(x.xp_addrlen));
    xdrrec_create(&c->out, static_cast<u_int>(kPiece), 0, c, no_reading, into_pending);
    xprt_register(&x);
    return &x;
}

}  // namespace vapi::connection
