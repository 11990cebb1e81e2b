// Encode plus decode (and free) of a large property list and a large text
// item list: our record codecs against rpcgen's for the same records.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <vector>

#include "vapi/codecs.h"

extern "C" {
#include "codec_ref.h"
}

namespace {

static_assert(sizeof(V_PropValT) == sizeof(rg_V_PropValT), "same layout as the reference");
static_assert(sizeof(TextItemT) == sizeof(rg_TextItemT), "same layout as the reference");

char kLeader[] = ".", kWord[] = "paragraph text of a typical length";
StringT kWords[] = {kWord, kWord, kWord};
int32_t kInts[] = {1, 2, 3, 4, 5, 6, 7, 8};
V_TabT kTabs[] = {{720, 1, kLeader, 0}, {1440, 2, kLeader, '.'}};

// 10,000 properties of mixed types.
std::vector<V_PropValT> big_props()
{
    std::vector<V_PropValT> props(10000);
    for (size_t i = 0; i < props.size(); ++i) {
        V_PropValT &p = props[i];
        p.ident.propNum = static_cast<int32_t>(i + 1);
        switch (i % 5) {
        case 0: p.value.typeCode = 1; p.value.value.intVal = static_cast<int32_t>(i); break;
        case 1: p.value.typeCode = 3; p.value.value.stringVal = kWord; break;
        case 2: p.value.typeCode = 6; p.value.value.stringsVal = {3, kWords}; break;
        case 3: p.value.typeCode = 8; p.value.value.tabsVal = {2, kTabs}; break;
        default: p.value.typeCode = 13; p.value.value.intsVal = {8, kInts}; break;
        }
    }
    return props;
}

// 50,000 text items, text and numbers alternating.
std::vector<TextItemT> big_text()
{
    std::vector<TextItemT> items(50000);
    for (size_t i = 0; i < items.size(); ++i) {
        items[i].offset = static_cast<int32_t>(i * 8);
        items[i].data.dataType = i % 2 ? 1 : 4;
        if (i % 2)
            items[i].data.text = kWord;
        else
            items[i].data.number = static_cast<int32_t>(i);
    }
    return items;
}

// One encode into a memory stream, one decode into a fresh record, one free.
template <class T>
size_t encode_decode(bool_t (*codec)(XDR *, T *), T &value, std::vector<char> &buf)
{
    XDR xdrs;
    xdrmem_create(&xdrs, buf.data(), buf.size(), XDR_ENCODE);
    if (!codec(&xdrs, &value))
        return 0;
    u_int len = xdr_getpos(&xdrs);
    T back{};
    xdrmem_create(&xdrs, buf.data(), len, XDR_DECODE);
    bool ok = codec(&xdrs, &back);
    xdrs.x_op = XDR_FREE;
    codec(&xdrs, &back);
    return ok ? len : 0;
}

// The bytes a codec encodes a value to.
template <class T>
std::string encoded(bool_t (*codec)(XDR *, T *), T &value)
{
    std::vector<char> buf(8 << 20);
    XDR xdrs;
    xdrmem_create(&xdrs, buf.data(), buf.size(), XDR_ENCODE);
    return codec(&xdrs, &value) ? std::string(buf.data(), xdr_getpos(&xdrs)) : std::string();
}

template <class A, class B>
void compare(benchmark::State &state, bool_t (*ours)(XDR *, A *), A &a, bool_t (*ref)(XDR *, B *), B &b,
             bool reference)
{
    // Both codecs must produce the same bytes, or the comparison means nothing.
    std::string expected = encoded(ref, b);
    if (expected.empty() || encoded(ours, a) != expected) {
        state.SkipWithError("codecs disagree");
        return;
    }
    std::vector<char> buf(expected.size());
    size_t bytes = 0;
    for (auto _ : state)
        bytes += reference ? encode_decode(ref, b, buf) : encode_decode(ours, a, buf);
    state.SetBytesProcessed(static_cast<int64_t>(bytes));
}

void BM_PropVals(benchmark::State &state, bool reference)
{
    std::vector<V_PropValT> props = big_props();
    V_PropValsT ours{static_cast<uint32_t>(props.size()), props.data()};
    rg_V_PropValsT ref{ours.count, reinterpret_cast<rg_V_PropValT *>(props.data())};
    compare(state, xdr_V_PropValsT, ours, xdr_rg_V_PropValsT, ref, reference);
}

void BM_TextItems(benchmark::State &state, bool reference)
{
    std::vector<TextItemT> items = big_text();
    TextItemsT ours{static_cast<uint32_t>(items.size()), items.data()};
    rg_TextItemsT ref{ours.count, reinterpret_cast<rg_TextItemT *>(items.data())};
    compare(state, xdr_TextItemsT, ours, xdr_rg_TextItemsT, ref, reference);
}

BENCHMARK_CAPTURE(BM_PropVals, ours, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PropVals, rpcgen, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_TextItems, ours, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_TextItems, rpcgen, true)->Unit(benchmark::kMillisecond);

} // namespace
