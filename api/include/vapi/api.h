/** @file
 * The host call layer: one function per host operation.
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

/** What V_ApiCompare returns: the two objects the host's comparison made. */
typedef struct V_CompareRetT {
    uint32_t id1; /**< The first document the comparison made. */
    uint32_t id2; /**< The second document the comparison made. */
} V_CompareRetT;

/** @name Property access by object and property number or name */
/** @{ */

/** Reads integer property propNum of object objId in document docId (0, 0 for
   the session). Returns 0 on failure (VA_errno says why). */
int32_t V_ApiGetInt(uint32_t docId, uint32_t objId, int32_t propNum);
/** Reads the integer property named propName. Returns 0 on failure (VA_errno
   says why). */
int32_t V_ApiGetIntByName(uint32_t docId, uint32_t objId, const char *propName);
/** Sets integer property propNum of object objId in document docId. A failure
   shows only in VA_errno. */
void V_ApiSetInt(uint32_t docId, uint32_t objId, int32_t propNum, int32_t value);
/** Sets the integer property named propName. A failure shows only in
   VA_errno. */
void V_ApiSetIntByName(uint32_t docId, uint32_t objId, const char *propName, int32_t value);
/** Reads metric property propNum. Returns 0 on failure (VA_errno says why). */
int32_t V_ApiGetMetric(uint32_t docId, uint32_t objId, int32_t propNum);
/** Reads the metric property named propName. Returns 0 on failure (VA_errno
   says why). */
int32_t V_ApiGetMetricByName(uint32_t docId, uint32_t objId, const char *propName);
/** Sets metric property propNum. A failure shows only in VA_errno. */
void V_ApiSetMetric(uint32_t docId, uint32_t objId, int32_t propNum, int32_t value);
/** Sets the metric property named propName. A failure shows only in VA_errno. */
void V_ApiSetMetricByName(uint32_t docId, uint32_t objId, const char *propName, int32_t value);
/** Reads object-id property propNum (such as VX_PROP_NEXT_PARAGRAPH). Returns
   0 for none and on failure (VA_errno says which). */
uint32_t V_ApiGetId(uint32_t docId, uint32_t objId, int32_t propNum);
/** Sets object-id property propNum. A failure shows only in VA_errno. */
void V_ApiSetId(uint32_t docId, uint32_t objId, int32_t propNum, uint32_t value);
/** Reads string property propNum (such as VX_PROP_FORMAT_TAG). Returns a new
   string, the caller's to free with V_ApiDeallocateString() or V_Free(); ""
   when the host has none; null on failure. */
StringT V_ApiGetString(uint32_t docId, uint32_t objId, int32_t propNum);
/** Sets string property propNum (a null value is sent as ""). A failure shows
   only in VA_errno. */
void V_ApiSetString(uint32_t docId, uint32_t objId, int32_t propNum, const char *value);
/** Reads string-list property propNum. Returns a deep copy, the caller's to
   release with V_ApiDeallocateStrings(); the empty record on failure. */
V_StringsT V_ApiGetStrings(uint32_t docId, uint32_t objId, int32_t propNum);
/** Sets string-list property propNum. A failure shows only in VA_errno. */
void V_ApiSetStrings(uint32_t docId, uint32_t objId, int32_t propNum, const V_StringsT *value);
/** Reads metric-list property propNum. Returns a deep copy, the caller's to
   release with V_ApiDeallocateMetrics(); the empty record on failure. */
V_MetricsT V_ApiGetMetrics(uint32_t docId, uint32_t objId, int32_t propNum);
/** Sets metric-list property propNum. A failure shows only in VA_errno. */
void V_ApiSetMetrics(uint32_t docId, uint32_t objId, int32_t propNum, const V_MetricsT *value);
/** Reads integer-list property propNum. Returns a deep copy, the caller's to
   release with V_ApiDeallocateInts(); the empty record on failure. */
V_IntsT V_ApiGetInts(uint32_t docId, uint32_t objId, int32_t propNum);
/** Sets integer-list property propNum. A failure shows only in VA_errno. */
void V_ApiSetInts(uint32_t docId, uint32_t objId, int32_t propNum, const V_IntsT *value);
/** Reads point-list property propNum. Returns a deep copy, the caller's to
   release with V_ApiDeallocatePoints(); the empty record on failure. */
V_PointsT V_ApiGetPoints(uint32_t docId, uint32_t objId, int32_t propNum);
/** Sets point-list property propNum. A failure shows only in VA_errno. */
void V_ApiSetPoints(uint32_t docId, uint32_t objId, int32_t propNum, const V_PointsT *value);
/** Reads tab-stop property propNum. Returns a deep copy, the caller's to
   release with V_ApiDeallocateTabs(); the empty record on failure. */
V_TabsT V_ApiGetTabs(uint32_t docId, uint32_t objId, int32_t propNum);
/** Sets tab-stop property propNum. A failure shows only in VA_errno. */
void V_ApiSetTabs(uint32_t docId, uint32_t objId, int32_t propNum, const V_TabsT *value);
/** Reads the byte-list property named propName. Returns a deep copy, the
   caller's to release with V_ApiDeallocateUBytes(); the empty record on
   failure. */
V_UBytesT V_ApiGetUBytesByName(uint32_t docId, uint32_t objId, const char *propName);
/** Sets the byte-list property named propName. A failure shows only in
   VA_errno. */
