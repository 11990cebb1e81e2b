// vxhost's terminal mode: the outline on the whole terminal, moved through
// and edited key by key (docs/vxhost.md lists the keys).
#pragma once

namespace vxhost::cli {

class Run;

// Throws Failure unless standard input and output are a terminal.
void require_terminal();
// Runs the terminal mode until the person quits (or SIGINT, SIGTERM or
// SIGHUP ends it: then unsaved changes are kept in files beside their
// documents, and standard error says where).
void interactive(Run &run);

}  // namespace vxhost::cli
