// The record utilities: deep copies that share nothing with their source,
// releases that may run twice, the property-list builder's capacity rule,
// the status-bit test and the filter-argument splitter.
#include "vapi/apistruct.h"
#include "vapi/runtime.h"
#include "vsupport/memory.h"

#include <gtest/gtest.h>

#include <malloc.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// Lists built from test data, as the decoder or a caller would hand them in.
V_StringsT strings(std::vector<std::string> texts)
{
    V_StringsT list{};
    for (auto &t : texts)
        EXPECT_TRUE(addfstr(&list, V_ApiCopyString(t.c_str())));
    return list;
}

std::vector<std::string> texts(const V_StringsT &list)
{
    std::vector<std::string> out;
    for (uint32_t i = 0; list.items && i < list.count; i++)
        out.push_back(list.items[i] ? list.items[i] : "(null)");
    return out;
}

// Array capacity in entries, read from the allocator itself.
size_t capacity(const V_PropValsT &list)
{
    return malloc_usable_size(list.items) / sizeof(V_PropValT);
}

TEST(ApiStrings, NullCountsAsEmptyAndCopiesAreFresh)
{
    EXPECT_EQ(V_ApiStringLen(nullptr), 0u);
    EXPECT_EQ(V_ApiStringLen("abc"), 3u);

    char *empty = V_ApiCopyString(nullptr);
    ASSERT_NE(empty, nullptr);
    EXPECT_STREQ(empty, "");
    const char original[] = "text";
    char *copy = V_ApiCopyString(original);
    EXPECT_NE(copy, original);
    EXPECT_STREQ(copy, "text");
    // Heap memory of the C library: the support library may resize it.
    copy = static_cast<char *>(V_Realloc(copy, 64, 0));
    ASSERT_NE(copy, nullptr);
    EXPECT_STREQ(copy, "text");

    char buffer[8] = "xxxxxxx";
    strCpy(buffer, nullptr);
    EXPECT_STREQ(buffer, "");

    V_ApiDeallocateString(&copy);
    EXPECT_EQ(copy, nullptr);
    V_ApiDeallocateString(&copy);  // again: harmless
    V_ApiDeallocateString(nullptr);
    api_free(&empty);
    EXPECT_EQ(empty, nullptr);
    api_free(&empty);
}

TEST(ApiRecords, DeepCopiesShareNothingWithTheirSource)
{
    V_StringsT values = strings({"red", "green"});
    V_AttributeDefT def{};
    def.name = V_ApiCopyString("colour");
    def.int2 = 7;
    def.strings1 = V_ApiCopyStrings(&values);
    def.text2 = V_ApiCopyString("hint");
    V_AttributeDefsT defs{1, static_cast<V_AttributeDefT *>(VapiCalloc(1, sizeof(V_AttributeDefT)))};
    defs.items[0] = def;

    V_AttributeDefsT copy = V_ApiCopyAttributeDefs(&defs);
    // Release the source completely: the copy must still hold everything.
    V_ApiDeallocateAttributeDefs(&defs);
    ASSERT_EQ(copy.count, 1u);
    EXPECT_STREQ(copy.items[0].name, "colour");
    EXPECT_EQ(copy.items[0].int2, 7);
    EXPECT_EQ(texts(copy.items[0].strings1), (std::vector<std::string>{"red", "green"}));
    EXPECT_STREQ(copy.items[0].text2, "hint");
    V_ApiDeallocateAttributeDefs(&copy);

    V_TabT tab{120, 2, V_ApiCopyString("."), ','};
    V_TabsT tabs{1, &tab};
    V_TabsT tabsCopy = V_ApiCopyTabs(&tabs);
    EXPECT_NE(tabsCopy.items[0].leader, tab.leader);
    EXPECT_EQ(tabsCopy.items[0].position, 120);
    EXPECT_EQ(tabsCopy.items[0].alignChar, ',');
    V_ApiDeallocateTab(&tab);
    EXPECT_STREQ(tabsCopy.items[0].leader, ".");
    V_ApiDeallocateTabs(&tabsCopy);

    V_AttributeT attr{V_ApiCopyString("id"), V_ApiCopyStrings(&values), 1, 0};
    V_AttributesT attrs{1, &attr};
    V_AttributesT attrsCopy = V_ApiCopyAttributes(&attrs);
    V_ApiDeallocateAttribute(&attr);
    EXPECT_STREQ(attrsCopy.items[0].name, "id");
    EXPECT_EQ(texts(attrsCopy.items[0].values).size(), 2u);
    EXPECT_EQ(attrsCopy.items[0].flag1, 1);
    V_ApiDeallocateAttributes(&attrsCopy);
    V_ApiDeallocateStrings(&values);
}

