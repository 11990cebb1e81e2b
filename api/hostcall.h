// Calls to the host that a termination signal can end. The RPC library's
// own calls block every signal until the reply comes (for up to the
// handle's time-out, seven days by default), so the runtime makes the calls
// on the library's socket itself: the library's record streams and message
// codecs, its handle for everything else.
#pragma once

#include <rpc/rpc.h>

namespace vapi::hostcall {

// From now on every call through `client` (a TCP or UDP handle) waits
// for its reply in a way that a termination signal ends (ending.h). The
// handle's time-out stays in force. A reply costs at most its bytes in
// transit and a record of at most listener::kMaxRecord bytes.
void take_over(CLIENT *client);

}  // namespace vapi::hostcall
