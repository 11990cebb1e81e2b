// The cost of one API call to the stand-in host (in a child process, over
// loopback TCP), next to a bare RPC null call on the same connection: what
// the wrappers, the codecs and the host's generic store add to the round
// trip itself.
#include "../tests/common/client_under_host.h"

#include "vapi/api.h"
#include "vapi/apistruct.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

namespace {

constexpr uint32_t kDoc = 1, kObj = 2;
constexpr int kProperties = 100;

// One host for the whole run, with the properties the calls read.
lindrel_test::HostChild &host()
{
    static std::unique_ptr<lindrel_test::HostChild> child;
    if (!child) {
        lindrel_test::HostChild::Options options;
        options.trace = false;  // nobody reads it
        child = std::make_unique<lindrel_test::HostChild>(options);
        if (!child->attached())
            std::abort();
        V_PropValsT props{};
        for (int i = 1; i <= kProperties; ++i)
            V_ApiAppendIntProp(&props, i, i * 3);
        V_ApiSetProps(kDoc, kObj, &props);
        V_ApiDeallocatePropVals(&props);
        V_ApiSetString(kDoc, kObj + 1, 1000, "1Level");
    }
    return *child;
}

xdrproc_t no_data() { return reinterpret_cast<xdrproc_t>(reinterpret_cast<void (*)(void)>(xdr_void)); }

void NullCall(benchmark::State &state)
{
    host();
    timeval timeout{5, 0};
    for (auto _ : state) {
        clnt_stat s = clnt_call(vellix_client, NULLPROC, no_data(), nullptr, no_data(), nullptr, timeout);
        if (s != RPC_SUCCESS)
            state.SkipWithError("null call failed");
    }
}

void GetInt(benchmark::State &state)
{
    host();
    for (auto _ : state)
        benchmark::DoNotOptimize(V_ApiGetInt(kDoc, kObj, 7));
}

void GetString(benchmark::State &state)
{
    host();
    for (auto _ : state) {
        StringT s = V_ApiGetString(kDoc, kObj + 1, 1000);
        V_ApiDeallocateString(&s);
    }
}

void GetProps(benchmark::State &state)
{
    host();
    for (auto _ : state) {
        V_PropValsT props = V_ApiGetProps(kDoc, kObj);
        if (props.count != kProperties)
            state.SkipWithError("wrong property count");
        V_ApiDeallocatePropVals(&props);
    }
}

BENCHMARK(NullCall);
BENCHMARK(GetInt);
BENCHMARK(GetString);
BENCHMARK(GetProps);

}  // namespace
