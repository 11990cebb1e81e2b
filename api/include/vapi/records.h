/* The records of the host protocol, in memory and on the wire.
 *
 * Every record is a plain C struct whose fields stand in wire order; its XDR
 * codec xdr_<Record> (declared in vapi/codecs.h, the only header here that
 * needs the RPC library's headers) encodes, decodes and frees it (the
 * direction is the stream's) and returns 1 on success, 0 as soon as one
 * field fails. Integer
 * fields are one 4-byte XDR unit each, 8-bit fields included. Lists are a
 * `count` and an `items` array (null when empty); decoding allocates what a
 * record holds, and xdr_free with the same codec releases it.
 *
 * Limits: the wire has no maximum length, but no decoder allocates a block
 * over 99,999,999 bytes; input that asks for more fails to decode. A list
 * whose `items` is null encodes as the empty list whatever its count. */
#ifndef VAPI_RECORDS_H
#define VAPI_RECORDS_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* A zero-terminated 8-bit string, or null. */
typedef char *StringT;

/* ------------------------------------------------------------------ */
/* Lists of plain values                                               */

typedef struct V_StringsT { uint32_t count; StringT *items; } V_StringsT;
typedef struct V_MetricsT { uint32_t count; int32_t *items; } V_MetricsT;
typedef struct V_IntsT { uint32_t count; int32_t *items; } V_IntsT;
typedef struct V_UIntsT { uint32_t count; uint32_t *items; } V_UIntsT;
/* Each byte takes a whole 4-byte unit on the wire. */
typedef struct V_UBytesT { uint32_t count; uint8_t *items; } V_UBytesT;

/* ------------------------------------------------------------------ */
/* Fixed records and their lists                                       */

typedef struct V_PointT { int32_t x; int32_t y; } V_PointT;
typedef struct V_PointsT { uint32_t count; V_PointT *items; } V_PointsT;

typedef struct SizeT { int32_t width; int32_t height; } SizeT;

typedef struct RectT { int32_t x; int32_t y; int32_t width; int32_t height; } RectT;

/* A position in the text of an object such as a paragraph. */
typedef struct V_TextLocT { uint32_t objId; int32_t offset; } V_TextLocT;
typedef struct V_TextRangeT { V_TextLocT start; V_TextLocT end; } V_TextRangeT;

typedef struct V_ElementLocT { uint32_t containerId; uint32_t itemId; int32_t offset; } V_ElementLocT;
typedef struct V_ElementRangeT { V_ElementLocT start; V_ElementLocT end; } V_ElementRangeT;

typedef struct V_ElementCatalogEntryT { uint32_t objId; int32_t value; } V_ElementCatalogEntryT;
typedef struct V_ElementCatalogEntriesT { uint32_t count; V_ElementCatalogEntryT *items; } V_ElementCatalogEntriesT;

/* One tab stop. */
typedef struct V_TabT {
    int32_t position;
    uint8_t kind;
    StringT leader;
    uint8_t alignChar;
} V_TabT;
typedef struct V_TabsT { uint32_t count; V_TabT *items; } V_TabsT;

typedef struct V_FontT { uint32_t index1; uint32_t index2; uint32_t index3; uint32_t index4; } V_FontT;
typedef struct V_FontsT { uint32_t count; V_FontT *items; } V_FontsT;

typedef struct V_CombinedFontT { uint32_t index1; uint32_t index2; uint32_t index3; uint32_t index4; } V_CombinedFontT;
typedef struct V_CombinedFontsT { uint32_t count; V_CombinedFontT *items; } V_CombinedFontsT;

typedef struct V_AttributeDefT {
    StringT name;
    int32_t int1;
    int32_t int2;
    int32_t int3;
    V_StringsT strings1;
    V_StringsT strings2;
    StringT text1;
    StringT text2;
} V_AttributeDefT;
typedef struct V_AttributeDefsT { uint32_t count; V_AttributeDefT *items; } V_AttributeDefsT;

typedef struct V_AttributeT {
    StringT name;
    V_StringsT values;
    uint8_t flag1;
    uint8_t flag2;
} V_AttributeT;
typedef struct V_AttributesT { uint32_t count; V_AttributeT *items; } V_AttributesT;

/* ------------------------------------------------------------------ */
/* Properties and typed values                                         */

/* A property by number; number 0 means the name identifies it. The name
   travels only for number 0; otherwise decoding leaves it untouched. */
typedef struct V_PropIdentT { int32_t propNum; StringT propName; } V_PropIdentT;

/* Type codes of V_TypedValT. Every code not named here with a value other
   than a single integer (1 integer, 2 metric, 4, 11, 16, or any unknown
   one) carries `intVal`. */
