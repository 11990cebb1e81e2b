// Where a benchmark finds the other programs of its build tree, and the
// bare RPC connection it measures them against.
#pragma once

#include <netinet/in.h>
#include <rpc/rpc.h>
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

// A plain TCP client handle to (program, version) on this machine, for the
// bare null calls the benchmarks compare with.
inline CLIENT *loopback_client(uint32_t program, uint32_t version)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int socket = RPC_ANYSOCK;
    return clnttcp_create(&address, program, version, &socket, 0, 0);
}
