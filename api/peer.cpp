// Who is calling. TCP and UDP carry no credentials, but on this machine the
// kernel's socket table (sock_diag, or /proc/net where that is missing)
// knows the peer's socket: its owner and its inode. A socket that no
// process holds any more (closed by its owner) has no inode there and
// counts as unknown: its owner would read as root.
#include "peer.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <linux/inet_diag.h>
#include <linux/netlink.h>
#include <linux/sock_diag.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <map>
#include <string>
#include <vector>

namespace vapi::peer {
namespace {

struct Endpoint {
    in_addr address;
    in_port_t port;  // network order
};

// One socket as the kernel's table lists it.
struct Socket {
    int family;
    uint32_t local[4], remote[4];  // addresses as stored (IPv4: the first word)
    in_port_t localPort, remotePort;  // network order
    uid_t uid;
    ino_t inode;  // 0: no process holds it any more
};

// The sockets of one family and protocol on `port`, from sock_diag.
bool from_kernel(int family, int protocol, in_port_t port, std::vector<Socket> &out)
{
    int nl = socket(AF_NETLINK, SOCK_DGRAM | SOCK_CLOEXEC, NETLINK_SOCK_DIAG);
    if (nl < 0)
        return false;
    struct {
        nlmsghdr header;
        inet_diag_req_v2 body;
    } request{};
    request.header.nlmsg_len = sizeof request;
    request.header.nlmsg_type = SOCK_DIAG_BY_FAMILY;
    request.header.nlmsg_flags = NLM_F_REQUEST | NLM_F_DUMP;
    request.body.sdiag_family = static_cast<__u8>(family);
    request.body.sdiag_protocol = static_cast<__u8>(protocol);
    request.body.idiag_states = ~0u;
    request.body.id.idiag_sport = port;  // the kernel filters on it
    request.body.id.idiag_cookie[0] = request.body.id.idiag_cookie[1] = INET_DIAG_NOCOOKIE;
    sockaddr_nl kernel{};
    kernel.nl_family = AF_NETLINK;
    bool ok = sendto(nl, &request, sizeof request, 0, reinterpret_cast<sockaddr *>(&kernel), sizeof kernel) ==
              static_cast<ssize_t>(sizeof request);
    alignas(nlmsghdr) char buffer[16384];
    for (bool done = !ok; !done;) {
        ssize_t n = recv(nl, buffer, sizeof buffer, 0);
        if (n <= 0) {
            ok = false;
            break;
        }
        int left = static_cast<int>(n);  // signed: a last message padded past the end ends the walk
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wsign-compare"  // NLMSG_OK compares the header's unsigned length with it
        for (auto *h = reinterpret_cast<nlmsghdr *>(buffer); NLMSG_OK(h, left); h = NLMSG_NEXT(h, left)) {
#pragma GCC diagnostic pop
            if (h->nlmsg_type == NLMSG_DONE || h->nlmsg_type == NLMSG_ERROR) {
                ok = h->nlmsg_type == NLMSG_DONE;
                done = true;
                break;
            }
            auto *m = static_cast<inet_diag_msg *>(NLMSG_DATA(h));
            Socket s{family, {}, {}, m->id.idiag_sport, m->id.idiag_dport, m->idiag_uid, m->idiag_inode};
            memcpy(s.local, m->id.idiag_src, sizeof s.local);
            memcpy(s.remote, m->id.idiag_dst, sizeof s.remote);
            out.push_back(s);
        }
    }
    close(nl);
    return ok;
}

// The same from /proc/net, where sock_diag is not to be had.
bool from_proc(int family, int protocol, std::vector<Socket> &out)
{
    std::string path = std::string("/proc/net/") + (protocol == IPPROTO_TCP ? "tcp" : "udp") +
                       (family == AF_INET6 ? "6" : "");
    FILE *table = fopen(path.c_str(), "re");
    if (table == nullptr)
        return false;
    char line[512], local[40], remote[40];
    unsigned localPort, remotePort;
    unsigned long uid, inode;
    int words = family == AF_INET6 ? 4 : 1;
    while (fgets(line, sizeof line, table) != nullptr) {
        if (sscanf(line, " %*u: %39[0-9A-Fa-f]:%x %39[0-9A-Fa-f]:%x %*x %*s %*s %*s %lu %*d %lu", local, &localPort,
                   remote, &remotePort, &uid, &inode) != 6)
            continue;  // the heading
        Socket s{family, {}, {}, htons(static_cast<uint16_t>(localPort)), htons(static_cast<uint16_t>(remotePort)),
                 static_cast<uid_t>(uid), static_cast<ino_t>(inode)};
        // Each word is written as the hexadecimal of the word as stored.
        for (int i = 0; i < words; ++i) {
            char word[9] = {};
            memcpy(word, local + 8 * i, 8);
            s.local[i] = static_cast<uint32_t>(strtoul(word, nullptr, 16));
            memcpy(word, remote + 8 * i, 8);
            s.remote[i] = static_cast<uint32_t>(strtoul(word, nullptr, 16));
        }
        out.push_back(s);
    }
    fclose(table);
    return true;
}

// An IPv4 address as the table writes it for the family: IPv6 sockets that
// speak IPv4 carry it mapped.
bool same_address(int family, const uint32_t *words, in_addr address, bool anyMatches)
{
    if (family == AF_INET)
        return words[0] == address.s_addr || (anyMatches && words[0] == 0);
    bool any = words[0] == 0 && words[1] == 0 && words[2] == 0 && words[3] == 0;
    bool mapped = words[0] == 0 && words[1] == 0 && words[2] == htonl(0xffff);
    return (mapped && words[3] == address.s_addr) || (anyMatches && any);
}

// The owner of the socket bound to `local` (or to any address on its port)
// and, when `remote` is given, connected to it: false when there is none
// held by a process, or two owners claim it.
bool owner(int protocol, const Endpoint &local, const Endpoint *remote, uid_t &uid, ino_t &inode)
{
    std::vector<Socket> sockets;
    // IPv6 may be missing altogether: only IPv4's table must be there.
    if (!from_kernel(AF_INET, protocol, local.port, sockets)) {
        sockets.clear();
        if (!from_proc(AF_INET, protocol, sockets))
            return false;
        from_proc(AF_INET6, protocol, sockets);
    } else {
        from_kernel(AF_INET6, protocol, local.port, sockets);
    }
    int found = 0;
    for (const Socket &s : sockets) {
        if (s.localPort != local.port || !same_address(s.family, s.local, local.address, !remote) ||
            s.inode == 0)  // no process holds it: its owner would read as root
            continue;
        if (remote != nullptr &&
            (s.remotePort != remote->port || !same_address(s.family, s.remote, remote->address, false)))
            continue;
        if (found++ > 0 && s.uid != uid)
            return false;
        uid = s.uid;
        inode = s.inode;
    }
    return found > 0;
}

bool endpoint(const netbuf *buffer, Endpoint &e)
{
    if (buffer == nullptr || buffer->buf == nullptr || buffer->len < sizeof(sockaddr_in))
        return false;
    auto *any = static_cast<const sockaddr *>(buffer->buf);
    if (any->sa_family == AF_INET) {
        auto *in = static_cast<const sockaddr_in *>(buffer->buf);
        e = {in->sin_addr, in->sin_port};
        return true;
    }
    auto *in6 = static_cast<const sockaddr_in6 *>(buffer->buf);
    if (any->sa_family != AF_INET6 || buffer->len < sizeof(sockaddr_in6) || !IN6_IS_ADDR_V4MAPPED(&in6->sin6_addr))
        return false;
    memcpy(&e.address, &in6->sin6_addr.s6_addr[12], sizeof e.address);
    e.port = in6->sin6_port;
    return true;
}

Caller look_up(SVCXPRT *transport, bool stream)
{
    Caller c;
    Endpoint from;
    if (!endpoint(svc_getrpccaller(transport), from))
        return c;
    c.address = from.address;
    if (!is_this_machine(from.address)) {
        c.where = Where::Elsewhere;
        return c;
    }
    Endpoint to{};
    const Endpoint *connectedTo = nullptr;
    if (stream) {
        sockaddr_storage own{};
        socklen_t len = sizeof own;
        netbuf mine{len, len, &own};
        if (getsockname(transport->xp_fd, reinterpret_cast<sockaddr *>(&own), &mine.len) != 0 ||
            !endpoint(&mine, to))
            return c;
        connectedTo = &to;
    }
    if (!owner(stream ? IPPROTO_TCP : IPPROTO_UDP, from, connectedTo, c.uid, c.inode))
        return Caller{Where::Unknown, from.address};
    c.where = Where::ThisMachine;
    return c;
}

bool is_stream(int fd)
{
    int type = 0;
    socklen_t len = sizeof type;
    return getsockopt(fd, SOL_SOCKET, SO_TYPE, &type, &len) == 0 && type == SOCK_STREAM;
}

}  // namespace

bool is_this_machine(in_addr address)
{
    if ((ntohl(address.s_addr) >> 24) == 127)
        return true;
    ifaddrs *all = nullptr;
    if (getifaddrs(&all) != 0)
        return true;  // unknown: the socket table decides
    bool mine = false;
    for (ifaddrs *i = all; i != nullptr && !mine; i = i->ifa_next)
        mine = i->ifa_addr != nullptr && i->ifa_addr->sa_family == AF_INET &&
               reinterpret_cast<sockaddr_in *>(i->ifa_addr)->sin_addr.s_addr == address.s_addr;
    freeifaddrs(all);
    return mine;
}

Caller caller_of(SVCXPRT *transport)
{
    if (!is_stream(transport->xp_fd))
        return look_up(transport, false);
    // A connection keeps its peer: look it up once. The descriptor's own
    // socket tells a later connection on the same number from this one.
    struct Known {
        ino_t self;
        Caller caller;
    };
    static std::map<int, Known> known;
    struct stat s {};
    if (fstat(transport->xp_fd, &s) != 0)
        return Caller{};
    auto found = known.find(transport->xp_fd);
    if (found != known.end() && found->second.self == s.st_ino)
        return found->second.caller;
    Caller c = look_up(transport, true);
    known[transport->xp_fd] = {s.st_ino, c};
    return c;
}

void refuse(SVCXPRT *transport)
{
    svcerr_auth(transport, AUTH_TOOWEAK);
    if (is_stream(transport->xp_fd))
        shutdown(transport->xp_fd, SHUT_RDWR);
}

}  // namespace vapi::peer