enum {
    V_TYPE_INT = 1,
    V_TYPE_METRIC = 2,
    V_TYPE_STRING = 3,
    V_TYPE_METRICS = 5,
    V_TYPE_STRINGS = 6,
    V_TYPE_POINTS = 7,
    V_TYPE_TABS = 8,
    V_TYPE_TEXTLOC = 9,
    V_TYPE_TEXTRANGE = 10,
    V_TYPE_ELEMCATALOG = 12,
    V_TYPE_INTS = 13,
    V_TYPE_UBYTES = 14,
    V_TYPE_UINTS = 15,
    V_TYPE_ATTRDEFS = 17,
    V_TYPE_ATTRIBUTES = 18,
    V_TYPE_ELEMRANGE = 19
};

typedef struct V_TypedValT {
    int32_t typeCode;
    union {
        int32_t intVal;
        StringT stringVal;
        V_MetricsT metricsVal;
        V_StringsT stringsVal;
        V_PointsT pointsVal;
        V_TabsT tabsVal;
        V_TextLocT textLocVal;
        V_TextRangeT textRangeVal;
        V_ElementCatalogEntriesT catalogVal;
        V_IntsT intsVal;
        V_UBytesT ubytesVal;
        V_UIntsT uintsVal;
        V_AttributeDefsT attrDefsVal;
        V_AttributesT attributesVal;
        V_ElementRangeT *elemRangeVal; /* may be null; travels as optional data */
    } value;
} V_TypedValT;

typedef struct V_PropValT { V_PropIdentT ident; V_TypedValT value; } V_PropValT;
typedef struct V_PropValsT { uint32_t count; V_PropValT *items; } V_PropValsT;

/* ------------------------------------------------------------------ */
/* Text items                                                          */

/* dataType 1 carries text; every other kind a number. */
typedef struct TextItemDataT {
    int32_t dataType;
    union {
        StringT text;
        int32_t number;
    };
} TextItemDataT;

typedef struct TextItemT { int32_t offset; TextItemDataT data; } TextItemT;
typedef struct TextItemsT { uint32_t count; TextItemT *items; } TextItemsT;

/* ------------------------------------------------------------------ */
/* Per-procedure records: arguments (ArgT) and results (RetT).         */
/* Every result record carries the host's status: 0 success, else the  */
/* host's error code; the fields after it mean something only on 0.    */
/* Where the host alone gives a field its meaning, the name is generic.*/

/* Reading and writing a property of one value type: a read answers with
   the status and the value, a write sends the object, the property and the
   value. ApiVxGet<Type>RetT and ApiVxSet<Type>ArgT for each type below. */
#define VAPI_PROPERTY_RECORDS(Type, ValueT)                                           \
    typedef struct ApiVxGet##Type##RetT { int32_t status; ValueT value; } ApiVxGet##Type##RetT; \
    typedef struct ApiVxSet##Type##ArgT {                                             \
        uint32_t docId; uint32_t objId; V_PropIdentT propIdent; ValueT value;         \
    } ApiVxSet##Type##ArgT;
VAPI_PROPERTY_RECORDS(Int, int32_t)
VAPI_PROPERTY_RECORDS(Id, uint32_t)
VAPI_PROPERTY_RECORDS(Metric, int32_t)
VAPI_PROPERTY_RECORDS(String, StringT)
VAPI_PROPERTY_RECORDS(Strings, V_StringsT)
VAPI_PROPERTY_RECORDS(Metrics, V_MetricsT)
VAPI_PROPERTY_RECORDS(Points, V_PointsT)
VAPI_PROPERTY_RECORDS(Tabs, V_TabsT)
VAPI_PROPERTY_RECORDS(UBytes, V_UBytesT)
VAPI_PROPERTY_RECORDS(Ints, V_IntsT)
VAPI_PROPERTY_RECORDS(Val, V_TypedValT)
VAPI_PROPERTY_RECORDS(TextRange, V_TextRangeT)
VAPI_PROPERTY_RECORDS(TextLoc, V_TextLocT)
VAPI_PROPERTY_RECORDS(AttributeDefs, V_AttributeDefsT)
VAPI_PROPERTY_RECORDS(Attributes, V_AttributesT)
VAPI_PROPERTY_RECORDS(ElementRange, V_ElementRangeT)

