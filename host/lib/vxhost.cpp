// The host's RPC program: registration, the table-driven dispatcher and the
// trace.
#include "vxhost.h"

#include "callbacks.h"
#include "listener.h"
#include "record_text.h"
#include "xdr_text.h"
#include "proctable.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <rpc/pmap_clnt.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include <cstdlib>
#include <memory>
#include <ostream>
#include <random>
#include <stdexcept>

namespace vxhost {
namespace {

Host *current = nullptr;
void (*exitHook)() = nullptr;

void dispatch_thunk(svc_req *request, SVCXPRT *transport)
{
    if (current != nullptr)
        current->dispatch(request, transport);
    else
        svcerr_noprog(transport);
}

// A zeroed record of `size` bytes that the RPC library may decode into.
using Buffer = std::unique_ptr<char, decltype(&std::free)>;
Buffer zeroed(size_t size)
{
    return Buffer(static_cast<char *>(std::calloc(1, size ? size : 1)), &std::free);
}

const uint32_t kInitAck = 1000, kTurnOver = 1002, kTakeControl = 1343;

}  // namespace

uint32_t free_program(uint32_t version)
{
    static std::mt19937 random{std::random_device{}()};
    std::uniform_int_distribution<uint32_t> transient(0x40000000u, 0x5FFFFFFFu);
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    for (;;) {
        uint32_t program = transient(random);
        if (pmap_getport(&local, program, version, IPPROTO_TCP) == 0 &&
            pmap_getport(&local, program, version, IPPROTO_UDP) == 0)
            return program;
    }
}

bool HostCall::reply_now()
{
    reply = Reply::None;
    replied = svc_sendreply(request->rq_xprt, proc.resCodec, static_cast<caddr_t>(result));
    return replied;
}

Host::Host() : Host(Options{}) {}

Host::Host(const Options &options) : options_(options), trace_(options.traceLimit)
{
    trace_.print_to(options_.traceTo, options_.traceFormat);
    trace_.set_sink(options_.traceSink);
    if (current != nullptr)
        throw std::logic_error("vxhost: one host per process");
    in_addr address{};
    if (inet_aton(options_.listen.c_str(), &address) == 0)
        throw std::runtime_error("vxhost: not an IPv4 address to listen on: " + options_.listen);
    transport_ = vapi::listener::create(address);
    netconfig *nconf = getnetconfigent("tcp");
    if (transport_ == nullptr || nconf == nullptr) {
        if (nconf != nullptr)
            freenetconfigent(nconf);
        throw std::runtime_error("vxhost: cannot create the TCP service");
    }
    for (int attempt = 0; attempt < 100 && program_ == 0; ++attempt) {
        uint32_t candidate = free_program(options_.version);
        if (svc_reg(transport_, candidate, options_.version, dispatch_thunk, nconf))
            program_ = candidate;
    }
    freenetconfigent(nconf);
    if (program_ == 0) {
        svc_destroy(transport_);
        throw std::runtime_error("vxhost: cannot register the host's program");
    }
    current = this;
}

Host::~Host()
{
    stop_client();
    if (launcherPid_ > 0 && !launcherStatus_)
        waitpid(launcherPid_, nullptr, 0);
    if (client_ != nullptr)
        clnt_destroy(client_);
    if (clientProgram_ != 0)  // a client that was killed left its entry
        pmap_unset(clientProgram_, clientVersion_);
    svc_unreg(program_, options_.version);
    svc_destroy(transport_);
    current = nullptr;
}

void Host::on(uint32_t proc, Handler handler)
{
    if (handler)
        handlers_[proc] = std::move(handler);
    else
        handlers_.erase(proc);
}

void Host::set_fallback(Handler handler) { fallback_ = std::move(handler); }

// What the host itself keeps of the control calls, whatever handler runs.
void Host::builtin(HostCall &call)
{
    int32_t value = call.proc.argSize >= sizeof(int32_t) ? *static_cast<int32_t *>(call.arguments) : 0;
    switch (call.proc.num) {
    case kInitAck:
        acknowledged(static_cast<pid_t>(value));
        break;
    case kTurnOver:
        ++handovers_;
        lastBailout_ = value;
        clientHolds_ = false;
        break;
    case kTakeControl:
        clientHolds_ = true;
        break;
    default:
        break;
    }
}

void Host::dispatch(svc_req *request, SVCXPRT *transport)
{
    uint32_t num = request->rq_proc;
    const ApiProcT *row = api_proc_find(num);
    if (!admit(num, row != nullptr ? row->stubName : num == 0 ? "null" : "procedure " + std::to_string(num),
               transport))
        return;
    if (num == 0) {
        svc_sendreply(transport, vapi_codec(xdr_void), nullptr);
        return;
    }
    ++callsServed_;
    if (row == nullptr) {
        svcerr_noproc(transport);
        trace_.end(trace_.begin(Direction::ToHost, num, "procedure " + std::to_string(num), ""), "unknown procedure");
        return;
    }
    bool known = false;
    for (int fd : connections_)
        known = known || fd == transport->xp_fd;
    if (!known)
        connections_.push_back(transport->xp_fd);

    Buffer arguments = zeroed(row->argSize), result = zeroed(row->resSize);
    if (!svc_getargs(transport, row->argCodec, arguments.get())) {
        xdr_free(row->argCodec, arguments.get());
        svcerr_decode(transport);
        trace_.end(trace_.begin(Direction::ToHost, num, row->stubName, ""), "garbage arguments");
        return;
    }
    // Entered before the handler runs, so that calls it makes to the client
    // follow it in the trace.
    size_t at = trace_.begin(Direction::ToHost, num, row->stubName, xdr_text(row->argCodec, arguments.get()));
    if (TraceEntry *e = trace_.printing() ? trace_.entry(at) : nullptr)
        e->fields = record_text(row->argType, arguments.get());

    HostCall call{*row, request, arguments.get(), result.get()};
    builtin(call);
    auto handler = handlers_.find(num);
    bool answered = interceptor_ && interceptor_(call);  // an injected fault
    if (!answered && handler != handlers_.end())
        handler->second(call);
    else if (!answered && fallback_ && num != kInitAck && num != kTurnOver && num != kTakeControl)
        fallback_(call);

    std::string outcome = call.replied ? "replied" : "no reply";
    if (call.reply == HostCall::Reply::Send) {
        outcome = svc_sendreply(transport, row->resCodec, result.get()) ? "replied" : "reply failed";
    } else if (call.reply == HostCall::Reply::Drop) {
        shutdown(transport->xp_fd, SHUT_RDWR);
        outcome = "dropped";
    }
    if (TraceEntry *e = trace_.entry(at); e != nullptr && outcome == "replied") {
        if (const int32_t *status = status_field(row->resType, result.get()))
            e->status = *status;
        if (trace_.printing())
            e->result = record_text(row->resType, result.get());
    }
    trace_.end(at, outcome);

    xdr_free(row->resCodec, result.get());
    svc_freeargs(transport, row->argCodec, arguments.get());
}

void Host::drop_connection()
{
    for (int fd : connections_)
        shutdown(fd, SHUT_RDWR);
    connections_.clear();
    if (client_ != nullptr) {
        clnt_destroy(client_);
        client_ = nullptr;
    }
}

void Host::exit_abruptly(int status)
{
    if (exitHook != nullptr)
        exitHook();
    _exit(status);
}

void Host::set_exit_hook(void (*hook)()) { exitHook = hook; }

}  // namespace vxhost
