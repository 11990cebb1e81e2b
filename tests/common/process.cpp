#include "process.h"

#include <dirent.h>
#include <fcntl.h>
#include <ftw.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

extern char **environ;

namespace lindrel_test {

TempDir::TempDir()
{
    const char *base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/lindrel-test-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot make a temporary directory");
    path_ = real_path(pattern);
}

TempDir::~TempDir()
{
    nftw(
        path_.c_str(), [](const char *p, const struct stat *, int, FTW *) { return remove(p); }, 16,
        FTW_DEPTH | FTW_PHYS);
}

std::string TempDir::mkdir(const std::string &name) const
{
    ::mkdir(file(name).c_str(), 0755);
    return file(name);
}

std::string TempDir::write(const std::string &name, const std::string &contents) const
{
    std::ofstream(file(name), std::ios::binary) << contents;
    return file(name);
}

std::string read_file(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> read_lines(const std::string &path)
{
    std::vector<std::string> lines;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

bool exists(const std::string &path)
{
    struct stat info;
    return lstat(path.c_str(), &info) == 0;
}

std::vector<std::string> dir_entries(const std::string &path)
{
    std::vector<std::string> names;
    DIR *d = opendir(path.c_str());
    while (dirent *e = d ? readdir(d) : nullptr)
        if (e->d_name[0] != '.')
            names.push_back(e->d_name);
    if (d)
        closedir(d);
    std::sort(names.begin(), names.end());
    return names;
}

std::string real_path(const std::string &path)
{
    char resolved[PATH_MAX];
    return realpath(path.c_str(), resolved) ? resolved : "<unresolved " + path + ">";
}

int open_descriptors()
{
    int n = 0;
    DIR *d = opendir("/proc/self/fd");
    while (readdir(d) != nullptr)
        n++;
    closedir(d);
    return n;
}

ProgramRun run_program(const std::vector<std::string> &argv, const std::vector<std::string> &environment)
{
    TempDir dir;
    std::vector<std::string> env, args = argv;
    for (char **e = environ; *e != nullptr; ++e)
        if (std::string(*e).rfind("VXAPIX=", 0) != 0)
            env.emplace_back(*e);
    env.insert(env.end(), environment.begin(), environment.end());
    std::vector<char *> envp, argp;
    for (auto &e : env)
        envp.push_back(e.data());
    for (auto &a : args)
        argp.push_back(a.data());
    envp.push_back(nullptr);
    argp.push_back(nullptr);
    std::string out = dir.file("out"), err = dir.file("err");

    ProgramRun run;
    pid_t pid = fork();
    if (pid == 0) {
        dup2(open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), STDOUT_FILENO);
        dup2(open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), STDERR_FILENO);
        execvpe(argp[0], argp.data(), envp.data());
        _exit(127);
    }
    auto status = pid > 0 ? wait_process(pid, 30) : std::nullopt;
    if (pid > 0 && !status) {  // leave nothing running behind
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
    run.status = status.value_or(-1);
    run.out = read_file(out);
    run.err = read_file(err);
    return run;
}

std::optional<int> wait_process(pid_t pid, double seconds)
{
    auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    for (int status; std::chrono::steady_clock::now() < deadline;
         std::this_thread::sleep_for(std::chrono::milliseconds(10))) {
        pid_t r = waitpid(pid, &status, WNOHANG);
        if (r == pid)
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        if (r < 0)
            return std::nullopt;
    }
    return std::nullopt;
}

}  // namespace lindrel_test
