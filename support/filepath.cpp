// File-path records: making them from user-typed and other systems' names
// and from channels, and the device-independent notation both ways.
#include <string.h>
#include <unistd.h>

#include "pathtext.h"
#include "vsupport/filepath.h"
#include "vsupport/memory.h"
#include "vsupport/strings.h"

namespace {

bool isAnchor(const V_FilePathT *anchor) {
    return anchor->tag == V_FILEPATH_TAG && anchor->kind != V_PATH_RELATIVE;
}

V_FilePathT *recordOf(const char *name, uint16_t kind) {
    V_FilePathT *path = VdeFilePathSimpleCreate(name);
    if (path) path->kind = kind;
    return path;
}

// The record of name after expansion, a relative name taken from the
// anchor's directory; null for a bad anchor or an empty result.
V_FilePathT *expandedRecord(const char *name, const V_FilePathT *anchor) {
    char base[VDE_PATH_BUFSIZE] = "";
    if (anchor) {
        if (!isAnchor(anchor)) return nullptr;
        VdeSplitFullFileName(anchor->name, base, nullptr);
    }
    char expanded[VDE_PATH_BUFSIZE];
    V_StrCpyN(expanded, name, sizeof expanded);
    VdeUiExpandFileName(expanded, base);
    if (!*expanded) return nullptr;
    return recordOf(expanded, *expanded == '/' ? V_PATH_ABSOLUTE : V_PATH_RELATIVE);
}

V_FilePathT *copiedRecord(const char *name) {
    return name && *name ? recordOf(name, V_PATH_UNDETERMINED) : nullptr;
}

// ---- Device-independent notation -------------------------------------------

// Writes a name so that the parser reads it back: '<' and '\' get a
// backslash, double-byte characters go whole. Stops at the limit.
bool addEscaped(VdePathText &out, const char *name) {
    for (const char *p = name; *p;) {
        int len = VdeDialogCharLen(p);
        bool escape = len == 1 && (*p == '<' || *p == '\\');
        char piece[3] = {'\\', p[0], p[1]};
        if (!out.add(escape ? piece : p, static_cast<size_t>(escape ? 2 : len))) return false;
        p += len;
    }
    return true;
}

// Reads a token's text up to the next unescaped '<' or the end, keeping the
// first `limit` characters in name (the rest is passed over).
const char *readText(const char *p, char *name, size_t limit) {
    size_t n = 0;
    while (*p && *p != '<') {
        if (*p == '\\' && p[1]) ++p;
        int len = VdeDialogCharLen(p);
        for (int i = 0; i < len; ++i, ++p)
            if (n < limit) name[n++] = *p;
    }
    name[n] = '\0';
    return p;
}

bool tokenLetter(char c) { return c >= 'A' && c <= 'v'; }

// Parses the tokens of text into out; false when a rule was broken.
bool parseDI(const char *text, VdePathText &out) {
    bool rooted = false;
    char name[VDE_SEGMENT_MAX + 1];
    const char *p = text;
    while (p[0] == '<' && tokenLetter(p[1]) && p[2] == '>') {
        char letter = p[1];
        p += 3;
        switch (letter) {
        case 'r':
            if (out.length > 0) return false;
            out.add("/");
            rooted = true;
            break;
        case 'u':
            if (rooted || !out.add("../")) return false;
            break;
        case 'h':
        case 'v':
            if (out.length > 0) return false;
            p = readText(p, name, VDE_SEGMENT_MAX);
            if (!(out.add("/") && out.add(name) && out.add("/"))) return false;
            rooted = true;
            break;
        case 'c':
            p = readText(p, name, VDE_SEGMENT_MAX);
            // An empty component adds nothing: its lone '/' would make the
            // path absolute.
            if (*name && !(out.add(name) && out.add("/"))) return false;
            break;
        default:  // an unknown token is skipped with its text
            p = readText(p, name, 0);
            break;
        }
    }
    if (out.length == 0) return false;
    if (out.length > 1 && out.endsWithSlash()) out.truncate(out.length - 1);
    return true;
}

}  // namespace

