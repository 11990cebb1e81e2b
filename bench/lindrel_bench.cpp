// The outline commands on blocks of 10 to 10,000 paragraphs, with the real
// lindrel under an in-process stand-in host: wall time per command, host
// calls per command (from the trace), and time per host call next to a bare
// libtirpc null call to the same client measured in the same run.
#include "beside.h"
#include "document_editor.h"
#include "editor_service.h"
#include "generic_host.h"
#include "vxhost.h"

#include "callbacks.h"


#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

// One host and one lindrel for the whole run (the RPC library's service
// state is per process).
struct Session {
    vxhost::Host host;
    vxhost::generic::GenericHost generic{host};
    vxhost::Editor editor;
    vxhost::EditorService service{host, editor, generic};
    CLIENT *raw = nullptr;
    bool ready = false;

    Session()
    {
        vxhost::LaunchOptions launch;
        launch.program = beside_this_program("outline/lindrel");
        launch.name = "lindrel";
        ready = host.launch(launch) && host.init(1);
        if (!ready)
            return;
        raw = loopback_client(host.client_program(), 1);
    }
    ~Session()
    {
        if (raw != nullptr)
            clnt_destroy(raw);
        host.call_quit();
        host.wait_exit(5);
    }

    // A head "1Level" with `block` - 1 "2Level" children, then a "1Level"
    // sibling: the active document, the caret in the head.
    vxhost::ObjId open(int block)
    {
        vxhost::DocContent content;
        content.formats = {"1Level", "2Level", "3Level"};
        content.paras.push_back({"1Level", "head", 0});
        for (int i = 1; i < block; i++)
            content.paras.push_back({"2Level", "child " + std::to_string(i), 0});
        content.paras.push_back({"1Level", "sibling", 0});
        vxhost::ObjId doc = editor.addDocument(content, "bench.vx", "", true);
        vxhost::Document &d = *editor.document(doc);
        d.setSelection({{d.first(), 0}, {d.first(), 0}});
        return doc;
    }
    void close(vxhost::ObjId doc) { editor.close(doc); }
};

Session &session()
{
    static Session s;
    return s;
}

size_t host_calls(const vxhost::Host &host)
{
    size_t n = 0;
    for (const vxhost::TraceEntry &e : host.trace())
        n += e.direction == vxhost::Direction::ToHost;
    return n;
}

// Runs `command`, timed, then `undo` (untimed) to restore the document.
void RunCommand(benchmark::State &state, int32_t command, int32_t undo)
{
    Session &s = session();
    if (!s.ready) {
        state.SkipWithError("lindrel did not start");
        return;
    }
    vxhost::ObjId doc = s.open(static_cast<int>(state.range(0)));
    size_t calls = 0;
    for (auto _ : state) {
        s.host.clear_trace();
        if (!s.host.command(command)) {
            state.SkipWithError("no hand-over");
            break;
        }
        calls = host_calls(s.host);
        state.PauseTiming();
        s.host.command(undo);
        s.host.clear_trace();
        state.ResumeTiming();
    }
    s.close(doc);
    state.counters["host_calls"] = static_cast<double>(calls);
    state.counters["us_per_call"] = benchmark::Counter(
        static_cast<double>(calls) * static_cast<double>(state.iterations()),
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert, benchmark::Counter::kIs1000);
}

void BM_MoveRight(benchmark::State &state) { RunCommand(state, 3, 2); }
void BM_MoveDown(benchmark::State &state) { RunCommand(state, 5, 4); }

void BM_RawNullCall(benchmark::State &state)
{
    Session &s = session();
    if (s.raw == nullptr) {
        state.SkipWithError("no client");
        return;
    }
    timeval timeout{5, 0};
    for (auto _ : state)
        clnt_call(s.raw, NULLPROC, vapi_codec(xdr_void), nullptr, vapi_codec(xdr_void), nullptr, timeout);
}

BENCHMARK(BM_RawNullCall)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MoveRight)->Arg(10)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_MoveDown)->Arg(10)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