void V_ApiSetUBytesByName(uint32_t docId, uint32_t objId, const char *propName, const V_UBytesT *value);
/** Reads text-location property propNum. Returns the record by value (nothing
   to release); the all-zero record on failure. */
V_TextLocT V_ApiGetTextLoc(uint32_t docId, uint32_t objId, int32_t propNum);
/** Sets text-location property propNum. A failure shows only in VA_errno. */
void V_ApiSetTextLoc(uint32_t docId, uint32_t objId, int32_t propNum, const V_TextLocT *value);
/** Reads text-range property propNum (such as VX_PROP_SELECTION of a
   document). Returns the record by value (nothing to release); the all-zero
   record on failure. */
V_TextRangeT V_ApiGetTextRange(uint32_t docId, uint32_t objId, int32_t propNum);
/** Sets text-range property propNum (such as the selection). A failure shows
   only in VA_errno. */
void V_ApiSetTextRange(uint32_t docId, uint32_t objId, int32_t propNum, const V_TextRangeT *value);
/** Reads element-range property propNum. Returns the record by value (nothing
   to release); the all-zero record on failure. */
V_ElementRangeT V_ApiGetElementRange(uint32_t docId, uint32_t objId, int32_t propNum);
/** Sets element-range property propNum. A failure shows only in VA_errno. */
void V_ApiSetElementRange(uint32_t docId, uint32_t objId, int32_t propNum, const V_ElementRangeT *value);
/** Reads property propNum as a typed value, whatever its type. Returns a deep
   copy, the caller's to release with V_ApiDeallocateVal(); the empty record
   on failure. */
V_TypedValT V_ApiGetVal(uint32_t docId, uint32_t objId, int32_t propNum);
/** Sets property propNum to a typed value. A failure shows only in VA_errno. */
void V_ApiSetVal(uint32_t docId, uint32_t objId, int32_t propNum, const V_TypedValT *value);
/** Reads property propNum with its identifier. Returns a deep copy, the
   caller's to release with V_ApiDeallocatePropVal(); the empty record on
   failure. */
V_PropValT V_ApiGetPropVal(uint32_t docId, uint32_t objId, int32_t propNum);
/** Sets the property that propVal names to its value. A failure shows only in
   VA_errno. */
void V_ApiSetPropVal(uint32_t docId, uint32_t objId, const V_PropValT *propVal);
/** Reads every property of the object as a property list. Returns a deep
   copy, the caller's to release with V_ApiDeallocatePropVals(); the empty
   record on failure. */
V_PropValsT V_ApiGetProps(uint32_t docId, uint32_t objId);
/** Sets every property of the list on the object. A failure shows only in
   VA_errno. */
void V_ApiSetProps(uint32_t docId, uint32_t objId, const V_PropValsT *props);
/** Removes the property named propName from the object. A failure shows only
   in VA_errno. */
void V_ApiDeletePropByName(uint32_t docId, uint32_t objId, const char *propName);

/** Properties with a fixed number: element catalogue, attribute definitions,
   attributes. */
V_ElementCatalogEntriesT V_ApiGetElementCatalog(uint32_t docId);
/** Reads the attribute definitions of element definition elemDefId. Returns a
   deep copy, the caller's to release with V_ApiDeallocateAttributeDefs(); the
   empty record on failure. */
V_AttributeDefsT V_ApiGetAttributeDefs(uint32_t docId, uint32_t elemDefId);
/** Sets the attribute definitions of element definition elemDefId. A failure
   shows only in VA_errno. */
void V_ApiSetAttributeDefs(uint32_t docId, uint32_t elemDefId, const V_AttributeDefsT *defs);
/** Reads the attributes of element elemId. Returns a deep copy, the caller's
   to release with V_ApiDeallocateAttributes(); the empty record on failure. */
V_AttributesT V_ApiGetAttributes(uint32_t docId, uint32_t elemId);
/** Sets the attributes of element elemId. A failure shows only in VA_errno. */
void V_ApiSetAttributes(uint32_t docId, uint32_t elemId, const V_AttributesT *attributes);

/** Properties of text, addressed by location (reads) or range (writes). */
V_TypedValT V_ApiGetTextVal(uint32_t docId, const V_TextLocT *loc, int32_t propNum);
/** Reads property propNum of the text at loc with its identifier. Returns a
   deep copy, the caller's to release with V_ApiDeallocatePropVal(); the empty
   record on failure. */
V_PropValT V_ApiGetTextPropVal(uint32_t docId, const V_TextLocT *loc, int32_t propNum);
/** Reads every property of the text at loc. Returns a deep copy, the caller's
   to release with V_ApiDeallocatePropVals(); the empty record on failure. */
V_PropValsT V_ApiGetTextProps(uint32_t docId, const V_TextLocT *loc);
/** Sets property propNum of the text in range to a typed value. A failure
   shows only in VA_errno. */
void V_ApiSetTextVal(uint32_t docId, const V_TextRangeT *range, int32_t propNum, const V_TypedValT *value);
/** Sets the property that propVal names on the text in range. A failure shows
   only in VA_errno. */
void V_ApiSetTextPropVal(uint32_t docId, const V_TextRangeT *range, const V_PropValT *propVal);
/** Sets every property of the list on the text in range. A failure shows only
   in VA_errno. */
void V_ApiSetTextProps(uint32_t docId, const V_TextRangeT *range, const V_PropValsT *props);

