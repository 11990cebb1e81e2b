// The wire records: golden bytes of representative records of every shape,
// every typed-value arm, and what decoding does with hostile input (cut
// short, counts and lengths that the data does not back or that pass the
// block limit): it fails, quickly, and leaves nothing that cannot be freed.
#include "heap.h"
#include "wire.h"

#include <gtest/gtest.h>

#include <functional>

#include "vapi/apistruct.h"
#include "vapi/codecs.h"
#include "vapi/xdrstr.h"

namespace {

using namespace lindrel_test;

char kA[] = "a", kName[] = "Name", kWord[] = "word", kDot[] = ".";
constexpr uint32_t kBlockLimit = 99999999;

// A record and its codec: what it encodes to, and what the golden bytes
// encode to again once decoded.
template <class T>
std::function<std::pair<Bytes, Bytes>(const Bytes &)> coded(bool_t (*codec)(XDR *, T *), T value)
{
    return [=](const Bytes &golden) { return std::pair(encode(codec, value), round_trip(codec, golden)); };
}

TEST(Records, GoldenBytes)
{
    StringT one[] = {kA}, strs[] = {kA, nullptr, kWord};
    int32_t m[] = {255};
    uint8_t bytes[] = {1, 2, 255};
    V_TabT tabs[] = {{10, 1, nullptr, 0}};
    V_AttributeT attrs[] = {{kName, {1, one}, 1, 255}};
    V_AttributeDefT defs[] = {{nullptr, -1, 0, 1, {0, nullptr}, {1, one}, kA, kDot}};
    TextItemT items[] = {{0, {1, {kWord}}}, {5, {3, {nullptr}}}};
    items[1].data.number = 77;
    V_PropValT byName{{0, kName}, {3, {}}}, status{{3, nullptr}, {15, {}}};
    byName.value.value.stringVal = kWord;
    uint32_t bits[] = {5};
    status.value.value.uintsVal = {1, bits};
    V_PropValsT report{1, &status};
    V_MetricsT metric{1, m}, none{0, nullptr};
    const std::pair<std::function<std::pair<Bytes, Bytes>(const Bytes &)>, Bytes> rows[] = {
        {coded(xdr_V_TabT, V_TabT{36, 2, kDot, ','}), Wire().u(36).u(2).s(".").u(',')},  // a byte: a unit
        {coded(xdr_V_StringsT, V_StringsT{3, strs}), Wire().u(3).s("a").s("").s("word")},  // null as ""
        {coded(xdr_V_UBytesT, V_UBytesT{3, bytes}), Wire().u(3).u(1).u(2).u(255)},
        {coded(xdr_V_TabsT, V_TabsT{1, tabs}), Wire().u(1).u(10).u(1).s("").u(0)},
        {coded(xdr_V_AttributesT, V_AttributesT{1, attrs}), Wire().u(1).s("Name").u(1).s("a").u(1).u(255)},
        {coded(xdr_V_AttributeDefsT, V_AttributeDefsT{1, defs}),
         Wire().u(1).s("").u(-1).u(0).u(1).u(0).u(1).s("a").s("a").s(".")},
        {coded(xdr_TextItemsT, TextItemsT{2, items}), Wire().u(2).u(0).u(1).s("word").u(5).u(3).u(77)},
        {coded(xdr_V_PropValsT, V_PropValsT{5, nullptr}), Wire().u(0)},  // no array: empty whatever the count
        {coded(xdr_V_PropIdentT, V_PropIdentT{7, kName}), Wire().u(7)},  // the name only for number 0
        {coded(xdr_V_PropValsT, V_PropValsT{1, &byName}), Wire().u(1).u(0).s("Name").u(3).s("word")},
        {coded(xdr_ApiVxGetPropArgT, ApiVxGetPropArgT{1, 2, {0, kName}}), Wire().u(1).u(2).u(0).s("Name")},
        {coded(xdr_ApiVxAddTextArgT, ApiVxAddTextArgT{1, {2, 0x4FFFFFFF}, nullptr}), Wire().u(1).u(2).u(0x4FFFFFFF).s("")},
        {coded(xdr_ApiVxOpenArgT, ApiVxOpenArgT{kWord, {0, nullptr}}), Wire().s("word").u(0)},
        {coded(xdr_ApiVxSaveRetT, ApiVxSaveRetT{0, 4, &report}), Wire().u(0).u(4).u(1).u(1).u(3).u(15).u(1).u(5)},
        {coded(xdr_ApiVxUpdateBookRetT, ApiVxUpdateBookRetT{2, nullptr}), Wire().u(2).u(0)},  // optional: absent
        {coded(xdr_ApiVxThesaurusRetT, ApiVxThesaurusRetT{{1, one}, {0, nullptr}, {1, one}, {0, nullptr}, -9}),
         Wire().u(1).s("a").u(0).u(1).s("a").u(0).u(-9)},  // the status last
        {coded(xdr_ApiVxChangeColorPaletteArgT, ApiVxChangeColorPaletteArgT{1, metric, 2, none, 3, none, 4, none, metric, 5}),
         Wire().u(1).u(1).u(255).u(2).u(0).u(3).u(0).u(4).u(0).u(1).u(255).u(5)},
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        auto [encoded, again] = rows[i].first(rows[i].second);
        EXPECT_EQ(encoded, rows[i].second) << "row " << i;
        EXPECT_EQ(again, i == 7 ? Bytes(Wire().u(0)) : rows[i].second) << "row " << i;
    }
}

// Every type code decodes into its own arm and encodes back unchanged;
// every other code carries one integer.
TEST(Records, EveryTypedValueArm)
{
    const Bytes one = Wire().u(1).u(9);
    const std::pair<int32_t, Bytes> arms[] = {
        {3, Wire().s("xyz12")}, {5, one}, {6, Wire().u(1).s("a")}, {7, Wire().u(1).u(1).u(2)},
        {8, Wire().u(1).u(1).u(2).s(".").u(3)}, {9, Wire().u(4).u(5)}, {10, Wire().u(1).u(2).u(3).u(4)},
        {12, Wire().u(1).u(7).u(8)}, {13, one}, {14, one}, {15, one},
        {17, Wire().u(1).s("n").u(1).u(2).u(3).u(0).u(0).s("").s("")}, {18, Wire().u(1).s("n").u(0).u(1).u(0)},
        {19, Wire().u(0)}, {19, Wire().u(1).u(1).u(2).u(3).u(4).u(5).u(6)},  // the element range is optional
        {-1, Wire().u(-5)}, {0, Wire().u(7)}, {1, Wire().u(1)}, {2, Wire().u(2)}, {4, Wire().u(4)}, {11, Wire().u(0)},
        {16, Wire().u(16)}, {20, Wire().u(20)}, {INT32_MAX, Wire().u(3)},
    };
    for (const auto &[code, arm] : arms) {
        Bytes golden = Wire().u(uint32_t(code));
        golden.insert(golden.end(), arm.begin(), arm.end());
        EXPECT_EQ(round_trip(xdr_V_TypedValT, golden), golden) << "type code " << code;
        // A copy shares nothing with its source, released first; an unknown
        // code copies no value word. Releases may repeat and leave nothing.
        auto copied = [&golden] {
            V_TypedValT source{};
            decode(xdr_V_TypedValT, golden, source);
            V_TypedValT copy = V_ApiCopyVal(&source);
            V_ApiDeallocateVal(&source);
            Bytes again = encode(xdr_V_TypedValT, copy);
            V_ApiDeallocateVal(&copy);
            V_ApiDeallocateVal(&copy);
            return again;
        };
        EXPECT_EQ(copied(), code >= 1 && code <= 19 ? golden : Bytes(Wire().u(uint32_t(code)).u(0))) << code;
        EXPECT_EQ(heap_growth(copied), 0) << code;
    }
    char mine[] = "mine";  // decoding a number leaves the name field as it was
    V_PropIdentT ident{0, mine};
    ASSERT_TRUE(decode(xdr_V_PropIdentT, Wire().u(7), ident));
    EXPECT_EQ(ident.propName, mine);
}

// A property list with every kind of nested allocation, and a text list.
const Bytes kRichProps = Wire().u(6).u(0).s("name").u(3).s("text").u(2).u(6).u(2).s("a").s("bc")
                             .u(3).u(8).u(1).u(10).u(1).s(".").u(0)
                             .u(4).u(17).u(1).s("d").u(1).u(2).u(3).u(1).s("e").u(0).s("f").s("g")
                             .u(5).u(19).u(1).u(1).u(2).u(3).u(4).u(5).u(6).u(6).u(14).u(2).u(1).u(2);
const Bytes kText = Wire().u(2).u(0).u(1).s("hello").u(5).u(4).u(1);

template <class T>
void everyCutFails(bool_t (*codec)(XDR *, T *), const Bytes &whole)
{
    ASSERT_EQ(round_trip(codec, whole), whole);
    for (size_t cut = 0; cut < whole.size(); ++cut) {
        T back{};
        EXPECT_FALSE(decode(codec, Bytes(whole.begin(), whole.begin() + long(cut)), back)) << cut;
        release(codec, back);  // the sanitizer build's leak check watches this
    }
}

// Counts just past what the block limit allows for the element, and the
// largest of all, are refused before anything is allocated; a count within
// it that the data does not back fails when the data ends.
template <class L>
void countsRefused(bool_t (*codec)(XDR *, L *))
{
    size_t elem = sizeof(*L{}.items);
    for (uint32_t count : {uint32_t(kBlockLimit / elem + 1), UINT32_MAX, 0x80000000u}) {
        L back{};
        EXPECT_FALSE(decode(codec, Wire().u(count).u(1).u(2), back)) << count;
        EXPECT_EQ(back.items, nullptr) << count;
    }
    L back{};
    EXPECT_FALSE(decode(codec, Wire().u(uint32_t(kBlockLimit / elem)).u(0).u(0), back));
    release(codec, back);
}

TEST(Records, HostileInputFailsAndFreesCleanly)
{
    everyCutFails(xdr_V_PropValsT, kRichProps);
    everyCutFails(xdr_TextItemsT, kText);
    everyCutFails(xdr_ApiVxOpenRetT, Wire().u(0).u(3).u(1).u(1).u(29).u(1).u(1));
    countsRefused(xdr_V_StringsT);
    countsRefused(xdr_V_UBytesT);
    countsRefused(xdr_V_AttributeDefsT);
    countsRefused(xdr_V_PropValsT);
    for (uint32_t length : {kBlockLimit, UINT32_MAX, UINT32_MAX - 1, 5u, VAPI_MAX_WIRE_STRING, VAPI_MAX_WIRE_STRING + 1}) {
        StringT back = nullptr;
        EXPECT_FALSE(decode(xdr_StringT, Wire().u(length).u(0x61626300), back)) << length;
        EXPECT_EQ(back, nullptr) << length;
    }
    V_StringsT list{};  // a bad string inside a list
    EXPECT_FALSE(decode(xdr_V_StringsT, Wire().u(2).s("ok").u(UINT32_MAX), list));
    release(xdr_V_StringsT, list);
}

TEST(Records, StringsAllocateFresh)
{
    StringT back = nullptr;  // null travels as "", decodes allocated
    ASSERT_TRUE(decode(xdr_StringT, encode(xdr_StringT, StringT(nullptr)), back));
    EXPECT_STREQ(back, "");
    release(xdr_StringT, back);
    // Lengths around the decoder's growth steps arrive whole; one byte
    // short fails.
    for (size_t length : {1u, 3u, 4u, 65535u, 65536u, 65537u, 200003u}) {
        std::string text(length, 'x');
        for (size_t i = 0; i < length; i += 97)
            text[i] = char('a' + i % 26);
        ASSERT_TRUE(decode(xdr_StringT, Wire().s(text), back)) << length;
        EXPECT_EQ(back, text) << length;
        release(xdr_StringT, back);
        Bytes cut = Wire().s(text);
        cut.pop_back();
        EXPECT_FALSE(decode(xdr_StringT, cut, back)) << length;
        release(xdr_StringT, back);
    }
    // A field that still points at a short buffer: the peer's longer string
    // must not land in it.
    char held[4] = "abc";
    StringT field = held;
    ASSERT_TRUE(decode(xdr_StringT, Wire().s("longer than four bytes"), field));
    EXPECT_STREQ(held, "abc");
    EXPECT_STREQ(field, "longer than four bytes");
    release(xdr_StringT, field);
}

}  // namespace

