// The stand-in host: serves the host's RPC program, launches a client the way
// the editor does, calls the client's procedures and keeps a trace of every
// call in both directions.
//
// One Host per process (the RPC library's service state is global). It is
// single-threaded: every wait below serves all registered transports (the
// host's own program and any other service of the process) until its
// condition holds.
#pragma once

#include "trace.h"
#include "vapi/procs.h"
#include "proctable.h"

#include <netinet/in.h>
#include <rpc/rpc.h>
#include <sys/types.h>

#include <functional>
#include <iosfwd>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace vxhost {

// One call of a host procedure being answered. The handler fills `result`
// (all zero on entry, so a status field already reads success); strings and
// arrays it puts there must come from malloc: they are released with the
// result codec after the reply.
struct HostCall {
    enum class Reply { Send, None, Drop };
    const ApiProcT &proc;
    svc_req *request;
    void *arguments;
    void *result;
    Reply reply = Reply::Send;
    bool replied = false;

    // Sends the reply now, so that the handler can go on (for example call
    // the client) after the caller has its answer.
    bool reply_now();
};
using Handler = std::function<void(HostCall &)>;

struct LaunchOptions {
    std::string program;
    std::vector<std::string> args;
    std::string name = "client";          // the client name in "VXAPIX" (one word)
    int clientNumber = -1;                // 0 or more: the client forks
    std::vector<std::string> environment; // extra "NAME=value" entries
    std::string stdoutPath, stderrPath;   // empty: inherited
};

class Host {
public:
    struct Options {
        uint32_t version = 1;
        double callSeconds = 10;          // time-out of each call to the client
        std::ostream *traceTo = nullptr;  // every trace entry also printed here
        Trace::Format traceFormat = Trace::Format::Text;
        Trace::Sink traceSink;            // every trace entry also handed here
        // Entries kept in trace(); beyond this the oldest half is dropped, so
        // a long run (a benchmark, --serve) does not grow without bound.
        size_t traceLimit = 1000000;
        // The address the host's program and session service listen on.
        // Beyond loopback, callers on other machines are served too.
        std::string listen = "127.0.0.1";
        // Who else on this machine may call: every process of this user
        // (true), or only the client launched here and its processes.
        bool sameUser = true;
    };

    Host();
    explicit Host(const Options &options);
    ~Host();
    Host(const Host &) = delete;
    Host &operator=(const Host &) = delete;

    uint32_t program() const { return program_; }
    const Options &options() const { return options_; }
    uint32_t version() const { return options_.version; }

    // Handlers by procedure number (an empty one removes it); the fall-back
    // answers every procedure of the table that has none (without one: an
    // all-zero result).
    void on(uint32_t proc, Handler handler);
    void set_fallback(Handler handler);
    // Sees every call of a table procedure before its handler; returns true
    // when it has answered the call itself (injected faults).
    void set_interceptor(std::function<bool(HostCall &)> interceptor) { interceptor_ = std::move(interceptor); }

    // Starts the client and serves until its acknowledgement (1000). Only
    // an acknowledgement from the process started or one of its
    // descendants counts: that is the client's process from then on.
    bool launch(const LaunchOptions &options, double seconds = 10);
    // Why the last launch could not start its program (an errno value), 0
    // when it started.
    int launch_error() const { return launchError_; }
    // Takes a client that registered (program, version) on this machine
    // without being launched here (for example one attached to a session):
    // its next acknowledgement counts, but its process is not ours. The
    // client's program is called on `machine` (IPv4, host byte order).
    void adopt_client(uint32_t program, uint32_t version, uint32_t machine = INADDR_LOOPBACK);
    uint32_t client_program() const { return clientProgram_; }
    pid_t client_pid() const { return clientPid_; }
    // Exit status of the process launched directly (0 at once for a client
    // that forks), once known.
    std::optional<int> launcher_status() const;

    // One call of a client procedure; returns when its reply comes.
    clnt_stat call(uint32_t proc, xdrproc_t codec, void *argument, double seconds = -1);
    clnt_stat call_init(int32_t code);
    clnt_stat call_command(int32_t command);
    clnt_stat call_message(const std::string &text, uint32_t docId, uint32_t objId);
    clnt_stat call_notify(int32_t notification, uint32_t docId, const std::string &text, int32_t iparm);
    clnt_stat call_dialog_event(int32_t dialogNum, int32_t item, int32_t detail);
    clnt_stat call_quit();

