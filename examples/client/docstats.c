/* Document Statistics: a small Vellix client in C.
 *
 * At start-up it puts the command "Document Statistics" into the Tools menu
 * that clients share (making that menu when no client has yet). The command
 * counts the paragraphs, words and characters of the active document and
 * the paragraph formats it uses, and shows them in an alert. Everything
 * else (main, the service loop, the other entry points) comes from the kit.
 *
 * Build: see README.md beside this file. */
#include <stdio.h>

#include "vapi/api.h"
#include "vapi/apistruct.h"
#include "vapi/hostcodes.h"
#include "vapi/runtime.h"
#include "vsupport/strlist.h"

enum { STATS_COMMAND = 1 };

typedef struct {
    unsigned paragraphs, words, characters;
    V_StrListT *formats; /* each format tag once */
} Stats;

/* Words and bytes of one piece of paragraph text. */
static void count_text(Stats *stats, const char *text, int *inWord)
{
    for (const char *c = text; *c; c++) {
        int blank = *c == ' ' || *c == '\t' || *c == '\n';
        if (!blank && !*inWord)
            stats->words++;
        *inWord = !blank;
        stats->characters++;
    }
}

static void count_paragraph(Stats *stats, uint32_t doc, uint32_t pgf)
{
    /* Everything the host hands back is the caller's to release. */
    StringT tag = V_ApiGetString(doc, pgf, VX_PROP_FORMAT_TAG);
    if (tag && V_StrListIndex(stats->formats, tag) < 0)
        V_StrListAppend(stats->formats, tag);
    V_ApiDeallocateString(&tag);

    TextItemsT text = V_ApiGetText(doc, pgf, VX_TEXT_ITEM_STRING);
    int inWord = 0;
    for (uint32_t i = 0; i < text.count; i++)
        if (text.items[i].data.dataType == VX_TEXT_ITEM_STRING)
            count_text(stats, text.items[i].data.text, &inWord);
    V_ApiDeallocateTextItems(&text);
    stats->paragraphs++;
}

/* The first paragraph is at the end of a chain of two links. */
static uint32_t first_paragraph(uint32_t doc)
{
    uint32_t link = V_ApiGetId(0, doc, VX_PROP_CHAIN_FIRST_LINK);
    link = V_ApiGetId(doc, link, VX_PROP_CHAIN_SECOND_LINK);
    return V_ApiGetId(doc, link, VX_PROP_FIRST_PARAGRAPH);
}

static void show_statistics(void)
{
    char message[256];
    uint32_t doc = V_ApiGetId(0, 0, VX_PROP_ACTIVE_DOCUMENT);
    if (doc == 0) {
        V_ApiAlert("Document Statistics: no document is open.", VX_ALERT_NOTE);
        return;
    }

    Stats stats = {0, 0, 0, V_StrListNew(8, 8)};
    /* Success never clears VA_errno: clear it to learn whether a call failed. */
    VA_errno = 0;
    for (uint32_t pgf = first_paragraph(doc); pgf != 0 && VA_errno == 0;
         pgf = V_ApiGetId(doc, pgf, VX_PROP_NEXT_PARAGRAPH))
        count_paragraph(&stats, doc, pgf);

    if (VA_errno != 0)
        snprintf(message, sizeof message, "Document Statistics: the host refused a call (status %d).",
                 (int)VA_errno);
    else
        snprintf(message, sizeof message, "Paragraphs: %u\nWords: %u\nCharacters: %u\nFormats used: %u",
                 stats.paragraphs, stats.words, stats.characters, V_StrListLen(stats.formats));
    V_ApiAlert(message, VX_ALERT_NOTE);
    V_StrListFree(stats.formats);
}

/* Called once when the host has started the client; 1 is a normal start. */
void V_ApiInitialize(int32_t initialization)
{
    if (initialization != 1)
        return;
    uint32_t tools = V_ApiGetNamedObject(0, VX_OBJ_MENU, VX_MENU_TOOLS);
    if (tools == 0) {
        uint32_t mainMenu = V_ApiGetNamedObject(0, VX_OBJ_MENU, VX_MENU_MAIN);
        tools = V_ApiDefineAndAddMenu(mainMenu, VX_MENU_TOOLS, "Tools");
    }
    V_ApiDefineAndAddCommand(STATS_COMMAND, tools, "DocStats", "Document Statistics", "");
}

/* Called when the user picks one of this client's commands. */
void V_ApiCommand(int32_t command)
{
    if (command == STATS_COMMAND)
        show_statistics();
}
