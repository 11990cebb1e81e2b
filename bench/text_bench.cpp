// A paragraph's text joined from its text items, for paragraphs of 200,000
// and 800,000 one-character items: the time per item must not grow with
// the number of items.
#include "../outline/text.cpp"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

void BM_JoinTextItems(benchmark::State &state)
{
    static char letter[] = "x";
    std::vector<TextItemT> items(static_cast<size_t>(state.range(0)));
    for (TextItemT &item : items) {
        item.data.dataType = VX_TEXT_ITEM_STRING;
        item.data.text = letter;
    }
    TextItemsT list = {static_cast<uint32_t>(items.size()), items.data()};
    for (auto _ : state) {
        char *text = CreateStringFromTextItems(&list);
        benchmark::DoNotOptimize(text);
        V_Free(text);
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * items.size()));
}

BENCHMARK(BM_JoinTextItems)->Arg(200000)->Arg(800000)->Unit(benchmark::kMillisecond);

}  // namespace