extern "C" {

V_FilePathT *VdeFilePathCreate(void) {
    auto *path = static_cast<V_FilePathT *>(V_Calloc(1, sizeof(V_FilePathT), 0));
    if (path) path->tag = V_FILEPATH_TAG;
    return path;
}

V_FilePathT *VdeFilePathSimpleCreate(const char *name) {
    V_FilePathT *path = VdeFilePathCreate();
    if (path && name && !(path->name = V_StrCopyString(name))) VdeFree(&path);
    return path;
}

int32_t V_FilePathFree(V_FilePathT *path) {
    if (!path) return 0;
    VDE_ASSERT(path->tag == V_FILEPATH_TAG);
    V_Free(path->name);
    V_Free(path);
    return 0;
}

int32_t VdeFilePathFree(V_FilePathT **pathAddress) {
    VDE_ASSERT(pathAddress != nullptr);
    V_FilePathFree(*pathAddress);
    *pathAddress = nullptr;
    return 0;
}

V_FilePathT *V_UnixToFilePath(const char *name, const V_FilePathT *anchor) {
    if (!name || !*name || (anchor && !isAnchor(anchor))) return nullptr;
    return expandedRecord(name, anchor);
}

V_FilePathT *V_MacToFilePath(const char *name) { return copiedRecord(name); }
V_FilePathT *V_DosToFilePath(const char *name) { return copiedRecord(name); }

V_FilePathT *V_GetFilePath(const V_ChannelT *channel) {
    if (!channel) return nullptr;
    if (channel->fileName && *channel->fileName) return VdeFilePathSimpleCreate(channel->fileName);
    char directory[VDE_PATH_BUFSIZE];
    if (!getcwd(directory, sizeof directory)) return nullptr;
    char *internal = VdePlatformToInternalFilename(directory);
    V_FilePathT *path = internal ? VdeFilePathSimpleCreate(internal) : nullptr;
    V_Free(internal);
    return path;
}

V_FilePathT *VdeInterpretAnchor(V_FilePathT *anchor) { return anchor; }

V_FilePathT *V_DIToFilePath(const char *text, const V_FilePathT *anchor) {
    if (!text || !*text) return nullptr;
    VdePathText out;
    if (!parseDI(text, out)) return copiedRecord(out.text);
    if (out.text[0] == '/') anchor = nullptr;  // only a relative path needs it
    return expandedRecord(out.text, anchor);
}

int32_t V_FilePathToDI(const V_FilePathT *path, const V_FilePathT *anchor, char **text,
                       int32_t *length) {
    VDE_ASSERT(text != nullptr && length != nullptr);
    *text = nullptr;
    *length = 0;
    if (!path || path->tag != V_FILEPATH_TAG) return -1;
    VDE_ASSERT(path->kind != V_PATH_RELATIVE);
    char name[VDE_PATH_BUFSIZE];
    V_StrCpyN(name, path->name, sizeof name);
    if (anchor) {
        VDE_ASSERT(isAnchor(anchor));
        // Names of undetermined kind from other notations are not paths to
        // relativise; they are written as they stand.
        if (name[0] == '/' && anchor->name && anchor->name[0] == '/')
            VdeRelativizeFileName(name, anchor->name);
    }
    VdePathText out;
    const char *rest = name;
    if (*rest == '/') {
        out.add("<r>");
        ++rest;
    }
    VdeUFCursorT cursor;
    VdeUFCinit(&cursor, rest);
    while (VdeUFCgetSegment(&cursor)) {
        const char *segment = cursor.segment;
        bool written = strcmp(segment, "..") == 0  ? out.add("<u>")
                       : strcmp(segment, ".") == 0 ? true
                                                   : out.add("<c>") && addEscaped(out, segment);
        if (!written) break;
    }
    *text = V_StrCopyString(out.text);
    if (!*text) return -1;
    *length = out.length;
    return 0;
}

}  // extern "C"
