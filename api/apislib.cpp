// Start-up from the host's environment, the connection to the host and its
// release, and the runtime's error reporting.
#include "callbacks.h"
#include "ending.h"
#include "host_peer.h"
#include "hostcall.h"
#include "listener.h"
#include "peer.h"
#include "vapi/runtime.h"
#include "runtime_internal.h"

#include <arpa/inet.h>
#include <errno.h>
#include <limits.h>
#include <netdb.h>
#include <netinet/in.h>
#include <rpc/pmap_clnt.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/resource.h>
#include <unistd.h>

extern "C" {

int32_t VA_errno = 0;
int32_t VA_bailout = 0;
struct timeval VA_TimeOut = {0, 0};
uint32_t VA_SelectMask = 0;
int32_t VA_clientno = -1;
CLIENT *vellix_client = nullptr;

}  // extern "C"

namespace {

// The name field of the environment is read into this buffer, so it holds
// at most 255 characters.
char myname[256] = "???";
uint32_t myprog = 0, myvers = 0;
uint32_t hisprog = 0, hisvers = 0;
int32_t hispid = 0;
// The host's machine when it is not this one: callbacks come only from there.
bool hostElsewhere = false;
in_addr hostAddress{};
SVCXPRT *client_transp = nullptr;
int client_socket = -1;
char h[256] = "";

const long kDefaultTimeOut = 604800;  // seven days
const int32_t kRemoteHostPid = -223;

// Registers the client's program on a fresh TCP transport listening on
// `address`.
const char *register_service(in_addr address)
{
    client_transp = vapi::listener::create(address);
    if (client_transp == nullptr)
        return "unable to create TCP service";
    netconfig *nconf = getnetconfigent("tcp");
    if (nconf == nullptr)
        return "unable to register TCP client).";
    bool_t ok = svc_reg(client_transp, myprog, myvers, vx_api_prog_1, nconf);
    freenetconfigent(nconf);
    return ok ? nullptr : "unable to register TCP client).";
}

// Reads "VXAPIX": seven fields, each number within what its field holds
// (a program number no RPC program could have, or one that overflows,
// would make the client register or call something that is not its own).
const char *read_environment(long long n[6])
{
    const char *env = getenv("VXAPIX");
    if (env == nullptr ||
        sscanf(env, "%lld.%lld %lld.%lld %lld.%lld.%255s", &n[0], &n[1], &n[2], &n[3], &n[4], &n[5], myname) != 7)
        return "not called by a Vellix product";
    const long long low[6] = {1, 0, 1, 0, INT_MIN, INT_MIN};
    for (int i = 0; i < 6; ++i)
        if (n[i] < low[i] || n[i] > INT_MAX)
            return "VXAPIX holds a number out of range";
    return nullptr;
}

// Where the host is. A host started on this machine (no name given) is
// local whatever this machine's own name resolves to: only then can its
// process be watched. A named host is local when it resolves to this
// machine's address or to loopback.
const char *locate_host(const char *hostName, sockaddr_in *his)
{
    if (hostName == nullptr || hostName[0] == '\0') {
        hostnameToRealAddr(nullptr, his);
        return nullptr;
    }
    sockaddr_in mine;
    if (hostnameToRealAddr(thishost(), &mine) != 0 || hostnameToRealAddr(hostName, his) != 0)
        return "unable to gethostbyname";
    bool loopback = (ntohl(his->sin_addr.s_addr) >> 24) == 127;
    if (his->sin_addr.s_addr != mine.sin_addr.s_addr && !loopback) {
        hispid = kRemoteHostPid;
        hostElsewhere = true;
        hostAddress = his->sin_addr;
    } else {
        his->sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    }
    return nullptr;
}

}  // namespace

