// The outline model and its editing routines. Every routine reads the
// selection, the tags and the paragraph chain afresh from the host.
#ifndef LINDREL_UTILS_H
#define LINDREL_UTILS_H

#include <stdint.h>

#include "vapi/records.h"
#include "vsupport/strlist.h"

#ifdef __cplusplus
extern "C" {
#endif

// The level list, made at start-up and kept for the life of the process;
// null until then, and a null list holds no names.
extern V_StrListT *Hierarchy;

// The function codes that MakeVisible has the host run, in this order.
extern const int32_t fcodes[2];

// Level list.
void ReadOutlineHierarchy(V_StrListT *list);
int InHierarchy(const char *name, const V_StrListT *list);
char *GetNextLevel(const char *name, const V_StrListT *list);
char *GetPreviousLevel(const char *name, const V_StrListT *list);
int CompareLevels(const char *a, const char *b, const V_StrListT *list);

// Paragraph text and style helpers.
char *CreateStringFromTextItems(const TextItemsT *items);
char *GetParagraphText(uint32_t document, uint32_t paragraph);
char *ConcatenateString(const char *a, const char *b);
void AppendString(char *destination, const char *source);
void PrependString(char *destination, const char *source);
void TrimString(char *s, int32_t n);
void ApplyStyle(uint32_t document, uint32_t paragraph, const char *name);
void MakeVisible(void);

// Block routines.
void BlockPromote(uint32_t document, const V_StrListT *list);
void BlockDemote(uint32_t document, const V_StrListT *list);
void SelectBlock(uint32_t document, const V_StrListT *list);
void BlockUp(uint32_t document, const V_StrListT *list);
void BlockDown(uint32_t document, const V_StrListT *list);

// One-paragraph nudges.
void NudgeLineRight(uint32_t document, const V_StrListT *list);
void NudgeLineLeft(uint32_t document, const V_StrListT *list);
void NudgeLineUp(uint32_t document, const V_StrListT *list);
void NudgeLineDown(uint32_t document, const V_StrListT *list);

// New outline from the template.
void MakeOutline(void);

// Template path: the directory of a session string property, "/" and the
// file name, grown in place as the host's string allows.
char *TemplatePath(int32_t directoryProperty, const char *fileName);

#ifdef __cplusplus
}
#endif

#endif