TEST(ApiRecords, TypedValuesCopyByTypeCode)
{
    V_ElementRangeT range{{1, 2, 3}, {4, 5, 6}};
    V_TypedValT v{};
    v.typeCode = V_TYPE_ELEMRANGE;
    v.value.elemRangeVal = &range;
    V_TypedValT copy = V_ApiCopyVal(&v);
    ASSERT_NE(copy.value.elemRangeVal, nullptr);
    EXPECT_NE(copy.value.elemRangeVal, &range);
    EXPECT_EQ(copy.value.elemRangeVal->end.offset, 6);
    V_ApiDeallocateVal(&copy);
    EXPECT_EQ(copy.value.elemRangeVal, nullptr);
    EXPECT_EQ(copy.typeCode, V_TYPE_ELEMRANGE);  // the type code stays
    V_ApiDeallocateVal(&copy);

    v.value.elemRangeVal = nullptr;
    copy = V_ApiCopyVal(&v);
    EXPECT_EQ(copy.typeCode, V_TYPE_ELEMRANGE);
    EXPECT_EQ(copy.value.elemRangeVal, nullptr);

    // Single words travel for 11 and 16; an unknown code copies no value.
    for (int32_t code : {1, 2, 4, 11, 16, 42}) {
        SCOPED_TRACE(code);
        V_TypedValT word;
        std::memset(&word, 0x5a, sizeof word);  // garbage in the unused words
        word.typeCode = code;
        word.value.intVal = -5;
        V_TypedValT c = V_ApiCopyVal(&word);
        V_TypedValT expected;
        std::memset(&expected, 0, sizeof expected);
        expected.typeCode = code;
        expected.value.intVal = code == 42 ? 0 : -5;
        EXPECT_EQ(std::memcmp(&c, &expected, sizeof c), 0);
    }

    V_TypedValT text{};
    text.typeCode = V_TYPE_STRING;
    text.value.stringVal = const_cast<char *>("abc");
    copy = V_ApiCopyVal(&text);
    EXPECT_NE(copy.value.stringVal, text.value.stringVal);
    EXPECT_STREQ(copy.value.stringVal, "abc");
    V_ApiDeallocateVal(&copy);
    EXPECT_EQ(copy.value.stringVal, nullptr);
    V_ApiDeallocateVal(nullptr);
}

