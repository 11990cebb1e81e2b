// Ending the client when asked (SIGTERM, SIGINT, SIGHUP). A handler only
// notes the signal; every wait of the runtime also watches ending::fd() and
// ends the process there, in ordinary code: it unregisters the client's
// program, prints the runtime's message and exits with status 1. A second
// signal before that ends the process at once, the default way.
#pragma once

namespace vapi::ending {

// Installs the handlers where the signal still has its default action.
void arm();

// Readable once a termination signal has arrived; -1 before arm().
int fd();

// Ends the process if a termination signal has arrived.
void end_if_asked();

}  // namespace vapi::ending