/* Menus, commands, alerts and prompts */
typedef struct ApiVxExistsArgT { StringT name; } ApiVxExistsArgT;
typedef struct ApiVxAddMenuArgT { StringT str1; StringT str2; StringT str3; } ApiVxAddMenuArgT;
typedef struct ApiVxRemoveMenuArgT { StringT str1; StringT str2; } ApiVxRemoveMenuArgT;
typedef struct ApiVxAddCommandArgT { int32_t cmdNum; StringT str1; StringT str2; StringT str3; StringT str4; } ApiVxAddCommandArgT;
typedef struct ApiVxAlertArgT { StringT message; int32_t kind; } ApiVxAlertArgT;
typedef struct ApiVxPromptArgT { StringT message; StringT str; } ApiVxPromptArgT;
typedef struct ApiVxPromptIntRetT { int32_t status; int32_t value; } ApiVxPromptIntRetT;
typedef struct ApiVxPromptStringRetT { int32_t status; StringT value; } ApiVxPromptStringRetT;
typedef struct ApiVxPromptMetricArgT { StringT message; StringT str; int32_t num; } ApiVxPromptMetricArgT;
typedef struct ApiVxPromptMetricRetT { int32_t status; int32_t value; } ApiVxPromptMetricRetT;
typedef struct ApiVxChooseFileRetT { int32_t status; StringT value; } ApiVxChooseFileRetT;
typedef struct oldApiVxChooseFileArgT { StringT str1; StringT str2; StringT str3; int32_t num; } oldApiVxChooseFileArgT;
typedef struct ApiVxScrollBoxArgT { StringT title; int32_t num; V_StringsT strings; } ApiVxScrollBoxArgT;
typedef struct ApiVxScrollBoxRetT { int32_t status; int32_t value; } ApiVxScrollBoxRetT;
typedef struct ApiVxFcodesArgT { V_IntsT fcodes; } ApiVxFcodesArgT;
typedef struct ApiVxNotificationArgT { int32_t notification; int32_t state; } ApiVxNotificationArgT;
typedef struct ApiVxCallClientArgT { StringT clientName; StringT message; } ApiVxCallClientArgT;
typedef struct ApiVxQuickSelectArgT { uint32_t docId; StringT str; V_StringsT strings; } ApiVxQuickSelectArgT;
typedef struct ApiVxQuickSelectRetT { int32_t status; int32_t value; } ApiVxQuickSelectRetT;

/* Documents and books */
typedef struct ApiVxSilentPrintDocArgT { uint32_t docId; } ApiVxSilentPrintDocArgT;
typedef struct ApiVxOpenArgT { StringT fileName; V_PropValsT props; } ApiVxOpenArgT;
typedef struct ApiVxOpenRetT { int32_t status; uint32_t docId; V_PropValsT *retProps; } ApiVxOpenRetT;
typedef struct ApiVxSaveArgT { StringT fileName; uint32_t docId; V_PropValsT props; } ApiVxSaveArgT;
typedef struct ApiVxSaveRetT { int32_t status; uint32_t docId; V_PropValsT *retProps; } ApiVxSaveRetT;
typedef struct ApiVxCustomDocArgT {
    int32_t val1; int32_t val2; int32_t val3; int32_t val4; int32_t val5;
    int32_t val6; int32_t val7; int32_t val8; int32_t val9; int32_t val10;
} ApiVxCustomDocArgT;
typedef struct ApiVxCustomDocRetT { int32_t status; uint32_t docId; } ApiVxCustomDocRetT;
typedef struct ApiVxCloseDocArgT { uint32_t docId; int32_t flags; } ApiVxCloseDocArgT;
typedef struct ApiVxGeneralDocArgT { uint32_t docId; } ApiVxGeneralDocArgT;
typedef struct ApiVxImportArgT { StringT fileName; uint32_t docId; V_TextLocT textLoc; V_PropValsT props; } ApiVxImportArgT;
typedef struct ApiVxImportRetT { int32_t status; uint32_t objId; V_PropValsT *retProps; } ApiVxImportRetT;
typedef struct ApiVxSimpleImportFormatsArgT { uint32_t docId; uint32_t fromId; int32_t flags; } ApiVxSimpleImportFormatsArgT;
typedef struct ApiVxSimpleGenerateArgT { uint32_t bookId; int32_t int1; int32_t int2; } ApiVxSimpleGenerateArgT;
typedef struct ApiVxCompareArgT {
    uint32_t oldDocId; uint32_t newDocId; int32_t flags;
    StringT str1; StringT str2; StringT str3; int32_t num;
} ApiVxCompareArgT;
typedef struct ApiVxCompareRetT { int32_t status; uint32_t id1; uint32_t id2; } ApiVxCompareRetT;
typedef struct ApiVxChooseFileArgT { StringT str1; StringT str2; StringT str3; int32_t num; StringT str4; } ApiVxChooseFileArgT;
typedef struct ApiVxFamilyFontsRetT { int32_t status; V_FontsT fonts; } ApiVxFamilyFontsRetT;
typedef struct ApiVxCutCopyPasteArgT { uint32_t docId; int32_t flags; } ApiVxCutCopyPasteArgT;
typedef struct ApiVxUpdateTextInsetArgT { uint32_t docId; uint32_t objId; } ApiVxUpdateTextInsetArgT;
typedef struct ApiVxApplyPageLayoutArgT { uint32_t docId; uint32_t id1; uint32_t id2; } ApiVxApplyPageLayoutArgT;
typedef struct ApiVxDeleteTextInsetContentsArgT { uint32_t docId; uint32_t objId; } ApiVxDeleteTextInsetContentsArgT;
typedef struct ApiVxExportArgT { StringT fileName; uint32_t docId; V_PropValsT props; } ApiVxExportArgT;
typedef struct ApiVxExportRetT { int32_t status; uint32_t docId; V_PropValsT *retProps; } ApiVxExportRetT;
typedef struct ApiVxGeneralTextRangeArgT { uint32_t docId; V_TextRangeT textRange; } ApiVxGeneralTextRangeArgT;
typedef struct ApiVxUpdateXRefsArgT { uint32_t docId; int32_t flags; } ApiVxUpdateXRefsArgT;
typedef struct ApiVxCombinedFamilyFontsArgT { uint32_t familyId; } ApiVxCombinedFamilyFontsArgT;
typedef struct ApiVxCombinedFamilyFontsRetT { int32_t status; V_CombinedFontsT fonts; } ApiVxCombinedFamilyFontsRetT;

