// Case-insensitive comparison through the host map against plain byte loops.
#include <benchmark/benchmark.h>

#include <string>
#include <strings.h>

#include "vsupport/strings.h"

namespace {

// Two 64-byte strings equal but for case, and a short paragraph tag pair.
const std::string kA = std::string(32, 'a') + "Outline Level \x80\x81\xE7 Body text..";
const std::string kB = std::string(32, 'A') + "outline level \x8A\x8C\x87 body text..";

const std::string kACopy = kA;

// A plain byte walk, kept out of line so that it is measured, not folded.
__attribute__((noinline)) int plainLoop(const char *a, const char *b)
{
    const auto *x = reinterpret_cast<const unsigned char *>(a);
    const auto *y = reinterpret_cast<const unsigned char *>(b);
    while (*x && *x == *y) x++, y++;
    return *x - *y;
}

void BM_V_StrICmp(benchmark::State &state)
{
    for (auto _ : state) benchmark::DoNotOptimize(V_StrICmp(kA.c_str(), kB.c_str()));
}
void BM_V_StrIEqual(benchmark::State &state)
{
    for (auto _ : state) benchmark::DoNotOptimize(V_StrIEqual(kA.c_str(), kB.c_str()));
}
// The same walk with no case folding, over two equal strings.
void BM_PlainByteLoop(benchmark::State &state)
{
    for (auto _ : state) benchmark::DoNotOptimize(plainLoop(kA.c_str(), kACopy.c_str()));
}
void BM_strcasecmp(benchmark::State &state)
{
    for (auto _ : state) benchmark::DoNotOptimize(strcasecmp(kA.c_str(), kB.c_str()));
}
void BM_V_StrICmp_Tag(benchmark::State &state)
{
    for (auto _ : state) benchmark::DoNotOptimize(V_StrICmp("3Level", "3level"));
}
void BM_PlainByteLoop_Tag(benchmark::State &state)
{
    std::string a = "3Level", b = "3Level";
    for (auto _ : state) benchmark::DoNotOptimize(plainLoop(a.c_str(), b.c_str()));
}

} // namespace

BENCHMARK(BM_V_StrICmp);
BENCHMARK(BM_V_StrIEqual);
BENCHMARK(BM_PlainByteLoop);
BENCHMARK(BM_strcasecmp);
BENCHMARK(BM_V_StrICmp_Tag);
BENCHMARK(BM_PlainByteLoop_Tag);