TEST(ApiRecords, NullArraysAreEmptyListsEverywhere)
{
    // Release: the count goes to 0 and nothing is freed.
    V_StringsT five{5, nullptr};
    V_ApiDeallocateStrings(&five);
    EXPECT_EQ(five.count, 0u);
    V_ApiDeallocateStrings(nullptr);

    // A common list copy keeps the count with a zero-filled array.
    V_StringsT three{3, nullptr};
    V_StringsT copy = V_ApiCopyStrings(&three);
    ASSERT_EQ(copy.count, 3u);
    ASSERT_NE(copy.items, nullptr);
    for (uint32_t i = 0; i < 3; i++)
        EXPECT_EQ(copy.items[i], nullptr);
    V_ApiDeallocateStrings(&copy);

    // Property lists and text items copy nothing and count 0.
    V_PropValsT noProps{4, nullptr};
    V_PropValsT propsCopy = V_ApiCopyPropVals(&noProps);
    EXPECT_EQ(propsCopy.count, 0u);
    V_ApiDeallocatePropVals(&propsCopy);
    EXPECT_EQ(V_ApiCopyPropVals(nullptr).count, 0u);
    TextItemsT noItems{2, nullptr};
    TextItemsT itemsCopy = V_ApiCopyTextItems(&noItems);
    EXPECT_EQ(itemsCopy.count, 0u);
    EXPECT_NE(itemsCopy.items, nullptr);  // the one spare entry
    V_ApiDeallocateTextItems(&itemsCopy);

    // Lookup and append treat them as empty too.
    EXPECT_EQ(V_ApiGetPropIndex(&noProps, 0), -4);
    EXPECT_EQ(V_ApiGetPropIndex(nullptr, 1), -4);
    V_ApiAppendIntProp(&noProps, 9, 1);
    EXPECT_EQ(noProps.count, 1u);
    EXPECT_EQ(noProps.items[0].ident.propNum, 9);
    V_ApiDeallocatePropVals(&noProps);
}

TEST(ApiRecords, TextItemsAndTheirStrings)
{
    TextItemsT none = V_ApiAllocateTextItems(0);
    EXPECT_EQ(none.count, 0u);
    ASSERT_NE(none.items, nullptr);
    EXPECT_EQ(none.items[0].offset, 0);
    EXPECT_EQ(none.items[0].data.dataType, 0);
    V_ApiDeallocateTextItems(&none);

    TextItemT missing = V_ApiCopyTextItem(nullptr);
    EXPECT_EQ(missing.offset, 0);
    EXPECT_EQ(missing.data.dataType, 1);
    EXPECT_EQ(missing.data.text, nullptr);

    TextItemsT items = V_ApiAllocateTextItems(2);
    items.items[0].offset = 3;
    items.items[0].data.dataType = 1;
    items.items[0].data.text = V_ApiCopyString("word");
    items.items[1].offset = 7;
    items.items[1].data.dataType = 8;
    items.items[1].data.number = 0x1234;
    TextItemsT copy = V_ApiCopyTextItems(&items);
    V_ApiDeallocateTextItems(&items);
    V_ApiDeallocateTextItems(&items);
    ASSERT_EQ(copy.count, 2u);
    EXPECT_STREQ(copy.items[0].data.text, "word");
    EXPECT_EQ(copy.items[1].data.number, 0x1234);  // a number, not a string
    V_ApiDeallocateTextItems(&copy);
}

TEST(ApiPropVals, AppendFollowsTheCapacityRuleAndReplacesInPlace)
{
    V_PropValsT list{0, nullptr};
    for (int32_t n = 1; n <= 9; n++) {
        V_ApiAppendIntProp(&list, n, n * 10);
        EXPECT_EQ(list.count, (uint32_t)n);
        size_t expected = n < 9 ? 8 : 16;
        EXPECT_GE(capacity(list), expected);
        EXPECT_LT(capacity(list), 2 * expected);
    }
    for (int32_t n = 10; n <= 17; n++)
        V_ApiAppendMetricProp(&list, n, -n);
    EXPECT_EQ(list.count, 17u);
    EXPECT_GE(capacity(list), 32u);
    EXPECT_EQ(list.items[16].value.typeCode, 2);
    EXPECT_EQ(list.items[16].value.value.intVal, -17);

    // Setting a number again: same entry, count unchanged, old value gone
    // (a string that leaked here would fail the sanitizer build).
    V_ApiAppendStringProp(&list, 3, "first");
    V_ApiAppendStringProp(&list, 3, "second");
    EXPECT_EQ(list.count, 17u);
    EXPECT_EQ(V_ApiGetPropIndex(&list, 3), 2);
    EXPECT_STREQ(list.items[2].value.value.stringVal, "second");
    EXPECT_EQ(list.items[2].ident.propName, nullptr);

    // A value taken from the list itself survives its own replacement.
    V_ApiAppendVal(&list, 3, &list.items[2].value);
    EXPECT_STREQ(list.items[2].value.value.stringVal, "second");
    V_ApiAppendVal(&list, 99, &list.items[2].value);
    EXPECT_STREQ(list.items[V_ApiGetPropIndex(&list, 99)].value.value.stringVal, "second");

    V_StringsT words = strings({"x", "y"});
    V_ApiAppendStringsProp(&list, 50, &words);
    V_ApiDeallocateStrings(&words);
    EXPECT_EQ(texts(list.items[V_ApiGetPropIndex(&list, 50)].value.value.stringsVal),
              (std::vector<std::string>{"x", "y"}));

    V_PropValsT copy = V_ApiCopyPropVals(&list);
    V_ApiDeallocatePropVals(&list);
    V_ApiDeallocatePropVals(&list);
    EXPECT_EQ(list.items, nullptr);
    EXPECT_EQ(copy.count, 19u);
    EXPECT_STREQ(copy.items[2].value.value.stringVal, "second");
    V_ApiDeallocatePropVals(&copy);
}

