// Termination signals, seen by the runtime's waits through a pipe that the
// handler writes (a signal that arrives just before a wait still wakes it).
#include "ending.h"

#include "runtime_internal.h"

#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

namespace vapi::ending {
namespace {

const int kSignals[] = {SIGTERM, SIGINT, SIGHUP};
int pipeFds[2] = {-1, -1};
volatile sig_atomic_t caught = 0;

void on_signal(int signal)
{
    if (caught != 0) {  // asked twice: no more waiting for a clean end
        ::signal(signal, SIG_DFL);
        raise(signal);
        return;
    }
    caught = signal;
    int saved = errno;
    ssize_t written = write(pipeFds[1], "x", 1);
    (void)written;
    errno = saved;
}

}  // namespace

void arm()
{
    if (pipeFds[0] >= 0)
        return;
    if (pipe2(pipeFds, O_CLOEXEC | O_NONBLOCK) != 0) {
        pipeFds[0] = pipeFds[1] = -1;
        return;
    }
    for (int s : kSignals) {
        struct sigaction old;
        if (sigaction(s, nullptr, &old) != 0 || old.sa_handler != SIG_DFL)
            continue;  // ignored (nohup) or the client's own handler
        struct sigaction mine;
        memset(&mine, 0, sizeof mine);
        mine.sa_handler = on_signal;
        sigemptyset(&mine.sa_mask);
        sigaction(s, &mine, nullptr);
    }
}

int fd() { return pipeFds[0]; }

void end_if_asked()
{
    if (caught == 0)
        return;
    un_portmap();
    char text[64];
    const char *name = sigabbrev_np(caught);
    snprintf(text, sizeof text, "ended by SIG%s", name != nullptr ? name : "?");
    V_ApiErr(text);
    exit(1);
}

}  // namespace vapi::ending
