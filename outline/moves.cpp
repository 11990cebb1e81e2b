// Move Up / Move Down: swap the selection's block with its previous or next
// sibling block by the host's own cut and paste, the user's clipboard saved
// around the move and the display switched off for all of it.
#include "utils.h"

#include "edit.h"
#include "vapi/hostcodes.h"
#include "vapi/api.h"
#include "vapi/apistruct.h"

namespace {

// Walks from the head along `direction` (717 or 718) over deeper level
// paragraphs to the first one at the head's level. 0 when the walk meets a
// non-level paragraph, a higher one, or the end of the chain.
uint32_t FindSibling(uint32_t document, uint32_t head, const char *headTag,
                     const V_StrListT *list, int32_t direction)
{
    char *tag = nullptr;
    uint32_t sibling = 0;
    for (uint32_t candidate = V_ApiGetId(document, head, direction); candidate != 0;
         candidate = V_ApiGetId(document, candidate, direction)) {
        if (!InHierarchy(ReadTag(document, candidate, &tag), list))
            break;
        int order = CompareLevels(headTag, tag, list);
        if (order == -1)
            break;
        if (order == 0) {
            sibling = candidate;
            break;
        }
    }
    V_ApiDeallocateString(&tag);
    return sibling;
}

// `selection` is the user's, as it was before the move.
void MoveBlockAbove(uint32_t document, const V_StrListT *list, uint32_t sibling,
                    const V_TextRangeT &selection)
{
    uint32_t before = V_ApiGetId(document, sibling, VX_PROP_PREVIOUS_PARAGRAPH);
    DisplayOff();
    SelectBlock(document, list);
    uint32_t last = V_ApiGetTextRange(0, document, VX_PROP_SELECTION).end.objId;
    if (!CutKeepingClipboard(document, selection))
        return;
    DeleteIfSurvived(document, last);
    SetInsertionPoint(document, sibling, 0);
    PasteRestoringClipboard(document);
    // With nothing before the sibling, the moved block now starts the chain.
    uint32_t movedHead = before != 0 ? V_ApiGetId(document, before, VX_PROP_NEXT_PARAGRAPH)
                                     : FirstParagraph(document);
    SetInsertionPoint(document, movedHead, selection.start.offset);
    DisplayOn(document);
}

void MoveBlockBelowSibling(uint32_t document, const V_StrListT *list, const V_TextRangeT &selection)
{
    DisplayOff();
    SelectBlock(document, list);
    if (!CutKeepingClipboard(document, selection))
        return;
    // The cut leaves the selection at the start of the sibling: select its block.
    SelectBlock(document, list);
    uint32_t siblingLast = V_ApiGetTextRange(0, document, VX_PROP_SELECTION).end.objId;
    PasteBelow(document, siblingLast, selection.start.offset);
    DisplayOn(document);
}

}  // namespace

extern "C" void BlockUp(uint32_t document, const V_StrListT *list)
{
    V_TextRangeT selection = V_ApiGetTextRange(0, document, VX_PROP_SELECTION);
    uint32_t head = selection.start.objId;
    char *headTag = V_ApiGetString(document, head, VX_PROP_FORMAT_TAG);
    if (InHierarchy(headTag, list)) {
        uint32_t sibling = FindSibling(document, head, headTag, list, VX_PROP_PREVIOUS_PARAGRAPH);
        if (sibling != 0)
            MoveBlockAbove(document, list, sibling, selection);
    }
    MakeVisible();
    V_ApiDeallocateString(&headTag);
}

extern "C" void BlockDown(uint32_t document, const V_StrListT *list)
{
    V_TextRangeT selection = V_ApiGetTextRange(0, document, VX_PROP_SELECTION);
    uint32_t head = selection.start.objId;
    char *headTag = V_ApiGetString(document, head, VX_PROP_FORMAT_TAG);
    if (InHierarchy(headTag, list)) {
        if (FindSibling(document, head, headTag, list, VX_PROP_NEXT_PARAGRAPH) != 0)
            MoveBlockBelowSibling(document, list, selection);
    }
    MakeVisible();
    V_ApiDeallocateString(&headTag);
}
