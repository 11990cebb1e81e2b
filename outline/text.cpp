// Paragraph text and style helpers shared by the outline routines.
#include "utils.h"

#include "vapi/hostcodes.h"
#include "vapi/api.h"
#include "vapi/apistruct.h"
#include "vsupport/memory.h"
#include "vsupport/strings.h"

#include <string.h>

#include <algorithm>

extern "C" {
const int32_t fcodes[2] = {VX_FCODE_SHOW_SELECTION1, VX_FCODE_SHOW_SELECTION2};
}

extern "C" char *CreateStringFromTextItems(const TextItemsT *items)
{
    if (items == nullptr || items->items == nullptr)
        return nullptr;
    // The strings are appended at the end of a block that grows by half
    // again whenever it is full, so that a text of many small items takes
    // time in proportion to its items and bytes; the block is cut to the
    // text at the end.
    char *result = nullptr;
    size_t length = 0, capacity = 0;
    for (uint32_t i = 0; i < items->count; i++) {
        const TextItemT &item = items->items[i];
        if (item.data.dataType != VX_TEXT_ITEM_STRING || item.data.text == nullptr)
            continue;
        size_t n = strlen(item.data.text);
        size_t needed = length + n + 1;
        if (needed > capacity) {
            // Part of a text is no text: give none rather than a shortened one.
            if (needed > V_MAX_BLOCK) {
                V_Free(result);
                return nullptr;
            }
            size_t wanted = result == nullptr ? needed : std::min<size_t>(std::max(needed, capacity + capacity / 2), V_MAX_BLOCK);
            char *grown = static_cast<char *>(V_Realloc(result, static_cast<uint32_t>(wanted), 0));
            if (grown == nullptr) {
                V_Free(result);
                return nullptr;
            }
            result = grown;
            capacity = wanted;
        }
        memcpy(result + length, item.data.text, n + 1);
        length += n;
    }
    if (result != nullptr && capacity > length + 1) {
        // Only ever smaller: the block stays valid should the system refuse.
        if (char *cut = static_cast<char *>(V_Realloc(result, static_cast<uint32_t>(length + 1), 0)))
            result = cut;
    }
    return result;
}

extern "C" char *GetParagraphText(uint32_t document, uint32_t paragraph)
{
    V_TextRangeT range = {{paragraph, 0}, {paragraph, VX_OFFSET_END_OF_PARAGRAPH}};
    TextItemsT items = V_ApiGetTextForRange(document, &range, VX_TEXT_ITEM_STRING);
    char *text = CreateStringFromTextItems(&items);
    V_ApiDeallocateTextItems(&items);
    return text;
}

extern "C" char *ConcatenateString(const char *a, const char *b)
{
    char *joined = V_StrNew(V_StrLen(a) + V_StrLen(b) + 1);
    if (joined == nullptr)
        return nullptr;
    if (a != nullptr)
        V_StrCat(joined, a);
    if (b != nullptr)
        V_StrCat(joined, b);
    return joined;
}

namespace {
// Joins first and second in a scratch block and copies the result over
// destination, which the caller has already made large enough.
void JoinInto(char *destination, const char *first, const char *second)
{
    char *joined = ConcatenateString(first, second);
    if (joined == nullptr)
        return;
    V_StrCpy(destination, joined);
    V_Free(joined);
}
}  // namespace

extern "C" void AppendString(char *destination, const char *source)
{
    JoinInto(destination, destination, source);
}

extern "C" void PrependString(char *destination, const char *source)
{
    JoinInto(destination, source, destination);
}

extern "C" void TrimString(char *s, int32_t n)
{
    // A negative count would read before the string.
    if (s == nullptr || n < 0)
        return;
    int32_t len = V_StrLen(s);
    for (int32_t i = 0; i < len - n + 1; i++)
        s[i] = s[i + n];
}

extern "C" void ApplyStyle(uint32_t document, uint32_t paragraph, const char *name)
{
    // No name, no format: asking for it would send "", which a document may
    // well use as the name of a format.
    if (name == nullptr)
        return;
    uint32_t format = V_ApiGetNamedObject(document, VX_OBJ_PARAGRAPH_FORMAT, name);
    if (format == 0)
        return;
    if (V_ApiGetInt(document, paragraph, VX_PROP_FORMAT_LOCK) != 0)
        return;
    V_PropValsT props = V_ApiGetProps(document, format);
    V_ApiSetProps(document, paragraph, &props);
    V_ApiDeallocatePropVals(&props);
}

extern "C" void MakeVisible(void)
{
    V_ApiFcodes(2, fcodes);
}

extern "C" char *TemplatePath(int32_t directoryProperty, const char *fileName)
{
    char *path = V_ApiGetString(0, 0, directoryProperty);
    // A null directory grows into a zero-filled block: the path starts at "/".
    uint32_t length = V_StrLen(path) + 1 + V_StrLen(fileName) + 1;
    char *grown = static_cast<char *>(V_Realloc(path, length, 0));
    if (grown == nullptr) {
        V_Free(path);
        return nullptr;
    }
    path = grown;
    AppendString(path, "/");
    AppendString(path, fileName);
    return path;
}
