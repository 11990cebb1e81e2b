// Attaching to a running host session, and notification 75's unpacking.
#include "vapi/session.h"

#include "codec.hpp"
#include "hostcall.h"
#include "vapi/apistruct.h"
#include "vapi/runtime.h"
#include "vsupport/memory.h"
#include "runtime_internal.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <unistd.h>

#include <string.h>

namespace {

using vapi::wire::as_proc;

char ha[64];  // the last text of host_ntoa

}  // namespace

// The connect request travels in the reverse of its field order.
extern "C" bool_t xdr_VxRpcApiConnectArgT(XDR *xdrs, VxRpcApiConnectArgT *objp)
{
    using vapi::wire::code;
    return code(xdrs, &objp->clientName) && code(xdrs, &objp->address) && code(xdrs, &objp->pid);
}

VAPI_DEFINE_CODEC(VxRpcApiConnectReturnT)

extern "C" {

int32_t apiLocalCall(const char *hostName, uint32_t program, uint32_t procedure,
                     xdrproc_t argCodec, void *argument, xdrproc_t resultCodec,
                     void *result, struct timeval timeOut)
{
    sockaddr_in address;
    if (hostnameToRealAddr(hostName, &address) != 0)
        return 0;
    // Port 0: the library asks that machine's port mapper.
    int socket = RPC_ANYSOCK;
    CLIENT *client = clntudp_create(&address, program, VX_SESSION_VERSION, timeOut, &socket);
    if (client == nullptr)
        return 0;
    clnt_control(client, CLSET_FD_CLOSE, nullptr);  // the socket goes with the handle
    vapi::hostcall::take_over(client);
    clnt_control(client, CLSET_TIMEOUT, reinterpret_cast<char *>(&timeOut));
    clnt_stat status = clnt_call(client, procedure, argCodec, static_cast<caddr_t>(argument),
                                 resultCodec, static_cast<caddr_t>(result), timeOut);
    clnt_destroy(client);
    return status == RPC_SUCCESS ? 1 : 0;
}

const char *host_ntoa(const char *hostName)
{
    sockaddr_in address;
    if (hostnameToRealAddr(hostName, &address) != 0)
        address.sin_addr.s_addr = 0;
    inet_ntop(AF_INET, &address.sin_addr, ha, sizeof ha);
    return ha;
}

int32_t V_ApiConnectToSession(const char *clientName, const char *hostName, uint32_t sessionProg)
{
    timeval timeOut = get_VA_TimeOut();
    VA_bailout = 0;
    if (hostName == nullptr || hostName[0] == '\0')
        hostName = thishost();

    int32_t result = V_API_NO_SESSION;
    VxRpcApiConnectReturnT reply;
    memset(&reply, 0, sizeof reply);
    if (apiLocalCall(hostName, sessionProg, VX_SESSION_NULL, as_proc(xdr_void), nullptr,
                     as_proc(xdr_void), nullptr, timeOut)) {
        VxRpcApiConnectArgT request;
        request.pid = getpid();
        request.address = const_cast<char *>(host_ntoa(thishost()));
        request.clientName = const_cast<char *>(clientName);
        if (!apiLocalCall(hostName, sessionProg, VX_SESSION_CONNECT, as_proc(xdr_VxRpcApiConnectArgT),
                          &request, as_proc(xdr_VxRpcApiConnectReturnT), &reply, timeOut))
            result = V_API_CONNECT_FAILED;
        else
            result = reply.status;
        if (result == 0) {
            if (hookup(reply.clientProg, reply.clientVers, reply.hostProg, reply.hostVers, reply.hostPid,
                       reply.hostName) != nullptr)
                result = V_API_HOOKUP_FAILED;
            else
                call_fd_func();
        }
        xdr_free(as_proc(xdr_VxRpcApiConnectReturnT), reinterpret_cast<char *>(&reply));
    }
    VA_errno = result;
    return result;
}

void translateFileToFile(uint32_t docId, const char *packedText, int32_t iparm)
{
    VdeApiFilterArgsT *args = VdeApiExpandFilterArgs(packedText);
    // Out of memory the client still hears of the notification, with every
    // argument empty, rather than not at all or through a null record.
    VdeApiFilterArgsT none;
    memset(&none, 0, sizeof none);
    V_ApiNotify(V_API_FILTER_NOTIFICATION, docId, reinterpret_cast<StringT>(args ? args : &none), iparm);
    if (args != nullptr) {
        VdeApiDeallocateFilterArgs(args);
        V_Free(args);
    }
}

}  // extern "C"
