/** @file
 * The records of the host protocol, in memory and on the wire.
 *
 * Every record is a plain C struct whose fields stand in wire order; its XDR
 * codec xdr_<Record> (declared in vapi/codecs.h, the only header here that
 * needs the RPC library's headers) encodes, decodes and frees it (the
 * direction is the stream's) and returns 1 on success, 0 as soon as one
 * field fails. Integer fields are one 4-byte XDR unit each, 8-bit fields
 * included. Lists are a `count` and an `items` array (null when empty);
 * decoding allocates what a record holds, and xdr_free with the same codec
 * releases it. Records that the API functions return are the caller's:
 * release them with the matching V_ApiDeallocate... function of
 * vapi/apistruct.h.
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

/** A zero-terminated 8-bit string in the host's character set, or null. */
typedef char *StringT;

/** @name Lists of plain values
 * Each is a count and an array of that many items, null when empty.
 * @{ */

/** A list of strings. */
typedef struct V_StringsT {
    uint32_t count; /**< Number of strings. */
    StringT *items; /**< The strings. */
} V_StringsT;
/** A list of metrics (fixed-point lengths, as the host measures them). */
typedef struct V_MetricsT {
    uint32_t count; /**< Number of metrics. */
    int32_t *items; /**< The metrics. */
} V_MetricsT;
/** A list of signed integers. */
typedef struct V_IntsT {
    uint32_t count; /**< Number of integers. */
    int32_t *items; /**< The integers. */
} V_IntsT;
/** A list of unsigned integers (for example object ids). */
typedef struct V_UIntsT {
    uint32_t count;  /**< Number of integers. */
    uint32_t *items; /**< The integers. */
} V_UIntsT;
/** A list of bytes; each byte takes a whole 4-byte unit on the wire. */
typedef struct V_UBytesT {
    uint32_t count; /**< Number of bytes. */
    uint8_t *items; /**< The bytes. */
} V_UBytesT;
/** @} */

/** @name Fixed records and their lists
 * @{ */

/** A point. */
typedef struct V_PointT {
    int32_t x; /**< Horizontal position. */
    int32_t y; /**< Vertical position. */
} V_PointT;
/** A list of points. */
typedef struct V_PointsT {
    uint32_t count;   /**< Number of points. */
    V_PointT *items; /**< The points. */
} V_PointsT;

/** A size. */
typedef struct SizeT {
    int32_t width;  /**< Width. */
    int32_t height; /**< Height. */
} SizeT;

/** A rectangle: its corner and size. */
typedef struct RectT {
    int32_t x;      /**< Left edge. */
    int32_t y;      /**< Top edge. */
    int32_t width;  /**< Width. */
    int32_t height; /**< Height. */
} RectT;

/** A position in the text of an object such as a paragraph. */
typedef struct V_TextLocT {
    uint32_t objId; /**< The object (a paragraph) whose text it is in. */
    int32_t offset; /**< Bytes from the start of that text; see VX_OFFSET_END_OF_TEXT. */
} V_TextLocT;
/** A stretch of text from one location to another; an insertion point when both are equal. */
typedef struct V_TextRangeT {
    V_TextLocT start; /**< Where it begins. */
    V_TextLocT end;   /**< Where it ends; offset VX_OFFSET_END_OF_PARAGRAPH means the paragraph's end. */
} V_TextRangeT;

/** A position in the element structure of a structured document. */
typedef struct V_ElementLocT {
    uint32_t containerId; /**< The element that contains the position. */
    uint32_t itemId;      /**< The child element it stands before, 0 for the end. */
    int32_t offset;       /**< Offset in the text of that child. */
} V_ElementLocT;
/** A stretch of the element structure. */
typedef struct V_ElementRangeT {
    V_ElementLocT start; /**< Where it begins. */
    V_ElementLocT end;   /**< Where it ends. */
} V_ElementRangeT;

/** One entry of a document's element catalogue. */
typedef struct V_ElementCatalogEntryT {
    uint32_t objId; /**< The element definition. */
    int32_t value;  /**< The host's flags for it at the current position. */
} V_ElementCatalogEntryT;
/** An element catalogue. */
typedef struct V_ElementCatalogEntriesT {
    uint32_t count;                 /**< Number of entries. */
    V_ElementCatalogEntryT *items; /**< The entries. */
} V_ElementCatalogEntriesT;

