// Golden wire bytes of the shared records: each encodes to the expected
// units, decodes back to a value that encodes the same, and frees cleanly.
#include <gtest/gtest.h>

#include <cstring>

#include "vapi/codecs.h"
#include "wire_util.hpp"

namespace {

char kA[] = "a", kXyz[] = "xyz12", kDot[] = ".", kName[] = "Name", kLong[] = "abcd";

template <class T>
void expect_golden(bool_t (*codec)(XDR *, T *), T value, const Bytes &golden)
{
    EXPECT_EQ(encode(codec, value), golden);
    EXPECT_EQ(round_trip(codec, golden), golden);
}

TEST(SharedRecords, FixedRecords)
{
    expect_golden(xdr_V_PointT, V_PointT{1, -2}, Wire().u(1).u(0xFFFFFFFE));
    expect_golden(xdr_SizeT, SizeT{640, 480}, Wire().u(640).u(480));
    expect_golden(xdr_RectT, RectT{1, 2, 3, 4}, Wire().u(1).u(2).u(3).u(4));
    expect_golden(xdr_V_TextLocT, V_TextLocT{0xFFFFFFFF, 0x50000000}, Wire().u(0xFFFFFFFF).u(0x50000000));
    expect_golden(xdr_V_TextRangeT, V_TextRangeT{{7, 0}, {9, 3}}, Wire().u(7).u(0).u(9).u(3));
    expect_golden(xdr_V_ElementLocT, V_ElementLocT{1, 2, -3}, Wire().u(1).u(2).u(0xFFFFFFFD));
    expect_golden(xdr_V_ElementRangeT, V_ElementRangeT{{1, 2, 3}, {4, 5, 6}},
                  Wire().u(1).u(2).u(3).u(4).u(5).u(6));
    expect_golden(xdr_V_ElementCatalogEntryT, V_ElementCatalogEntryT{12, -1}, Wire().u(12).u(0xFFFFFFFF));
    expect_golden(xdr_V_FontT, V_FontT{1, 2, 3, 4}, Wire().u(1).u(2).u(3).u(4));
    expect_golden(xdr_V_CombinedFontT, V_CombinedFontT{5, 6, 7, 8}, Wire().u(5).u(6).u(7).u(8));
    // 8-bit fields take a whole unit each.
    expect_golden(xdr_V_TabT, V_TabT{36, 2, kDot, ','}, Wire().u(36).u(2).s(".").u(','));
    StringT values[] = {kA};
    expect_golden(xdr_V_AttributeT, V_AttributeT{kName, {1, values}, 1, 255},
                  Wire().s("Name").u(1).s("a").u(1).u(255));
    expect_golden(xdr_V_AttributeDefT, V_AttributeDefT{nullptr, -1, 0, 1, {0, nullptr}, {1, values}, kA, kDot},
                  Wire().s("").u(0xFFFFFFFF).u(0).u(1).u(0).u(1).s("a").s("a").s("."));
}

TEST(SharedRecords, ListsOfEveryElementKind)
{
    StringT strs[] = {kA, nullptr, kXyz};
    expect_golden(xdr_V_StringsT, V_StringsT{3, strs}, Wire().u(3).s("a").s("").s("xyz12"));
    int32_t ints[] = {-1, 2};
    expect_golden(xdr_V_IntsT, V_IntsT{2, ints}, Wire().u(2).u(0xFFFFFFFF).u(2));
    expect_golden(xdr_V_MetricsT, V_MetricsT{2, ints}, Wire().u(2).u(0xFFFFFFFF).u(2));
    uint32_t uints[] = {0xFFFFFFFF};
    expect_golden(xdr_V_UIntsT, V_UIntsT{1, uints}, Wire().u(1).u(0xFFFFFFFF));
    uint8_t bytes[] = {1, 2, 255};
    Bytes ubytes = Wire().u(3).u(1).u(2).u(255);
    EXPECT_EQ(ubytes.size(), 16u);
    expect_golden(xdr_V_UBytesT, V_UBytesT{3, bytes}, ubytes);
    V_PointT points[] = {{1, 2}, {3, 4}};
    expect_golden(xdr_V_PointsT, V_PointsT{2, points}, Wire().u(2).u(1).u(2).u(3).u(4));
    V_TabT tabs[] = {{10, 1, nullptr, 0}};
    expect_golden(xdr_V_TabsT, V_TabsT{1, tabs}, Wire().u(1).u(10).u(1).s("").u(0));
    V_FontT fonts[] = {{1, 2, 3, 4}};
    expect_golden(xdr_V_FontsT, V_FontsT{1, fonts}, Wire().u(1).u(1).u(2).u(3).u(4));
    V_CombinedFontT cfonts[] = {{4, 3, 2, 1}};
    expect_golden(xdr_V_CombinedFontsT, V_CombinedFontsT{1, cfonts}, Wire().u(1).u(4).u(3).u(2).u(1));
    V_ElementCatalogEntryT entries[] = {{5, 6}};
    expect_golden(xdr_V_ElementCatalogEntriesT, V_ElementCatalogEntriesT{1, entries}, Wire().u(1).u(5).u(6));

    StringT values[] = {kA};
    V_AttributeT attrs[] = {{kName, {1, values}, 1, 255}};
    expect_golden(xdr_V_AttributesT, V_AttributesT{1, attrs},
                  Wire().u(1).s("Name").u(1).s("a").u(1).u(255));
    V_AttributeDefT defs[] = {{kName, 1, 2, 3, {1, values}, {0, nullptr}, kDot, nullptr}};
    expect_golden(xdr_V_AttributeDefsT, V_AttributeDefsT{1, defs},
                  Wire().u(1).s("Name").u(1).u(2).u(3).u(1).s("a").u(0).s(".").s(""));
    TextItemT items[] = {{0, {1, {kXyz}}}, {5, {3, {nullptr}}}};
    items[1].data.number = 77;
    expect_golden(xdr_TextItemsT, TextItemsT{2, items},
                  Wire().u(2).u(0).u(1).s("xyz12").u(5).u(3).u(77));
}

TEST(SharedRecords, EmptyAndMissingArrays)
{
    V_StringsT empty{0, nullptr};
    EXPECT_EQ(encode(xdr_V_StringsT, empty), Bytes(Wire().u(0)));
    // A null array is an empty list whatever the count says.
    V_PropValsT dangling{5, nullptr};
    EXPECT_EQ(encode(xdr_V_PropValsT, dangling), Bytes(Wire().u(0)));

    V_IntsT back{};
    ASSERT_TRUE(decode(xdr_V_IntsT, Wire().u(0), back));
    EXPECT_EQ(back.count, 0u);
    EXPECT_EQ(back.items, nullptr);
}

TEST(SharedRecords, DecodedStringsAreAlwaysAllocated)
{
    V_TabT back{};
    ASSERT_TRUE(decode(xdr_V_TabT, Wire().u(1).u(2).s("").u(3), back));
    ASSERT_NE(back.leader, nullptr);
    EXPECT_STREQ(back.leader, "");
    release(xdr_V_TabT, back);
    EXPECT_EQ(back.leader, nullptr);
}

TEST(PropIdent, NameTravelsOnlyForNumberZero)
{
    expect_golden(xdr_V_PropIdentT, V_PropIdentT{7, kName}, Wire().u(7));
    expect_golden(xdr_V_PropIdentT, V_PropIdentT{0, kName}, Wire().u(0).s("Name"));

    // Decoding a number leaves the name field as it was.
    char mine[] = "mine";
    V_PropIdentT back{0, mine};
    ASSERT_TRUE(decode(xdr_V_PropIdentT, Wire().u(7), back));
    EXPECT_EQ(back.propNum, 7);
    EXPECT_EQ(back.propName, mine);

    V_PropIdentT named{};
    ASSERT_TRUE(decode(xdr_V_PropIdentT, Wire().u(0).s("Name"), named));
    EXPECT_STREQ(named.propName, "Name");
    release(xdr_V_PropIdentT, named);
}

TEST(PropIdent, PropertyListByNumberAndByName)
{
    V_PropValT byNum{{29, nullptr}, {1, {}}};
    byNum.value.value.intVal = 1;
    expect_golden(xdr_V_PropValsT, V_PropValsT{1, &byNum}, Wire().u(1).u(29).u(1).u(1));
    V_PropValT byName{{0, kLong}, {1, {}}};
    byName.value.value.intVal = 1;
    expect_golden(xdr_V_PropValsT, V_PropValsT{1, &byName}, Wire().u(1).u(0).s("abcd").u(1).u(1));
}

// Every type code decodes into its own arm and encodes back unchanged.
TEST(TypedVal, EveryTypeCode)
{
    const Bytes one = Wire().u(1).u(9);  // a one-element list of 9
    const Bytes str = Wire().s("xyz12");
    const std::pair<int32_t, Bytes> arms[] = {
        {3, str}, {5, one}, {6, Wire().u(1).s("a")}, {7, Wire().u(1).u(1).u(2)},
        {8, Wire().u(1).u(1).u(2).s(".").u(3)}, {9, Wire().u(4).u(5)},
        {10, Wire().u(1).u(2).u(3).u(4)}, {12, Wire().u(1).u(7).u(8)}, {13, one}, {14, one},
        {15, one}, {17, Wire().u(1).s("n").u(1).u(2).u(3).u(0).u(0).s("").s("")},
        {18, Wire().u(1).s("n").u(0).u(1).u(0)},
        {19, Wire().u(0)}, {19, Wire().u(1).u(1).u(2).u(3).u(4).u(5).u(6)},
    };
    for (const auto &[code, arm] : arms) {
        Bytes golden = Wire().u(static_cast<uint32_t>(code));
        golden.insert(golden.end(), arm.begin(), arm.end());
        EXPECT_EQ(round_trip(xdr_V_TypedValT, golden), golden) << "type code " << code;
    }
    // Every other code carries one integer.
    for (int32_t code : {-1, 0, 1, 2, 4, 11, 16, 20, 42, INT32_MAX}) {
        V_TypedValT v{code, {}};
        v.value.intVal = -5;
        Bytes golden = Wire().u(static_cast<uint32_t>(code)).u(0xFFFFFFFB);
        expect_golden(xdr_V_TypedValT, v, golden);
    }
}

TEST(TypedVal, ElementRangeIsOptional)
{
    V_TypedValT none{19, {}};
    none.value.elemRangeVal = nullptr;
    expect_golden(xdr_V_TypedValT, none, Wire().u(19).u(0));

    V_TypedValT back{};
    ASSERT_TRUE(decode(xdr_V_TypedValT, Wire().u(19).u(0), back));
    EXPECT_EQ(back.value.elemRangeVal, nullptr);
    ASSERT_TRUE(decode(xdr_V_TypedValT, Wire().u(19).u(1).u(1).u(2).u(3).u(4).u(5).u(6), back));
    ASSERT_NE(back.value.elemRangeVal, nullptr);
    EXPECT_EQ(back.value.elemRangeVal->end.offset, 6);
    release(xdr_V_TypedValT, back);
    EXPECT_EQ(back.value.elemRangeVal, nullptr);
}

TEST(TextItemData, OnlyTypeOneCarriesText)
{
    TextItemDataT text{1, {kA}};
    expect_golden(xdr_TextItemDataT, text, Wire().u(1).s("a"));
    for (int32_t type : {0, 2, 3, -1}) {
        TextItemDataT num{type, {}};
        num.number = 12;
        expect_golden(xdr_TextItemDataT, num, Wire().u(static_cast<uint32_t>(type)).u(12));
    }
    TextItemT item{};
    ASSERT_TRUE(decode(xdr_TextItemT, Wire().u(4).u(3).u(99), item));
    EXPECT_EQ(item.offset, 4);
    EXPECT_EQ(item.data.number, 99);
}

} // namespace
