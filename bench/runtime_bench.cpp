// Cost of the runtime's two kinds of round trip, each next to a bare
// libtirpc null call over the same kind of connection:
// - a callback: the host calls a command and serves until the hand-over;
// - a host call made through the runtime's stubs on vellix_client.
#include "beside.h"
#include "vxhost.h"

#include "callbacks.h"
#include "vapi/runtime.h"
#include "runtime_internal.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

namespace {

bool null_call(CLIENT *client)
{
    timeval timeout{5, 0};
    return clnt_call(client, NULLPROC, vapi_codec(xdr_void), nullptr, vapi_codec(xdr_void), nullptr, timeout) ==
           RPC_SUCCESS;
}

// This process as the host of the test client.
struct HostSide {
    vxhost::Host host;
    CLIENT *raw = nullptr;
    bool ready = false;

    HostSide()
    {
        vxhost::LaunchOptions launch;
        launch.program = beside_this_program("tests/clients/testclient");
        ready = host.launch(launch) && host.init(0);
        if (ready)
            raw = loopback_client(host.client_program(), 1);
    }
    ~HostSide()
    {
        if (raw != nullptr)
            clnt_destroy(raw);
        if (ready && host.call_quit() == RPC_SUCCESS)
            host.wait_exit(5);
    }
};

HostSide &host_side()
{
    static HostSide side;
    return side;
}

// This process as a client of a separate vxhost process.
struct ClientSide {
    pid_t hostPid = -1;
    bool ready = false;

    ClientSide()
    {
        int out[2];
        if (pipe(out) != 0)
            return;
        std::string program = beside_this_program("host/vxhost");
        hostPid = fork();
        if (hostPid == 0) {
            dup2(out[1], STDOUT_FILENO);
            close(out[0]);
            close(out[1]);
            execl(program.c_str(), program.c_str(), "--serve", "--print-program", nullptr);
            _exit(127);
        }
        close(out[1]);
        FILE *answer = fdopen(out[0], "r");
        unsigned number = 0, version = 0;
        bool told = answer != nullptr && fscanf(answer, "program %u version %u", &number, &version) == 2;
        if (answer != nullptr)
            fclose(answer);
        ready = told && hookup(vxhost::free_program(1), 1, number, version, hostPid, nullptr) == nullptr;
    }
    ~ClientSide()
    {
        V_ApiShutDown();
        if (hostPid > 0) {
            kill(hostPid, SIGTERM);
            waitpid(hostPid, nullptr, 0);
        }
    }
};

ClientSide &client_side()
{
    static ClientSide side;
    return side;
}

void BM_CommandToHandover(benchmark::State &state)
{
    HostSide &side = host_side();
    if (!side.ready) {
        state.SkipWithError("the test client did not start");
        return;
    }
    for (auto _ : state) {
        if (!side.host.command(1)) {
            state.SkipWithError("no hand-over");
            break;
        }
        side.host.clear_trace();
    }
}
BENCHMARK(BM_CommandToHandover);

void BM_RawNullCallToClient(benchmark::State &state)
{
    HostSide &side = host_side();
    if (side.raw == nullptr) {
        state.SkipWithError("no connection to the client");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(null_call(side.raw));
}
BENCHMARK(BM_RawNullCallToClient);

void BM_HostCallThroughRuntime(benchmark::State &state)
{
    if (!client_side().ready) {
        state.SkipWithError("no host to call");
        return;
    }
    for (auto _ : state) {
        Vapivx_TakeControl();  // host procedure 1343 through its stub
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_HostCallThroughRuntime);

void BM_RawNullCallToHost(benchmark::State &state)
{
    if (!client_side().ready) {
        state.SkipWithError("no host to call");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(null_call(vellix_client));
}
BENCHMARK(BM_RawNullCallToHost);

}  // namespace
