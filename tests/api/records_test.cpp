// The record utilities: deep copies that share nothing with their source,
// releases that may run twice, null arrays as empty lists, the builder's
// capacity rule, the status-bit test and the filter-argument splitter.
#include "heap.h"

#include "vapi/apistruct.h"
#include "vapi/codecs.h"
#include "vapi/runtime.h"
#include "vsupport/memory.h"
#include "apiutil.h"

#include <gtest/gtest.h>

#include <malloc.h>
#include <rpc/rpc.h>

#include <algorithm>
#include <initializer_list>

#include <cstring>
#include <string>
#include <vector>

namespace {

std::vector<std::string> texts(const V_StringsT &list)
{
    std::vector<std::string> out;
    for (uint32_t i = 0; list.items && i < list.count; i++)
        out.push_back(list.items[i] ? list.items[i] : "(null)");
    return out;
}

// Array capacity in entries, as the allocator reports it (it may round up).
template <class L>
size_t slots(const L &list)
{
    return malloc_usable_size(list.items) / sizeof(*list.items);
}

TEST(ApiRecords, CopiesShareNothingAndReleasesRepeat)
{
    V_StringsT values{};
    addfstr(&values, V_ApiCopyString("red"));
    addfstr(&values, nullptr);
    V_AttributeDefsT defs{1, static_cast<V_AttributeDefT *>(VapiCalloc(1, sizeof(V_AttributeDefT)))};
    defs.items[0] = {V_ApiCopyString("colour"), 1, 7, 3, values, {}, nullptr, V_ApiCopyString("hint")};
    V_AttributeDefsT copy = V_ApiCopyAttributeDefs(&defs);
    V_ApiDeallocateAttributeDefs(&defs);  // also frees `values`
    ASSERT_EQ(copy.count, 1u);
    EXPECT_STREQ(copy.items[0].name, "colour");
    EXPECT_EQ(copy.items[0].int2, 7);
    EXPECT_EQ(texts(copy.items[0].strings1), (std::vector<std::string>{"red", ""}));  // null copies as ""
    EXPECT_STREQ(copy.items[0].text2, "hint");
    V_ApiDeallocateAttributeDefs(&copy);
    V_ApiDeallocateAttributeDefs(&copy);
    EXPECT_EQ(copy.items, nullptr);

    V_ElementRangeT range{{1, 2, 3}, {4, 5, 6}};
    V_TypedValT v{};
    v.typeCode = V_TYPE_ELEMRANGE;
    v.value.elemRangeVal = &range;
    V_TypedValT rangeCopy = V_ApiCopyVal(&v);
    ASSERT_NE(rangeCopy.value.elemRangeVal, &range);
    EXPECT_EQ(rangeCopy.value.elemRangeVal->end.offset, 6);
    V_ApiDeallocateVal(&rangeCopy);
    V_ApiDeallocateVal(&rangeCopy);
    EXPECT_EQ(rangeCopy.typeCode, V_TYPE_ELEMRANGE);  // the type code stays
    v.value.elemRangeVal = nullptr;
    EXPECT_EQ(V_ApiCopyVal(&v).value.elemRangeVal, nullptr);

    char *empty = V_ApiCopyString(nullptr);
    ASSERT_NE(empty, nullptr);
    // Heap memory of the C library: the support library may resize it.
    empty = static_cast<char *>(V_Realloc(empty, 64, 0));
    EXPECT_STREQ(empty, "");
    V_ApiDeallocateString(&empty);
    V_ApiDeallocateString(&empty);
}

// A heap list of these elements, as the decoder would hand it over.
template <class L>
L listOf(std::initializer_list<std::remove_pointer_t<decltype(L::items)>> elems)
{
    L out{(uint32_t)elems.size(), nullptr};
    out.items = static_cast<decltype(out.items)>(VapiCalloc(elems.size(), sizeof *out.items));
    std::copy(elems.begin(), elems.end(), out.items);
    return out;
}

V_StringsT strings(std::initializer_list<const char *> texts)
{
    V_StringsT out{};
    for (const char *t : texts)
        addfstr(&out, V_ApiCopyString(t));
    return out;
}

// A fresh value of each type code, every list and string on the heap.
V_TypedValT sample(int32_t code)
{
    V_TypedValT v;
    std::memset(&v, 0, sizeof v);
    v.typeCode = code;
    auto &u = v.value;
    switch (code) {
    case V_TYPE_STRING: u.stringVal = V_ApiCopyString("three"); break;
    case V_TYPE_METRICS: u.metricsVal = listOf<V_MetricsT>({5, -6}); break;
    case V_TYPE_STRINGS: u.stringsVal = strings({"x", "y"}); break;
    case V_TYPE_POINTS: u.pointsVal = listOf<V_PointsT>({{1, 2}, {3, 4}}); break;
    case V_TYPE_TABS: u.tabsVal = listOf<V_TabsT>({{10, 1, V_ApiCopyString(".."), '.'}}); break;
    case V_TYPE_TEXTLOC: u.textLocVal = {7, 8}; break;
    case V_TYPE_TEXTRANGE: u.textRangeVal = {{1, 2}, {3, 4}}; break;
    case V_TYPE_ELEMCATALOG: u.catalogVal = listOf<V_ElementCatalogEntriesT>({{9, 10}}); break;
    case V_TYPE_INTS: u.intsVal = listOf<V_IntsT>({11, 12, 13}); break;
    case V_TYPE_UBYTES: u.ubytesVal = listOf<V_UBytesT>({1, 255}); break;
    case V_TYPE_UINTS: u.uintsVal = listOf<V_UIntsT>({0xffffffffu}); break;
    case V_TYPE_ATTRDEFS:
        u.attrDefsVal = listOf<V_AttributeDefsT>(
            {{V_ApiCopyString("def"), 1, 2, 3, strings({"a"}), strings({"b", "c"}), V_ApiCopyString("t"), nullptr}});
        break;
    case V_TYPE_ATTRIBUTES:
        u.attributesVal = listOf<V_AttributesT>({{V_ApiCopyString("attr"), strings({"v"}), 1, 2}});
        break;
    case V_TYPE_ELEMRANGE:
        u.elemRangeVal = static_cast<V_ElementRangeT *>(VapiMalloc(sizeof(V_ElementRangeT)));
        *u.elemRangeVal = {{1, 2, 3}, {4, 5, 6}};
        break;
    default: u.intVal = -7; break;
    }
    return v;
}

// The value as it travels: a deep rendering that nobody here compares by hand.
std::string wire(V_TypedValT v)
{
    char buffer[1024];
    XDR xdrs;
    xdrmem_create(&xdrs, buffer, sizeof buffer, XDR_ENCODE);
    std::string out = xdr_V_TypedValT(&xdrs, &v) ? std::string(buffer, xdr_getpos(&xdrs)) : "unencodable";
    xdr_destroy(&xdrs);
    return out;
}

// Every value type copies deeply and releases everything it holds.
TEST(ApiRecords, EveryTypedValueCopiesDeeply)
{
    for (int32_t code = 1; code <= 19; code++) {
        V_TypedValT source = sample(code), expected = sample(code);
        V_TypedValT copy = V_ApiCopyVal(&source);
        // Released first: a copy sharing anything with it reads freed memory.
        V_ApiDeallocateVal(&source);
        ASSERT_NE(wire(expected), "unencodable") << code;
        EXPECT_EQ(wire(copy), wire(expected)) << code;
        V_ApiDeallocateVal(&copy);
        V_ApiDeallocateVal(&copy);
        V_ApiDeallocateVal(&expected);
        EXPECT_EQ(lindrel_test::heap_growth([code] {
                      V_TypedValT s = sample(code), c = V_ApiCopyVal(&s);
                      V_PropValT pv{{0, V_ApiCopyString("name")}, c};
                      V_PropValT pc = V_ApiCopyPropVal(&pv);
                      V_ApiDeallocateVal(&s);
                      V_ApiDeallocatePropVal(&pv);
                      V_ApiDeallocatePropVal(&pc);
                  }),
                  0)
            << code;
    }

    TextItemsT items = V_ApiAllocateTextItems(2);
    items.items[0].offset = 3;
    items.items[0].data.dataType = 1;
    items.items[0].data.text = V_ApiCopyString("abc");
    items.items[1].offset = 9;
    items.items[1].data.dataType = 4;
    items.items[1].data.number = 77;
    TextItemsT copy = V_ApiCopyTextItems(&items);
    V_ApiDeallocateTextItems(&items);
    ASSERT_EQ(copy.count, 2u);
    EXPECT_STREQ(copy.items[0].data.text, "abc");
    EXPECT_EQ(copy.items[1].offset, 9);
    EXPECT_EQ(copy.items[1].data.number, 77);
    V_ApiDeallocateTextItems(&copy);
    EXPECT_EQ(lindrel_test::heap_growth([] {
                  TextItemsT t = V_ApiAllocateTextItems(1);
                  t.items[0].data.dataType = 1;
                  t.items[0].data.text = V_ApiCopyString("abc");
                  TextItemsT c = V_ApiCopyTextItems(&t);
                  V_ApiDeallocateTextItems(&t);
                  V_ApiDeallocateTextItems(&c);
              }),
              0);

    // Null sources have defined copies.
    TextItemT none = V_ApiCopyTextItem(nullptr);
    EXPECT_EQ(none.data.dataType, 1);
    EXPECT_EQ(none.data.text, nullptr);
    V_PropValT blank = V_ApiCopyPropVal(nullptr);
    EXPECT_EQ(blank.ident.propName, nullptr);
    EXPECT_EQ(blank.value.typeCode, 1);
}

TEST(ApiRecords, UnusedValueWordsAndNullArrays)
{
    // One word travels for 1, 2, 4, 11 and 16; an unknown code copies none.
    for (int32_t code : {1, 2, 4, 11, 16, 42}) {
        V_TypedValT word, expected;
        std::memset(&word, 0x5a, sizeof word);
        std::memset(&expected, 0, sizeof expected);
        word.typeCode = expected.typeCode = code;
        word.value.intVal = -5;
        expected.value.intVal = code == 42 ? 0 : -5;
        V_TypedValT c = V_ApiCopyVal(&word);
        EXPECT_EQ(std::memcmp(&c, &expected, sizeof c), 0) << code;
    }

    V_StringsT five{5, nullptr};
    V_ApiDeallocateStrings(&five);
    EXPECT_EQ(five.count, 0u);
    V_StringsT three{3, nullptr};
    V_StringsT copy = V_ApiCopyStrings(&three);  // count kept, zero-filled
    EXPECT_EQ(texts(copy), std::vector<std::string>(3, "(null)"));
    V_ApiDeallocateStrings(&copy);

    // Property lists and text items copy nothing from a null array.
    V_PropValsT noProps{4, nullptr};
    EXPECT_EQ(V_ApiCopyPropVals(&noProps).count, 0u);
    EXPECT_EQ(V_ApiGetPropIndex(&noProps, 0), -4);
    TextItemsT noItems{2, nullptr};
    TextItemsT items = V_ApiCopyTextItems(&noItems);
    EXPECT_EQ(items.count, 0u);
    ASSERT_NE(items.items, nullptr);  // always one spare entry
    EXPECT_EQ(items.items[0].data.dataType, 0);
    V_ApiDeallocateTextItems(&items);
    V_ApiAppendIntProp(&noProps, 9, 1);  // appends to an empty list
    EXPECT_EQ(noProps.count, 1u);
    V_ApiDeallocatePropVals(&noProps);
}

TEST(ApiPropVals, AppendGrowsByTheCapacityRuleAndReplacesInPlace)
{
    V_PropValsT list{0, nullptr};
    for (int32_t n = 1; n <= 17; n++) {
        V_ApiAppendIntProp(&list, n, n * 10);
        size_t expected = n < 9 ? 8 : n < 17 ? 16 : 32;
        ASSERT_EQ(list.count, (uint32_t)n);
        EXPECT_GE(slots(list), expected);
        EXPECT_LT(slots(list), 2 * expected);
    }
    V_ApiAppendStringProp(&list, 3, "first");
    V_ApiAppendStringProp(&list, 3, "second");  // the sanitizer build sees a leaked "first"
    EXPECT_EQ(list.count, 17u);
    EXPECT_STREQ(list.items[2].value.value.stringVal, "second");
    // A value taken from the list itself survives its release and the move.
    V_ApiAppendVal(&list, 3, &list.items[2].value);
    V_ApiAppendVal(&list, 99, &list.items[2].value);
    EXPECT_STREQ(list.items[17].value.value.stringVal, "second");

    list.items[5].ident.propNum = 99;
    EXPECT_EQ(V_ApiGetPropIndex(&list, 99), 5);  // the first of two
    V_PropValsT copy = V_ApiCopyPropVals(&list);
    V_ApiDeallocatePropVals(&list);
    V_ApiDeallocatePropVals(&list);
    EXPECT_STREQ(copy.items[2].value.value.stringVal, "second");
    V_ApiDeallocatePropVals(&copy);
}

// A list whose entry `num` holds these status words.
V_PropValsT statusList(int32_t num, std::vector<uint32_t> &words)
{
    V_PropValsT list{0, nullptr};
    V_TypedValT v{};
    v.typeCode = V_TYPE_UINTS;
    v.value.uintsVal = {(uint32_t)words.size(), words.data()};
    V_ApiAppendIntProp(&list, 2, 0);
    V_ApiAppendVal(&list, num, &v);
    return list;
}

TEST(ApiPropVals, CheckStatusTestsOneBitOfTheStatusWords)
{
    std::vector<uint32_t> words{0x1u, 0x80000000u}, other{0x4u};
    V_PropValsT list = statusList(3, words), fallback = statusList(1, other);
    VA_errno = 0;
    EXPECT_EQ(V_ApiCheckStatus(&list, 0), 1u);
    EXPECT_EQ(V_ApiCheckStatus(&list, 1), 0u);
    EXPECT_EQ(V_ApiCheckStatus(&list, 63), 0x80000000u);
    EXPECT_EQ(V_ApiCheckStatus(&fallback, 2), 0x4u);  // entry 1 when there is no 3
    EXPECT_EQ(VA_errno, 0);
    for (int32_t beyond : {64, -1}) {
        VA_errno = 0;
        EXPECT_EQ(V_ApiCheckStatus(&list, beyond), 0u);
        EXPECT_EQ(VA_errno, -4);
    }
    // A plain integer status has no words; a list without 1 or 3 no status.
    V_ApiAppendIntProp(&fallback, 3, -1);
    EXPECT_EQ(V_ApiCheckStatus(&fallback, 0), 0u);
    EXPECT_EQ(VA_errno, -4);
    V_ApiDeallocatePropVals(&list);
    V_ApiAppendIntProp(&list, 2, 1);
    EXPECT_EQ(V_ApiCheckStatus(&list, 0), 0u);
    EXPECT_EQ(VA_errno, -5);
    V_ApiDeallocatePropVals(&list);
    V_ApiDeallocatePropVals(&fallback);
}

TEST(FilterArgs, PiecesFillTheSixFieldsThenTheList)
{
    std::string many;  // 46 pieces: 40 in the list
    for (int i = 0; i < 46; i++)
        many += std::to_string(i) + (i < 45 ? "\x1e" : "");
    struct Case {
        std::string packed;
        std::vector<std::string> expected;
    } cases[] = {
        {"", {"", "(null)", "(null)", "(null)", "(null)", "(null)"}},
        {"a\x1e" "b\x1e", {"a", "b", "", "(null)", "(null)", "(null)"}},
        {"1\x1e" "2\x1e" "3\x1e" "4\x1e" "5\x1e" "6\x1e" "7\x1e" "8", {"1", "2", "3", "4", "5", "6", "7", "8"}},
        {many, {}},
    };
    for (int i = 0; i < 46; i++)
        cases[3].expected.push_back(std::to_string(i));
    for (const auto &c : cases) {
        VdeApiFilterArgsT *fa = VdeApiExpandFilterArgs(c.packed.c_str());
        ASSERT_NE(fa, nullptr);
        std::vector<std::string> got;
        for (StringT s : fa->args)
            got.push_back(s ? s : "(null)");
        for (auto &t : texts(fa->more))
            got.push_back(t);
        EXPECT_EQ(got, c.expected) << c.packed;
        if (fa->more.count == 40) {  // room for 16, then doubled twice
            EXPECT_GE(slots(fa->more), 64u);
            EXPECT_LT(slots(fa->more), 80u);
        }
        VdeApiDeallocateFilterArgs(fa);
        VdeApiDeallocateFilterArgs(fa);
        EXPECT_EQ(fa->args[0], nullptr);
        V_Free(fa);
    }

    // A long packed text keeps every piece in order through many steps of
    // growth (and must not take time quadratic in its pieces to do so).
    std::string longText;
    const uint32_t pieces = 30000;
    for (uint32_t i = 0; i < pieces; i++)
        longText += std::to_string(i) + "\x1e";
    EXPECT_EQ(lindrel_test::heap_growth([] {
                  VdeApiFilterArgsT *f = VdeApiExpandFilterArgs("a\x1e" "b\x1e" "c\x1e" "d\x1e" "e\x1e" "f\x1e" "g");
                  VdeApiDeallocateFilterArgs(f);
                  V_Free(f);
              }),
              0);
    VdeApiFilterArgsT *fa = VdeApiExpandFilterArgs(longText.c_str());
    ASSERT_NE(fa, nullptr);
    ASSERT_EQ(fa->more.count, pieces + 1 - 6);
    uint32_t misplaced = 0;
    for (uint32_t i = 0; i + 1 < fa->more.count; i++)
        misplaced += std::to_string(i + 6) != fa->more.items[i];
    EXPECT_EQ(misplaced, 0u);
    EXPECT_STREQ(fa->more.items[fa->more.count - 1], "");
    VdeApiDeallocateFilterArgs(fa);
    V_Free(fa);
}

}  // namespace
