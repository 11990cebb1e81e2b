// Property access over real RPC against the stand-in host's generic store:
// every value type reads back what was set, by number and by name, and the
// calls carry the property the way the wire wants it.
#include "host_child.h"

#include "vapi/api.h"
#include "vapi/apistruct.h"
#include "document_types.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

using api_test::HostChild;

class Props : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(host.attached());
        VA_errno = 0;
    }
    HostChild host;
};

TEST_F(Props, IntegerKindsReadBackByNumberAndByName)
{
    V_ApiSetInt(7, 8, 300, -12);
    V_ApiSetMetric(7, 8, 301, 65536 * 12);
    V_ApiSetId(7, 8, 302, 0xfffffff0u);
    V_ApiSetIntByName(7, 8, "Count", 41);
    V_ApiSetMetricByName(7, 8, "Width", 99);
    EXPECT_EQ(V_ApiGetInt(7, 8, 300), -12);
    EXPECT_EQ(V_ApiGetMetric(7, 8, 301), 65536 * 12);
    EXPECT_EQ(V_ApiGetId(7, 8, 302), 0xfffffff0u);
    EXPECT_EQ(V_ApiGetIntByName(7, 8, "Count"), 41);
    EXPECT_EQ(V_ApiGetMetricByName(7, 8, "Width"), 99);
    // Another object, document or name is another property.
    EXPECT_EQ(V_ApiGetInt(7, 9, 300), 0);
    EXPECT_EQ(V_ApiGetInt(6, 8, 300), 0);
    EXPECT_EQ(V_ApiGetIntByName(7, 8, "count"), 0);
    EXPECT_EQ(VA_errno, 0);
}

TEST_F(Props, ByNameSendsNumberZeroAndTheName)
{
    V_ApiGetIntByName(1, 2, "Flow");
    EXPECT_EQ(host.args_of("api_vx_get_int_1"), "1, 2, 0, \"Flow\"");
    V_ApiGetInt(1, 2, 20);
    EXPECT_EQ(host.args_of("api_vx_get_int_1"), "1, 2, 20");
    V_ApiSetMetricByName(3, 4, "Gap", 5);
    EXPECT_EQ(host.args_of("api_vx_set_metric_1"), "3, 4, 0, \"Gap\", 5");
    V_ApiDeletePropByName(3, 4, "Gap");
    EXPECT_EQ(host.args_of("api_vx_delete_prop_1"), "3, 4, 0, \"Gap\"");
}

TEST_F(Props, StringsAndListsReadBackAsFreshCopies)
{
    V_ApiSetString(1, 2, 20, "1Level");
    StringT s = V_ApiGetString(1, 2, 20);
    ASSERT_NE(s, nullptr);
    EXPECT_STREQ(s, "1Level");
    V_ApiDeallocateString(&s);
    // A null string travels as "" and reads back as a fresh empty string.
    V_ApiSetString(1, 2, 21, nullptr);
    s = V_ApiGetString(1, 2, 21);
    ASSERT_NE(s, nullptr);
    EXPECT_STREQ(s, "");
    V_ApiDeallocateString(&s);

    char a[] = "alpha", b[] = "";
    StringT items[] = {a, b};
    V_StringsT strings{2, items};
    V_ApiSetStrings(1, 2, 30, &strings);
    V_StringsT got = V_ApiGetStrings(1, 2, 30);
    ASSERT_EQ(got.count, 2u);
    EXPECT_STREQ(got.items[0], "alpha");
    EXPECT_STREQ(got.items[1], "");
    EXPECT_NE(got.items[0], a);
    V_ApiDeallocateStrings(&got);

    V_PointT p[] = {{1, 2}, {-3, 4}};
    V_PointsT points{2, p};
    V_ApiSetPoints(1, 2, 33, &points);
    V_PointsT gp = V_ApiGetPoints(1, 2, 33);
    ASSERT_EQ(gp.count, 2u);
    EXPECT_EQ(gp.items[1].x, -3);
    V_ApiDeallocatePoints(&gp);

    char leader[] = ".";
    V_TabT t[] = {{100, 2, leader, 'x'}};
    V_TabsT tabs{1, t};
    V_ApiSetTabs(1, 2, 34, &tabs);
    V_TabsT gt = V_ApiGetTabs(1, 2, 34);
    ASSERT_EQ(gt.count, 1u);
    EXPECT_EQ(gt.items[0].position, 100);
    EXPECT_EQ(gt.items[0].kind, 2);
    EXPECT_STREQ(gt.items[0].leader, ".");
    EXPECT_EQ(gt.items[0].alignChar, 'x');
    V_ApiDeallocateTabs(&gt);

    uint8_t by[] = {0, 255, 7};
    V_UBytesT bytes{3, by};
    V_ApiSetUBytesByName(1, 2, "Raw", &bytes);
    V_UBytesT gb = V_ApiGetUBytesByName(1, 2, "Raw");
    ASSERT_EQ(gb.count, 3u);
    EXPECT_EQ(gb.items[1], 255);
    V_ApiDeallocateUBytes(&gb);
    EXPECT_EQ(VA_errno, 0);
}

