// The runtime's calls to the host, made on the RPC library's connection with
// the library's record stream and message codecs. Only the waiting is ours:
// it watches the termination pipe (ending.h) beside the connection, with the
// handle's time-out as the limit.
#include "hostcall.h"

#include "ending.h"
#include "listener.h"
#include "callbacks.h"

#include <errno.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <type_traits>

namespace vapi::hostcall {
namespace {

using Clock = std::chrono::steady_clock;
using Ops = CLIENT::clnt_ops;

struct Link {
    Ops ops;  // first: the handle's operations point here
    Ops *own;
    int fd;
    bool datagram;  // a UDP handle: one datagram each way
    XDR stream;     // a TCP handle's record stream
    rpc_err error;
    uint32_t xid;
    bool broken;  // a request was cut off: the stream is out of step
    Clock::time_point deadline;
    long received;  // bytes of replies read during this call
};
static_assert(std::is_standard_layout_v<Link>, "a handle's operations lead to its link");

Link &link_of(CLIENT *client)
{
    return *reinterpret_cast<Link *>(const_cast<Ops *>(client->cl_ops));
}

// Waits until the connection is ready for `events`. A termination signal
// ends the process here.
bool wait_for(Link &l, short events, clnt_stat failure)
{
    for (;;) {
        ending::end_if_asked();
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(l.deadline - Clock::now()).count();
        if (left <= 0) {
            l.error.re_status = RPC_TIMEDOUT;
            return false;
        }
        pollfd p[2] = {{l.fd, events, 0}, {ending::fd(), POLLIN, 0}};
        int n = poll(p, p[1].fd >= 0 ? 2 : 1, static_cast<int>(left < 60000 ? left + 1 : 60000));
        if (n < 0 && errno != EINTR) {
            l.error.re_status = failure;
            l.error.re_errno = errno;
            return false;
        }
        if (n > 0 && p[0].revents != 0)
            return true;
    }
}

int read_part(void *handle, void *buffer, int length)
{
    Link &l = *static_cast<Link *>(handle);
    for (;;) {
        if (l.received > listener::kMaxRecord) {  // no reply is this long
            l.error.re_status = RPC_CANTDECODERES;
            return -1;
        }
        if (!wait_for(l, POLLIN, RPC_CANTRECV))
            return -1;
        ssize_t n = recv(l.fd, buffer, static_cast<size_t>(length), MSG_DONTWAIT);
        if (n > 0) {
            l.received += n;
            return static_cast<int>(n);
        }
        if (n < 0 && (errno == EAGAIN || errno == EINTR))
            continue;
        l.error.re_status = RPC_CANTRECV;
        l.error.re_errno = n == 0 ? ECONNRESET : errno;
        return -1;
    }
}

int write_part(void *handle, void *buffer, int length)
{
    Link &l = *static_cast<Link *>(handle);
    auto *bytes = static_cast<const char *>(buffer);
    for (int done = 0; done < length;) {
        if (!wait_for(l, POLLOUT, RPC_CANTSEND))
            return -1;
        ssize_t n = send(l.fd, bytes + done, static_cast<size_t>(length - done), MSG_DONTWAIT | MSG_NOSIGNAL);
        if (n >= 0) {
            done += static_cast<int>(n);
        } else if (errno != EAGAIN && errno != EINTR) {
            l.error.re_status = RPC_CANTSEND;
            l.error.re_errno = errno;
            return -1;
        }
    }
    return length;
}

bool send_call(CLIENT *client, Link &l, rpc_msg &call, rpcproc_t proc, xdrproc_t codec, void *argument)
{
    XDR *x = &l.stream;
    x->x_op = XDR_ENCODE;
    bool encoded = xdr_callhdr(x, &call) && xdr_u_int(x, &proc) && AUTH_MARSHALL(client->cl_auth, x) &&
                   codec(x, argument);
    if (!encoded && l.error.re_status == RPC_SUCCESS)
        l.error.re_status = RPC_CANTENCODEARGS;
    // A record that did not encode is still ended: the host refuses it.
    if (!xdrrec_endofrecord(x, TRUE) && l.error.re_status == RPC_SUCCESS)
        l.error.re_status = RPC_CANTSEND;
    if (l.error.re_status != RPC_SUCCESS && l.error.re_status != RPC_CANTENCODEARGS) {
        l.broken = true;  // part of a record went out: nothing after it would be read right
        shutdown(l.fd, SHUT_RDWR);
    }
    return l.error.re_status == RPC_SUCCESS;
}

void free_verifier(XDR *x, rpc_msg &reply)
{
    if (reply.acpted_rply.ar_verf.oa_base == nullptr)
        return;
    x->x_op = XDR_FREE;
    xdr_opaque_auth(x, &reply.acpted_rply.ar_verf);
    x->x_op = XDR_DECODE;
}

// Decodes a reply's header from `x`; if it answers `xid`, its status and
// results too (true). Replies to calls that timed out before are skipped.
bool take_reply(CLIENT *client, Link &l, XDR *x, rpc_msg &reply, uint32_t xid, xdrproc_t codec, void *result)
{
    reply.acpted_rply.ar_verf = _null_auth;
    reply.acpted_rply.ar_results.where = nullptr;
    reply.acpted_rply.ar_results.proc = vapi_codec(xdr_void);
    bool decoded = xdr_replymsg(x, &reply);
    if (!decoded || reply.rm_xid != xid) {
        free_verifier(x, reply);
        return false;
    }
    _seterr_reply(&reply, &l.error);
    if (l.error.re_status == RPC_SUCCESS) {
        if (!AUTH_VALIDATE(client->cl_auth, &reply.acpted_rply.ar_verf)) {
            l.error.re_status = RPC_AUTHERROR;
            l.error.re_why = AUTH_INVALIDRESP;
        } else if (!codec(x, result) && l.error.re_status == RPC_SUCCESS) {
            l.error.re_status = RPC_CANTDECODERES;
        }
    }
    free_verifier(x, reply);
    return true;
}

// Reads records until the reply to `xid`.
void receive_reply(CLIENT *client, Link &l, uint32_t xid, xdrproc_t codec, void *result)
{
    XDR *x = &l.stream;
    x->x_op = XDR_DECODE;
    for (;;) {
        rpc_msg reply{};
        if (!xdrrec_skiprecord(x)) {
            if (l.error.re_status == RPC_SUCCESS)
                l.error.re_status = RPC_CANTRECV;
            return;
        }
        if (take_reply(client, l, x, reply, xid, codec, result) || l.error.re_status != RPC_SUCCESS)
            return;
    }
}

// One datagram out, then datagrams in until the reply to it.
void exchange_datagrams(CLIENT *client, Link &l, rpc_msg &call, rpcproc_t proc, xdrproc_t argCodec,
                        void *argument, xdrproc_t codec, void *result)
{
    std::string buffer(65536, '\0');
    XDR x;
    xdrmem_create(&x, &buffer[0], static_cast<u_int>(buffer.size()), XDR_ENCODE);
    if (!xdr_callhdr(&x, &call) || !xdr_u_int(&x, &proc) || !AUTH_MARSHALL(client->cl_auth, &x) ||
        !argCodec(&x, argument)) {
        l.error.re_status = RPC_CANTENCODEARGS;
        return;
    }
    netbuf server{};
    l.own->cl_control(client, CLGET_SVC_ADDR, &server);
    if (sendto(l.fd, buffer.data(), xdr_getpos(&x), 0, static_cast<sockaddr *>(server.buf), server.len) < 0) {
        l.error.re_status = RPC_CANTSEND;
        l.error.re_errno = errno;
        return;
    }
    for (;;) {
        if (!wait_for(l, POLLIN, RPC_CANTRECV))
            return;
        ssize_t n = recv(l.fd, &buffer[0], buffer.size(), MSG_DONTWAIT);
        if (n < 4)
            continue;  // nothing, or too short to be a reply
        xdrmem_create(&x, &buffer[0], static_cast<u_int>(n), XDR_DECODE);
        rpc_msg reply{};
        if (take_reply(client, l, &x, reply, call.rm_xid, codec, result))
            return;
    }
}

clnt_stat call(CLIENT *client, rpcproc_t proc, xdrproc_t argCodec, void *argument, xdrproc_t resultCodec,
               void *result, timeval)
{
    Link &l = link_of(client);
    l.error = rpc_err{};
    l.error.re_status = RPC_SUCCESS;
    if (l.broken)
        return l.error.re_status = RPC_CANTSEND;
    // The handle's time-out rules, as it does for the library's own call.
    timeval limit{};
    rpcprog_t program = 0;
    rpcvers_t version = 0;
    l.own->cl_control(client, CLGET_TIMEOUT, &limit);
    l.own->cl_control(client, CLGET_PROG, &program);
    l.own->cl_control(client, CLGET_VERS, &version);
    l.deadline = Clock::now() + std::chrono::seconds(limit.tv_sec) + std::chrono::microseconds(limit.tv_usec);
    l.received = 0;

    rpc_msg request{};
    request.rm_xid = ++l.xid;
    request.rm_direction = CALL;
    request.rm_call.cb_rpcvers = RPC_MSG_VERSION;
    request.rm_call.cb_prog = program;
    request.rm_call.cb_vers = version;
    if (l.datagram)
        exchange_datagrams(client, l, request, proc, argCodec, argument, resultCodec, result);
    else if (send_call(client, l, request, proc, argCodec, argument))
        receive_reply(client, l, request.rm_xid, resultCodec, result);
    return l.error.re_status;
}

void get_error(CLIENT *client, rpc_err *error)
{
    *error = link_of(client).error;
}

void destroy(CLIENT *client)
{
    Link *l = &link_of(client);
    if (!l->datagram)
        XDR_DESTROY(&l->stream);
    client->cl_ops = l->own;
    delete l;
    clnt_destroy(client);
}

}  // namespace

void take_over(CLIENT *client)
{
    auto *l = new Link{};
    l->own = client->cl_ops;
    l->ops = *client->cl_ops;
    l->ops.cl_call = call;
    l->ops.cl_geterr = get_error;
    l->ops.cl_destroy = destroy;
    l->fd = -1;
    l->own->cl_control(client, CLGET_FD, &l->fd);
    l->own->cl_control(client, CLGET_XID, &l->xid);
    int type = 0;
    socklen_t length = sizeof type;
    l->datagram = getsockopt(l->fd, SOL_SOCKET, SO_TYPE, &type, &length) == 0 && type == SOCK_DGRAM;
    if (!l->datagram)
        xdrrec_create(&l->stream, 64 * 1024, 64 * 1024, l, read_part, write_part);
    client->cl_ops = &l->ops;
}

}  // namespace vapi::hostcall