/** @} */
/** @name Object handles */
/** @{ */

/** Finds the object of type objType named name in document docId (0: the
   session, for menus and commands). Returns its id, or 0 when there is none
   or on failure (VA_errno says which). */
uint32_t V_ApiGetNamedObject(uint32_t docId, int32_t objType, const char *name);
/** Finds the object of type objType by its unique number. Returns its id, or
   0 on failure (VA_errno says why). */
uint32_t V_ApiGetUniqueObject(uint32_t docId, int32_t objType, int32_t unique);
/** Makes a named object of type objType in document docId. Returns its id, or
   0 on failure (VA_errno says why). */
uint32_t V_ApiNewNamedObject(uint32_t docId, int32_t objType, const char *name);
/** Makes a graphic object of type objType in the frame objId. Returns its id,
   or 0 on failure (VA_errno says why). */
uint32_t V_ApiNewGraphicObject(uint32_t docId, int32_t objType, uint32_t objId);
/** Makes an object of type objType under parentId. Returns its id, or 0 on
   failure (VA_errno says why). */
uint32_t V_ApiNewSubObject(uint32_t docId, uint32_t parentId, int32_t objType);
/** Makes an object of type objType in the series of memberId, after it.
   Returns its id, or 0 on failure (VA_errno says why). */
uint32_t V_ApiNewSeriesObject(uint32_t docId, int32_t objType, uint32_t memberId);
/** Makes an object of type objType anchored at loc. Returns its id, or 0 on
   failure (VA_errno says why). */
uint32_t V_ApiNewAnchoredObject(uint32_t docId, int32_t objType, const V_TextLocT *loc);
/** Makes an object of type objType and format format anchored at loc. Returns
   its id, or 0 on failure (VA_errno says why). */
uint32_t V_ApiNewAnchoredFormattedObject(uint32_t docId, int32_t objType, const char *format,
                                         const V_TextLocT *loc);
/** Tells whether objId is a valid object of document docId. Returns 1
   when it is, 0 when it is not or the call failed (VA_errno says which). */
int32_t V_ApiObjectValid(uint32_t docId, uint32_t objId);
/** Deletes object objId of document docId. Returns 0, or the host's status
   (also stored in VA_errno), or -1 when the call failed. */
int32_t V_ApiDelete(uint32_t docId, uint32_t objId);

/** @} */
/** @name Session and control */
/** @{ */

/** Asks the host for notification (state 1) or stops it (state 0); the host
   then calls V_ApiNotify(). Returns 0, or the host's status (also stored in
   VA_errno), or -1 when the call failed. */
int32_t V_ApiNotification(int32_t notification, int32_t state);
/** Hands the host a value while the client handles a notification
   (VX_RETURN_HANDLED after handling a function code). Returns the host's
   answer, or 0 when the call failed. */
int32_t V_ApiReturnValue(int32_t value);
/** This client's number as the host knows it. Returns the host's answer, or
   -1 when the call failed. */
int32_t V_ApiClientNumber(void);
/** This client's name as the host knows it. Returns a new string, the
   caller's to free with V_ApiDeallocateString(); null on failure. */
StringT V_ApiClientName(void);
/** This client's directory as the host knows it. Returns a new string, the
   caller's to free with V_ApiDeallocateString(); null on failure. */
StringT V_ApiClientDir(void);
/** Sets this client's directory. Returns the host's answer, or -1 when the
   call failed. */
int32_t V_ApiSetClientDir(const char *dir);
/** Sends message to the client named clientName (its V_ApiMessage()). Returns
   the host's answer, 0 on failure (VA_errno says why). */
int32_t V_ApiCallClient(const char *clientName, const char *message);
/** Lets the host wait the given seconds. Returns 0, or the seconds asked
   for when the call failed (VA_errno -1). */
int32_t V_ApiSleep(int32_t seconds);
/** Lets the host wait the given microseconds. Returns 0, or the
   microseconds asked for when the call failed (VA_errno -1). */
int32_t V_ApiUSleep(int32_t microseconds);
/** Tells whether the user asked to cancel. Returns the host's answer, or -1
   when the call failed. */
int32_t V_ApiUserCancel(void);
/** Has the host run a shell command. Returns the host's answer, or -1 when
   the call failed. */
int32_t V_ApiSystemShell(const char *command);
/** Has the host start program path with args. Returns the host's answer, or
   -1 when the call failed. */
int32_t V_ApiForkAndExec(const char *path, const V_StringsT *args);
/** Reports progress (session property 104); leaves VA_errno as it was. */
int32_t V_Progress(int32_t percent);

/** @} */
/** @name Menus and commands */
/** @{ */

/** Tells whether a menu named menuName exists. Returns the host's answer
   (non-zero: it exists), -1 when the call failed; never stores a host status. */
int32_t V_ApiMenuExists(const char *menuName);
/** Tells whether a keyboard shortcut is taken. Returns the host's answer
   (non-zero: taken), -1 when the call failed; never stores a host status. */
int32_t V_ApiShortcutExists(const char *shortcut);
/** Adds a menu by the host's three strings (older form of
   V_ApiDefineAndAddMenu()). Returns 0, or the host's status (also stored in
   VA_errno), or -1 when the call failed. */
int32_t V_ApiAddMenu(const char *s1, const char *s2, const char *s3);
/** Removes a menu by the host's two strings. Returns 0, or the host's status
   (also stored in VA_errno), or -1 when the call failed. */