TEST_F(Props, LocationsRangesAndElementRangesReadBack)
{
    V_TextLocT loc{11, 0x4FFFFFFF};
    V_ApiSetTextLoc(1, 2, 40, &loc);
    V_TextLocT gl = V_ApiGetTextLoc(1, 2, 40);
    EXPECT_EQ(gl.objId, 11u);
    EXPECT_EQ(gl.offset, 0x4FFFFFFF);

    V_TextRangeT range{{11, 0}, {12, 0x50000000}};
    V_ApiSetTextRange(1, 0, 109, &range);
    V_TextRangeT gr = V_ApiGetTextRange(1, 0, 109);
    EXPECT_EQ(std::memcmp(&gr, &range, sizeof range), 0);

    V_ElementRangeT er{{1, 2, 3}, {4, 5, -6}};
    V_ApiSetElementRange(1, 2, 41, &er);
    V_ElementRangeT ger = V_ApiGetElementRange(1, 2, 41);
    EXPECT_EQ(std::memcmp(&ger, &er, sizeof er), 0);
    // The same value read as a typed value is the optional element range.
    V_TypedValT tv = V_ApiGetVal(1, 2, 41);
    ASSERT_EQ(tv.typeCode, V_TYPE_ELEMRANGE);
    ASSERT_NE(tv.value.elemRangeVal, nullptr);
    EXPECT_EQ(tv.value.elemRangeVal->end.offset, -6);
    V_ApiDeallocateVal(&tv);
    EXPECT_EQ(VA_errno, 0);
}

TEST_F(Props, AttributesAndCatalogUseTheirFixedNumbers)
{
    char n[] = "Id", v[] = "x1";
    StringT vs[] = {v};
    V_AttributeT at[] = {{n, {1, vs}, 1, 0}};
    V_AttributesT attrs{1, at};
    V_ApiSetAttributes(5, 6, &attrs);
    EXPECT_EQ(host.args_of("api_vx_set_attributes_1"), "5, 6, 1634, 1, \"Id\", 1, \"x1\", 1, 0");
    V_AttributesT ga = V_ApiGetAttributes(5, 6);
    ASSERT_EQ(ga.count, 1u);
    EXPECT_STREQ(ga.items[0].name, "Id");
    EXPECT_STREQ(ga.items[0].values.items[0], "x1");
    V_ApiDeallocateAttributes(&ga);

    char dn[] = "Kind", t1[] = "a";
    V_AttributeDefT d[] = {{dn, 1, 2, 3, {0, nullptr}, {1, vs}, t1, nullptr}};
    V_AttributeDefsT defs{1, d};
    V_ApiSetAttributeDefs(5, 9, &defs);
    V_AttributeDefsT gd = V_ApiGetAttributeDefs(5, 9);
    EXPECT_EQ(host.args_of("api_vx_get_attribute_defs_1"), "5, 9, 1584");
    ASSERT_EQ(gd.count, 1u);
    EXPECT_EQ(gd.items[0].int3, 3);
    EXPECT_STREQ(gd.items[0].text2, "");
    V_ApiDeallocateAttributeDefs(&gd);

    V_ElementCatalogEntriesT cat = V_ApiGetElementCatalog(5);
    EXPECT_EQ(host.args_of("api_vx_get_element_catalog_1"), "5, 5, 1488");
    EXPECT_EQ(cat.count, 0u);
    V_ApiDeallocateElementCatalogEntries(&cat);
}

TEST_F(Props, TypedValuesPropertyListsAndTextProperties)
{
    V_PropValsT props{};
    V_ApiAppendIntProp(&props, 8, 3);
    V_ApiAppendStringProp(&props, 9, "nine");
    V_ApiSetProps(2, 3, &props);
    V_ApiDeallocatePropVals(&props);
    V_ApiSetIntByName(2, 3, "Extra", 4);

    V_PropValsT all = V_ApiGetProps(2, 3);
    ASSERT_EQ(all.count, 3u);
    EXPECT_EQ(V_ApiGetPropIndex(&all, 9), 2);
    EXPECT_STREQ(all.items[2].value.value.stringVal, "nine");
    EXPECT_STREQ(all.items[0].ident.propName, "Extra");
    V_ApiDeallocatePropVals(&all);

    V_PropValT one = V_ApiGetPropVal(2, 3, 8);
    EXPECT_EQ(one.ident.propNum, 8);
    EXPECT_EQ(one.value.typeCode, 1);
    EXPECT_EQ(one.value.value.intVal, 3);
    V_ApiDeallocatePropVal(&one);
    // A value set as a whole typed value reads back through the typed call.
    V_TypedValT in{};
    in.typeCode = V_TYPE_TEXTLOC;
    in.value.textLocVal = {4, 5};
    V_ApiSetVal(2, 3, 50, &in);
    V_TextLocT asLoc = V_ApiGetTextLoc(2, 3, 50);
    EXPECT_EQ(asLoc.offset, 5);
    // Reading it as a string is the host's type error.
    EXPECT_EQ(V_ApiGetString(2, 3, 50), nullptr);
    EXPECT_EQ(VA_errno, vxhost::status::kBadType);

    V_TextRangeT range{{70, 0}, {70, 4}};
    V_TextLocT at{70, 2};
    V_TypedValT bold{};
    bold.typeCode = 1;
    bold.value.intVal = 1;
    V_ApiSetTextVal(2, &range, 77, &bold);
    V_TypedValT gb = V_ApiGetTextVal(2, &at, 77);
    EXPECT_EQ(gb.value.intVal, 1);
    V_PropValT pv{{78, nullptr}, bold};
    V_ApiSetTextPropVal(2, &range, &pv);
    EXPECT_EQ(host.args_of("api_vx_set_text_prop_1"), "2, 70, 0, 70, 4, 0, 0, 78, 1, 1");
    V_PropValT gpv = V_ApiGetTextPropVal(2, &at, 78);
    EXPECT_EQ(gpv.ident.propNum, 78);
    EXPECT_EQ(gpv.value.value.intVal, 1);
    V_ApiDeallocatePropVal(&gpv);
    V_PropValsT tp = V_ApiGetTextProps(2, &at);
    EXPECT_EQ(tp.count, 2u);
    V_ApiDeallocatePropVals(&tp);
    // Text properties are not the object's own.
    EXPECT_EQ(V_ApiGetInt(2, 70, 77), 0);
}

}  // namespace