TEST(ApiPropVals, AllocateLookupAndSingleEntries)
{
    V_PropValsT list = V_ApiAllocatePropVals(3);
    ASSERT_EQ(list.count, 3u);
    for (uint32_t i = 0; i < 3; i++) {
        EXPECT_EQ(list.items[i].ident.propNum, 0);
        EXPECT_EQ(list.items[i].ident.propName, nullptr);
        EXPECT_EQ(list.items[i].value.typeCode, 0);
    }
    list.items[0].ident.propNum = 5;
    list.items[1].ident.propNum = 6;
    list.items[2].ident.propNum = 5;
    EXPECT_EQ(V_ApiGetPropIndex(&list, 5), 0);  // the first of two
    EXPECT_EQ(V_ApiGetPropIndex(&list, 6), 1);
    EXPECT_EQ(V_ApiGetPropIndex(&list, 7), -4);

    list.items[1].ident.propName = V_ApiCopyString("Name");
    V_PropValT one = V_ApiCopyPropVal(&list.items[1]);
    EXPECT_NE(one.ident.propName, list.items[1].ident.propName);
    EXPECT_STREQ(one.ident.propName, "Name");
    V_ApiDeallocatePropVal(&one);
    EXPECT_EQ(one.ident.propName, nullptr);
    V_ApiDeallocatePropVal(&one);
    V_ApiDeallocatePropVals(&list);

    V_PropValT none = V_ApiCopyPropVal(nullptr);
    EXPECT_EQ(none.ident.propNum, 0);
    EXPECT_EQ(none.value.typeCode, 1);
    EXPECT_EQ(none.value.value.intVal, 0);
}

// A status list with entry `num` holding these words as unsigned integers.
V_PropValsT statusList(int32_t num, std::vector<uint32_t> words, int32_t type = V_TYPE_UINTS)
{
    V_PropValsT list{0, nullptr};
    V_TypedValT v{};
    v.typeCode = type;
    v.value.uintsVal = {(uint32_t)words.size(), words.data()};
    V_ApiAppendIntProp(&list, 2, 0);
    V_ApiAppendVal(&list, num, &v);
    return list;
}