int32_t V_ApiRemoveMenu(const char *s1, const char *s2);
/** Adds command cmd by the host's four strings (older form of
   V_ApiDefineAndAddCommand()). Returns 0, or the host's status (also stored
   in VA_errno), or -1 when the call failed. */
int32_t V_ApiAddCommand(int32_t cmd, const char *s1, const char *s2, const char *s3, const char *s4);
/** Defines command cmd with a name, a label and a shortcut (may be ""), in no
   menu yet. Returns its id, or 0 on failure (VA_errno says why). */
uint32_t V_ApiDefineCommand(int32_t cmd, const char *name, const char *label, const char *shortcut);
/** Defines a menu with a name and a label, in no menu yet. Returns its id, or
   0 on failure (VA_errno says why). */
uint32_t V_ApiDefineMenu(const char *name, const char *label);
/** Defines command cmd (the number V_ApiCommand() will receive) with a name,
   a label and a shortcut (may be ""), and adds it at the end of menu menuId.
   Returns its id, or 0 on failure (VA_errno says why). */
uint32_t V_ApiDefineAndAddCommand(int32_t cmd, uint32_t menuId, const char *name, const char *label,
                                  const char *shortcut);
/** Defines a menu with a name and a label and adds it at the end of menu
   menuId. Returns its id, or 0 on failure (VA_errno says why). */
uint32_t V_ApiDefineAndAddMenu(uint32_t menuId, const char *name, const char *label);
/** Adds command cmdId at the end of menu menuId. Returns 0, or the host's
   status (also stored in VA_errno), or -1 when the call failed. */
int32_t V_ApiAddCommandToMenu(uint32_t menuId, uint32_t cmdId);
/** Adds menu subMenuId at the end of menu menuId. Returns 0, or the host's
   status (also stored in VA_errno), or -1 when the call failed. */
int32_t V_ApiAddMenuToMenu(uint32_t menuId, uint32_t subMenuId);
/** Has the host load a menu customisation file. Returns 0, or the host's
   status (also stored in VA_errno), or -1 when the call failed. */
int32_t V_ApiLoadMenuCustomizationFile(const char *fileName, int32_t flag);
/** Passes the host's menu animation request through. Returns 0, or the host's
   status (also stored in VA_errno), or -1 when the call failed. */
int32_t V_ApiAnimateMenu(uint32_t id1, uint32_t id2, int32_t i1, const char *s, uint32_t id3, int32_t i2);
/** Asks whether item itemId is in menu menuId. Returns the item's id, or 0 on
   failure (VA_errno says why). */
uint32_t V_ApiMenuItemInMenu(uint32_t menuId, uint32_t itemId, int32_t flag);

/** @} */
/** @name Documents and books
 * Open, save, import, export and book update hand back their return
 * parameters through *retParams, which then points at a list held per
 * operation until that operation's next call.
 */
/** @{ */

/** Opens fileName with the open parameters params (see
   V_ApiGetOpenDefaultParams()). Returns the document's id, 0 on failure
   (VA_errno says why). On an answer *retParams points to the return
   parameters, held until this operation's next call. */
uint32_t V_ApiOpen(const char *fileName, const V_PropValsT *params, V_PropValsT **retParams);
/** Saves document docId as fileName with the save parameters params. Returns
   the document's id, 0 on failure (VA_errno says why). On an answer
   *retParams points to the return parameters, held until this operation's
   next call. */
uint32_t V_ApiSave(uint32_t docId, const char *fileName, const V_PropValsT *params,
                   V_PropValsT **retParams);
/** Imports fileName into document docId at loc with the import parameters
   params. Returns the imported object's id, 0 on failure (VA_errno says why).
   On an answer *retParams points to the return parameters, held until this
   operation's next call. */
uint32_t V_ApiImport(uint32_t docId, const V_TextLocT *loc, const char *fileName,
                     const V_PropValsT *params, V_PropValsT **retParams);
/** Exports document docId to fileName with the export parameters params.
   Returns the host's status, 0 when the call failed (VA_errno -1). On an
   answer *retParams points to the return parameters, held until this
   operation's next call. */
int32_t V_ApiExport(uint32_t docId, const char *fileName, const V_PropValsT *params,
                    V_PropValsT **retParams);
/** Updates book bookId with the update parameters params. Returns the host's
   status, -1 when the call failed. On an answer *retParams points to the
   return parameters, held until this operation's next call. */
int32_t V_ApiUpdateBook(uint32_t bookId, const V_PropValsT *params, V_PropValsT **retParams);
/** Makes a new custom document from the host's ten values. Returns its id, or
   0 on failure (VA_errno says why). */
uint32_t V_ApiCustomDoc(int32_t v1, int32_t v2, int32_t v3, int32_t v4, int32_t v5, int32_t v6,
                        int32_t v7, int32_t v8, int32_t v9, int32_t v10);
/** Closes document docId (flags: VX_CLOSE_NO_PROMPT). Returns 0, or the
   host's status (also stored in VA_errno), or -1 when the call failed. */
int32_t V_ApiClose(uint32_t docId, int32_t flags);
/** Prints document docId with its current print settings. Returns 0, or the
   host's status (also stored in VA_errno), or -1 when the call failed. */
int32_t V_ApiSilentPrintDoc(uint32_t docId);
/** Imports the formats of document fromDocId into docId. Returns 0, or the
   host's status (also stored in VA_errno), or -1 when the call failed. */