/* Objects */
typedef struct ApiVxGeneralObjArgT { uint32_t docId; uint32_t objId; } ApiVxGeneralObjArgT;
typedef struct ApiVxGetNamedObjArgT { uint32_t docId; int32_t objType; StringT name; } ApiVxGetNamedObjArgT;
typedef struct ApiVxObjRetT { int32_t status; uint32_t objId; } ApiVxObjRetT;
typedef struct ApiVxNewGraphicObjArgT { uint32_t docId; int32_t objType; uint32_t objId; } ApiVxNewGraphicObjArgT;
typedef struct ApiVxNewNamedObjArgT { uint32_t docId; int32_t objType; StringT name; } ApiVxNewNamedObjArgT;
typedef struct ApiVxNewAnchoredObjArgT { uint32_t docId; int32_t objType; V_TextLocT textLoc; } ApiVxNewAnchoredObjArgT;
typedef struct ApiVxNewSeriesObjArgT { uint32_t docId; int32_t objType; uint32_t prevId; } ApiVxNewSeriesObjArgT;
typedef struct ApiVxAddTextArgT { uint32_t docId; V_TextLocT textLoc; StringT text; } ApiVxAddTextArgT;
typedef struct ApiVxAddTextRetT { int32_t status; V_TextLocT textLoc; } ApiVxAddTextRetT;

/* Properties: whole values and lists */
typedef struct ApiVxGetPropArgT { uint32_t docId; uint32_t objId; V_PropIdentT propIdent; } ApiVxGetPropArgT;
typedef struct ApiVxGetPropRetT { int32_t status; V_PropValT propVal; } ApiVxGetPropRetT;
typedef struct ApiVxSetPropArgT { uint32_t docId; uint32_t objId; V_PropValT propVal; } ApiVxSetPropArgT;
typedef struct ApiVxGetPropsRetT { int32_t status; V_PropValsT props; } ApiVxGetPropsRetT;
typedef struct ApiVxSetPropsArgT { uint32_t docId; uint32_t objId; V_PropValsT props; } ApiVxSetPropsArgT;

/* Text: `flags` selects the kinds of text items wanted (1: string items) */
typedef struct ApiVxGetTextArgT { uint32_t docId; uint32_t objId; uint32_t flags; } ApiVxGetTextArgT;
typedef struct ApiVxGetTextRetT { int32_t status; TextItemsT textItems; } ApiVxGetTextRetT;
typedef struct ApiVxGetTextForRangeArgT { uint32_t docId; V_TextRangeT textRange; uint32_t flags; } ApiVxGetTextForRangeArgT;
typedef struct ApiVxGetText2ArgT { uint32_t docId; uint32_t objId; uint32_t flags; uint32_t flags2; } ApiVxGetText2ArgT;
typedef struct ApiVxGetTextForRange2ArgT { uint32_t docId; V_TextRangeT textRange; uint32_t flags; uint32_t flags2; } ApiVxGetTextForRange2ArgT;
typedef struct ApiVxFindArgT { uint32_t docId; V_TextLocT textLoc; V_PropValsT props; } ApiVxFindArgT;
typedef struct ApiVxFindRetT { int32_t status; V_TextRangeT textRange; } ApiVxFindRetT;
typedef struct ApiVxSpellArgT { uint32_t docId; V_TextLocT textLoc; V_PropValsT props; } ApiVxSpellArgT;
typedef struct ApiVxSpellRetT { int32_t status; V_TextRangeT textRange; int32_t spellStatus; V_StringsT suggestions; } ApiVxSpellRetT;
typedef struct ApiVxGetUniqueObjArgT { uint32_t docId; int32_t objType; int32_t unique; } ApiVxGetUniqueObjArgT;
typedef struct ApiVxNewAnchoredFormattedObjArgT { uint32_t docId; int32_t objType; StringT format; V_TextLocT textLoc; } ApiVxNewAnchoredFormattedObjArgT;

