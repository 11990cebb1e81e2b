// The service loop and the descriptor-change reports.
//
// The public masks (VA_SelectMask, the extra mask, the callback reports)
// speak of descriptors as bits of 32-bit words, but the process may hold up
// to 256 descriptors: internally every service descriptor takes part, so a
// service socket numbered 32 or higher is served like any other.
#include "vapi/runtime.h"
#include "runtime_internal.h"

#include <stdlib.h>
#include <strings.h>
#include <sys/select.h>

namespace {

int idle_seconds = 22;
V_ApiFdFuncT fd_func = nullptr;
fd_set old_svc_fds;  // zero-initialised as a static

uint32_t low_word(const fd_set &set)
{
    uint32_t mask = 0;
    for (int fd = 0; fd < 32; ++fd)
        if (FD_ISSET(fd, &set))
            mask |= 1u << fd;
    return mask;
}

void add_word(fd_set &set, uint32_t mask)
{
    for (int fd = 0; mask != 0; ++fd, mask >>= 1)
        if (mask & 1u)
            FD_SET(fd, &set);
}

bool empty(const fd_set &set)
{
    for (int fd = 0; fd < FD_SETSIZE; ++fd)
        if (FD_ISSET(fd, &set))
            return false;
    return true;
}

// Reports, in ascending order, each descriptor of `from` that is not in
// `other`.
void report(const fd_set &from, const fd_set &other, int32_t added)
{
    for (int fd = 0; fd < FD_SETSIZE; ++fd)
        if (FD_ISSET(fd, &from) && !FD_ISSET(fd, &other))
            fd_func(fd, added);
}

}  // namespace

extern "C" {

int32_t V_ApiService(uint32_t *extraMask)
{
    fd_set services, ready;
    int result;
    for (;;) {
        services = svc_fdset;
        ready = services;
        int nfds = svc_maxfd + 1;
        if (extraMask != nullptr) {
            add_word(ready, *extraMask);
            if (*extraMask != 0 && nfds < 32)
                nfds = 32;
        }
        VA_SelectMask = low_word(ready);
        timeval timeout{idle_seconds, 0};
        result = select(nfds, &ready, nullptr, nullptr, &timeout);
        if (result > 0)
            break;
        if (!V_ApiVellixAlive()) {
            un_portmap();
            V_ApiEmergency();
            exit(1);
        }
        if (result < 0) {
            FD_ZERO(&ready);
            break;
        }
    }

    fd_set requests;
    FD_ZERO(&requests);
    for (int fd = 0; fd < FD_SETSIZE; ++fd)
        if (FD_ISSET(fd, &ready) && FD_ISSET(fd, &services)) {
            FD_SET(fd, &requests);
            FD_CLR(fd, &ready);
        }
    if (!empty(requests))
        svc_getreqset(&requests);
    VA_SelectMask = low_word(ready);
    if (extraMask != nullptr)
        *extraMask = VA_SelectMask;
    call_fd_func();
    return result;
}

void call_fd_func(void)
{
    if (fd_func == nullptr)
        return;
    fd_set now = svc_fdset;
    report(old_svc_fds, now, 0);
    report(now, old_svc_fds, 1);
    old_svc_fds = now;
}

V_ApiFdFuncT V_ApiSetFdFunc(V_ApiFdFuncT fn)
{
    V_ApiFdFuncT previous = fd_func;
    fd_func = fn;
    call_fd_func();
    return previous;
}

void VdeApiSetIdleSeconds(int32_t seconds)
{
    if (seconds > 0)
        idle_seconds = seconds;
}

}  // extern "C"
