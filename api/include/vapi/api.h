/* The host call layer: one function per host operation.
 *
 * Every function makes one synchronous call to the host over
 * `vellix_client`. Failure is reported only through `VA_errno` (-1 when the
 * call itself failed, otherwise the host's non-zero status); success never
 * clears it. Everything returned is a fresh copy that the caller owns and
 * releases with the matching V_ApiDeallocate... function; a failed read
 * returns 0, null or the all-zero record, which holds nothing to release.
 * Records passed by pointer stay the caller's (a null record pointer is sent
 * as the all-zero record, a null string as ""). */
#ifndef VAPI_API_H
#define VAPI_API_H

#include <stdint.h>

#include "vapi/records.h"

#ifdef __cplusplus
extern "C" {
#endif
#pragma GCC visibility push(default)

/* What V_ApiCompare returns: the two objects the host's comparison made. */
typedef struct V_CompareRetT { uint32_t id1; uint32_t id2; } V_CompareRetT;

/* ---- Property access by object and property number or name ---- */

int32_t V_ApiGetInt(uint32_t docId, uint32_t objId, int32_t propNum);
int32_t V_ApiGetIntByName(uint32_t docId, uint32_t objId, const char *propName);
void V_ApiSetInt(uint32_t docId, uint32_t objId, int32_t propNum, int32_t value);
void V_ApiSetIntByName(uint32_t docId, uint32_t objId, const char *propName, int32_t value);
int32_t V_ApiGetMetric(uint32_t docId, uint32_t objId, int32_t propNum);
int32_t V_ApiGetMetricByName(uint32_t docId, uint32_t objId, const char *propName);
void V_ApiSetMetric(uint32_t docId, uint32_t objId, int32_t propNum, int32_t value);
void V_ApiSetMetricByName(uint32_t docId, uint32_t objId, const char *propName, int32_t value);
uint32_t V_ApiGetId(uint32_t docId, uint32_t objId, int32_t propNum);
void V_ApiSetId(uint32_t docId, uint32_t objId, int32_t propNum, uint32_t value);
StringT V_ApiGetString(uint32_t docId, uint32_t objId, int32_t propNum);
void V_ApiSetString(uint32_t docId, uint32_t objId, int32_t propNum, const char *value);
V_StringsT V_ApiGetStrings(uint32_t docId, uint32_t objId, int32_t propNum);
void V_ApiSetStrings(uint32_t docId, uint32_t objId, int32_t propNum, const V_StringsT *value);
V_MetricsT V_ApiGetMetrics(uint32_t docId, uint32_t objId, int32_t propNum);
void V_ApiSetMetrics(uint32_t docId, uint32_t objId, int32_t propNum, const V_MetricsT *value);
V_IntsT V_ApiGetInts(uint32_t docId, uint32_t objId, int32_t propNum);
void V_ApiSetInts(uint32_t docId, uint32_t objId, int32_t propNum, const V_IntsT *value);
V_PointsT V_ApiGetPoints(uint32_t docId, uint32_t objId, int32_t propNum);
void V_ApiSetPoints(uint32_t docId, uint32_t objId, int32_t propNum, const V_PointsT *value);
V_TabsT V_ApiGetTabs(uint32_t docId, uint32_t objId, int32_t propNum);
void V_ApiSetTabs(uint32_t docId, uint32_t objId, int32_t propNum, const V_TabsT *value);
V_UBytesT V_ApiGetUBytesByName(uint32_t docId, uint32_t objId, const char *propName);
void V_ApiSetUBytesByName(uint32_t docId, uint32_t objId, const char *propName, const V_UBytesT *value);
V_TextLocT V_ApiGetTextLoc(uint32_t docId, uint32_t objId, int32_t propNum);
void V_ApiSetTextLoc(uint32_t docId, uint32_t objId, int32_t propNum, const V_TextLocT *value);
V_TextRangeT V_ApiGetTextRange(uint32_t docId, uint32_t objId, int32_t propNum);
void V_ApiSetTextRange(uint32_t docId, uint32_t objId, int32_t propNum, const V_TextRangeT *value);
V_ElementRangeT V_ApiGetElementRange(uint32_t docId, uint32_t objId, int32_t propNum);
void V_ApiSetElementRange(uint32_t docId, uint32_t objId, int32_t propNum, const V_ElementRangeT *value);
V_TypedValT V_ApiGetVal(uint32_t docId, uint32_t objId, int32_t propNum);
void V_ApiSetVal(uint32_t docId, uint32_t objId, int32_t propNum, const V_TypedValT *value);
V_PropValT V_ApiGetPropVal(uint32_t docId, uint32_t objId, int32_t propNum);
void V_ApiSetPropVal(uint32_t docId, uint32_t objId, const V_PropValT *propVal);
V_PropValsT V_ApiGetProps(uint32_t docId, uint32_t objId);
void V_ApiSetProps(uint32_t docId, uint32_t objId, const V_PropValsT *props);
void V_ApiDeletePropByName(uint32_t docId, uint32_t objId, const char *propName);

/* Properties with a fixed number: element catalogue, attribute definitions,
   attributes. */
V_ElementCatalogEntriesT V_ApiGetElementCatalog(uint32_t docId);
V_AttributeDefsT V_ApiGetAttributeDefs(uint32_t docId, uint32_t elemDefId);
void V_ApiSetAttributeDefs(uint32_t docId, uint32_t elemDefId, const V_AttributeDefsT *defs);
V_AttributesT V_ApiGetAttributes(uint32_t docId, uint32_t elemId);
void V_ApiSetAttributes(uint32_t docId, uint32_t elemId, const V_AttributesT *attributes);

/* Properties of text, addressed by location (reads) or range (writes). */
V_TypedValT V_ApiGetTextVal(uint32_t docId, const V_TextLocT *loc, int32_t propNum);
V_PropValT V_ApiGetTextPropVal(uint32_t docId, const V_TextLocT *loc, int32_t propNum);
V_PropValsT V_ApiGetTextProps(uint32_t docId, const V_TextLocT *loc);
void V_ApiSetTextVal(uint32_t docId, const V_TextRangeT *range, int32_t propNum, const V_TypedValT *value);
void V_ApiSetTextPropVal(uint32_t docId, const V_TextRangeT *range, const V_PropValT *propVal);
void V_ApiSetTextProps(uint32_t docId, const V_TextRangeT *range, const V_PropValsT *props);

/* ---- Object handles ---- */

uint32_t V_ApiGetNamedObject(uint32_t docId, int32_t objType, const char *name);
uint32_t V_ApiGetUniqueObject(uint32_t docId, int32_t objType, int32_t unique);
uint32_t V_ApiNewNamedObject(uint32_t docId, int32_t objType, const char *name);
uint32_t V_ApiNewGraphicObject(uint32_t docId, int32_t objType, uint32_t objId);
uint32_t V_ApiNewSubObject(uint32_t docId, uint32_t parentId, int32_t objType);
uint32_t V_ApiNewSeriesObject(uint32_t docId, int32_t objType, uint32_t memberId);
uint32_t V_ApiNewAnchoredObject(uint32_t docId, int32_t objType, const V_TextLocT *loc);
uint32_t V_ApiNewAnchoredFormattedObject(uint32_t docId, int32_t objType, const char *format,
                                         const V_TextLocT *loc);
int32_t V_ApiObjectValid(uint32_t docId, uint32_t objId);
int32_t V_ApiDelete(uint32_t docId, uint32_t objId);

/* ---- Session and control ---- */

int32_t V_ApiNotification(int32_t notification, int32_t state);
int32_t V_ApiReturnValue(int32_t value);
int32_t V_ApiClientNumber(void);
StringT V_ApiClientName(void);
StringT V_ApiClientDir(void);
int32_t V_ApiSetClientDir(const char *dir);
int32_t V_ApiCallClient(const char *clientName, const char *message);
int32_t V_ApiSleep(int32_t seconds);
int32_t V_ApiUSleep(int32_t microseconds);
int32_t V_ApiUserCancel(void);
int32_t V_ApiSystemShell(const char *command);
int32_t V_ApiForkAndExec(const char *path, const V_StringsT *args);
/* Reports progress (session property 104); leaves VA_errno as it was. */
int32_t V_Progress(int32_t percent);

/* ---- Menus and commands ---- */

int32_t V_ApiMenuExists(const char *menuName);
int32_t V_ApiShortcutExists(const char *shortcut);
int32_t V_ApiAddMenu(const char *s1, const char *s2, const char *s3);
int32_t V_ApiRemoveMenu(const char *s1, const char *s2);
int32_t V_ApiAddCommand(int32_t cmd, const char *s1, const char *s2, const char *s3, const char *s4);
uint32_t V_ApiDefineCommand(int32_t cmd, const char *name, const char *label, const char *shortcut);
uint32_t V_ApiDefineMenu(const char *name, const char *label);
uint32_t V_ApiDefineAndAddCommand(int32_t cmd, uint32_t menuId, const char *name, const char *label,
                                  const char *shortcut);
uint32_t V_ApiDefineAndAddMenu(uint32_t menuId, const char *name, const char *label);
int32_t V_ApiAddCommandToMenu(uint32_t menuId, uint32_t cmdId);
int32_t V_ApiAddMenuToMenu(uint32_t menuId, uint32_t subMenuId);
int32_t V_ApiLoadMenuCustomizationFile(const char *fileName, int32_t flag);
int32_t V_ApiAnimateMenu(uint32_t id1, uint32_t id2, int32_t i1, const char *s, uint32_t id3, int32_t i2);
uint32_t V_ApiMenuItemInMenu(uint32_t menuId, uint32_t itemId, int32_t flag);

/* ---- Documents and books ----
   Open, save, import, export and book update hand back their return
   parameters through *retParams, which then points at a list held per
   operation until that operation's next call. */

uint32_t V_ApiOpen(const char *fileName, const V_PropValsT *params, V_PropValsT **retParams);
uint32_t V_ApiSave(uint32_t docId, const char *fileName, const V_PropValsT *params,
                   V_PropValsT **retParams);
uint32_t V_ApiImport(uint32_t docId, const V_TextLocT *loc, const char *fileName,
                     const V_PropValsT *params, V_PropValsT **retParams);
int32_t V_ApiExport(uint32_t docId, const char *fileName, const V_PropValsT *params,
                    V_PropValsT **retParams);
int32_t V_ApiUpdateBook(uint32_t bookId, const V_PropValsT *params, V_PropValsT **retParams);
uint32_t V_ApiCustomDoc(int32_t v1, int32_t v2, int32_t v3, int32_t v4, int32_t v5, int32_t v6,
                        int32_t v7, int32_t v8, int32_t v9, int32_t v10);
int32_t V_ApiClose(uint32_t docId, int32_t flags);
int32_t V_ApiSilentPrintDoc(uint32_t docId);
int32_t V_ApiSimpleImportFormats(uint32_t docId, uint32_t fromDocId, int32_t flags);
int32_t V_ApiSimpleImportElementDefs(uint32_t docId, uint32_t fromDocId, int32_t flags);
int32_t V_ApiSimpleGenerate(uint32_t bookId, int32_t i1, int32_t i2);
V_CompareRetT V_ApiCompare(uint32_t olderDocId, uint32_t newerDocId, int32_t flags, const char *s1,
                           const char *s2, const char *s3, int32_t threshold);
int32_t V_ApiUpdateXRefs(uint32_t docId, int32_t flags);
int32_t V_ApiUpdateTextInset(uint32_t docId, uint32_t insetId);
int32_t V_ApiDeleteTextInsetContents(uint32_t docId, uint32_t insetId);
int32_t V_ApiApplyPageLayout(uint32_t docId, uint32_t id1, uint32_t id2);
uint32_t V_ApiCacheDocument(uint32_t docId);
int32_t V_ApiHypertextCommand(uint32_t id, const char *command);
int32_t V_ApiRestartPgfNumbering(uint32_t docId);
int32_t V_ApiResetReferenceFrames(uint32_t docId);
int32_t V_ApiRehyphenate(uint32_t docId);
int32_t V_ApiReformat(uint32_t docId);
int32_t V_ApiRedisplay(uint32_t docId);
int32_t V_ApiClearAllChangebars(uint32_t docId);
int32_t V_ApiResetEqnSettings(uint32_t docId);
int32_t V_ApiUpdateVariables(uint32_t docId);

/* ---- Text and clipboard ---- */

TextItemsT V_ApiGetText(uint32_t docId, uint32_t objId, uint32_t flags);
TextItemsT V_ApiGetText2(uint32_t docId, uint32_t objId, uint32_t flags, uint32_t flags2);
TextItemsT V_ApiGetTextForRange(uint32_t docId, const V_TextRangeT *range, uint32_t flags);
TextItemsT V_ApiGetTextForRange2(uint32_t docId, const V_TextRangeT *range, uint32_t flags,
                                 uint32_t flags2);
V_TextLocT V_ApiAddText(uint32_t docId, const V_TextLocT *loc, const char *text);
int32_t V_ApiDeleteText(uint32_t docId, const V_TextRangeT *range);
int32_t V_ApiReplaceText(uint32_t docId, const V_TextRangeT *range, const char *text);
V_TextRangeT V_ApiFind(uint32_t docId, const V_TextLocT *start, const V_PropValsT *params);
int32_t V_ApiScrollToText(uint32_t docId, const V_TextRangeT *range);
int32_t V_ApiCenterOnText(uint32_t docId, const V_TextRangeT *range);
int32_t V_ApiCut(uint32_t docId, int32_t flags);
int32_t V_ApiCopy(uint32_t docId, int32_t flags);
int32_t V_ApiPaste(uint32_t docId, int32_t flags);
int32_t V_ApiClear(uint32_t docId, int32_t flags);
void V_ApiPushClipboard(void);
int32_t V_ApiPopClipboard(void);

/* ---- Dialogs, alerts and prompts ----
   A prompt returns 0 and stores the answer through its first parameter, or
   returns -1 (cancelled or failed) and leaves it untouched. */

int32_t V_ApiAlert(const char *message, int32_t type);
int32_t V_ApiPromptInt(int32_t *answer, const char *message, const char *stuffVal);
int32_t V_ApiPromptMetric(int32_t *answer, const char *message, const char *stuffVal, int32_t units);
int32_t V_ApiPromptString(StringT *answer, const char *message, const char *stuffVal);
int32_t V_ApiChooseFile(StringT *answer, const char *title, const char *dir, const char *stuffVal,
                        int32_t mode, const char *helpLink);
int32_t oldV_ApiChooseFile(StringT *answer, const char *title, const char *dir, const char *stuffVal,
                           int32_t mode);
int32_t V_ApiFileScrollBox(StringT *answer, const char *title, const char *dir);
int32_t V_ApiScrollBox(int32_t *answer, const char *title, const V_StringsT *items, int32_t defaultItem);
V_PointT V_ApiPromptPoint(uint32_t id1, uint32_t id2, int32_t flags);
RectT V_ApiPromptRect(uint32_t id1, uint32_t id2, int32_t flags);
/* With a non-zero dialog number, serves the host's callbacks until the
   dialog ends and returns its result. */
int32_t V_ApiModalDialog(int32_t dialogNum, uint32_t resourceId);
int32_t V_ApiModelessDialog(int32_t dialogNum, uint32_t resourceId);
uint32_t V_ApiDialogItemId(uint32_t dialogId, int32_t item);
uint32_t V_ApiOpenResource(int32_t resourceType, const char *name);
int32_t V_ApiFcodes(int32_t count, const int32_t *fcodes);

/* ---- Tables ---- */

uint32_t V_ApiNewTable(uint32_t docId, const char *format, int32_t numCols, int32_t numBodyRows,
                       int32_t numHeaderRows, int32_t numFooterRows, const V_TextLocT *loc);
int32_t V_ApiAddRows(uint32_t docId, uint32_t refRowId, int32_t direction, int32_t numNewRows);
int32_t V_ApiAddCols(uint32_t docId, uint32_t tblId, int32_t refCol, int32_t direction,
                     int32_t numNewCols);
int32_t V_ApiDeleteRows(uint32_t docId, uint32_t tblId, uint32_t rowId, int32_t numRows);
int32_t V_ApiDeleteCols(uint32_t docId, uint32_t tblId, int32_t firstCol, int32_t numCols);
int32_t V_ApiMakeTblSelection(uint32_t docId, uint32_t tblId, int32_t topRow, int32_t bottomRow,
                              int32_t leftCol, int32_t rightCol);
int32_t V_ApiStraddleCells(uint32_t docId, uint32_t cellId, int32_t numRows, int32_t numCols);
int32_t V_ApiUnStraddleCells(uint32_t docId, uint32_t cellId, int32_t numRows, int32_t numCols);

/* ---- Structured elements ---- */

uint32_t V_ApiNewElement(uint32_t docId, uint32_t elemDefId, const V_TextLocT *loc);
uint32_t V_ApiNewElementInHierarchy(uint32_t docId, uint32_t elemDefId, const V_ElementLocT *loc);
uint32_t V_ApiNewBookComponentInHierarchy(uint32_t bookId, const char *fileName,
                                          const V_ElementLocT *loc);
V_TextLocT V_ApiElementLocToTextLoc(uint32_t docId, const V_ElementLocT *loc);
V_ElementLocT V_ApiTextLocToElementLoc(uint32_t docId, const V_TextLocT *loc);
int32_t V_ApiDeleteUndefinedAttribute(uint32_t docId, const char *attrName, int32_t flags,
                                      uint32_t elemDefId);
void V_ApiWrapElement(uint32_t docId, uint32_t elemDefId);
void V_ApiMergeIntoFirst(uint32_t docId);
void V_ApiMergeIntoLast(uint32_t docId);
void V_ApiSplitElement(uint32_t docId);
void V_ApiUnWrapElement(uint32_t docId);
void V_ApiPromoteElement(uint32_t docId);
void V_ApiDemoteElement(uint32_t docId);

/* ---- Fonts and text encodings ---- */

V_FontsT V_ApiFamilyFonts(int32_t family);
V_CombinedFontsT V_ApiCombinedFamilyFonts(uint32_t combinedFamilyId);
int32_t V_ApiIsEncodingSupported(const char *encoding);
V_StringsT V_ApiGetSupportedEncodings(void);
StringT V_ApiGetEncodingForFamily(int32_t family);
StringT V_ApiGetEncodingForFont(const V_FontT *font);

/* ---- Spelling, dictionaries, thesaurus, hyphenation ---- */

V_TextRangeT V_ApiSpell(uint32_t docId, const V_TextLocT *start, const V_PropValsT *params,
                        int32_t *status, V_StringsT *suggestions);
int32_t V_ApiDictionary(uint32_t id, const char *text, int32_t value, int32_t operation,
                        V_StringsT *strings);
/* Any operation but 9, which is refused with -43 (use V_ApiGetDictionaryStrings). */
int32_t V_ApiDictionaryOperation(uint32_t id, const char *text, int32_t value, int32_t operation);
V_StringsT V_ApiGetDictionaryStrings(uint32_t id, int32_t value);
int32_t V_ApiModifyDictionary(uint32_t id, int32_t i1, int32_t i2, const char *word);
int32_t V_ApiResetSpelling(uint32_t docId);
int32_t V_ApiThesaurus(int32_t value, const char *word, V_StringsT *list1, V_StringsT *list2,
                       V_StringsT *list3, V_StringsT *list4);
StringT V_ApiShowHyphenation(const char *word);

/* ---- Selection, display and palette ---- */

int32_t V_ApiQuickSelect(uint32_t docId, const char *title, const V_StringsT *items);
int32_t V_ApiUserInteractSelection(int32_t mode);
int32_t V_ApiCenterOnGraphicObject(uint32_t docId, uint32_t objId);
int32_t V_ApiChangeColorPalette(uint32_t id1, const V_MetricsT *m1, uint32_t id2, const V_MetricsT *m2,
                                uint32_t id3, const V_MetricsT *m3, uint32_t id4, const V_MetricsT *m4,
                                const V_MetricsT *m5, uint32_t id5);

/* ---- Session ----
   Ends the attachment to a session: the loop of V_ApiService stops
   (VA_bailout) even when the call itself failed. */
int32_t V_ApiDisconnectFromSession(void);

#pragma GCC visibility pop
#ifdef __cplusplus
}
#endif

#endif