    // A call, then serving until the client hands control back (1002).
    bool init(int32_t code);
    bool command(int32_t command);
    bool message(const std::string &text, uint32_t docId, uint32_t objId);
    bool notify(int32_t notification, uint32_t docId, const std::string &text, int32_t iparm);
    bool dialog_event(int32_t dialogNum, int32_t item, int32_t detail);

    // Serves until the next hand-over; false on time-out or when the client
    // has gone.
    bool wait_handover(double seconds = 10);
    // Serves until done() holds (true) or the time is up (false).
    bool serve_until(const std::function<bool()> &done, double seconds);
    void serve_for(double seconds);
    // Serves until the client process ends, then reports the status of the
    // process started here (the client's own when it forked): its status,
    // 128 + signal number for a signal, or nothing on time-out.
    std::optional<int> wait_exit(double seconds = 10);
    // The signal that ended the process whose status wait_exit reported, 0
    // when it exited.
    int exit_signal() const { return exitSignal_; }
    bool client_running();
    // Kills what was launched here and still runs; never another process.
    void stop_client();

    int handovers() const { return handovers_; }
    int32_t last_bailout() const { return lastBailout_; }
    bool client_holds_control() const { return clientHolds_; }

    const std::vector<TraceEntry> &trace() const { return trace_.entries(); }
    void clear_trace() { trace_.clear(); }
    // Entries dropped from the front of trace() to keep it within the limit.
    size_t trace_dropped() const { return trace_.dropped(); }
    // A remark on the call being answered, shown with its trace line.
    void trace_note(const std::string &text) { trace_.note(text); }
    // Calls of the host's procedures served so far.
    long calls_served() const { return callsServed_; }
    // Acknowledgements (1000) received so far.
    int acknowledgements() const { return acknowledgements_; }

    // Faults: close every connection between host and client (the client's
    // next call fails); end this process at once, without any clean-up.
    void drop_connection();
    [[noreturn]] static void exit_abruptly(int status);
    // Runs first in exit_abruptly: what must not be left as it is (a
    // terminal in raw mode) is put right there.
    static void set_exit_hook(void (*hook)());

    // Internal: the dispatcher of the host's program.
    void dispatch(svc_req *request, SVCXPRT *transport);
    // Internal: whether the caller of a request to one of the host's
    // services may call; if not, refuses it and notes it in the trace.
    bool admit(uint32_t proc, const std::string &name, SVCXPRT *transport);

private:
    void builtin(HostCall &call);
    void acknowledged(pid_t pid);
    void reap();
    bool launched_here(unsigned long socketInode);
    clnt_stat call(uint32_t proc, xdrproc_t codec, void *argument, const char *type, double seconds);
    CLIENT *client_handle();

    Options options_;
    uint32_t program_ = 0;
    SVCXPRT *transport_ = nullptr;
    std::map<uint32_t, Handler> handlers_;
    Handler fallback_;
    std::function<bool(HostCall &)> interceptor_;

    uint32_t clientProgram_ = 0, clientVersion_ = 1;
    uint32_t clientMachine_ = INADDR_LOOPBACK;
    CLIENT *client_ = nullptr;
    pid_t launcherPid_ = -1, clientPid_ = -1;
    std::optional<int> launcherStatus_, clientStatus_;  // raw wait statuses
    bool clientGone_ = false;  // ended, reaped by a process between it and us
    bool adopting_ = false;
    int launchError_ = 0;
    int exitSignal_ = 0;
    long callsServed_ = 0;
    std::vector<int> connections_;  // descriptors of the client's calls to us
    std::map<unsigned long, bool> launchedSockets_;  // callers' sockets: held by the launched client?
    bool acknowledged_ = false;
    bool forking_ = false;
    bool clientHolds_ = false;
    int handovers_ = 0;
    int acknowledgements_ = 0;
    int32_t lastBailout_ = 0;
    Trace trace_;
};

// A program number in the transient range that nobody has registered.
uint32_t free_program(uint32_t version);

}  // namespace vxhost
