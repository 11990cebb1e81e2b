// V_Sprintf against the C library's snprintf on formats the client uses.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "vsupport/print.h"

namespace {

char buf[2048];

// Through a variable, so that the compiler cannot turn snprintf of a
// constant format into a plain copy.
const char *volatile kLiteral = "Couldn't allocate string list memory\n";

void BM_V_Sprintf_Int(benchmark::State &state)
{
    for (auto _ : state) benchmark::DoNotOptimize(V_Sprintf(buf, "%d", 123456));
}
void BM_snprintf_Int(benchmark::State &state)
{
    for (auto _ : state) benchmark::DoNotOptimize(std::snprintf(buf, sizeof buf, "%d", 123456));
}

void BM_V_Sprintf_Mixed(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(V_Sprintf(buf, "Level %d of %s: %5.1f%% done (%#x)", 3, "Body", 42.25, 255u));
}
void BM_snprintf_Mixed(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(
            std::snprintf(buf, sizeof buf, "Level %d of %s: %5.1f%% done (%#x)", 3, "Body", 42.25, 255u));
}

const std::string kLong(1000, 'p');

void BM_V_Sprintf_LongString(benchmark::State &state)
{
    for (auto _ : state) benchmark::DoNotOptimize(V_Sprintf(buf, "<%s>", kLong.c_str()));
}
void BM_snprintf_LongString(benchmark::State &state)
{
    for (auto _ : state) benchmark::DoNotOptimize(std::snprintf(buf, sizeof buf, "<%s>", kLong.c_str()));
}

void BM_V_Sprintf_Literal(benchmark::State &state)
{
    for (auto _ : state) benchmark::DoNotOptimize(V_Sprintf(buf, kLiteral));
}
void BM_snprintf_Literal(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(std::snprintf(buf, sizeof buf, kLiteral));
}

} // namespace

BENCHMARK(BM_V_Sprintf_Int);
BENCHMARK(BM_snprintf_Int);
BENCHMARK(BM_V_Sprintf_Mixed);
BENCHMARK(BM_snprintf_Mixed);
BENCHMARK(BM_V_Sprintf_LongString);
BENCHMARK(BM_snprintf_LongString);
BENCHMARK(BM_V_Sprintf_Literal);
BENCHMARK(BM_snprintf_Literal);
