#include "process.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

extern char **environ;

namespace lindrel_test {

namespace fs = std::filesystem;

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
    std::error_code ignored;
    fs::remove_all(path_, ignored);
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
    std::stringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
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
    return fs::exists(fs::symlink_status(path));
}

std::vector<std::string> dir_entries(const std::string &path)
{
    std::vector<std::string> names;
    std::error_code ignored;
    for (const auto &e : fs::directory_iterator(path, ignored))
        if (e.path().filename().string()[0] != '.')
            names.push_back(e.path().filename());
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
    return static_cast<int>(std::distance(fs::directory_iterator("/proc/self/fd"), fs::directory_iterator()));
}

ProgramRun run_program(const std::vector<std::string> &argv, const std::vector<std::string> &environment)
{
    TempDir dir;
    std::vector<std::string> env, args = argv;
    for (char **e = environ; *e != nullptr; ++e)
        if (std::string(*e).rfind("VXAPIX=", 0) != 0)
            env.emplace_back(*e);
    env.insert(env.end(), environment.begin(), environment.end());
    auto pointers = [](std::vector<std::string> &list) {
        std::vector<char *> out;
        for (auto &s : list)
            out.push_back(s.data());
        out.push_back(nullptr);
        return out;
    };
    std::vector<char *> envp = pointers(env), argp = pointers(args);
    std::string out = dir.file("out"), err = dir.file("err");
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
    return {status.value_or(-1), read_file(out), read_file(err)};
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
