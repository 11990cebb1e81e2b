// A client that writes every entry-point call to the file named by
// LINDREL_TEST_LOG, one line each, and whose commands exercise the runtime's
// control calls. Command numbers:
//   1  nothing more              6  hand over, then take control again
//   2  done-command twice        7  call host procedure 1340 and log the answer
//   3  take control while held   8  bail out
//   4  one nested service pass   9  service pass with a ready extra descriptor
//   5  modal dialog wait           10  log the call time-out in force
//  11  hold every free descriptor  12  let them go again
// Notification 75 logs its first argument's length (-1 when absent), how
// many further arguments came and the peak memory of the process.
// Init code 1340, a message about document 1340, notification 1340 and a
// dialog event on item 1340 also call host procedure 1340, as command 7 does.
#include "vapi/procs.h"
#include "vapi/runtime.h"
#include "runtime_internal.h"

#include "vapi/apistruct.h"
#include "vapi/session.h"

#include <fcntl.h>
#include <signal.h>
#include <stdio_ext.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

namespace {

// One line per call, written whole (the file is opened for appending).
void log(const char *format, ...)
{
    const char *path = getenv("LINDREL_TEST_LOG");
    FILE *file = path != nullptr ? fopen(path, "a") : nullptr;
    if (file == nullptr)
        return;
    va_list args;
    va_start(args, format);
    vfprintf(file, format, args);
    va_end(args);
    fputc('\n', file);
    fclose(file);
}

// Time settings a client makes before start-up; tests shorten them to see
// their effect quickly.
struct TimeHooks {
    TimeHooks()
    {
        if (const char *s = getenv("LINDREL_TEST_IDLE_SECONDS"))
            VdeApiSetIdleSeconds(atoi(s));
        if (const char *s = getenv("LINDREL_TEST_CALL_SECONDS"))
            VA_TimeOut.tv_sec = atoi(s);
    }
} timeHooks;

void extra_descriptor_pass()
{
    int fds[2];
    if (pipe(fds) != 0 || fds[0] >= 32)
        return;
    ssize_t written = write(fds[1], "x", 1);
    (void)written;
    uint32_t mask = 1u << fds[0];
    int32_t result = V_ApiService(&mask);
    log("extra %d %s", result, mask == (1u << fds[0]) ? "ready" : "not-ready");
    close(fds[0]);
    close(fds[1]);
}

const int32_t kAskHost = 1340;
std::vector<int> held;  // descriptors taken by command 11

long peak_kb()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0)
            return std::atol(line.c_str() + 6);
    return -1;
}

// Works only when the host already has its reply: until then it is waiting
// for us and serves nothing.
void ask_host()
{
    int32_t none = 0;
    int32_t *number = api_client_number_1(&none, vellix_client);
    log("host %d", number != nullptr ? *number : -1);
}

}  // namespace

extern "C" {

void V_ApiInitialize(int32_t code)
{
    log("init %d clientno %d pid %d env %s", code, VA_clientno, static_cast<int>(getpid()),
        getenv("VXAPIX"));
    // What start-up set up: no signal blocked, at most 256 descriptors,
    // standard output unbuffered.
    sigset_t mask;
    sigprocmask(SIG_BLOCK, nullptr, &mask);
    int blocked = 0;
    for (int s = 1; s < SIGRTMIN; ++s)
        blocked += sigismember(&mask, s) == 1;
    rlimit files{};
    getrlimit(RLIMIT_NOFILE, &files);
    log("blocked %d files %ld %ld unbuffered %d", blocked, static_cast<long>(files.rlim_cur),
        static_cast<long>(files.rlim_max), __fbufsize(stdout) == 1);
    if (code == kAskHost)
        ask_host();
}

void V_ApiCommand(int32_t command)
{
    log("command %d", command);
    switch (command) {
    case 2: {
        int32_t first = V_ApiDoneCommand();
        int32_t second = V_ApiDoneCommand();
        log("done %d %d", first, second);
        break;
    }
    case 3:
        log("take %d", V_ApiTakeControl());
        break;
    case 4:
        V_ApiService(nullptr);
        log("nested pass");
        break;
    case 5:
        log("modal %d", V_ApiServiceModalCallbacks());
        break;
    case 6:
        V_ApiDoneCommand();
        log("take %d", V_ApiTakeControl());
        break;
    case 7:
        ask_host();
        break;
    case 8:
        V_ApiBailOut();
        break;
    case 9:
        extra_descriptor_pass();
        break;
    case 10: {
        timeval handle{-1, -1};
        clnt_control(vellix_client, CLGET_TIMEOUT, reinterpret_cast<char *>(&handle));
        log("timeout %ld %ld handle %ld %ld", static_cast<long>(VA_TimeOut.tv_sec),
            static_cast<long>(VA_TimeOut.tv_usec), static_cast<long>(handle.tv_sec),
            static_cast<long>(handle.tv_usec));
        break;
    }
    case 11:
        for (int fd; (fd = open("/dev/null", O_RDONLY)) >= 0;)
            held.push_back(fd);
        break;
    case 12:
        for (int fd : held)
            close(fd);
        held.clear();
        break;
    default:
        break;
    }
    log("command %d end", command);
}

void V_ApiNotify(int32_t notification, uint32_t docId, StringT sparm, int32_t iparm)
{
    if (notification == V_API_FILTER_NOTIFICATION) {
        auto *args = reinterpret_cast<const VdeApiFilterArgsT *>(sparm);
        log("filter %ld %u peak %ld", args->args[0] ? static_cast<long>(strlen(args->args[0])) : -1L,
            args->more.count, peak_kb());
        return;
    }
    log("notify %d %u [%s] %d", notification, docId, sparm, iparm);
    if (notification == kAskHost)
        ask_host();
}

void V_ApiMessage(StringT message, uint32_t docId, uint32_t objId)
{
    log("message [%s] %u %u", message, docId, objId);
    if (docId == kAskHost)
        ask_host();
}

void V_ApiDialogEvent(int32_t dialogNum, int32_t item, int32_t detail)
{
    log("dialog %d %d %d", dialogNum, item, detail);
    if (item == kAskHost)
        ask_host();
    // A dialog opened from within a dialog: its own modal wait.
    if (item == 99)
        log("inner modal %d", V_ApiServiceModalCallbacks());
}

void V_ApiEmergency(void)
{
    log("emergency");
}

}  // extern "C"
