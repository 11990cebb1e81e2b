// One accepted TCP connection as an RPC service transport that never waits
// for its peer: it reads a record as its bytes arrive, hands the library a
// call only once the whole record is in, and writes the reply without
// blocking for longer than a peer that reads may need.
//
// The RPC library's own connections either block the whole process until a
// record is complete (35 seconds for each byte that comes late) or, in
// their non-blocking form, lose every record of more than one fragment, so
// the runtime keeps the library's dispatch, authentication and codecs and
// does the reading and writing here.
#pragma once

#include <rpc/rpc.h>
#include <sys/socket.h>

namespace vapi::connection {

// A registered service transport for the connected socket `fd` (made non-
// blocking here) whose peer is at `remote`; records of at most `maxRecord`
// bytes. Null when it cannot be made (the socket is then closed).
SVCXPRT *create(int fd, const sockaddr_storage &remote, socklen_t length, int maxRecord);

}  // namespace vapi::connection
