// Move Left / Move Right of a whole block, and selecting a block. A block is
// the head paragraph and the run of level paragraphs after it that are deeper
// than the head's level as it was before the call.
#include "utils.h"

#include "edit.h"
#include "vapi/hostcodes.h"
#include "vapi/api.h"
#include "vapi/apistruct.h"

namespace {

typedef char *(*LevelStepT)(const char *, const V_StrListT *);

// True while `tag` belongs to the block of a head tagged `headTag`.
bool InBlock(const char *headTag, const char *tag, const V_StrListT *list)
{
    return InHierarchy(tag, list) && CompareLevels(headTag, tag, list) == 1;
}

// Moves every paragraph of the selection's block one level by `step`.
void ShiftBlock(uint32_t document, const V_StrListT *list, LevelStepT step)
{
    uint32_t head = SelectionStart(document).objId;
    char *headTag = V_ApiGetString(document, head, VX_PROP_FORMAT_TAG);
    if (InHierarchy(headTag, list))
        ApplyStyle(document, head, step(headTag, list));

    char *tag = nullptr;
    for (uint32_t paragraph = V_ApiGetId(document, head, VX_PROP_NEXT_PARAGRAPH); paragraph != 0;
         paragraph = V_ApiGetId(document, paragraph, VX_PROP_NEXT_PARAGRAPH)) {
        if (!InBlock(headTag, ReadTag(document, paragraph, &tag), list))
            break;
        ApplyStyle(document, paragraph, step(tag, list));
    }
    V_ApiDeallocateString(&headTag);
    V_ApiDeallocateString(&tag);
}

}  // namespace

extern "C" void BlockPromote(uint32_t document, const V_StrListT *list)
{
    ShiftBlock(document, list, GetPreviousLevel);
}

extern "C" void BlockDemote(uint32_t document, const V_StrListT *list)
{
    ShiftBlock(document, list, GetNextLevel);
}

extern "C" void SelectBlock(uint32_t document, const V_StrListT *list)
{
    uint32_t head = SelectionStart(document).objId;
    char *headTag = V_ApiGetString(document, head, VX_PROP_FORMAT_TAG);

    char *tag = nullptr;
    uint32_t last = 0;
    bool endOfChain = true;
    for (uint32_t paragraph = V_ApiGetId(document, head, VX_PROP_NEXT_PARAGRAPH); paragraph != 0;
         paragraph = V_ApiGetId(document, paragraph, VX_PROP_NEXT_PARAGRAPH)) {
        if (!InBlock(headTag, ReadTag(document, paragraph, &tag), list)) {
            last = V_ApiGetId(document, paragraph, VX_PROP_PREVIOUS_PARAGRAPH);
            endOfChain = false;
            break;
        }
    }
    if (endOfChain)
        last = FinalParagraph(document, head);
    SetSelection(document, {head, 0}, {last, VX_OFFSET_END_OF_PARAGRAPH});
    V_ApiDeallocateString(&headTag);
    V_ApiDeallocateString(&tag);
}
