// The session service of the stand-in host.
#include "session_service.h"

#include "peer.h"

#include "callbacks.h"
#include "vapi/session.h"
#include "runtime_internal.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <map>
#include <stdexcept>

namespace vxhost {
namespace {

// The RPC library's dispatch routines carry no context: find the service
// by its program number.
std::map<uint32_t, SessionService *> &services()
{
    static std::map<uint32_t, SessionService *> byProgram;
    return byProgram;
}

void dispatch_thunk(svc_req *request, SVCXPRT *transport)
{
    auto found = services().find(static_cast<uint32_t>(request->rq_prog));
    if (found != services().end())
        found->second->dispatch(request, transport);
    else
        svcerr_noprog(transport);
}

}  // namespace

SessionService::SessionService(Host &host) : SessionService(host, Options{}) {}

SessionService::SessionService(Host &host, const Options &options) : host_(host), options_(options)
{
    // On the host's own address: the session is no more open than the host.
    int s = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    sockaddr_in where{};
    where.sin_family = AF_INET;
    if (s >= 0 && (inet_aton(host.options().listen.c_str(), &where.sin_addr) == 0 ||
                   bind(s, reinterpret_cast<sockaddr *>(&where), sizeof where) != 0)) {
        close(s);
        s = -1;
    }
    transport_ = s >= 0 ? svcudp_create(s) : nullptr;
    if (transport_ == nullptr && s >= 0)
        close(s);
    netconfig *nconf = getnetconfigent("udp");
    if (transport_ == nullptr || nconf == nullptr) {
        if (nconf != nullptr)
            freenetconfigent(nconf);
        if (transport_ != nullptr)
            svc_destroy(transport_);
        throw std::runtime_error("vxhost: cannot create the session's UDP service");
    }
    // Registered through rpcbind directly: the port mapper's own set call
    // leaks an address on every registration. rpcbind reads the port from
    // the local address.
    netbuf &local = transport_->xp_ltaddr;
    if (local.buf != nullptr && local.len >= sizeof(sockaddr_in))
        reinterpret_cast<sockaddr_in *>(local.buf)->sin_port = htons(transport_->xp_port);
    for (int attempt = 0; attempt < 100 && program_ == 0; ++attempt) {
        uint32_t candidate = free_program(VX_SESSION_VERSION);
        if (svc_reg(transport_, candidate, VX_SESSION_VERSION, dispatch_thunk, nconf))
            program_ = candidate;
    }
    freenetconfigent(nconf);
    if (program_ == 0) {
        svc_destroy(transport_);
        throw std::runtime_error("vxhost: cannot register the session service");
    }
    services()[program_] = this;
}

SessionService::~SessionService()
{
    services().erase(program_);
    svc_unreg(program_, VX_SESSION_VERSION);
    svc_destroy(transport_);
}

void SessionService::dispatch(svc_req *request, SVCXPRT *transport)
{
    if (!host_.admit(request->rq_proc, "session procedure " + std::to_string(request->rq_proc), transport))
        return;
    switch (request->rq_proc) {
    case VX_SESSION_NULL:
        svc_sendreply(transport, vapi_codec(xdr_void), nullptr);
        break;
    case VX_SESSION_CONNECT:
        connect(transport);
        break;
    default:
        svcerr_noproc(transport);
        break;
    }
}

void SessionService::connect(SVCXPRT *transport)
{
    VxRpcApiConnectArgT request{};
    if (!svc_getargs(transport, vapi_codec(xdr_VxRpcApiConnectArgT), reinterpret_cast<caddr_t>(&request))) {
        svcerr_decode(transport);
        svc_freeargs(transport, vapi_codec(xdr_VxRpcApiConnectArgT), reinterpret_cast<caddr_t>(&request));
        return;
    }
    requests_.push_back({request.clientName, request.address, request.pid, 0});
    svc_freeargs(transport, vapi_codec(xdr_VxRpcApiConnectArgT), reinterpret_cast<caddr_t>(&request));
    if (options_.failConnect) {
        svcerr_systemerr(transport);
        return;
    }

    char machine[256] = "";
    gethostname(machine, sizeof machine - 1);
    VxRpcApiConnectReturnT reply{};
    reply.status = options_.status;
    reply.connection = static_cast<int32_t>(requests_.size());
    reply.hostName = options_.hostName.empty() ? machine : options_.hostName.data();
    if (reply.status == 0) {
        uint32_t clientProgram = free_program(1);
        requests_.back().clientProgram = clientProgram;
        reply.clientProg = static_cast<int32_t>(clientProgram);
        reply.clientVers = 1;
        reply.hostProg = static_cast<int32_t>(options_.hostProgram ? options_.hostProgram : host_.program());
        reply.hostVers = static_cast<int32_t>(host_.version());
        reply.hostPid = getpid();
    }
    int acknowledged = host_.acknowledgements();
    if (!svc_sendreply(transport, vapi_codec(xdr_VxRpcApiConnectReturnT), reinterpret_cast<caddr_t>(&reply)) ||
        reply.status != 0)
        return;

    // The client now connects as a started one would: it acknowledges, then
    // expects its init like any other client.
    // A client on another machine is called back where its request came
    // from; one on this machine on loopback, where it listens.
    vapi::peer::Caller caller = vapi::peer::caller_of(transport);
    host_.adopt_client(static_cast<uint32_t>(reply.clientProg), 1,
                       caller.where == vapi::peer::Where::Elsewhere ? ntohl(caller.address.s_addr)
                                                                    : INADDR_LOOPBACK);
    if (options_.initOnAttach &&
        host_.serve_until([&] { return host_.acknowledgements() > acknowledged; }, options_.attachSeconds))
        host_.init(0);
}

}  // namespace vxhost
