// The host's codes that the outline commands rely on: object types, property
// numbers, notification and function codes, and special text offsets.
#ifndef LINDREL_HOSTCODES_H
#define LINDREL_HOSTCODES_H

#include <stdint.h>

enum : int32_t {
    // Object types for V_ApiGetNamedObject.
    kParagraphFormatType = 32,
    kMenuType = 55,
    kCommandType = 57,

    // Session properties (document 0, object 0).
    kActiveDocument = 51,
    kSecondTemplateDir = 84,
    kFirstTemplateDir = 89,
    kDisplaySwitch = 92,

    // Document properties.
    kSelection = 109,
    kChainFirstLink = 422,
    kChainSecondLink = 1169,
    kFirstParagraph = 972,

    // Paragraph properties.
    kFormatTag = 20,
    kFormatLocked = 588,
    kNextParagraph = 717,
    kPreviousParagraph = 718,

    // Menus and their items.
    kItemLabel = 30,
    kNextItem = 1923,
    kFirstItem = 1927,

    // Notification 42 and its function codes.
    kFunctionNotification = 42,
    kFcodeBlockUp = 282,
    kFcodeBlockDown = 283,
    kFcodeBlockPromote = 284,
    kFcodeBlockDemote = 285,
    kFcodeNudgeUp = 289,
    kFcodeNudgeDown = 290,
    kFcodeNudgeLeft = 291,
    kFcodeNudgeRight = 292,
    kNudgeReturnValue = -10001,

    // Text offsets: as a range end, through the end of the paragraph; as a
    // location, just after the paragraph's last character.
    kEndOfParagraph = 0x50000000,
    kEndOfText = 0x4FFFFFFF,

    kStringItem = 1,     // text item type, and item selection
    kIntegerValue = 1,   // typed value type of the open parameters
    kAboutAlertStyle = 2,
    kCloseFlags = 1,
    kCutPasteFlags = 0,
};

#endif