/** One tab stop. */
typedef struct V_TabT {
    int32_t position;  /**< Distance from the paragraph's edge, a metric. */
    uint8_t kind;      /**< The host's kind of stop (left, centre, ...). */
    StringT leader;    /**< The characters that fill the space before the stop. */
    uint8_t alignChar; /**< The character a decimal stop aligns on. */
} V_TabT;
/** A list of tab stops. */
typedef struct V_TabsT {
    uint32_t count; /**< Number of stops. */
    V_TabT *items;  /**< The stops. */
} V_TabsT;

/** A font, as four indices into the host's font tables. */
typedef struct V_FontT {
    uint32_t index1; /**< First index (the family). */
    uint32_t index2; /**< Second index. */
    uint32_t index3; /**< Third index. */
    uint32_t index4; /**< Fourth index. */
} V_FontT;
/** A list of fonts. */
typedef struct V_FontsT {
    uint32_t count;  /**< Number of fonts. */
    V_FontT *items; /**< The fonts. */
} V_FontsT;

/** A font of a combined family, as four indices into the host's tables. */
typedef struct V_CombinedFontT {
    uint32_t index1; /**< First index. */
    uint32_t index2; /**< Second index. */
    uint32_t index3; /**< Third index. */
    uint32_t index4; /**< Fourth index. */
} V_CombinedFontT;
/** A list of combined fonts. */
typedef struct V_CombinedFontsT {
    uint32_t count;          /**< Number of fonts. */
    V_CombinedFontT *items; /**< The fonts. */
} V_CombinedFontsT;

/** The definition of an element attribute. */
typedef struct V_AttributeDefT {
    StringT name;        /**< The attribute's name. */
    int32_t int1;        /**< First of the host's values (the attribute's type). */
    int32_t int2;        /**< Second of the host's values. */
    int32_t int3;        /**< Third of the host's values. */
    V_StringsT strings1; /**< First string list of the host (choices). */
    V_StringsT strings2; /**< Second string list of the host (defaults). */
    StringT text1;       /**< First text of the host (range start). */
    StringT text2;       /**< Second text of the host (range end). */
} V_AttributeDefT;
/** A list of attribute definitions. */
typedef struct V_AttributeDefsT {
    uint32_t count;          /**< Number of definitions. */
    V_AttributeDefT *items; /**< The definitions. */
} V_AttributeDefsT;

/** An attribute of an element and its values. */
typedef struct V_AttributeT {
    StringT name;      /**< The attribute's name. */
    V_StringsT values; /**< Its values. */
    uint8_t flag1;     /**< First of the host's flags. */
    uint8_t flag2;     /**< Second of the host's flags. */
} V_AttributeT;
/** A list of attributes. */
typedef struct V_AttributesT {
    uint32_t count;       /**< Number of attributes. */
    V_AttributeT *items; /**< The attributes. */
} V_AttributesT;
/** @} */

/** @name Properties and typed values
 * @{ */

/** A property by number; number 0 means the name identifies it. The name
    travels only for number 0; otherwise decoding leaves it untouched. */
typedef struct V_PropIdentT {
    int32_t propNum;  /**< The property's number, or 0. */
    StringT propName; /**< The property's name, when propNum is 0. */
} V_PropIdentT;

/** Type codes of V_TypedValT. Every code not named here with a value other
    than a single integer (4, 11, 16, or any unknown one) carries `intVal`. */
enum {
    V_TYPE_INT = 1,          /**< intVal: an integer. */
    V_TYPE_METRIC = 2,       /**< intVal: a metric. */
    V_TYPE_STRING = 3,       /**< stringVal. */
    V_TYPE_METRICS = 5,      /**< metricsVal. */
    V_TYPE_STRINGS = 6,      /**< stringsVal. */
    V_TYPE_POINTS = 7,       /**< pointsVal. */
    V_TYPE_TABS = 8,         /**< tabsVal. */
    V_TYPE_TEXTLOC = 9,      /**< textLocVal. */
    V_TYPE_TEXTRANGE = 10,   /**< textRangeVal. */
    V_TYPE_ELEMCATALOG = 12, /**< catalogVal. */
    V_TYPE_INTS = 13,        /**< intsVal. */
    V_TYPE_UBYTES = 14,      /**< ubytesVal. */
    V_TYPE_UINTS = 15,       /**< uintsVal. */
    V_TYPE_ATTRDEFS = 17,    /**< attrDefsVal. */
    V_TYPE_ATTRIBUTES = 18,  /**< attributesVal. */
    V_TYPE_ELEMRANGE = 19    /**< elemRangeVal. */
};