int32_t V_ApiSimpleImportFormats(uint32_t docId, uint32_t fromDocId, int32_t flags);
/** Imports the element definitions of fromDocId into docId. Returns 0, or the
   host's status (also stored in VA_errno), or -1 when the call failed. */
int32_t V_ApiSimpleImportElementDefs(uint32_t docId, uint32_t fromDocId, int32_t flags);
/** Generates the generated files of book bookId. Returns 0, or the host's
   status (also stored in VA_errno), or -1 when the call failed. */
int32_t V_ApiSimpleGenerate(uint32_t bookId, int32_t i1, int32_t i2);
/** Compares two versions of a document and makes the host's comparison
   documents. Returns the two ids the host made; both 0 on failure (VA_errno
   says why). */
V_CompareRetT V_ApiCompare(uint32_t olderDocId, uint32_t newerDocId, int32_t flags, const char *s1,
                           const char *s2, const char *s3, int32_t threshold);
/** Updates the cross-references of document docId. Returns 0, or the host's
   status (also stored in VA_errno), or -1 when the call failed. */
int32_t V_ApiUpdateXRefs(uint32_t docId, int32_t flags);
/** Updates text inset insetId. Returns 0, or the host's status (also stored
   in VA_errno), or -1 when the call failed. */
int32_t V_ApiUpdateTextInset(uint32_t docId, uint32_t insetId);
/** Empties text inset insetId. Returns 0, or the host's status (also stored
   in VA_errno), or -1 when the call failed. */
int32_t V_ApiDeleteTextInsetContents(uint32_t docId, uint32_t insetId);
/** Applies a page layout to document docId. Returns 0, or the host's status
   (also stored in VA_errno), or -1 when the call failed. */
int32_t V_ApiApplyPageLayout(uint32_t docId, uint32_t id1, uint32_t id2);
/** Has the host keep document docId in its cache. Returns its id, or 0 on
   failure (VA_errno says why). */
uint32_t V_ApiCacheDocument(uint32_t docId);
/** Runs a hypertext command on object id. Returns 0, or the host's status
   (also stored in VA_errno), or -1 when the call failed. */
int32_t V_ApiHypertextCommand(uint32_t id, const char *command);
/** Restarts the paragraph numbering of document docId. Returns 0, or the
   host's status (also stored in VA_errno), or -1 when the call failed. */
int32_t V_ApiRestartPgfNumbering(uint32_t docId);
/** Resets the reference frames of document docId. Returns 0, or the host's
   status (also stored in VA_errno), or -1 when the call failed. */
int32_t V_ApiResetReferenceFrames(uint32_t docId);
/** Rehyphenates document docId. Returns 0, or the host's status (also stored
   in VA_errno), or -1 when the call failed. */
int32_t V_ApiRehyphenate(uint32_t docId);
/** Reformats document docId. Returns 0, or the host's status (also stored in
   VA_errno), or -1 when the call failed. */
int32_t V_ApiReformat(uint32_t docId);
/** Redraws document docId (after edits made with the display off). Returns 0,
   or the host's status (also stored in VA_errno), or -1 when the call failed. */
int32_t V_ApiRedisplay(uint32_t docId);
/** Clears the change bars of document docId. Returns 0, or the host's status
   (also stored in VA_errno), or -1 when the call failed. */
int32_t V_ApiClearAllChangebars(uint32_t docId);
/** Resets the equation settings of document docId. Returns 0, or the host's
   status (also stored in VA_errno), or -1 when the call failed. */
int32_t V_ApiResetEqnSettings(uint32_t docId);
/** Updates the variables of document docId. Returns 0, or the host's status
   (also stored in VA_errno), or -1 when the call failed. */
int32_t V_ApiUpdateVariables(uint32_t docId);

/** @} */
/** @name Text and clipboard */
/** @{ */

/** Reads the text of object objId (a paragraph) as text items; flags selects
   the kinds (VX_TEXT_ITEM_STRING: string items). Returns a deep copy, the
   caller's to release with V_ApiDeallocateTextItems(); the empty record on
   failure. */
TextItemsT V_ApiGetText(uint32_t docId, uint32_t objId, uint32_t flags);
/** V_ApiGetText() with a second selection word. Returns a deep copy, the
   caller's to release with V_ApiDeallocateTextItems(); the empty record on
   failure. */
TextItemsT V_ApiGetText2(uint32_t docId, uint32_t objId, uint32_t flags, uint32_t flags2);
/** Reads the text in range as text items; flags selects the kinds. Returns a
   deep copy, the caller's to release with V_ApiDeallocateTextItems(); the
   empty record on failure. */
TextItemsT V_ApiGetTextForRange(uint32_t docId, const V_TextRangeT *range, uint32_t flags);
/** V_ApiGetTextForRange() with a second selection word. Returns a deep copy,
   the caller's to release with V_ApiDeallocateTextItems(); the empty record
   on failure. */
TextItemsT V_ApiGetTextForRange2(uint32_t docId, const V_TextRangeT *range, uint32_t flags,
                                 uint32_t flags2);
/** Inserts text at loc ("\n" splits the paragraph). Returns the location the
   host reports after the text; the all-zero location on failure. */
V_TextLocT V_ApiAddText(uint32_t docId, const V_TextLocT *loc, const char *text);
/** Deletes the text in range. Returns 0, or the host's status (also stored in
   VA_errno), or -1 when the call failed. */
