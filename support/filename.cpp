// Name strings: last names, splitting and joining, expansion of user-typed
// names, relativising, and the guess of a name's notation.
#include <pwd.h>
#include <stdlib.h>
#include <string.h>

#include "convertutils.h"
#include "pathtext.h"
#include "vsupport/encoding.h"
#include "vsupport/filename.h"
#include "vsupport/memory.h"
#include "vsupport/strings.h"

int VdeDialogCharLen(const char *p) {
    auto u = reinterpret_cast<const unsigned char *>(p);
    if (!*u) return 0;
    const VdeFontEncT *enc = VdeFontEncRecord(vdeDialogEncodingId);
    // The trail table never marks 0, so a lead byte before the end counts alone.
    return enc->leadBytes[u[0]] && enc->trailBytes[u[1]] ? 2 : 1;
}

namespace {

// HOME, looked up once per process; "" when it is not set.
const char *rememberedHome() {
    static char home[VDE_PATH_BUFSIZE];
    static bool looked = false;
    if (!looked) {
        V_StrCpyN(home, getenv("HOME"), sizeof home);
        looked = true;
    }
    return home;
}

// Copies [begin, end) into a buffer of `size` bytes; false when it is longer.
bool copyRange(char *dst, size_t size, const char *begin, const char *end) {
    size_t n = static_cast<size_t>(end - begin);
    if (n >= size) return false;
    memcpy(dst, begin, n);
    dst[n] = '\0';
    return true;
}

// Home directory of "~" (empty user) or "~user"; null when unknown.
const char *homeOf(const char *begin, const char *end) {
    if (begin == end) return rememberedHome();
    char user[VDE_SEGMENT_MAX + 1];
    if (!copyRange(user, sizeof user, begin, end)) return nullptr;
    const struct passwd *entry = getpwnam(user);
    return entry ? entry->pw_dir : nullptr;
}

// Value of the variable named by [begin, end); null when unset.
const char *variable(const char *begin, const char *end) {
    char name[VDE_PATH_BUFSIZE];
    if (begin == end || !copyRange(name, sizeof name, begin, end)) return nullptr;
    return getenv(name);
}

// Removes the last component of a path being expanded. The root stays the
// root; a relative path with nothing left to remove keeps the "..", so that
// it still names the same place.
void removeLast(VdePathText &r) {
    while (r.length > 1 && r.endsWithSlash()) r.truncate(r.length - 1);
    if (r.length == 1 && r.text[0] == '/') return;
    const char *slash = strrchr(r.text, '/');
    const char *last = slash ? slash + 1 : r.text;
    if (r.length == 0 || strcmp(last, "..") == 0) {
        if (r.length > 0) r.add("/");
        r.add("..");
        return;
    }
    r.truncate(!slash ? 0 : slash == r.text ? 1 : static_cast<int32_t>(slash - r.text));
}

// Walks the segments of path into r. Returns false once the limit was met:
// the segment that met it went in cut, and nothing more may follow.
bool walkSegments(VdePathText &r, const char *path) {
    for (const char *p = path; *p;) {
        if (*p == '/') {
            ++p;
            continue;
        }
        const char *end = VdeSegmentEnd(p);
        size_t n = static_cast<size_t>(end - p);
        if (n == 1 && *p == '.') {
        } else if (n == 2 && p[0] == '.' && p[1] == '.') {
            removeLast(r);
        } else {
            size_t slash = (r.length > 0 && !r.endsWithSlash()) ? 1 : 0;
            if (r.length + slash + n >= VDE_PATH_MAX) {
                char segment[VDE_PATH_BUFSIZE];
                copyRange(segment, sizeof segment, p, p + (n < VDE_PATH_MAX ? n : VDE_PATH_MAX));
                VdeDirCatN(r.text, segment, VDE_PATH_MAX);
                r.length = static_cast<int32_t>(strlen(r.text));
                return false;
            }
            if (slash) r.add("/");
            r.add(p, n);
        }
        p = end;
    }
    return true;
}

}  // namespace

