// Small host-call steps that the block and nudge routines share.
#ifndef LINDREL_EDIT_H
#define LINDREL_EDIT_H

#include <stdint.h>

#include "vapi/records.h"

// The paragraph in which the document's selection begins, and the offset there.
V_TextLocT SelectionStart(uint32_t document);

// Replaces *tag by the format tag of the paragraph (the old one is released).
const char *ReadTag(uint32_t document, uint32_t paragraph, char **tag);

void SetSelection(uint32_t document, V_TextLocT start, V_TextLocT end);
void SetInsertionPoint(uint32_t document, uint32_t paragraph, int32_t offset);

// The display switch, off before a multi-step edit, on (and redisplay) after.
void DisplayOff(void);
void DisplayOn(uint32_t document);

// Cuts the selection with the user's clipboard saved just before. When the
// host refuses the cut, the move is abandoned: the clipboard, the user's
// `selection` and the display are restored at once, and false returned.
bool CutKeepingClipboard(uint32_t document, const V_TextRangeT &selection);
// Pastes at the selection and restores the user's clipboard just after.
void PasteRestoringClipboard(uint32_t document);

// Deletes a paragraph that a cut of it has left behind.
void DeleteIfSurvived(uint32_t document, uint32_t paragraph);

// Pastes the clipboard's paragraphs just after `anchor` and restores the
// user's clipboard. When `anchor` ends the chain, a paragraph is opened after
// it for the paste and the chain's spare final paragraph deleted afterwards.
// The insertion point then goes to `offset` in the first pasted paragraph.
void PasteBelow(uint32_t document, uint32_t anchor, int32_t offset);
// The first paragraph of the document's chain (422 -> 1169 -> 972).
uint32_t FirstParagraph(uint32_t document);
// The final paragraph of the chain that runs on from `from`.
uint32_t FinalParagraph(uint32_t document, uint32_t from);

#endif
