// Hostile and broken input: truncated data, lengths and counts that would
// make the decoder allocate past the block limit. Each must fail to decode,
// quickly, and leave nothing behind once released. What we send and free
// has no such limit.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "vapi/codecs.h"
#include "wire_util.hpp"

namespace {

constexpr uint32_t kBlockLimit = 99999999;

// A property list that exercises every kind of nested allocation.
Bytes rich_props()
{
    return Wire()
        .u(6)
        .u(0).s("name").u(3).s("text")                                    // named, string
        .u(2).u(6).u(2).s("a").s("bc")                                    // strings
        .u(3).u(8).u(1).u(10).u(1).s(".").u(0)                            // tabs
        .u(4).u(17).u(1).s("d").u(1).u(2).u(3).u(1).s("e").u(0).s("f").s("g") // attribute defs
        .u(5).u(19).u(1).u(1).u(2).u(3).u(4).u(5).u(6)                    // element range
        .u(6).u(14).u(2).u(1).u(2);                                       // bytes
}

TEST(DecodeLimits, EveryTruncationFailsAndReleasesCleanly)
{
    const Bytes full = rich_props();
    ASSERT_EQ(round_trip(xdr_V_PropValsT, full), full);
    for (size_t cut = 0; cut < full.size(); ++cut) {
        V_PropValsT back{};
        EXPECT_FALSE(decode(xdr_V_PropValsT, Bytes(full.begin(), full.begin() + cut), back)) << cut;
        release(xdr_V_PropValsT, back);  // the leak check of the sanitizer build watches this
    }
    const Bytes text = Wire().u(2).u(0).u(1).s("hello").u(5).u(4).u(1);
    for (size_t cut = 0; cut < text.size(); ++cut) {
        TextItemsT back{};
        EXPECT_FALSE(decode(xdr_TextItemsT, Bytes(text.begin(), text.begin() + cut), back)) << cut;
        release(xdr_TextItemsT, back);
    }
}

// Counts just past what the block limit allows for the element size, and
// the largest count of all, are refused before anything is allocated.
template <class L>
void expect_count_refused(bool_t (*codec)(XDR *, L *), size_t elemSize)
{
    for (uint32_t count : {static_cast<uint32_t>(kBlockLimit / elemSize + 1), UINT32_MAX, 0x80000000u}) {
        L back{};
        EXPECT_FALSE(decode(codec, Wire().u(count).u(1).u(2), back)) << count;
        EXPECT_EQ(back.items, nullptr) << count;
    }
}

// A count within the limit that the data does not back fails as soon as
// the data ends, without first allocating for the whole claim.
template <class L>
void expect_unbacked_count_fails(bool_t (*codec)(XDR *, L *), size_t elemSize)
{
    L back{};
    EXPECT_FALSE(decode(codec, Wire().u(static_cast<uint32_t>(kBlockLimit / elemSize)).u(0).u(0), back));
    release(codec, back);
}

TEST(DecodeLimits, OversizedCountsAreRefused)
{
    expect_count_refused(xdr_V_StringsT, sizeof(StringT));
    expect_count_refused(xdr_V_IntsT, sizeof(int32_t));
    expect_count_refused(xdr_V_UBytesT, sizeof(uint8_t));
    expect_count_refused(xdr_V_PointsT, sizeof(V_PointT));
    expect_count_refused(xdr_V_TabsT, sizeof(V_TabT));
    expect_count_refused(xdr_V_AttributeDefsT, sizeof(V_AttributeDefT));
    expect_count_refused(xdr_V_PropValsT, sizeof(V_PropValT));
    expect_count_refused(xdr_TextItemsT, sizeof(TextItemT));
    expect_unbacked_count_fails(xdr_V_UBytesT, sizeof(uint8_t));
    expect_unbacked_count_fails(xdr_V_IntsT, sizeof(int32_t));
    expect_unbacked_count_fails(xdr_V_PropValsT, sizeof(V_PropValT));
}

TEST(DecodeLimits, OversizedAndShortStringsAreRefused)
{
    for (uint32_t length : {kBlockLimit, UINT32_MAX, UINT32_MAX - 1, 5u}) {
        StringT back = nullptr;
        EXPECT_FALSE(decode(xdr_StringT, Wire().u(length).u(0x61626300), back)) << length;
        EXPECT_EQ(back, nullptr) << length;
    }
    // Nested inside a record, inside a list.
    V_StringsT list{};
    EXPECT_FALSE(decode(xdr_V_StringsT, Wire().u(2).s("ok").u(UINT32_MAX), list));
    release(xdr_V_StringsT, list);
}

// Only what a peer makes us allocate is limited: we send and free records of
// any size. xdr_sizeof (the RPC library's own counter) measures the encoding.
TEST(DecodeLimits, SendingAndFreeingHaveNoLimit)
{
    auto size_of = [](auto codec, void *value) {
        return xdr_sizeof(reinterpret_cast<xdrproc_t>(reinterpret_cast<void (*)(void)>(codec)), value);
    };
    const size_t longer = kBlockLimit + 1;
    StringT text = static_cast<StringT>(std::malloc(longer + 1));
    ASSERT_NE(text, nullptr);
    std::memset(text, 'x', longer);
    text[longer] = '\0';
    EXPECT_EQ(size_of(xdr_StringT, &text), 4 + (longer + 3) / 4 * 4);
    release(xdr_StringT, text);  // the sanitizer build's leak check watches this too
    EXPECT_EQ(text, nullptr);

    // Cleared elements (the pages stay untouched), each a named integer
    // property: 4 units on the wire.
    const uint32_t count = kBlockLimit / sizeof(V_PropValT) + 1;
    V_PropValsT list{count, static_cast<V_PropValT *>(std::calloc(count, sizeof(V_PropValT)))};
    ASSERT_NE(list.items, nullptr);
    EXPECT_EQ(size_of(xdr_V_PropValsT, &list), 4 + 16ul * count);
    std::free(list.items);
}

TEST(DecodeLimits, ReportListDecodesWhenPresentOnly)
{
    ApiVxOpenRetT absent{};
    ASSERT_TRUE(decode(xdr_ApiVxOpenRetT, Wire().u(0).u(3).u(0), absent));
    EXPECT_EQ(absent.retProps, nullptr);

    ApiVxOpenRetT present{};
    ASSERT_TRUE(decode(xdr_ApiVxOpenRetT, Wire().u(0).u(3).u(1).u(1).u(29).u(1).u(1), present));
    ASSERT_NE(present.retProps, nullptr);
    ASSERT_EQ(present.retProps->count, 1u);
    EXPECT_EQ(present.retProps->items[0].ident.propNum, 29);
    release(xdr_ApiVxOpenRetT, present);
    EXPECT_EQ(present.retProps, nullptr);

    ApiVxOpenRetT cut{};
    EXPECT_FALSE(decode(xdr_ApiVxOpenRetT, Wire().u(0).u(3).u(1).u(2).u(29).u(1).u(1), cut));
    release(xdr_ApiVxOpenRetT, cut);
}

} // namespace