/** A value of any property type: the type code says which member holds it. */
typedef struct V_TypedValT {
    int32_t typeCode; /**< One of the V_TYPE_ codes (0 for none). */
    /** The value, in the member that typeCode names. */
    union {
        int32_t intVal;                      /**< Integer, metric and every other single value. */
        StringT stringVal;                   /**< V_TYPE_STRING. */
        V_MetricsT metricsVal;               /**< V_TYPE_METRICS. */
        V_StringsT stringsVal;               /**< V_TYPE_STRINGS. */
        V_PointsT pointsVal;                 /**< V_TYPE_POINTS. */
        V_TabsT tabsVal;                     /**< V_TYPE_TABS. */
        V_TextLocT textLocVal;               /**< V_TYPE_TEXTLOC. */
        V_TextRangeT textRangeVal;           /**< V_TYPE_TEXTRANGE. */
        V_ElementCatalogEntriesT catalogVal; /**< V_TYPE_ELEMCATALOG. */
        V_IntsT intsVal;                     /**< V_TYPE_INTS. */
        V_UBytesT ubytesVal;                 /**< V_TYPE_UBYTES. */
        V_UIntsT uintsVal;                   /**< V_TYPE_UINTS. */
        V_AttributeDefsT attrDefsVal;        /**< V_TYPE_ATTRDEFS. */
        V_AttributesT attributesVal;         /**< V_TYPE_ATTRIBUTES. */
        V_ElementRangeT *elemRangeVal;       /**< V_TYPE_ELEMRANGE; may be null (optional data on the wire). */
    } value;
} V_TypedValT;

/** A property and its value. */
typedef struct V_PropValT {
    V_PropIdentT ident; /**< Which property. */
    V_TypedValT value;  /**< Its value. */
} V_PropValT;
/** A property list, as the host's document operations take and return them. */
typedef struct V_PropValsT {
    uint32_t count;     /**< Number of properties. */
    V_PropValT *items; /**< The properties. */
} V_PropValsT;
/** @} */

/** @name Text items
 * @{ */

/** What a text item carries: a string (dataType VX_TEXT_ITEM_STRING, 1) or a number. */
typedef struct TextItemDataT {
    int32_t dataType; /**< The item's type; 1 carries text. */
    union {
        StringT text;   /**< For type 1: the text. */
        int32_t number; /**< For every other type: the host's number. */
    };
} TextItemDataT;

/** One item of a paragraph's text. */
typedef struct TextItemT {
    int32_t offset;     /**< Where the item stands in the paragraph's text. */
    TextItemDataT data; /**< What it carries. */
} TextItemT;
/** The items of a text, as V_ApiGetText() and friends return them. */
typedef struct TextItemsT {
    uint32_t count;    /**< Number of items. */
    TextItemT *items; /**< The items. */
} TextItemsT;
/** @} */

/** @name Per-procedure records
 * ApiVx<Operation>ArgT is what host procedure <Operation> takes and
 * ApiVx<Operation>RetT what it answers; VAPI_PROCEDURES in vapi/procs.h
 * names the two records of every procedure. Every result record carries
 * the host's status: 0 success, else the host's error code; the fields
 * after it mean something only on 0 (ApiVxThesaurusRetT and
 * ApiVxShowHyphenationRetT carry it last and second). Where the host alone
 * gives a field its meaning, the name is generic. The API functions fill
 * and read these records; a client needs them only to call a stub itself.
 * They are listed in the header, not one by one here.
 * @{ */
/** @cond */

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

/** @endcond */
/** @} */

/** @name Record lists
 * Every record with a codec, by name: X(Record) for each, for code that
 * derives something from every record.
 * @{ */

/** The shared records, those of this header's first groups. */
#define VAPI_SHARED_RECORDS(X) \
    X(V_StringsT) X(V_MetricsT) X(V_IntsT) X(V_UIntsT) X(V_UBytesT) \
    X(V_PointT) X(V_PointsT) X(SizeT) X(RectT) \
    X(V_TextLocT) X(V_TextRangeT) X(V_ElementLocT) X(V_ElementRangeT) \
    X(V_ElementCatalogEntryT) X(V_ElementCatalogEntriesT) \
    X(V_TabT) X(V_TabsT) X(V_FontT) X(V_FontsT) X(V_CombinedFontT) X(V_CombinedFontsT) \
    X(V_AttributeDefT) X(V_AttributeDefsT) X(V_AttributeT) X(V_AttributesT) \
    X(V_PropIdentT) X(V_TypedValT) X(V_PropValT) X(V_PropValsT) \
    X(TextItemDataT) X(TextItemT) X(TextItemsT)

/** The per-procedure records. */
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
/** @} */

#ifdef __cplusplus
}
#endif

#endif