/* Structured elements */
typedef struct ApiVxGeneralElementDefArgT { uint32_t docId; uint32_t elemDefId; } ApiVxGeneralElementDefArgT;
typedef struct ApiVxNewElementArgT { uint32_t docId; uint32_t elemDefId; V_TextLocT textLoc; } ApiVxNewElementArgT;
typedef struct ApiVxSimpleImportElementDefsArgT { uint32_t docId; uint32_t fromId; int32_t flags; } ApiVxSimpleImportElementDefsArgT;
typedef struct ApiVxNewElementInHierarchyArgT { uint32_t docId; uint32_t elemDefId; V_ElementLocT elemLoc; } ApiVxNewElementInHierarchyArgT;
typedef struct ApiVxNewBookComponentInHierarchyArgT { uint32_t bookId; StringT name; V_ElementLocT elemLoc; } ApiVxNewBookComponentInHierarchyArgT;
typedef struct ApiVxNewSubObjectArgT { uint32_t docId; uint32_t parentId; int32_t objType; } ApiVxNewSubObjectArgT;

/* Tables */
typedef struct ApiVxAddRowsArgT { uint32_t docId; uint32_t tableId; int32_t int1; int32_t int2; } ApiVxAddRowsArgT;
typedef struct ApiVxAddColumnsArgT { uint32_t docId; uint32_t tableId; int32_t int1; int32_t int2; int32_t int3; } ApiVxAddColumnsArgT;
typedef struct ApiVxCutTablePartsArgT {
    uint32_t docId; uint32_t tableId;
    uint32_t rowId; int32_t rowNum;     /* rows to cut */
    int32_t colNum1; int32_t colNum2;   /* columns to cut */
} ApiVxCutTablePartsArgT;
typedef struct ApiVxMakeTableSelectionArgT { uint32_t docId; uint32_t tableId; int32_t int1; int32_t int2; int32_t int3; int32_t int4; } ApiVxMakeTableSelectionArgT;
typedef struct ApiVxStraddleCellsArgT { uint32_t docId; uint32_t tableId; int32_t int1; int32_t int2; int32_t straddle; } ApiVxStraddleCellsArgT;
typedef struct ApiVxNewTableArgT {
    uint32_t docId; StringT format;
    int32_t int1; int32_t int2; int32_t int3; int32_t int4;
    V_TextLocT textLoc;
} ApiVxNewTableArgT;

/* Menu definitions */
typedef struct ApiVxDefineCommandArgT { int32_t cmdNum; StringT name; StringT label; StringT str3; } ApiVxDefineCommandArgT;
typedef struct ApiVxDefineMenuArgT { StringT name; StringT label; } ApiVxDefineMenuArgT;
typedef struct ApiVxAddCommandToMenuArgT { uint32_t menuId; uint32_t cmdId; } ApiVxAddCommandToMenuArgT;
typedef struct ApiVxAddMenuToMenuArgT { uint32_t menuId; uint32_t subMenuId; } ApiVxAddMenuToMenuArgT;
typedef struct ApiVxDefineAndAddCommandArgT { int32_t cmdNum; uint32_t menuId; StringT name; StringT label; StringT str3; } ApiVxDefineAndAddCommandArgT;
typedef struct ApiVxDefineAndAddMenuArgT { uint32_t menuId; StringT name; StringT label; } ApiVxDefineAndAddMenuArgT;
typedef struct ApiVxLoadMenuCustomizationFileArgT { StringT fileName; int32_t flags; } ApiVxLoadMenuCustomizationFileArgT;
typedef struct ApiVxAnimateMenuArgT { uint32_t id1; uint32_t id2; int32_t int1; StringT str; uint32_t id3; int32_t int2; } ApiVxAnimateMenuArgT;
typedef struct ApiVxMenuItemInMenuArgT { uint32_t menuId; uint32_t itemId; int32_t flags; } ApiVxMenuItemInMenuArgT;