int32_t V_ApiDeleteText(uint32_t docId, const V_TextRangeT *range);
/** Replaces the text in range by text. Returns 0, or the host's status (also
   stored in VA_errno); 0 also when the call failed (VA_errno -1). */
int32_t V_ApiReplaceText(uint32_t docId, const V_TextRangeT *range, const char *text);
/** Finds text from start with the find parameters params. Returns the range
   found; the all-zero range when nothing is found or on failure. */
V_TextRangeT V_ApiFind(uint32_t docId, const V_TextLocT *start, const V_PropValsT *params);
/** Scrolls document docId to show range. Returns 0, or the host's status
   (also stored in VA_errno), or -1 when the call failed. */
int32_t V_ApiScrollToText(uint32_t docId, const V_TextRangeT *range);
/** Scrolls document docId to centre range. Returns 0, or the host's status
   (also stored in VA_errno), or -1 when the call failed. */
int32_t V_ApiCenterOnText(uint32_t docId, const V_TextRangeT *range);
/** Cuts the selection of document docId to the clipboard (flags:
   VX_CLIPBOARD_PLAIN). Returns 0, or the host's status (also stored in
   VA_errno), or -1 when the call failed. */
int32_t V_ApiCut(uint32_t docId, int32_t flags);
/** Copies the selection of document docId to the clipboard. Returns 0, or the
   host's status (also stored in VA_errno), or -1 when the call failed. */
int32_t V_ApiCopy(uint32_t docId, int32_t flags);
/** Pastes the clipboard at the selection of document docId. Returns 0, or the
   host's status (also stored in VA_errno), or -1 when the call failed. */
int32_t V_ApiPaste(uint32_t docId, int32_t flags);
/** Deletes the selection of document docId without the clipboard. Returns 0,
   or the host's status (also stored in VA_errno), or -1 when the call failed. */
int32_t V_ApiClear(uint32_t docId, int32_t flags);
/** Saves the clipboard on the host's clipboard stack. A failure shows only in
   VA_errno. */
void V_ApiPushClipboard(void);
/** Restores the clipboard from the host's clipboard stack. Returns 0, or the
   host's status (also stored in VA_errno), or -1 when the call failed. */
int32_t V_ApiPopClipboard(void);

/** @} */
/** @name Dialogs, alerts and prompts
 * A prompt returns 0 and stores the answer through its first parameter, or
 * returns -1 (cancelled or failed) and leaves it untouched.
 */
/** @{ */

/** Shows message in an alert of the given type (VX_ALERT_NOTE). Returns the
   host's answer (0 once the user confirmed), -1 when the call failed; never
   stores a host status. */
int32_t V_ApiAlert(const char *message, int32_t type);
/** Asks the user for an integer; stuffVal is the text offered. Returns 0 and
   stores the answer through the first parameter; -1 when the user cancelled
   or the call failed, the answer left untouched. */
int32_t V_ApiPromptInt(int32_t *answer, const char *message, const char *stuffVal);
/** Asks the user for a metric in the given units; stuffVal is the text
   offered. Returns 0 and stores the answer through the first parameter; -1
   when the user cancelled or the call failed, the answer left untouched. */
int32_t V_ApiPromptMetric(int32_t *answer, const char *message, const char *stuffVal, int32_t units);
/** Asks the user for a string; stuffVal is the text offered. Returns 0 and
   stores the answer, a new string the caller frees, through the first
   parameter; -1 when the user cancelled or the call failed, the answer left
   untouched. */
int32_t V_ApiPromptString(StringT *answer, const char *message, const char *stuffVal);
/** Asks the user to choose a file. Returns 0 and stores the answer, a new
   string the caller frees, through the first parameter; -1 when the user
   cancelled or the call failed, the answer left untouched. */
int32_t V_ApiChooseFile(StringT *answer, const char *title, const char *dir, const char *stuffVal,
                        int32_t mode, const char *helpLink);
/** The older V_ApiChooseFile(), without a help link. Returns 0 and stores the
   answer, a new string the caller frees, through the first parameter; -1 when
   the user cancelled or the call failed, the answer left untouched. */
int32_t oldV_ApiChooseFile(StringT *answer, const char *title, const char *dir, const char *stuffVal,
                           int32_t mode);
/** Asks the user to pick a file from a scroll box. Returns 0 and stores the
   answer, a new string the caller frees, through the first parameter; -1 when
   the user cancelled or the call failed, the answer left untouched. */
int32_t V_ApiFileScrollBox(StringT *answer, const char *title, const char *dir);
/** Asks the user to pick one of items; *answer gets its index. Returns 0 and
   stores the answer through the first parameter; -1 when the user cancelled
   or the call failed, the answer left untouched. */
int32_t V_ApiScrollBox(int32_t *answer, const char *title, const V_StringsT *items, int32_t defaultItem);
/** Asks the user to point at a spot. Returns the point; the all-zero point on
   failure. */
V_PointT V_ApiPromptPoint(uint32_t id1, uint32_t id2, int32_t flags);
/** Asks the user to draw a rectangle. Returns the rectangle; the all-zero
   rectangle on failure. */
RectT V_ApiPromptRect(uint32_t id1, uint32_t id2, int32_t flags);
/** With a non-zero dialog number, serves the host's callbacks until the
   dialog ends and returns its result. */
