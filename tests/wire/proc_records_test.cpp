// Golden wire bytes of per-procedure records, one or more of each family,
// including the records whose status is not the first field.
#include <gtest/gtest.h>

#include "vapi/codecs.h"
#include "wire_util.hpp"

namespace {

char kFile[] = "/tmp/a.vx", kName[] = "Name", kWord[] = "word";

template <class T>
void expect_golden(bool_t (*codec)(XDR *, T *), T value, const Bytes &golden)
{
    EXPECT_EQ(encode(codec, value), golden);
    EXPECT_EQ(round_trip(codec, golden), golden);
}

TEST(ProcRecords, PropertyReadByNumberOrName)
{
    expect_golden(xdr_ApiVxGetPropArgT, ApiVxGetPropArgT{1, 2, {20, kName}}, Wire().u(1).u(2).u(20));
    expect_golden(xdr_ApiVxGetPropArgT, ApiVxGetPropArgT{1, 2, {0, kName}}, Wire().u(1).u(2).u(0).s("Name"));
    expect_golden(xdr_ApiVxGetIntRetT, ApiVxGetIntRetT{0, -7}, Wire().u(0).u(0xFFFFFFF9));
    expect_golden(xdr_ApiVxGetStringRetT, ApiVxGetStringRetT{0, kName}, Wire().u(0).s("Name"));
    expect_golden(xdr_ApiVxGetTextRangeRetT, ApiVxGetTextRangeRetT{-3, {{1, 2}, {3, 4}}},
                  Wire().u(0xFFFFFFFD).u(1).u(2).u(3).u(4));
}

TEST(ProcRecords, PropertyWrite)
{
    expect_golden(xdr_ApiVxSetIntArgT, ApiVxSetIntArgT{0, 0, {104, nullptr}, 50}, Wire().u(0).u(0).u(104).u(50));
    ApiVxSetValArgT val{5, 6, {0, kName}, {3, {}}};
    val.value.value.stringVal = kWord;
    expect_golden(xdr_ApiVxSetValArgT, val, Wire().u(5).u(6).u(0).s("Name").u(3).s("word"));
    V_PropValT prop{{20, nullptr}, {3, {}}};
    prop.value.value.stringVal = kName;
    expect_golden(xdr_ApiVxSetPropsArgT, ApiVxSetPropsArgT{1, 9, {1, &prop}},
                  Wire().u(1).u(9).u(1).u(20).u(3).s("Name"));
}

TEST(ProcRecords, TextAndObjects)
{
    expect_golden(xdr_ApiVxGetTextForRangeArgT, ApiVxGetTextForRangeArgT{1, {{2, 0}, {2, 0x50000000}}, 1},
                  Wire().u(1).u(2).u(0).u(2).u(0x50000000).u(1));
    expect_golden(xdr_ApiVxAddTextArgT, ApiVxAddTextArgT{1, {2, 0x4FFFFFFF}, nullptr},
                  Wire().u(1).u(2).u(0x4FFFFFFF).s(""));
    TextItemT item{0, {1, {kWord}}};
    expect_golden(xdr_ApiVxGetTextRetT, ApiVxGetTextRetT{0, {1, &item}}, Wire().u(0).u(1).u(0).u(1).s("word"));
    expect_golden(xdr_ApiVxGetNamedObjArgT, ApiVxGetNamedObjArgT{0, 55, kName}, Wire().u(0).u(55).s("Name"));
    expect_golden(xdr_ApiVxObjRetT, ApiVxObjRetT{0, 0xFFFFFFFF}, Wire().u(0).u(0xFFFFFFFF));
}

TEST(ProcRecords, DocumentsAndTables)
{
    expect_golden(xdr_ApiVxOpenArgT, ApiVxOpenArgT{kFile, {0, nullptr}}, Wire().s("/tmp/a.vx").u(0));
    V_PropValT status{{3, nullptr}, {15, {}}};
    uint32_t bits[] = {5};
    status.value.value.uintsVal = {1, bits};
    V_PropValsT report{1, &status};
    expect_golden(xdr_ApiVxSaveRetT, ApiVxSaveRetT{0, 4, &report}, Wire().u(0).u(4).u(1).u(1).u(3).u(15).u(1).u(5));
    expect_golden(xdr_ApiVxUpdateBookRetT, ApiVxUpdateBookRetT{2, nullptr}, Wire().u(2).u(0));

    ApiVxCustomDocArgT custom{1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    Bytes ten = Wire().u(1).u(2).u(3).u(4).u(5).u(6).u(7).u(8).u(9).u(10);
    EXPECT_EQ(ten.size(), 40u);
    expect_golden(xdr_ApiVxCustomDocArgT, custom, ten);
    expect_golden(xdr_ApiVxCutTablePartsArgT, ApiVxCutTablePartsArgT{1, 2, 0, 0, 2, 1},
                  Wire().u(1).u(2).u(0).u(0).u(2).u(1));
    expect_golden(xdr_ApiVxNewTableArgT, ApiVxNewTableArgT{1, kName, 1, 2, 3, 4, {5, 6}},
                  Wire().u(1).s("Name").u(1).u(2).u(3).u(4).u(5).u(6));
}

TEST(ProcRecords, SpellingFamilyWithStatusElsewhere)
{
    StringT words[] = {kWord};
    V_StringsT one{1, words}, none{0, nullptr};
    // Status last: the four lists decode whatever it says.
    expect_golden(xdr_ApiVxThesaurusRetT, ApiVxThesaurusRetT{one, none, one, none, -9},
                  Wire().u(1).s("word").u(0).u(1).s("word").u(0).u(0xFFFFFFF7));
    // Status second, after the string.
    expect_golden(xdr_ApiVxShowHyphenationRetT, ApiVxShowHyphenationRetT{kWord, 0}, Wire().s("word").u(0));
    expect_golden(xdr_ApiVxSpellRetT, ApiVxSpellRetT{0, {{1, 2}, {1, 6}}, 3, one},
                  Wire().u(0).u(1).u(2).u(1).u(6).u(3).u(1).s("word"));
    expect_golden(xdr_ApiVxReplaceTextRetT, ApiVxReplaceTextRetT{-1}, Wire().u(0xFFFFFFFF));
}

TEST(ProcRecords, MenusFontsAndPalette)
{
    expect_golden(xdr_ApiVxDefineAndAddCommandArgT, ApiVxDefineAndAddCommandArgT{3, 7, kName, kWord, nullptr},
                  Wire().u(3).u(7).s("Name").s("word").s(""));
    expect_golden(xdr_ApiVxGetEncodingForFontArgT, ApiVxGetEncodingForFontArgT{{1, 2, 3, 4}},
                  Wire().u(1).u(2).u(3).u(4));
    int32_t m[] = {255};
    V_MetricsT one{1, m}, none{0, nullptr};
    expect_golden(xdr_ApiVxChangeColorPaletteArgT,
                  ApiVxChangeColorPaletteArgT{1, one, 2, none, 3, none, 4, none, one, 5},
                  Wire().u(1).u(1).u(255).u(2).u(0).u(3).u(0).u(4).u(0).u(1).u(255).u(5));
}

} // namespace
