// The host's side of Move Right over a block of half the document, driven by
// the real lindrel over real RPC, for documents of growing size. The time
// per host call must not grow with the document: every call touches one
// paragraph or one format. CPU time is this process's, the host's work
// alone (lindrel runs in its own process); real time includes the client
// and both directions of every round trip.
#include "beside.h"
#include "document_editor.h"
#include "editor_service.h"
#include "generic_host.h"
#include "vxhost.h"

#include "callbacks.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

// A head "1Level" paragraph whose block is the first half of the document,
// the rest top-level paragraphs; the selection in the head.
vxhost::ObjId outline(vxhost::Editor &editor, size_t paragraphs)
{
    vxhost::DocContent content;
    content.formats = {"1Level", "2Level", "3Level"};
    for (size_t i = 0; i < paragraphs; ++i)
        content.paras.push_back({i == 0 || i >= paragraphs / 2 ? "1Level" : "2Level", "paragraph " + std::to_string(i), 0});
    return editor.addDocument(content, "bench.vx", "", true);
}

void MoveRightOverHalfTheDocument(benchmark::State &state)
{
    vxhost::Host host;
    vxhost::generic::GenericHost generic(host);
    vxhost::Editor editor;
    vxhost::EditorService service(host, editor, generic);
    editor.setProp(0, 0, vxhost::prop::kTemplateDir1, std::string("/nonexistent"));
    outline(editor, static_cast<size_t>(state.range(0)));
    vxhost::LaunchOptions launch;
    launch.program = beside_this_program("outline/lindrel");
    if (!host.launch(launch) || !host.init(1)) {
        state.SkipWithError("lindrel did not start");
        return;
    }
    double calls = 0;
    for (auto _ : state) {
        host.clear_trace();
        if (service.run_label("Move Right", 600) != vxhost::EditorService::Ran::Done) {
            state.SkipWithError("Move Right did not complete");
            break;
        }
        calls += static_cast<double>(host.trace().size());
        state.PauseTiming();
        host.clear_trace();
        service.run_label("Move Left", 600);  // the same document for the next round
        host.clear_trace();
        state.ResumeTiming();
    }
    state.counters["host_calls"] = benchmark::Counter(calls, benchmark::Counter::kAvgIterations);
    state.counters["per_call"] = benchmark::Counter(calls, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// The peer of a host call: one bare null call over loopback to the same
// kind of client, lindrel's own RPC program.
void BM_RawNullCall(benchmark::State &state)
{
    vxhost::Host host;
    vxhost::LaunchOptions launch;
    launch.program = beside_this_program("outline/lindrel");
    CLIENT *raw = host.launch(launch) && host.init(1) ? loopback_client(host.client_program(), 1) : nullptr;
    if (raw == nullptr) {
        state.SkipWithError("lindrel did not start");
        return;
    }
    timeval timeout{5, 0};
    for (auto _ : state)
        if (clnt_call(raw, NULLPROC, vapi_codec(xdr_void), nullptr, vapi_codec(xdr_void), nullptr, timeout) != RPC_SUCCESS) {
            state.SkipWithError("null call failed");
            break;
        }
    clnt_destroy(raw);
    host.call_quit();
    host.wait_exit(5);
    // One call per iteration; the same counters as the commands, which a
    // table of all the runs needs.
    state.counters["host_calls"] = 1;
    state.counters["per_call"] = benchmark::Counter(static_cast<double>(state.iterations()),
                                                    benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

BENCHMARK(BM_RawNullCall)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(MoveRightOverHalfTheDocument)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(MoveRightOverHalfTheDocument)->Arg(100000)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