TEST(ApiPropVals, CheckStatusTestsOneBitOfTheStatusWords)
{
    V_PropValsT list = statusList(3, {0x00000001u, 0x80000000u});
    VA_errno = 0;
    EXPECT_EQ(V_ApiCheckStatus(&list, 0), 1u);
    EXPECT_EQ(V_ApiCheckStatus(&list, 1), 0u);
    EXPECT_EQ(V_ApiCheckStatus(&list, 63), 0x80000000u);
    EXPECT_EQ(VA_errno, 0);
    EXPECT_EQ(V_ApiCheckStatus(&list, 64), 0u);
    EXPECT_EQ(VA_errno, -4);
    VA_errno = 0;
    EXPECT_EQ(V_ApiCheckStatus(&list, -1), 0u);  // negative: beyond every word
    EXPECT_EQ(VA_errno, -4);

    // Entry 1 serves when there is no entry 3; entry 3 wins when both exist.
    V_PropValsT fallback = statusList(1, {0x4u});
    EXPECT_EQ(V_ApiCheckStatus(&fallback, 2), 0x4u);
    V_TypedValT other{};
    other.typeCode = V_TYPE_UINTS;
    uint32_t none = 0;
    other.value.uintsVal = {1, &none};
    V_ApiAppendVal(&fallback, 3, &other);
    EXPECT_EQ(V_ApiCheckStatus(&fallback, 2), 0u);

    VA_errno = 0;
    V_PropValsT noStatus{0, nullptr};
    V_ApiAppendIntProp(&noStatus, 2, 1);
    EXPECT_EQ(V_ApiCheckStatus(&noStatus, 0), 0u);
    EXPECT_EQ(VA_errno, -5);
    VA_errno = 0;
    EXPECT_EQ(V_ApiCheckStatus(nullptr, 0), 0u);
    EXPECT_EQ(VA_errno, -5);

    // A status entry that is a plain integer has no words to read.
    V_PropValsT plain{0, nullptr};
    V_ApiAppendIntProp(&plain, 3, 0x7fffffff);
    VA_errno = 0;
    EXPECT_EQ(V_ApiCheckStatus(&plain, 0), 0u);
    EXPECT_EQ(VA_errno, -4);

    for (V_PropValsT *l : {&list, &fallback, &noStatus, &plain})
        V_ApiDeallocatePropVals(l);
}

// The pieces of a filter-argument record, "(null)" for a null field.
std::vector<std::string> pieces(const VdeApiFilterArgsT &fa)
{
    std::vector<std::string> out;
    for (StringT s : fa.args)
        out.push_back(s ? s : "(null)");
    for (auto &t : texts(fa.more))
        out.push_back(t);
    return out;
}

TEST(FilterArgs, PiecesFillTheSixFieldsThenTheList)
{
    struct Case {
        std::string packed;
        std::vector<std::string> expected;
    } cases[] = {
        {"", {"", "(null)", "(null)", "(null)", "(null)", "(null)"}},
        {"a\x1e" "b\x1e", {"a", "b", "", "(null)", "(null)", "(null)"}},
        {"1\x1e" "2\x1e" "3\x1e" "4\x1e" "5\x1e" "6\x1e" "7\x1e" "8",
         {"1", "2", "3", "4", "5", "6", "7", "8"}},
        {"\x1e\x1e", {"", "", "", "(null)", "(null)", "(null)"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.packed);
        VdeApiFilterArgsT *fa = VdeApiExpandFilterArgs(c.packed.c_str());
        ASSERT_NE(fa, nullptr);
        EXPECT_EQ(pieces(*fa), c.expected);
        VdeApiDeallocateFilterArgs(fa);
        EXPECT_EQ(fa->args[0], nullptr);
        EXPECT_EQ(fa->more.count, 0u);
        VdeApiDeallocateFilterArgs(fa);
        V_Free(fa);
    }
}

TEST(FilterArgs, TheListGrowsSixteenAtATime)
{
    std::string packed;
    for (int i = 0; i < 6 + 40; i++)
        packed += std::to_string(i) + (i < 45 ? "\x1e" : "");
    VdeApiFilterArgsT *fa = VdeApiExpandFilterArgs(packed.c_str());
    ASSERT_EQ(fa->more.count, 40u);
    EXPECT_STREQ(fa->more.items[0], "6");
    EXPECT_STREQ(fa->more.items[39], "45");
    size_t slots = malloc_usable_size(fa->more.items) / sizeof(StringT);
    EXPECT_GE(slots, 48u);
    EXPECT_LT(slots, 64u);
    VdeApiDeallocateFilterArgs(fa);
    V_Free(fa);
}

}  // namespace
