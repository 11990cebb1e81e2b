// Host-call steps shared by the block and nudge routines.
#include "edit.h"

#include "vapi/hostcodes.h"
#include "vapi/api.h"
#include "vapi/apistruct.h"
#include "vapi/runtime.h"

V_TextLocT SelectionStart(uint32_t document)
{
    return V_ApiGetTextRange(0, document, VX_PROP_SELECTION).start;
}

const char *ReadTag(uint32_t document, uint32_t paragraph, char **tag)
{
    V_ApiDeallocateString(tag);
    *tag = V_ApiGetString(document, paragraph, VX_PROP_FORMAT_TAG);
    return *tag;
}

void SetSelection(uint32_t document, V_TextLocT start, V_TextLocT end)
{
    V_TextRangeT range = {start, end};
    V_ApiSetTextRange(0, document, VX_PROP_SELECTION, &range);
}

void SetInsertionPoint(uint32_t document, uint32_t paragraph, int32_t offset)
{
    V_TextLocT at = {paragraph, offset};
    SetSelection(document, at, at);
}

void DisplayOff(void)
{
    V_ApiSetInt(0, 0, VX_PROP_DISPLAY, 0);
}

void DisplayOn(uint32_t document)
{
    V_ApiSetInt(0, 0, VX_PROP_DISPLAY, 1);
    V_ApiRedisplay(document);
}

bool CutKeepingClipboard(uint32_t document, const V_TextRangeT &selection)
{
    V_ApiPushClipboard();
    if (V_ApiCut(document, VX_CLIPBOARD_PLAIN) == 0)
        return true;
    // Nothing was cut: going on would delete a paragraph that is still whole
    // and paste the user's clipboard in its place.
    V_ApiPopClipboard();
    SetSelection(document, selection.start, selection.end);
    DisplayOn(document);
    return false;
}

void PasteRestoringClipboard(uint32_t document)
{
    V_ApiPaste(document, VX_CLIPBOARD_PLAIN);
    V_ApiPopClipboard();
}

void DeleteIfSurvived(uint32_t document, uint32_t paragraph)
{
    if (V_ApiObjectValid(document, paragraph))
        V_ApiDelete(document, paragraph);
}

uint32_t FirstParagraph(uint32_t document)
{
    uint32_t object = V_ApiGetId(0, document, VX_PROP_CHAIN_FIRST_LINK);
    object = V_ApiGetId(document, object, VX_PROP_CHAIN_SECOND_LINK);
    return V_ApiGetId(document, object, VX_PROP_FIRST_PARAGRAPH);
}

uint32_t FinalParagraph(uint32_t document, uint32_t from)
{
    uint32_t final = from;
    for (uint32_t next = V_ApiGetId(document, final, VX_PROP_NEXT_PARAGRAPH); next != 0;
         next = V_ApiGetId(document, final, VX_PROP_NEXT_PARAGRAPH))
        final = next;
    return final;
}

void PasteBelow(uint32_t document, uint32_t anchor, int32_t offset)
{
    uint32_t after = V_ApiGetId(document, anchor, VX_PROP_NEXT_PARAGRAPH);
    bool added = false;
    if (after == 0) {
        // A new empty paragraph after the last one to paste in front of.
        SetInsertionPoint(document, anchor, VX_OFFSET_END_OF_TEXT);
        V_TextLocT at = {anchor, VX_OFFSET_END_OF_TEXT};
        // Only a paragraph that was really added may be deleted afterwards:
        // otherwise the chain's final paragraph is one of the user's.
        VA_errno = 0;
        V_ApiAddText(document, &at, "\n");
        added = VA_errno == 0;
    } else {
        SetInsertionPoint(document, after, 0);
    }
    PasteRestoringClipboard(document);
    if (added)
        V_ApiDelete(document, FinalParagraph(document, anchor));
    SetInsertionPoint(document, V_ApiGetId(document, anchor, VX_PROP_NEXT_PARAGRAPH), offset);
}