int32_t V_ApiModalDialog(int32_t dialogNum, uint32_t resourceId);
/** Opens dialog dialogNum of resource resourceId without waiting; its events
   reach V_ApiDialogEvent(). Returns the host's answer, or 0 when the call
   failed. */
int32_t V_ApiModelessDialog(int32_t dialogNum, uint32_t resourceId);
/** The id of item item of dialog dialogId. Returns the id, or 0 on failure
   (VA_errno says why). */
uint32_t V_ApiDialogItemId(uint32_t dialogId, int32_t item);
/** Opens the host resource (such as a dialog) of that type and name. Returns
   its id, or 0 on failure (VA_errno says why). */
uint32_t V_ApiOpenResource(int32_t resourceType, const char *name);
/** Has the host run count function codes, in order. Returns 0, or the host's
   status (also stored in VA_errno), or -1 when the call failed. */
int32_t V_ApiFcodes(int32_t count, const int32_t *fcodes);

/** @} */
/** @name Tables */
/** @{ */

/** Makes a table of format format at loc, with that many columns and rows.
   Returns its id, or 0 on failure (VA_errno says why). */
uint32_t V_ApiNewTable(uint32_t docId, const char *format, int32_t numCols, int32_t numBodyRows,
                       int32_t numHeaderRows, int32_t numFooterRows, const V_TextLocT *loc);
/** Adds numNewRows rows beside row refRowId (direction: the host's above or
   below). Returns 0, or the host's status (also stored in VA_errno), or -1
   when the call failed. */
int32_t V_ApiAddRows(uint32_t docId, uint32_t refRowId, int32_t direction, int32_t numNewRows);
/** Adds numNewCols columns beside column refCol of table tblId. Returns 0, or
   the host's status (also stored in VA_errno), or -1 when the call failed. */
int32_t V_ApiAddCols(uint32_t docId, uint32_t tblId, int32_t refCol, int32_t direction,
                     int32_t numNewCols);
/** Deletes numRows rows from rowId on. Returns 0, or the host's status (also
   stored in VA_errno), or -1 when the call failed. */
int32_t V_ApiDeleteRows(uint32_t docId, uint32_t tblId, uint32_t rowId, int32_t numRows);
/** Deletes numCols columns from firstCol on. Returns 0, or the host's status
   (also stored in VA_errno), or -1 when the call failed. */
int32_t V_ApiDeleteCols(uint32_t docId, uint32_t tblId, int32_t firstCol, int32_t numCols);
/** Selects the given rows and columns of table tblId. Returns 0, or the
   host's status (also stored in VA_errno), or -1 when the call failed. */
int32_t V_ApiMakeTblSelection(uint32_t docId, uint32_t tblId, int32_t topRow, int32_t bottomRow,
                              int32_t leftCol, int32_t rightCol);
/** Joins numRows by numCols cells from cellId into one. Returns 0, or the
   host's status (also stored in VA_errno), or -1 when the call failed. */
int32_t V_ApiStraddleCells(uint32_t docId, uint32_t cellId, int32_t numRows, int32_t numCols);
/** Splits straddled cells from cellId again. Returns 0, or the host's status
   (also stored in VA_errno), or -1 when the call failed. */
int32_t V_ApiUnStraddleCells(uint32_t docId, uint32_t cellId, int32_t numRows, int32_t numCols);

/** @} */
/** @name Structured elements */
/** @{ */

/** Makes an element of definition elemDefId at loc. Returns its id, or 0 on
   failure (VA_errno says why). */
uint32_t V_ApiNewElement(uint32_t docId, uint32_t elemDefId, const V_TextLocT *loc);
/** Makes an element of definition elemDefId at an element location. Returns
   its id, or 0 on failure (VA_errno says why). */
uint32_t V_ApiNewElementInHierarchy(uint32_t docId, uint32_t elemDefId, const V_ElementLocT *loc);
/** Adds fileName to book bookId at an element location. Returns its id, or 0
   on failure (VA_errno says why). */
uint32_t V_ApiNewBookComponentInHierarchy(uint32_t bookId, const char *fileName,
                                          const V_ElementLocT *loc);
/** The text location of an element location. Returns the record by value
   (nothing to release); the all-zero record on failure. */
V_TextLocT V_ApiElementLocToTextLoc(uint32_t docId, const V_ElementLocT *loc);
/** The element location of a text location. Returns the record by value
   (nothing to release); the all-zero record on failure. */
V_ElementLocT V_ApiTextLocToElementLoc(uint32_t docId, const V_TextLocT *loc);
/** Removes an attribute that the element definition does not define. Returns
   0, or the host's status (also stored in VA_errno), or -1 when the call
   failed. */
int32_t V_ApiDeleteUndefinedAttribute(uint32_t docId, const char *attrName, int32_t flags,
                                      uint32_t elemDefId);
/** Wraps the selection in an element of definition elemDefId. A failure shows
   only in VA_errno. */
void V_ApiWrapElement(uint32_t docId, uint32_t elemDefId);
/** Merges the selected elements into the first. A failure shows only in
   VA_errno. */
void V_ApiMergeIntoFirst(uint32_t docId);
/** Merges the selected elements into the last. A failure shows only in
   VA_errno. */
void V_ApiMergeIntoLast(uint32_t docId);
/** Splits the element at the insertion point. A failure shows only in
   VA_errno. */
void V_ApiSplitElement(uint32_t docId);
/** Removes the selected element, keeping its content. A failure shows only in
   VA_errno. */
