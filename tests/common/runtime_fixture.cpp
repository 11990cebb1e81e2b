#include "runtime_fixture.h"

#include <fcntl.h>
#include <ftw.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
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
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (mkdtemp(buffer.data()) == nullptr)
        throw std::runtime_error("cannot make a temporary directory");
    path_ = buffer.data();
}

TempDir::~TempDir()
{
    nftw(
        path_.c_str(), [](const char *p, const struct stat *, int, FTW *) { return remove(p); }, 16,
        FTW_DEPTH | FTW_PHYS);
}

std::string read_file(const std::string &path)
{
    std::ifstream in(path);
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

ClientSession::ClientSession(const std::string &clientProgram) : ClientSession(clientProgram, Options{}) {}

ClientSession::ClientSession(const std::string &clientProgram, const Options &options)
    : program_(clientProgram), options_(options)
{
    vxhost::Host::Options hostOptions;
    hostOptions.callSeconds = options.callSeconds;
    host_ = std::make_unique<vxhost::Host>(hostOptions);
}

bool ClientSession::start()
{
    vxhost::LaunchOptions launch;
    launch.program = program_;
    launch.name = options_.name;
    launch.clientNumber = options_.clientNumber;
    launch.environment = options_.environment;
    launch.environment.push_back("LINDREL_TEST_LOG=" + dir_.file("client.log"));
    launch.stderrPath = dir_.file("client.err");
    return host_->launch(launch, 10) && host_->init(0);
}

bool ClientSession::logged(const std::string &line) const
{
    for (const auto &l : log())
        if (l == line)
            return true;
    return false;
}

int ClientSession::calls_to_host(uint32_t proc) const
{
    int n = 0;
    for (const auto &e : host_->trace())
        n += e.direction == vxhost::Direction::ToHost && e.proc == proc;
    return n;
}

std::vector<uint32_t> ClientSession::host_calls() const
{
    std::vector<uint32_t> procs;
    for (const auto &e : host_->trace())
        if (e.direction == vxhost::Direction::ToHost)
            procs.push_back(e.proc);
    return procs;
}

ProgramRun run_program(const std::vector<std::string> &argv, const std::vector<std::string> &environment)
{
    TempDir dir;
    std::vector<std::string> env;
    for (char **e = environ; *e != nullptr; ++e)
        if (std::string(*e).rfind("VXAPIX=", 0) != 0)
            env.emplace_back(*e);
    env.insert(env.end(), environment.begin(), environment.end());
    std::vector<char *> envp, args;
    for (auto &e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    std::vector<std::string> argCopy = argv;
    for (auto &a : argCopy)
        args.push_back(a.data());
    args.push_back(nullptr);
    std::string out = dir.file("out"), err = dir.file("err");

    ProgramRun run;
    pid_t pid = fork();
    if (pid == 0) {
        int o = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        int e = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(o, STDOUT_FILENO);
        dup2(e, STDERR_FILENO);
        execvpe(args[0], args.data(), envp.data());
        _exit(127);
    }
    if (pid < 0)
        return run;
    auto status = wait_process(pid, 30);
    if (!status) {  // leave nothing running behind
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
    int status;
    while (std::chrono::steady_clock::now() < deadline) {
        pid_t r = waitpid(pid, &status, WNOHANG);
        if (r == pid)
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        if (r < 0)
            return std::nullopt;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return std::nullopt;
}

}  // namespace lindrel_test
