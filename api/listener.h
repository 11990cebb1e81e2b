// TCP service transports that no single peer can hold up: connections are
// read without blocking, a record at a time (connection.h), and a listener
// waits while no descriptor is free to accept on. Internal to the runtime; the stand-in
// host uses it for its own listener too.
#pragma once

#include <netinet/in.h>
#include <rpc/rpc.h>
#include <sys/select.h>

#include "vsupport/memory.h"

namespace vapi::listener {

// The longest record a connection may send: one string of the block limit
// with its call around it.
constexpr int kMaxRecord = static_cast<int>(V_MAX_BLOCK) + 65536;

// A TCP service transport listening on `address` (any port), whose
// connections are read without blocking, each record at most kMaxRecord
// bytes. Null when it cannot be made.
SVCXPRT *create(in_addr address);

// After a listener could not accept for want of a descriptor, and until
// two are free (one to accept, one to look the caller up): removes the
// listeners from the set `watch` and returns true. Left in, a listener
// would wake the loop at once and fail again, and again; the caller waits
// in short slices instead, to look again soon.
bool hold_listeners(fd_set &watch);

}  // namespace vapi::listener
