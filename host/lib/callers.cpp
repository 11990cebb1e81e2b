// Who may call the stand-in host: it edits documents and saves them with
// its own rights, so it serves only the client it launched (and, when asked
// to, other processes of its own user), and callers on other machines only
// when it listens beyond loopback on purpose.
#include "vxhost.h"

#include "peer.h"

#include <arpa/inet.h>
#include <dirent.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>

namespace vxhost {
namespace {

struct Process {
    pid_t parent;
    pid_t group;
};

// Every process of the machine with its parent and process group.
std::map<pid_t, Process> processes()
{
    std::map<pid_t, Process> all;
    DIR *proc = opendir("/proc");
    if (proc == nullptr)
        return all;
    while (dirent *e = readdir(proc)) {
        char *end;
        long pid = std::strtol(e->d_name, &end, 10);
        if (*end != '\0' || pid <= 0)
            continue;
        std::ifstream stat("/proc/" + std::string(e->d_name) + "/stat");
        std::string line;
        std::getline(stat, line);
        size_t close = line.rfind(')');  // the command name may hold anything
        if (close == std::string::npos)
            continue;
        std::istringstream fields(line.substr(close + 1));
        char state;
        Process p{};
        if (fields >> state >> p.parent >> p.group)
            all[static_cast<pid_t>(pid)] = p;
    }
    closedir(proc);
    return all;
}

bool holds_socket(pid_t pid, unsigned long inode)
{
    std::string dir = "/proc/" + std::to_string(pid) + "/fd";
    DIR *fds = opendir(dir.c_str());
    if (fds == nullptr)
        return false;
    std::string wanted = "socket:[" + std::to_string(inode) + "]";
    bool found = false;
    char target[64];
    while (dirent *e = readdir(fds)) {
        ssize_t n = readlink((dir + "/" + e->d_name).c_str(), target, sizeof target - 1);
        if (n > 0 && std::string(target, static_cast<size_t>(n)) == wanted) {
            found = true;
            break;
        }
    }
    closedir(fds);
    return found;
}

std::string describe(const vapi::peer::Caller &c)
{
    char address[INET_ADDRSTRLEN] = "?";
    inet_ntop(AF_INET, &c.address, address, sizeof address);
    std::string text = std::string("from ") + address;
    switch (c.where) {
    case vapi::peer::Where::ThisMachine: return text + ", user " + std::to_string(c.uid);
    case vapi::peer::Where::Elsewhere: return text + ", another machine";
    default: return text + ", owner unknown";
    }
}

}  // namespace

// The process launched here, the processes of its group (a client that
// forks stays in it) and their descendants.
bool Host::launched_here(unsigned long socketInode)
{
    if (launcherPid_ <= 0)
        return false;
    // A socket keeps its owner: each is looked for once.
    auto known = launchedSockets_.find(socketInode);
    if (known != launchedSockets_.end())
        return known->second;
    if (launchedSockets_.size() > 1024)
        launchedSockets_.clear();
    bool &verdict = launchedSockets_[socketInode];
    auto all = processes();
    for (const auto &[pid, p] : all) {
        bool ours = pid == launcherPid_ || p.group == launcherPid_;
        for (pid_t up = p.parent, depth = 0; !ours && up > 1 && depth < 64; ++depth) {
            ours = up == launcherPid_;
            auto parent = all.find(up);
            up = parent != all.end() ? parent->second.parent : 0;
        }
        if (ours && holds_socket(pid, socketInode))
            return verdict = true;
    }
    return verdict = false;
}

bool Host::admit(uint32_t proc, const std::string &name, SVCXPRT *transport)
{
    using vapi::peer::Where;
    vapi::peer::Caller c = vapi::peer::caller_of(transport);
    bool allowed = false;
    in_addr listening{};
    if (c.where == Where::Elsewhere)  // reachable only when listening beyond loopback, on purpose
        allowed = inet_aton(options_.listen.c_str(), &listening) != 0 && (ntohl(listening.s_addr) >> 24) != 127;
    else if (c.where == Where::ThisMachine && c.uid == geteuid())
        allowed = options_.sameUser || launched_here(static_cast<unsigned long>(c.inode));
    if (allowed)
        return true;
    vapi::peer::refuse(transport);
    trace_.refused(Direction::ToHost, proc, name, describe(c));
    return false;
}

}  // namespace vxhost
