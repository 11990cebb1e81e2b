#include "progress_line.h"

#include <cstdio>

namespace vxhost::cli {

std::string progress_line(const std::string &what, const EditorService::Progress &progress)
{
    char text[96];
    std::snprintf(text, sizeof text, ": %ld host call%s, %.1f s", progress.calls, progress.calls == 1 ? "" : "s",
                  progress.seconds);
    return what + text;
}

void progress_on_stderr(const std::string &what, const EditorService::Progress &progress)
{
    static size_t width = 0;  // of the line shown, to be blanked out
    std::string line = progress.done ? "" : "vxhost: " + progress_line(what, progress);
    std::string shown = "\r" + line + std::string(width > line.size() ? width - line.size() : 0, ' ') + "\r";
    width = line.size();
    std::fputs((progress.done ? shown : shown.substr(0, shown.size() - 1)).c_str(), stderr);
    std::fflush(stderr);
}

}  // namespace vxhost::cli