extern "C" {

char *VdeStrFileLastName(const char *name) {
    if (!name) return nullptr;
    const char *slash = strrchr(name, '/');
    return const_cast<char *>(slash ? slash + 1 : name);
}

void VdeSplitFullFileName(const char *fullName, char *directory, char *file) {
    const char *name = fullName ? fullName : "";
    const char *last = VdeStrFileLastName(name);
    if (file) V_StrCpyN(file, last, VDE_LASTNAME_MAX + 1);
    if (!directory) return;
    // Characters before the last slash; -1 when there is none.
    int32_t n = static_cast<int32_t>(last - name) - 1;
    if (n < 0) {
        directory[0] = '\0';
    } else if (n == 0) {
        V_StrCpy(directory, "/");
    } else {
        if (n > VDE_PATH_MAX - 1) n = VDE_PATH_MAX - 1;
        memcpy(directory, name, static_cast<size_t>(n));
        directory[n] = '\0';
    }
}

int32_t VdeDirCatN(char *directory, const char *name, int32_t size) {
    if (!directory || size <= 0) return 0;
    int32_t length = V_StrLen(directory);
    if (!name || !*name) return length;
    if (length > 0) {
        if (directory[length - 1] != '/') V_StrCatN(directory, "/", size);
        while (*name == '/') ++name;
    }
    return V_StrCatN(directory, name, size);
}

void VdeFixTildaName(char *name) {
    if (!name || !*name) return;
    VdePathText out;
    const char *p = name;
    if (*p == '~') {
        const char *end = VdeSegmentEnd(p + 1);
        const char *home = homeOf(p + 1, end);
        if (!home) return;
        out.addCut(home, strlen(home));
        p = end;
    }
    while (*p) {
        int len = VdeDialogCharLen(p);
        if (len == 1 && p[0] == '\\' && p[1] == '$') {
            len = 2;  // escaped: both stay as they are
        } else if (len == 1 && *p == '$') {
            const char *end = VdeSegmentEnd(p + 1);
            const char *value = variable(p + 1, end);
            if (!value) return;
            out.addCut(value, strlen(value));
            p = end;
            continue;
        }
        out.addCut(p, static_cast<size_t>(len));
        p += len;
    }
    V_StrCpyN(name, out.text, VDE_PATH_BUFSIZE);
}

void VdeUiExpandFileName(char *name, const char *baseDirectory) {
    if (!name) return;
    VdeFixTildaName(name);
    VdePathText r;
    if (*name == '/') {
        r.add("/");
    } else if (baseDirectory && *baseDirectory) {
        if (*baseDirectory == '/') r.add("/");
        if (!walkSegments(r, baseDirectory)) {
            V_StrCpyN(name, r.text, VDE_PATH_MAX);
            return;
        }
    }
    walkSegments(r, name);
    V_StrCpyN(name, r.text, VDE_PATH_MAX);
}

void VdeRelativizeFileName(char *path, const char *anchorName) {
    if (!anchorName) return;
    VDE_ASSERT(path && path[0] == '/' && anchorName[0] == '/');
    char directory[VDE_PATH_BUFSIZE];
    VdeSplitFullFileName(anchorName, directory, nullptr);
    // The anchor's directory with the slash that ends its last component.
    VdeDirCatN(directory, "/", sizeof directory);
    size_t dirLength = strlen(directory);
    size_t shared = 0;  // length of the shared prefix up to and with a '/'
    for (size_t i = 0; path[i] && i < dirLength && path[i] == directory[i]; ++i)
        if (path[i] == '/') shared = i + 1;
    if (shared <= 1 && dirLength > 1) return;  // nothing shared but the root
    VdePathText r;
    for (size_t i = shared; i < dirLength; ++i)
        if (directory[i] == '/' && !r.add("../")) return;
    if (!r.add(path + shared)) return;
    V_StrCpy(path, r.text);
}

int32_t V_PathNameType(const char *name) {
    if (!name || !*name) return V_PATHTYPE_UNKNOWN;
    size_t length = strlen(name);
    if (length >= 4 && name[0] == '<' && name[1] && strchr("rcuhv", name[1]) && name[2] == '>')
        return V_PATHTYPE_DI;
    if ((length >= 2 && name[0] == '/') || (length >= 3 && strncmp(name, "./", 2) == 0) ||
        (length >= 4 && strncmp(name, "../", 3) == 0))
        return V_PATHTYPE_SLASH;
    int slashes = 0, backslashes = 0, colons = 0, blanks = 0;
    for (const char *p = name; *p;) {
        int len = VdeDialogCharLen(p);
        if (len == 1) {
            slashes += *p == '/';
            backslashes += *p == '\\';
            colons += *p == ':';
            blanks += *p == ' ';
        }
        p += len;
    }
    if (!slashes && !backslashes && !colons) return V_PATHTYPE_UNKNOWN;
    if (!blanks && !backslashes && !colons) return V_PATHTYPE_SLASH;
    unsigned char first = static_cast<unsigned char>(name[0]);
    bool asciiLetter = (first >= 'A' && first <= 'Z') || (first >= 'a' && first <= 'z');
    if (!slashes && !blanks && colons == 1 && length >= 3 && name[1] == ':' && asciiLetter)
        return V_PATHTYPE_DOS;
    if (slashes || blanks || colons) return V_PATHTYPE_COLON;
    return V_PATHTYPE_DOS;
}

}  // extern "C"