/* Element catalogue and element locations */
typedef struct ApiVxGetElementCatalogRetT { int32_t status; V_ElementCatalogEntriesT value; } ApiVxGetElementCatalogRetT;
typedef struct ApiVxElementLocToTextLocArgT { uint32_t docId; V_ElementLocT elemLoc; } ApiVxElementLocToTextLocArgT;
typedef struct ApiVxElementLocToTextLocRetT { int32_t status; V_TextLocT textLoc; } ApiVxElementLocToTextLocRetT;
typedef struct ApiVxTextLocToElementLocArgT { uint32_t docId; V_TextLocT textLoc; } ApiVxTextLocToElementLocArgT;
typedef struct ApiVxTextLocToElementLocRetT { int32_t status; V_ElementLocT elemLoc; } ApiVxTextLocToElementLocRetT;

/* Properties of text */
typedef struct ApiVxGetTextPropArgT { uint32_t docId; V_TextLocT textLoc; V_PropIdentT propIdent; } ApiVxGetTextPropArgT;
typedef struct ApiVxSetTextValArgT { uint32_t docId; V_TextRangeT textRange; V_PropIdentT propIdent; V_TypedValT value; } ApiVxSetTextValArgT;
typedef struct ApiVxSetTextPropArgT { uint32_t docId; V_TextRangeT textRange; V_PropIdentT propIdent; V_PropValT propVal; } ApiVxSetTextPropArgT;
typedef struct ApiVxGetTextPropsArgT { uint32_t docId; V_TextLocT textLoc; } ApiVxGetTextPropsArgT;
typedef struct ApiVxSetTextPropsArgT { uint32_t docId; V_TextRangeT textRange; V_PropValsT props; } ApiVxSetTextPropsArgT;

/* Point and rectangle prompts, hypertext, resources and dialogs */
typedef struct ApiVxPromptPointArgT { uint32_t id1; uint32_t id2; int32_t num; } ApiVxPromptPointArgT;
typedef struct ApiVxPromptPointRetT { int32_t status; V_PointT point; } ApiVxPromptPointRetT;
typedef struct ApiVxPromptRectArgT { uint32_t id1; uint32_t id2; int32_t num; } ApiVxPromptRectArgT;
typedef struct ApiVxPromptRectRetT { int32_t status; RectT rect; } ApiVxPromptRectRetT;
typedef struct ApiVxHypertextCommandArgT { uint32_t objId; StringT command; } ApiVxHypertextCommandArgT;
typedef struct ApiVxOpenResourceArgT { int32_t resType; StringT name; } ApiVxOpenResourceArgT;
typedef struct ApiVxDoDialogArgT { int32_t mode; uint32_t dialogId; } ApiVxDoDialogArgT;
typedef struct ApiVxDialogItemIdArgT { uint32_t dialogId; int32_t itemNum; } ApiVxDialogItemIdArgT;

/* Processes, encodings, books */
typedef struct ApiVxForkAndExecArgT { StringT program; V_StringsT args; } ApiVxForkAndExecArgT;
typedef struct ApiVxGetEncodingForFontArgT { V_FontT font; } ApiVxGetEncodingForFontArgT;
typedef struct ApiVxUpdateBookArgT { uint32_t bookId; V_PropValsT props; } ApiVxUpdateBookArgT;
typedef struct ApiVxUpdateBookRetT { int32_t status; V_PropValsT *retProps; } ApiVxUpdateBookRetT;

/* Attributes and text replacement */
typedef struct ApiVxDeleteUndefinedAttributeArgT { uint32_t docId; StringT name; int32_t flags; uint32_t elemDefId; } ApiVxDeleteUndefinedAttributeArgT;
typedef struct ApiVxReplaceTextArgT { uint32_t docId; V_TextRangeT textRange; StringT text; } ApiVxReplaceTextArgT;
typedef struct ApiVxReplaceTextRetT { int32_t status; } ApiVxReplaceTextRetT;

/* Dictionary, spelling, thesaurus, hyphenation */
typedef struct ApiVxDictionaryArgT { uint32_t dictId; StringT text; int32_t value; int32_t operation; } ApiVxDictionaryArgT;
typedef struct ApiVxDictionaryRetT { int32_t status; V_StringsT strings; } ApiVxDictionaryRetT;
typedef struct ApiVxModifyDictionaryArgT { uint32_t dictId; int32_t int1; int32_t int2; StringT text; } ApiVxModifyDictionaryArgT;
typedef struct ApiVxModifyDictionaryRetT { int32_t status; } ApiVxModifyDictionaryRetT;
typedef struct ApiVxResetSpellingArgT { uint32_t docId; } ApiVxResetSpellingArgT;
typedef struct ApiVxResetSpellingRetT { int32_t status; } ApiVxResetSpellingRetT;
typedef struct ApiVxThesaurusArgT { int32_t value; StringT text; } ApiVxThesaurusArgT;
/* The status comes last here. */
typedef struct ApiVxThesaurusRetT { V_StringsT list1; V_StringsT list2; V_StringsT list3; V_StringsT list4; int32_t status; } ApiVxThesaurusRetT;
typedef struct ApiVxShowHyphenationArgT { StringT word; } ApiVxShowHyphenationArgT;
/* The status comes second here. */
typedef struct ApiVxShowHyphenationRetT { StringT hyphenated; int32_t status; } ApiVxShowHyphenationRetT;

