// Where a benchmark finds the other programs of its build tree.
#pragma once

#include <unistd.h>

#include <string>

// `relative` to the build tree's top, found from this program's own path
// (benchmarks live in bench/ of the build tree).
inline std::string beside_this_program(const std::string &relative)
{
    char self[4096];
    ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    std::string path(self, n > 0 ? static_cast<size_t>(n) : 0);
    return path.substr(0, path.rfind('/')) + "/../" + relative;
}
