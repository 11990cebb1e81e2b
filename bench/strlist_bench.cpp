// String lists at 100,000 entries: building one by appends, and looking
// entries up by value.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "vsupport/strlist.h"

namespace {

constexpr int kEntries = 100000;

std::vector<std::string> names() {
    std::vector<std::string> out;
    out.reserve(kEntries);
    for (int i = 0; i < kEntries; ++i)
        out.push_back("Level name " + std::to_string(i));
    return out;
}

// Growth by one slot per append (as the level list grows) against a
// generous increment.
void BM_Append(benchmark::State &state) {
    const std::vector<std::string> strings = names();
    const auto increment = static_cast<uint32_t>(state.range(0));
    for (auto _ : state) {
        V_StrListT *list = V_StrListNew(1, increment);
        for (const std::string &s : strings)
            V_StrListAppend(list, s.c_str());
        benchmark::DoNotOptimize(list->strings);
        V_StrListFree(list);
    }
    state.SetItemsProcessed(state.iterations() * kEntries);
}
BENCHMARK(BM_Append)->Arg(1)->Arg(1024)->Unit(benchmark::kMillisecond);

// Lookups of the first, middle and last entry and of a missing name.
void BM_Index(benchmark::State &state) {
    const std::vector<std::string> strings = names();
    V_StrListT *list = V_StrListNew(kEntries, 0);
    for (const std::string &s : strings)
        V_StrListAppend(list, s.c_str());
    const int position = static_cast<int>(state.range(0));
    const std::string wanted = position < kEntries ? strings[position] : "Not a level";
    for (auto _ : state)
        benchmark::DoNotOptimize(V_StrListIndex(list, wanted.c_str()));
    V_StrListFree(list);
}
BENCHMARK(BM_Index)->Arg(0)->Arg(kEntries / 2)->Arg(kEntries - 1)->Arg(kEntries)->Unit(benchmark::kMicrosecond);

}  // namespace
