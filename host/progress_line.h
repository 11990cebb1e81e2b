// The line that tells how a long command is getting on, for the terminal's
// message line and for standard error.
#pragma once

#include "editor_service.h"

#include <string>

namespace vxhost::cli {

// "Move Down: 12345 host calls, 2.5 s"
std::string progress_line(const std::string &what, const EditorService::Progress &progress);

// The progress line on standard error (a terminal), rewritten in place and
// wiped when the command is done.
void progress_on_stderr(const std::string &what, const EditorService::Progress &progress);

}  // namespace vxhost::cli