extern "C" {

int32_t V_ApiRun(void)
{
    const char *err = V_ApiStartUp(nullptr);
    if (err != nullptr)
        V_ApiErr(err);
    else
        while (VA_bailout == 0)
            V_ApiService(nullptr);
    V_ApiShutDown();
    return err != nullptr ? 1 : 0;
}

const char *V_ApiStartUp(V_ApiFdFuncT fdFunc)
{
    setbuf(stdout, nullptr);
    rlimit limit{256, 256};
    setrlimit(RLIMIT_NOFILE, &limit);
    sigset_t all;
    sigfillset(&all);
    sigprocmask(SIG_UNBLOCK, &all, nullptr);
    V_ApiSetFdFunc(fdFunc);

    long long n[6];
    const char *err = read_environment(n);
    if (err != nullptr)
        return err;
    int number = static_cast<int>(n[5]);
    if (number < 0) {
        VA_clientno = ~number;
    } else {
        VA_clientno = number;
        pid_t child = fork();
        if (child < 0)
            return "unable to fork";
        if (child > 0)
            _exit(0);
    }
    err = hookup(static_cast<uint32_t>(n[0]), static_cast<uint32_t>(n[1]), static_cast<uint32_t>(n[2]),
                 static_cast<uint32_t>(n[3]), static_cast<int32_t>(n[4]), nullptr);
    if (err != nullptr)
        return err;
    call_fd_func();
    return nullptr;
}

const char *hookup(uint32_t myProg, uint32_t myVers, uint32_t hisProg, uint32_t hisVers,
                   int32_t hisPid, const char *hostName)
{
    // The client would register over the host's program and call itself.
    if (myProg == hisProg)
        return "the client's RPC program is the host's own";
    myprog = myProg;
    myvers = myVers;
    hisprog = hisProg;
    hisvers = hisVers;
    hispid = hisPid;
    hostElsewhere = false;
    pmap_unset(myprog, myvers);

    // Where the host is decides where the client listens: on loopback for
    // a host on this machine, else everywhere (and only the host's address
    // is served).
    sockaddr_in his;
    const char *err = locate_host(hostName, &his);
    if (err != nullptr)
        return err;
    in_addr listenOn{};
    listenOn.s_addr = htonl(hostElsewhere ? INADDR_ANY : INADDR_LOOPBACK);
    err = register_service(listenOn);
    if (err != nullptr)
        return err;

    // A host that closes the connection must make our calls fail, not end
    // the process on the next write.
    struct sigaction pipe;
    if (sigaction(SIGPIPE, nullptr, &pipe) == 0 && pipe.sa_handler == SIG_DFL)
        signal(SIGPIPE, SIG_IGN);
    vapi::ending::arm();

    client_socket = RPC_ANYSOCK;
    vellix_client = clnttcp_create(&his, hisprog, hisvers, &client_socket, 0, 0);
    if (vellix_client == nullptr)
        return "unable to create TCP client";
    vapi::hostcall::take_over(vellix_client);
    timeval timeout = get_VA_TimeOut();
    clnt_control(vellix_client, CLSET_TIMEOUT, reinterpret_cast<char *>(&timeout));
    if (!Vapivx_InitAck(getpid()))
        return "unable to make initial contact";
    return nullptr;
}

void V_ApiShutDown(void)
{
    un_portmap();
    if (client_transp != nullptr) {
        svc_destroy(client_transp);
        client_transp = nullptr;
    }
    if (client_socket >= 0) {
        close(client_socket);
        client_socket = -1;
        // The handle must not close the descriptor a second time: by then
        // the number may belong to someone else.
        if (vellix_client != nullptr)
            clnt_control(vellix_client, CLSET_FD_NCLOSE, nullptr);
    }
    if (vellix_client != nullptr) {
        clnt_destroy(vellix_client);
        vellix_client = nullptr;
    }
}

void un_portmap(void)
{
    if (myprog == 0)
        return;
    pmap_unset(myprog, myvers);
    myprog = 0;
}

int32_t V_ApiVellixAlive(void)
{
    if (hispid < 1)
        return 1;
    // A process we may not signal still exists.
    return (kill(hispid, 0) == 0 || errno == EPERM) ? 1 : 0;
}

void V_ApiErr(const char *text)
{
    fprintf(stderr, "Vellix API client \"%s\": %s.\n", myname, text);
}

void V_ApiBailOut(void)
{
    VA_bailout = 1;
}

const char *thishost(void)
{
    if (h[0] == '\0') {
        gethostname(h, sizeof h - 1);
        h[sizeof h - 1] = '\0';
    }
    return h;
}

int32_t strEqual(const char *a, const char *b)
{
    return strcmp(a ? a : "", b ? b : "") == 0 ? 1 : 0;
}

int32_t hostnameToRealAddr(const char *name, struct sockaddr_in *address)
{
    memset(address, 0, sizeof *address);
    if (strEqual(name, "") || strEqual(name, "localhost")) {
        address->sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    } else if (inet_aton(name, &address->sin_addr) == 0) {
        hostent *entry = gethostbyname(name);
        if (entry == nullptr || entry->h_addrtype != AF_INET || entry->h_addr_list[0] == nullptr)
            return -1;
        memcpy(&address->sin_addr, entry->h_addr_list[0], sizeof address->sin_addr);
    }
    address->sin_family = AF_INET;
    address->sin_port = 0;
    return 0;
}

struct timeval get_VA_TimeOut(void)
{
    if (VA_TimeOut.tv_sec == 0 && VA_TimeOut.tv_usec == 0)
        VA_TimeOut.tv_sec = kDefaultTimeOut;
    return VA_TimeOut;
}

}  // extern "C"

bool vapi::from_host(SVCXPRT *transport)
{
    peer::Caller c = peer::caller_of(transport);
    bool ours = c.where == peer::Where::ThisMachine && c.uid == geteuid();
    if (!hostElsewhere)
        return ours;
    return c.address.s_addr == hostAddress.s_addr && (c.where == peer::Where::Elsewhere || ours);
}
