/** @file
 * Host codes for client writers: the numbers that mean something to the host
 * (object types, property numbers, notifications, function codes, special
 * text offsets, text-item and alert types, host statuses) and the names of
 * the menus a client may attach its own to. Constants only: nothing here
 * needs a library.
 *
 * The property numbers are those the host's document model answers for;
 * the host keeps any other (document, object, property) triple in a
 * generic store, where a value that was set reads back unchanged.
 */
#ifndef VAPI_HOSTCODES_H
#define VAPI_HOSTCODES_H

/** @defgroup hostcodes Host codes
 * Numbers and names with a meaning to the host.
 * @{ */

/** @name Object types
 * For V_ApiGetNamedObject() and the other object-handle calls.
 * @{ */
#define VX_OBJ_PARAGRAPH_FORMAT 32 /**< A paragraph format of a document, named by its tag. */
#define VX_OBJ_MENU 55             /**< A menu of the session (document 0). */
#define VX_OBJ_COMMAND 57          /**< A command of the session (document 0). */
/** @} */

/** @name Session properties
 * Read and written with document 0, object 0.
 * @{ */
#define VX_PROP_ACTIVE_DOCUMENT 51 /**< Id: the active document, 0 when none is open. */
#define VX_PROP_TEMPLATE_DIR2 84   /**< String: the second template directory, no trailing "/". */
#define VX_PROP_TEMPLATE_DIR1 89   /**< String: the first template directory, no trailing "/". */
#define VX_PROP_DISPLAY 92         /**< Integer: 0 switches the display off during an edit, 1 on again. */
#define VX_PROP_PROGRESS 104       /**< Integer: progress of a long operation, in percent. */
/** @} */

/** @name Document properties
 * Read with document 0 and the document as the object.
 * @{ */
#define VX_PROP_SELECTION 109 /**< Text range: the selection; its start names the paragraph it begins in. */
#define VX_PROP_CHAIN_FIRST_LINK 422 /**< Id: first link of the chain to the first paragraph. */
#define VX_PROP_CHAIN_SECOND_LINK 1169 /**< Id, of the first link: the second link of that chain. */
#define VX_PROP_FIRST_PARAGRAPH 972 /**< Id, of the second link: the document's first paragraph. */
/** @} */

/** @name Paragraph properties
 * Read with the document and the paragraph.
 * @{ */
#define VX_PROP_FORMAT_TAG 20  /**< String: the name of the paragraph's format (of a format: its name). */
#define VX_PROP_FORMAT_LOCK 588 /**< Integer: a format is applied to the paragraph only while this is 0. */
#define VX_PROP_NEXT_PARAGRAPH 717 /**< Id: the next paragraph, 0 after the last. */
#define VX_PROP_PREVIOUS_PARAGRAPH 718 /**< Id: the previous paragraph, 0 before the first. */
/** @} */

/** @name Menu and command properties
 * Read with document 0 and the menu or item.
 * @{ */
#define VX_PROP_ITEM_LABEL 30  /**< String: the label of a menu or command. */
#define VX_PROP_NEXT_ITEM 1923 /**< Id: the item after this one in its menu, 0 after the last. Set on an item
                                    (document argument: the menu) to place it before the given item. */
#define VX_PROP_FIRST_ITEM 1927 /**< Id: a menu's first item, 0 when it is empty. */
/** @} */

/** @name Menus a client may attach to
 * Look them up with V_ApiGetNamedObject(0, VX_OBJ_MENU, name).
 * @{ */
#define VX_MENU_MAIN "!VellixMainMenu"       /**< The main menu bar. */
#define VX_MENU_QUICK "!QuickVellixMainMenu" /**< The short main menu bar. */
#define VX_MENU_FILE "FileMenu"              /**< "File", on the main menu. */
#define VX_MENU_EDIT "EditMenu"              /**< "Edit", on both main menus. */
#define VX_MENU_FORMAT "FormatMenu"          /**< "Format", on the main menu. */
/** The "Tools" menu that clients share: the first client that needs it
    defines it on the main menu (and adds it to the quick one); the others
    find it by this name. */
#define VX_MENU_TOOLS "DovraTools"
/** Separator commands of the session, added to a menu with
    V_ApiAddCommandToMenu() after looking them up as VX_OBJ_COMMAND. */
#define VX_SEPARATOR1 "Separator1"
#define VX_SEPARATOR2 "Separator2" /**< @copydoc VX_SEPARATOR1 */
#define VX_SEPARATOR3 "Separator3" /**< @copydoc VX_SEPARATOR1 */
#define VX_SEPARATOR4 "Separator4" /**< @copydoc VX_SEPARATOR1 */
/** @} */