/* Selection and colour palette */
typedef struct ApiVxUserInteractSelectionArgT { int32_t value; } ApiVxUserInteractSelectionArgT;
typedef struct ApiVxChangeColorPaletteArgT {
    uint32_t id1; V_MetricsT metrics1;
    uint32_t id2; V_MetricsT metrics2;
    uint32_t id3; V_MetricsT metrics3;
    uint32_t id4; V_MetricsT metrics4;
    V_MetricsT metrics5; uint32_t id5;
} ApiVxChangeColorPaletteArgT;

/* ------------------------------------------------------------------ */
/* Every record with a codec, by name: X(Record) per record.           */

#define VAPI_SHARED_RECORDS(X) \
    X(V_StringsT) X(V_MetricsT) X(V_IntsT) X(V_UIntsT) X(V_UBytesT) \
    X(V_PointT) X(V_PointsT) X(SizeT) X(RectT) \
    X(V_TextLocT) X(V_TextRangeT) X(V_ElementLocT) X(V_ElementRangeT) \
    X(V_ElementCatalogEntryT) X(V_ElementCatalogEntriesT) \
    X(V_TabT) X(V_TabsT) X(V_FontT) X(V_FontsT) X(V_CombinedFontT) X(V_CombinedFontsT) \
    X(V_AttributeDefT) X(V_AttributeDefsT) X(V_AttributeT) X(V_AttributesT) \
    X(V_PropIdentT) X(V_TypedValT) X(V_PropValT) X(V_PropValsT) \
    X(TextItemDataT) X(TextItemT) X(TextItemsT)

