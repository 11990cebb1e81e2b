// The four nudges: one paragraph one level left or right, or swapped with the
// paragraph before or after it, whatever lies below it in the outline.
#include "utils.h"

#include "edit.h"
#include "vapi/hostcodes.h"
#include "vapi/api.h"
#include "vapi/apistruct.h"

namespace {

typedef char *(*LevelStepT)(const char *, const V_StrListT *);

void NudgeLevel(uint32_t document, const V_StrListT *list, LevelStepT step)
{
    DisplayOff();
    uint32_t paragraph = SelectionStart(document).objId;
    char *tag = V_ApiGetString(document, paragraph, VX_PROP_FORMAT_TAG);
    if (InHierarchy(tag, list))
        ApplyStyle(document, paragraph, step(tag, list));
    DisplayOn(document);
    V_ApiDeallocateString(&tag);
}

// The selection (its beginning is the paragraph and offset), and the
// paragraph's neighbour along `direction` when both are level paragraphs;
// neighbour 0 when there is nothing to move.
struct NudgeTarget {
    V_TextRangeT selection;
    uint32_t neighbour;
};

NudgeTarget FindNeighbour(uint32_t document, const V_StrListT *list, int32_t direction)
{
    NudgeTarget target = {V_ApiGetTextRange(0, document, VX_PROP_SELECTION), 0};
    uint32_t paragraph = target.selection.start.objId;
    char *tag = V_ApiGetString(document, paragraph, VX_PROP_FORMAT_TAG);
    if (InHierarchy(tag, list)) {
        uint32_t neighbour = V_ApiGetId(document, paragraph, direction);
        if (neighbour != 0 && InHierarchy(ReadTag(document, neighbour, &tag), list))
            target.neighbour = neighbour;
    }
    V_ApiDeallocateString(&tag);
    return target;
}

// When the paragraph has a level neighbour to swap with: the display off,
// and the whole paragraph cut with the user's clipboard saved. Neighbour 0
// when there is nothing to move or the host refused the cut.
NudgeTarget CutForNudge(uint32_t document, const V_StrListT *list, int32_t direction)
{
    NudgeTarget target = FindNeighbour(document, list, direction);
    if (target.neighbour != 0) {
        uint32_t paragraph = target.selection.start.objId;
        DisplayOff();
        SetSelection(document, {paragraph, 0}, {paragraph, VX_OFFSET_END_OF_PARAGRAPH});
        if (!CutKeepingClipboard(document, target.selection))
            target.neighbour = 0;
    }
    return target;
}

}  // namespace

extern "C" void NudgeLineRight(uint32_t document, const V_StrListT *list)
{
    NudgeLevel(document, list, GetNextLevel);
}

extern "C" void NudgeLineLeft(uint32_t document, const V_StrListT *list)
{
    NudgeLevel(document, list, GetPreviousLevel);
}

extern "C" void NudgeLineUp(uint32_t document, const V_StrListT *list)
{
    NudgeTarget target = CutForNudge(document, list, VX_PROP_PREVIOUS_PARAGRAPH);
    if (target.neighbour != 0) {
        uint32_t previous = target.neighbour;
        DeleteIfSurvived(document, target.selection.start.objId);
        SetInsertionPoint(document, previous, 0);
        PasteRestoringClipboard(document);
        uint32_t moved = V_ApiGetId(document, previous, VX_PROP_PREVIOUS_PARAGRAPH);
        SetInsertionPoint(document, moved, target.selection.start.offset);
        DisplayOn(document);
    }
    MakeVisible();
}

extern "C" void NudgeLineDown(uint32_t document, const V_StrListT *list)
{
    NudgeTarget target = CutForNudge(document, list, VX_PROP_NEXT_PARAGRAPH);
    if (target.neighbour != 0) {
        PasteBelow(document, target.neighbour, target.selection.start.offset);
        DisplayOn(document);
    }
    MakeVisible();
}