/** @name Notifications and function codes
 * @{ */
/** Asked for with V_ApiNotification(VX_NOTIFY_FUNCTION, 1): the host then
    reports function codes through V_ApiNotify(VX_NOTIFY_FUNCTION, document,
    string, code). */
#define VX_NOTIFY_FUNCTION 42
#define VX_FCODE_BLOCK_UP 282      /**< Move the selection's block above its previous sibling. */
#define VX_FCODE_BLOCK_DOWN 283    /**< Move the selection's block below its next sibling. */
#define VX_FCODE_BLOCK_PROMOTE 284 /**< One level up for the selection's block. */
#define VX_FCODE_BLOCK_DEMOTE 285  /**< One level down for the selection's block. */
#define VX_FCODE_NUDGE_UP 289      /**< Move one paragraph up. */
#define VX_FCODE_NUDGE_DOWN 290    /**< Move one paragraph down. */
#define VX_FCODE_NUDGE_LEFT 291    /**< One level up for one paragraph. */
#define VX_FCODE_NUDGE_RIGHT 292   /**< One level down for one paragraph. */
/** Handed back with V_ApiReturnValue() after a nudge run from a function
    code, so that the host does not run the code itself. */
#define VX_RETURN_HANDLED (-10001)
#define VX_FCODE_SHOW_SELECTION1 259 /**< With 260, through V_ApiFcodes(): bring the selection into view. */
#define VX_FCODE_SHOW_SELECTION2 260 /**< @copydoc VX_FCODE_SHOW_SELECTION1 */
/** @} */

/** @name Text offsets and item types
 * @{ */
/** As the end offset of a range: through the end of that paragraph, its
    paragraph end included. */
#define VX_OFFSET_END_OF_PARAGRAPH 0x50000000
/** As a location: just after the paragraph's last character (where "\n"
    added splits the paragraph after its text). */
#define VX_OFFSET_END_OF_TEXT 0x4FFFFFFF
/** Text item type of a string item (TextItemDataT::dataType), and the item
    selection that asks V_ApiGetText() and friends for string items. */
#define VX_TEXT_ITEM_STRING 1
/** @} */

/** @name Flags of document and clipboard calls
 * @{ */
#define VX_CLOSE_NO_PROMPT 1 /**< V_ApiClose(): close at once, without asking about changes. */
#define VX_CLIPBOARD_PLAIN 0 /**< V_ApiCut(), V_ApiCopy(), V_ApiPaste(): no options. */
/** @} */

/** @name Alerts
 * V_ApiAlert(message, type) shows the message and returns the host's answer:
 * 0 once the user has confirmed it (the stand-in host vxhost records the
 * alert and answers 0 at once), -1 when the call itself failed.
 * @{ */
#define VX_ALERT_NOTE 2 /**< A message with one button, such as an About box. */
/** @} */

/** @name Host statuses
 * What the host answers instead of 0 when it refuses a call; the API
 * functions store it in VA_errno. The client side's own codes (-1 for a
 * failed RPC call, and -4, -5, -7, -20, -22, -42, -43) lie outside this
 * range.
 * @{ */
#define VX_STATUS_OK 0                  /**< Success. */
#define VX_STATUS_BAD_DOCUMENT (-1001)  /**< No such open document. */
#define VX_STATUS_BAD_OBJECT (-1002)    /**< No such object in that document. */
#define VX_STATUS_UNKNOWN_PROPERTY (-1003) /**< The object has no such property. */
#define VX_STATUS_BAD_TYPE (-1004)      /**< A value of the wrong type for the property. */
#define VX_STATUS_READ_ONLY (-1005)     /**< The property cannot be set. */
#define VX_STATUS_BAD_RANGE (-1006)     /**< A location or range outside the text. */
#define VX_STATUS_NO_SUCH_NAME (-1007)  /**< No named object of that type and name. */
#define VX_STATUS_BAD_VALUE (-1008)     /**< A value out of range or inconsistent. */
#define VX_STATUS_NO_FILE (-1009)       /**< A file missing or unreadable. */
#define VX_STATUS_BAD_FILE (-1010)      /**< A malformed document file. */
#define VX_STATUS_CLIPBOARD_EMPTY (-1011) /**< Nothing to paste, or nothing to pop. */
#define VX_STATUS_NOTHING_SELECTED (-1012) /**< Cut or copy of an insertion point. */
#define VX_STATUS_LAST_PARAGRAPH (-1013) /**< A document keeps one paragraph at least. */
#define VX_STATUS_LIMIT (-1014)         /**< A size limit of the host was reached. */
/** @} */

/** @} */

#endif