#define VAPI_PROC_RECORDS(X) \
    X(ApiVxExistsArgT) X(ApiVxAddMenuArgT) X(ApiVxRemoveMenuArgT) X(ApiVxAddCommandArgT) \
    X(ApiVxAlertArgT) X(ApiVxPromptArgT) X(ApiVxPromptIntRetT) X(ApiVxPromptStringRetT) \
    X(ApiVxPromptMetricArgT) X(ApiVxPromptMetricRetT) X(ApiVxChooseFileRetT) \
    X(oldApiVxChooseFileArgT) X(ApiVxScrollBoxArgT) X(ApiVxScrollBoxRetT) X(ApiVxFcodesArgT) \
    X(ApiVxNotificationArgT) X(ApiVxCallClientArgT) X(ApiVxGetIntRetT) X(ApiVxQuickSelectArgT) \
    X(ApiVxQuickSelectRetT) X(ApiVxSilentPrintDocArgT) X(ApiVxOpenArgT) X(ApiVxOpenRetT) \
    X(ApiVxSaveArgT) X(ApiVxSaveRetT) X(ApiVxCustomDocArgT) X(ApiVxCustomDocRetT) \
    X(ApiVxCloseDocArgT) X(ApiVxGeneralDocArgT) X(ApiVxImportArgT) X(ApiVxImportRetT) \
    X(ApiVxSimpleImportFormatsArgT) X(ApiVxSimpleGenerateArgT) X(ApiVxCompareArgT) \
    X(ApiVxCompareRetT) X(ApiVxChooseFileArgT) X(ApiVxFamilyFontsRetT) X(ApiVxCutCopyPasteArgT) \
    X(ApiVxUpdateTextInsetArgT) X(ApiVxApplyPageLayoutArgT) X(ApiVxDeleteTextInsetContentsArgT) \
    X(ApiVxExportArgT) X(ApiVxExportRetT) X(ApiVxGeneralTextRangeArgT) X(ApiVxUpdateXRefsArgT) \
    X(ApiVxCombinedFamilyFontsArgT) X(ApiVxCombinedFamilyFontsRetT) X(ApiVxGeneralObjArgT) \
    X(ApiVxGetNamedObjArgT) X(ApiVxObjRetT) X(ApiVxNewGraphicObjArgT) X(ApiVxNewNamedObjArgT) \
    X(ApiVxNewAnchoredObjArgT) X(ApiVxNewSeriesObjArgT) X(ApiVxAddTextArgT) X(ApiVxAddTextRetT) \
    X(ApiVxGetPropArgT) X(ApiVxGetPropRetT) X(ApiVxSetPropArgT) X(ApiVxGetPropsRetT) \
    X(ApiVxSetPropsArgT) X(ApiVxSetIntArgT) X(ApiVxGetIdRetT) X(ApiVxSetIdArgT) \
    X(ApiVxGetMetricRetT) X(ApiVxSetMetricArgT) X(ApiVxGetStringRetT) X(ApiVxSetStringArgT) \
    X(ApiVxGetStringsRetT) X(ApiVxSetStringsArgT) X(ApiVxGetMetricsRetT) X(ApiVxSetMetricsArgT) \
    X(ApiVxGetPointsRetT) X(ApiVxSetPointsArgT) X(ApiVxGetTabsRetT) X(ApiVxSetTabsArgT) \
    X(ApiVxGetTextArgT) X(ApiVxGetTextRetT) X(ApiVxGetTextForRangeArgT) X(ApiVxGetUBytesRetT) \
    X(ApiVxSetUBytesArgT) X(ApiVxGetText2ArgT) X(ApiVxGetTextForRange2ArgT) X(ApiVxFindArgT) \
    X(ApiVxFindRetT) X(ApiVxSpellArgT) X(ApiVxSpellRetT) X(ApiVxGetUniqueObjArgT) \
    X(ApiVxNewAnchoredFormattedObjArgT) X(ApiVxGetIntsRetT) X(ApiVxSetIntsArgT) \
    X(ApiVxGetValRetT) X(ApiVxSetValArgT) X(ApiVxGeneralElementDefArgT) X(ApiVxNewElementArgT) \
    X(ApiVxSimpleImportElementDefsArgT) X(ApiVxNewElementInHierarchyArgT) \
    X(ApiVxNewBookComponentInHierarchyArgT) X(ApiVxNewSubObjectArgT) X(ApiVxAddRowsArgT) \
    X(ApiVxAddColumnsArgT) X(ApiVxCutTablePartsArgT) X(ApiVxMakeTableSelectionArgT) \
    X(ApiVxStraddleCellsArgT) X(ApiVxNewTableArgT) X(ApiVxDefineCommandArgT) \
    X(ApiVxDefineMenuArgT) X(ApiVxAddCommandToMenuArgT) X(ApiVxAddMenuToMenuArgT) \
    X(ApiVxDefineAndAddCommandArgT) X(ApiVxDefineAndAddMenuArgT) \
    X(ApiVxLoadMenuCustomizationFileArgT) X(ApiVxAnimateMenuArgT) X(ApiVxMenuItemInMenuArgT) \
    X(ApiVxGetTextRangeRetT) X(ApiVxSetTextRangeArgT) X(ApiVxGetTextLocRetT) \
    X(ApiVxSetTextLocArgT) X(ApiVxGetElementCatalogRetT) X(ApiVxElementLocToTextLocArgT) \
    X(ApiVxElementLocToTextLocRetT) X(ApiVxTextLocToElementLocArgT) \
    X(ApiVxTextLocToElementLocRetT) X(ApiVxGetTextPropArgT) X(ApiVxSetTextValArgT) \
    X(ApiVxSetTextPropArgT) X(ApiVxGetTextPropsArgT) X(ApiVxSetTextPropsArgT) \
    X(ApiVxPromptPointArgT) X(ApiVxPromptPointRetT) X(ApiVxPromptRectArgT) \
    X(ApiVxPromptRectRetT) X(ApiVxHypertextCommandArgT) X(ApiVxOpenResourceArgT) \
    X(ApiVxDoDialogArgT) X(ApiVxDialogItemIdArgT) X(ApiVxForkAndExecArgT) \
    X(ApiVxGetEncodingForFontArgT) X(ApiVxUpdateBookArgT) X(ApiVxUpdateBookRetT) \
    X(ApiVxGetAttributeDefsRetT) X(ApiVxSetAttributeDefsArgT) X(ApiVxGetAttributesRetT) \
    X(ApiVxSetAttributesArgT) X(ApiVxGetElementRangeRetT) X(ApiVxSetElementRangeArgT) \
    X(ApiVxDeleteUndefinedAttributeArgT) X(ApiVxReplaceTextArgT) X(ApiVxReplaceTextRetT) \
    X(ApiVxDictionaryArgT) X(ApiVxDictionaryRetT) X(ApiVxModifyDictionaryArgT) \
    X(ApiVxModifyDictionaryRetT) X(ApiVxResetSpellingArgT) X(ApiVxResetSpellingRetT) \
    X(ApiVxThesaurusArgT) X(ApiVxThesaurusRetT) X(ApiVxShowHyphenationArgT) \
    X(ApiVxShowHyphenationRetT) X(ApiVxUserInteractSelectionArgT) X(ApiVxChangeColorPaletteArgT)

#ifdef __cplusplus
}
#endif

#endif