void V_ApiUnWrapElement(uint32_t docId);
/** Moves the selected element one level up. A failure shows only in VA_errno. */
void V_ApiPromoteElement(uint32_t docId);
/** Moves the selected element one level down. A failure shows only in
   VA_errno. */
void V_ApiDemoteElement(uint32_t docId);

/** @} */
/** @name Fonts and text encodings */
/** @{ */

/** The fonts of a font family. Returns a deep copy, the caller's to release
   with V_ApiDeallocateFonts(); the empty record on failure. */
V_FontsT V_ApiFamilyFonts(int32_t family);
/** The fonts of a combined font family. Returns a deep copy, the caller's to
   release with V_ApiDeallocateCombinedFonts(); the empty record on failure. */
V_CombinedFontsT V_ApiCombinedFamilyFonts(uint32_t combinedFamilyId);
/** Tells whether the host supports a text encoding. Returns the host's answer
   (non-zero: supported), 0 when the call failed. */
int32_t V_ApiIsEncodingSupported(const char *encoding);
/** The names of the text encodings the host supports. Returns a deep copy,
   the caller's to release with V_ApiDeallocateStrings(); the empty record on
   failure. */
V_StringsT V_ApiGetSupportedEncodings(void);
/** The text encoding of a font family. Returns a new string, the caller's to
   free with V_ApiDeallocateString(); null on failure. */
StringT V_ApiGetEncodingForFamily(int32_t family);
/** The text encoding of a font. Returns a new string, the caller's to free
   with V_ApiDeallocateString(); null on failure. */
StringT V_ApiGetEncodingForFont(const V_FontT *font);

/** @} */
/** @name Spelling, dictionaries, thesaurus, hyphenation */
/** @{ */

/** Checks spelling from start with the spelling parameters params; *status
   gets the checker's verdict and *suggestions a list the caller releases.
   Returns the range of the word in question; the all-zero range on failure. */
V_TextRangeT V_ApiSpell(uint32_t docId, const V_TextLocT *start, const V_PropValsT *params,
                        int32_t *status, V_StringsT *suggestions);
/** Runs dictionary operation operation on dictionary id; *strings gets a list
   the caller releases. Returns 0, or the host's status (also stored in
   VA_errno), or -1 when the call failed. */
int32_t V_ApiDictionary(uint32_t id, const char *text, int32_t value, int32_t operation,
                        V_StringsT *strings);
/** Any operation but 9, which is refused with -43 (use V_ApiGetDictionaryStrings). */
int32_t V_ApiDictionaryOperation(uint32_t id, const char *text, int32_t value, int32_t operation);
/** The words of dictionary id. Returns a deep copy, the caller's to release
   with V_ApiDeallocateStrings(); the empty record on failure. */
V_StringsT V_ApiGetDictionaryStrings(uint32_t id, int32_t value);
/** Adds a word to, or removes it from, dictionary id. Returns 0, or the
   host's status (also stored in VA_errno); 0 also when the call failed
   (VA_errno -1). */
int32_t V_ApiModifyDictionary(uint32_t id, int32_t i1, int32_t i2, const char *word);
/** Forgets the words marked as checked in document docId. Returns 0, or the
   host's status (also stored in VA_errno), or -1 when the call failed. */
int32_t V_ApiResetSpelling(uint32_t docId);
/** Looks word up in the thesaurus; the four lists get new lists the caller
   releases. Returns 0, or the host's status (also stored in VA_errno), or -1
   when the call failed. */
int32_t V_ApiThesaurus(int32_t value, const char *word, V_StringsT *list1, V_StringsT *list2,
                       V_StringsT *list3, V_StringsT *list4);
/** The hyphenation points of word. Returns a new string, the caller's to free
   with V_ApiDeallocateString(); null on failure. */
StringT V_ApiShowHyphenation(const char *word);

/** @} */
/** @name Selection, display and palette */
/** @{ */

/** Lets the user pick one of items by its first letters. Returns the index
   picked, -1 when cancelled or on failure. */
int32_t V_ApiQuickSelect(uint32_t docId, const char *title, const V_StringsT *items);
/** Lets the user make a selection in the given mode. Returns 0, or the host's
   status (also stored in VA_errno), or -1 when the call failed. */
int32_t V_ApiUserInteractSelection(int32_t mode);
/** Scrolls document docId to centre graphic object objId. Returns 0, or the
   host's status (also stored in VA_errno), or -1 when the call failed. */
int32_t V_ApiCenterOnGraphicObject(uint32_t docId, uint32_t objId);
/** Passes the host's colour palette change through. Returns 0, or the host's
   status (also stored in VA_errno), or -1 when the call failed. */
int32_t V_ApiChangeColorPalette(uint32_t id1, const V_MetricsT *m1, uint32_t id2, const V_MetricsT *m2,
                                uint32_t id3, const V_MetricsT *m3, uint32_t id4, const V_MetricsT *m4,
                                const V_MetricsT *m5, uint32_t id5);

/** @} */
/** @name Session
 * @{ */
/** Ends the attachment to a session made with V_ApiConnectToSession(): the
    loop of V_ApiService() stops (VA_bailout is set) even when the call
    itself failed. Returns the host's answer, -1 when the call failed. */
int32_t V_ApiDisconnectFromSession(void);

/** @} */

#pragma GCC visibility pop
#ifdef __cplusplus
}
#endif

#endif
