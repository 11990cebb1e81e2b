// The service loop and the descriptor-change reports.
//
// The public masks (VA_SelectMask, the extra mask, the callback reports)
// speak of descriptors as bits of 32-bit words, but the process may hold up
// to 256 descriptors: internally every service descriptor takes part, so a
// service socket numbered 32 or higher is served like any other.
#include "ending.h"
#include "listener.h"
#include "vapi/runtime.h"
#include "runtime_internal.h"

#include <stdlib.h>
#include <strings.h>
#include <sys/select.h>

#include <algorithm>
#include <chrono>

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
    using Clock = std::chrono::steady_clock;
    fd_set services, ready;
    int result;
    auto idleSince = Clock::now();
    for (;;) {
        vapi::ending::end_if_asked();
        services = svc_fdset;
        ready = services;
        int nfds = svc_maxfd + 1;
        if (extraMask != nullptr) {
            add_word(ready, *extraMask);
            if (*extraMask != 0 && nfds < 32)
                nfds = 32;
        }
        VA_SelectMask = low_word(ready);
        // While no descriptor is free, a listener would wake the loop at
        // once and fail to accept: it waits, and the loop looks again often.
        bool held = vapi::listener::hold_listeners(ready);
        int wake = vapi::ending::fd();
        if (wake >= 0) {
            FD_SET(wake, &ready);
            nfds = std::max(nfds, wake + 1);
        }
        auto idle = std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - idleSince);
        auto left = std::chrono::microseconds(std::chrono::seconds(idle_seconds)) - idle;
        if (held)
            left = std::min(left, std::chrono::microseconds(250000));
        timeval timeout{static_cast<time_t>(std::max<long long>(0, left.count()) / 1000000),
                        static_cast<suseconds_t>(std::max<long long>(0, left.count()) % 1000000)};
        result = select(nfds, &ready, nullptr, nullptr, &timeout);
        vapi::ending::end_if_asked();
        if (result > 0 && wake >= 0 && FD_ISSET(wake, &ready)) {
            FD_CLR(wake, &ready);
            --result;
        }
        if (result > 0)
            break;
        if (result == 0 && Clock::now() - idleSince < std::chrono::seconds(idle_seconds))
            continue;  // a short slice while a listener waits
        if (!V_ApiVellixAlive()) {
            un_portmap();
            V_ApiErr("the Vellix process has ended");
            V_ApiEmergency();
            exit(1);
        }
        idleSince = Clock::now();
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
