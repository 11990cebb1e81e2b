// Whether a caller of the client's program may call it: the host, as the
// runtime found it at connection.
#pragma once

#include <rpc/rpc.h>

namespace vapi {

// A host on this machine: callers of the client's own user on this machine.
// A host elsewhere: callers from the host's address only.
bool from_host(SVCXPRT *transport);

}  // namespace vapi
