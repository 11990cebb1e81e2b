// Who is calling: the address of the peer of an RPC request and, for a peer
// on this machine, the user that owns its socket. Internal to the runtime;
// the stand-in host uses it for its own listeners too.
#pragma once

#include <netinet/in.h>
#include <rpc/rpc.h>
#include <sys/types.h>

namespace vapi::peer {

enum class Where {
    ThisMachine,  // the peer's socket is in this machine's socket table
    Elsewhere,    // an address that is not one of this machine's
    Unknown,      // on this machine, but its socket was not found (gone, or closed)
};

struct Caller {
    Where where = Where::Unknown;
    in_addr address{};  // the peer's IPv4 address
    uid_t uid = static_cast<uid_t>(-1);  // ThisMachine: owner of the peer's socket
    ino_t inode = 0;    // ThisMachine: the peer's socket
};

// The caller of the request now served on `transport`: for a connection its
// peer (looked up once per connection), for a datagram its sender.
Caller caller_of(SVCXPRT *transport);

// True when `address` is loopback or one of this machine's own addresses.
bool is_this_machine(in_addr address);

// Refuses the request with an RPC authentication error. A connection is
// closed after the reply, so that a refused peer holds no descriptor.
void refuse(SVCXPRT *transport);

}  // namespace vapi::peer
