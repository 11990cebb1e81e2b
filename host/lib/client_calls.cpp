// The client side of the host: launching the client process, calling its
// procedures, and serving until it hands control back or ends.
#include "vxhost.h"

#include "callbacks.h"
#include "listener.h"
#include "record_text.h"
#include "xdr_text.h"

#include <fcntl.h>
#include <netinet/in.h>
#include <sys/prctl.h>
#include <sys/select.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <fstream>

extern char **environ;

namespace vxhost {
namespace {

using Clock = std::chrono::steady_clock;

const char *const kProcedureNames[] = {
    "null",           "vx_api_quit_1",         "vx_api_init_1",  "vx_api_command_1",
    "vx_api_message_1", "vx4_api_notify_1", "vx_api_dialog_event_1", "vx_api_notify_1"};

timeval to_timeval(double seconds)
{
    timeval tv;
    tv.tv_sec = static_cast<time_t>(seconds);
    tv.tv_usec = static_cast<suseconds_t>((seconds - static_cast<double>(tv.tv_sec)) * 1e6);
    return tv;
}

int decode_status(int status)
{
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// Whether `pid` is this process's descendant through `ancestor`, or through
// this process itself (an orphan of something launched here comes back to
// us as the subreaper). Read from /proc, whose entry of a process that
// has ended and been reaped is gone.
bool descends_from(pid_t pid, pid_t ancestor)
{
    for (int depth = 0; pid > 1 && depth < 64; ++depth) {
        if (pid == ancestor || pid == getpid())
            return depth > 0 || pid == ancestor;
        std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
        std::string line;
        if (!std::getline(stat, line))
            return false;
        // "pid (command) state ppid ...": the command may hold anything.
        size_t close = line.rfind(')');
        long parent = 0;
        char state = 0;
        if (close == std::string::npos ||
            std::sscanf(line.c_str() + close + 1, " %c %ld", &state, &parent) != 2)
            return false;
        pid = static_cast<pid_t>(parent);
    }
    return false;
}

void redirect(const std::string &path, int fd)
{
    if (path.empty())
        return;
    int file = open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    if (file >= 0) {
        dup2(file, fd);
        close(file);
    }
}

}  // namespace

bool Host::launch(const LaunchOptions &options, double seconds)
{
    // A client that forks leaves an orphan: it must come back to us so that
    // its exit status can be reported.
    prctl(PR_SET_CHILD_SUBREAPER, 1);
    clientProgram_ = free_program(1);
    clientVersion_ = 1;
    clientMachine_ = INADDR_LOOPBACK;
    acknowledged_ = false;
    adopting_ = false;
    forking_ = options.clientNumber >= 0;
    clientPid_ = -1;
    launcherStatus_.reset();
    clientStatus_.reset();
    clientGone_ = false;
    launchError_ = 0;

    char vxapix[512];
    std::snprintf(vxapix, sizeof vxapix, "VXAPIX=%u.%u %u.%u %d.%d.%s", clientProgram_, clientVersion_,
                  program_, options_.version, static_cast<int>(getpid()), options.clientNumber,
                  options.name.c_str());
    std::vector<std::string> environment;
    for (char **e = environ; *e != nullptr; ++e)
        if (std::string(*e).rfind("VXAPIX=", 0) != 0)
            environment.emplace_back(*e);
    environment.emplace_back(vxapix);
    environment.insert(environment.end(), options.environment.begin(), options.environment.end());
    std::vector<char *> envp, argv;
    for (auto &e : environment)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    std::string program = options.program;
    argv.push_back(program.data());
    std::vector<std::string> args = options.args;
    for (auto &a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    // The child tells through this pipe why its program did not start; a
    // successful exec closes it.
    int failed[2];
    if (pipe2(failed, O_CLOEXEC) != 0) {
        launchError_ = errno;
        return false;
    }
    std::fflush(nullptr);
    pid_t pid = fork();
    if (pid < 0) {
        launchError_ = errno;
        close(failed[0]);
        close(failed[1]);
        return false;
    }
    if (pid == 0) {
        // A group of its own: a Ctrl-C typed at the host's terminal is the
        // host's to handle, not the client's.
        setpgid(0, 0);
        redirect(options.stdoutPath, STDOUT_FILENO);
        redirect(options.stderrPath, STDERR_FILENO);
        if (failed[1] != 3) {
            dup2(failed[1], 3);
            fcntl(3, F_SETFD, FD_CLOEXEC);
        }
        closefrom(4);  // the host's sockets and files are not the client's
        execvpe(argv[0], argv.data(), envp.data());
        int why = errno;
        ssize_t written = write(3, &why, sizeof why);
        _exit(written == sizeof why ? 127 : 126);
    }
    setpgid(pid, pid);  // also here, so that no signal comes before the child's own call
    launcherPid_ = pid;
    close(failed[1]);
    int why = 0;
    ssize_t n;
    while ((n = read(failed[0], &why, sizeof why)) < 0 && errno == EINTR) {
    }
    close(failed[0]);
    if (n == sizeof why) {
        launchError_ = why;
        return false;
    }
    return serve_until([this] { return acknowledged_; }, seconds);
}

void Host::adopt_client(uint32_t program, uint32_t version, uint32_t machine)
{
    if (client_ != nullptr) {
        clnt_destroy(client_);
        client_ = nullptr;
    }
    clientProgram_ = program;
    clientVersion_ = version;
    clientMachine_ = machine;
    adopting_ = true;
}

void Host::acknowledged(pid_t pid)
{
    // A process launched here is ours; one that attaches is not, and only
    // while it is awaited does its acknowledgement count.
    if (launcherPid_ > 0 && descends_from(pid, launcherPid_)) {
        clientPid_ = pid;
    } else if (adopting_) {
        adopting_ = false;
    } else {
        trace_.note("not from the client launched here: ignored");
        return;
    }
    acknowledged_ = true;
    ++acknowledgements_;
}

CLIENT *Host::client_handle()
{
    if (client_ == nullptr && clientProgram_ != 0) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(clientMachine_);
        int socket = RPC_ANYSOCK;
        client_ = clnttcp_create(&address, clientProgram_, clientVersion_, &socket, 0, 0);
    }
    return client_;
}

clnt_stat Host::call(uint32_t proc, xdrproc_t codec, void *argument, double seconds)
{
    return call(proc, codec, argument, nullptr, seconds);
}

// `type` names the argument's record, for the printed trace.
clnt_stat Host::call(uint32_t proc, xdrproc_t codec, void *argument, const char *type, double seconds)
{
    std::string name = proc < 8 ? kProcedureNames[proc] : "procedure " + std::to_string(proc);
    size_t at = trace_.begin(Direction::ToClient, proc, name, argument ? xdr_text(codec, argument) : "");
    if (TraceEntry *e = type && trace_.printing() ? trace_.entry(at) : nullptr)
        e->fields = record_text(type, argument);
    CLIENT *client = client_handle();
    if (client == nullptr) {
        trace_.end(at, "no client");
        return RPC_CANTSEND;
    }
    clnt_stat status = clnt_call(client, proc, codec, static_cast<caddr_t>(argument), vapi_codec(xdr_void),
                                 nullptr, to_timeval(seconds < 0 ? options_.callSeconds : seconds));
    trace_.end(at, status == RPC_SUCCESS ? "ok" : clnt_sperrno(status));
    // After a lost or unanswered call the stream cannot be trusted: the next
    // call opens a new connection.
    if (status == RPC_TIMEDOUT || status == RPC_CANTSEND || status == RPC_CANTRECV) {
        clnt_destroy(client_);
        client_ = nullptr;
    }
    return status;
}

clnt_stat Host::call_init(int32_t code)
{
    VxApiInitArgT a{code};
    return call(VX_API_INIT, vapi_codec(xdr_VxApiInitArgT), &a, "VxApiInitArgT", -1);
}

clnt_stat Host::call_command(int32_t command)
{
    VxApiCommandArgT a{command};
    return call(VX_API_COMMAND, vapi_codec(xdr_VxApiCommandArgT), &a, "VxApiCommandArgT", -1);
}

clnt_stat Host::call_message(const std::string &text, uint32_t docId, uint32_t objId)
{
    std::string copy = text;
    VxApiMessageArgT a{copy.data(), docId, objId};
    return call(VX_API_MESSAGE, vapi_codec(xdr_VxApiMessageArgT), &a, "VxApiMessageArgT", -1);
}

clnt_stat Host::call_notify(int32_t notification, uint32_t docId, const std::string &text, int32_t iparm)
{
    std::string copy = text;
    VxApiNotifyArgT a{notification, docId, copy.data(), iparm};
    return call(VX_API_NOTIFY, vapi_codec(xdr_VxApiNotifyArgT), &a, "VxApiNotifyArgT", -1);
}

clnt_stat Host::call_dialog_event(int32_t dialogNum, int32_t item, int32_t detail)
{
    VxApiDialogEventArgT a{dialogNum, item, detail};
    return call(VX_API_DIALOG_EVENT, vapi_codec(xdr_VxApiDialogEventArgT), &a, "VxApiDialogEventArgT", -1);
}

clnt_stat Host::call_quit()
{
    return call(VX_API_QUIT, vapi_codec(xdr_void), nullptr);
}

namespace {

// A call followed by the wait for the hand-over it causes.
template <typename Call>
bool with_handover(Host &host, Call call)
{
    int before = host.handovers();
    if (call() != RPC_SUCCESS)
        return false;
    return host.serve_until([&] { return host.handovers() > before; }, 10);
}

}  // namespace

bool Host::init(int32_t code)
{
    return with_handover(*this, [&] { return call_init(code); });
}

bool Host::command(int32_t command)
{
    return with_handover(*this, [&] { return call_command(command); });
}

bool Host::message(const std::string &text, uint32_t docId, uint32_t objId)
{
    return with_handover(*this, [&] { return call_message(text, docId, objId); });
}

bool Host::notify(int32_t notification, uint32_t docId, const std::string &text, int32_t iparm)
{
    return with_handover(*this, [&] { return call_notify(notification, docId, text, iparm); });
}

bool Host::dialog_event(int32_t dialogNum, int32_t item, int32_t detail)
{
    return with_handover(*this, [&] { return call_dialog_event(dialogNum, item, detail); });
}

bool Host::wait_handover(double seconds)
{
    int before = handovers_;
    return serve_until([&] { return handovers_ > before; }, seconds);
}

void Host::reap()
{
    int status;
    if (launcherPid_ > 0 && !launcherStatus_ && waitpid(launcherPid_, &status, WNOHANG) == launcherPid_) {
        launcherStatus_ = status;
        if (clientPid_ == launcherPid_)
            clientStatus_ = launcherStatus_;
    }
    if (clientPid_ > 0 && clientPid_ != launcherPid_ && !clientStatus_ && !clientGone_) {
        pid_t r = waitpid(clientPid_, &status, WNOHANG);
        if (r == clientPid_)
            clientStatus_ = status;
        else if (r < 0 && errno == ECHILD && !descends_from(clientPid_, launcherPid_))
            clientGone_ = true;  // reaped by a process between it and us (a wrapper)
    }
}

bool Host::client_running()
{
    reap();
    if (clientPid_ > 0)
        return !clientStatus_ && !clientGone_;
    if (launcherPid_ <= 0)
        return false;
    if (!launcherStatus_)
        return true;
    // The launcher of a forking client ends at once; the client itself is
    // known only from its acknowledgement.
    return forking_ && *launcherStatus_ == 0;
}

std::optional<int> Host::launcher_status() const
{
    return launcherStatus_ ? std::optional<int>(decode_status(*launcherStatus_)) : std::nullopt;
}

void Host::stop_client()
{
    if (launcherPid_ <= 0)
        return;
    reap();
    bool killed = false;
    // The acknowledged process only while it is still one of ours (its pid
    // may have been reused once a process between it and us reaped it).
    if (clientPid_ > 0 && clientPid_ != launcherPid_ && !clientStatus_ && !clientGone_ &&
        descends_from(clientPid_, launcherPid_))
        killed = kill(clientPid_, SIGKILL) == 0;
    if (!launcherStatus_)  // not yet reaped: the pid is still ours
        killed = kill(launcherPid_, SIGKILL) == 0 || killed;
    if (killed)
        wait_exit(5);
}

bool Host::serve_until(const std::function<bool()> &done, double seconds)
{
    auto deadline = Clock::now() + std::chrono::duration<double>(seconds);
    for (;;) {
        if (done())
            return true;
        bool wasRunning = client_running();
        auto left = std::chrono::duration<double>(deadline - Clock::now()).count();
        if (left <= 0)
            return false;
        fd_set ready = svc_fdset;
        vapi::listener::hold_listeners(ready);  // at the descriptor limit
        timeval slice = to_timeval(left < 0.02 ? left : 0.02);
        int n = select(svc_maxfd + 1, &ready, nullptr, nullptr, &slice);
        if (n > 0)
            svc_getreqset(&ready);
        // A client that has gone sends nothing more: what it sent before
        // its end has been served by now.
        if (!wasRunning && n <= 0 && launcherPid_ > 0)
            return done();
    }
}

void Host::serve_for(double seconds)
{
    serve_until([] { return false; }, seconds);
}

std::optional<int> Host::wait_exit(double seconds)
{
    auto deadline = Clock::now() + std::chrono::duration<double>(seconds);
    auto left = [&] { return std::chrono::duration<double>(deadline - Clock::now()).count(); };
    serve_until([this] { return !client_running(); }, seconds);
    if (client_running())
        return std::nullopt;
    // The status of the process started here: the client's own, or that of
    // a wrapper that ran it (which may outlive it). A forking client's own
    // status, when we reaped it; its launcher's when a process between it
    // and us did.
    std::optional<int> status = forking_ && clientStatus_ ? clientStatus_ : std::nullopt;
    // (serve_until gives up at once once the client has gone: a loop.)
    while (!status && launcherPid_ > 0 && !launcherStatus_ && left() > 0) {
        serve_for(std::min(0.05, left()));
        reap();
    }
    if (!status)
        status = launcherStatus_;
    if (!status)
        return std::nullopt;
    exitSignal_ = WIFSIGNALED(*status) ? WTERMSIG(*status) : 0;
    return decode_status(*status);
}

}  // namespace vxhost
