// The path parsers over arbitrary names: slash, other systems' and
// device-independent names to file-path records and back, expansion,
// splitting, joining, relativising and the segment cursor.
//
// Input: a name, optionally followed by a newline and an anchor name. A '~'
// that would name another user is disarmed, so that nothing beyond stat and
// the environment is consulted. Invariants that must hold abort the run.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "vsupport/filepath.h"
#include "vsupport/memory.h"

namespace {

void check(bool holds) {
    if (!holds) std::abort();
}

struct PathFree {
    V_FilePathT *p;
    ~PathFree() { V_FilePathFree(p); }
};

std::string disarmUsers(std::string s) {
    for (size_t i = 0; i < s.size(); ++i)
        if (s[i] == '~' && !(i == 0 && (s.size() == 1 || s[1] == '/'))) s[i] = '_';
    return s;
}

// A normalised absolute path: no empty, "." or ".." segment past the root.
bool normalisedAbsolute(const std::string &name) {
    if (name.empty() || name[0] != '/' || name.size() > VDE_PATH_MAX - 1) return false;
    std::string padded = name + "/";
    return name == "/" || (padded.find("//") == std::string::npos && padded.find("/./") == std::string::npos &&
                           padded.find("/../") == std::string::npos);
}

std::string toDI(const V_FilePathT *path, const V_FilePathT *anchor) {
    char *text = nullptr;
    int32_t length = 0;
    if (!path || path->kind == V_PATH_RELATIVE || V_FilePathToDI(path, anchor, &text, &length) != 0) return "";
    std::string out(text);
    check(int32_t(out.size()) == length && length <= VDE_PATH_MAX);
    V_Free(text);
    return out;
}

// Expansion is stable on what the library writes: an absolute record that
// went out to the device-independent notation comes back the same, unless
// a variable, a long segment or the length bound changed it on the way.
void roundTrip(const V_FilePathT *path) {
    if (!path || path->kind != V_PATH_ABSOLUTE || std::strlen(path->name) >= VDE_PATH_MAX - 1) return;
    check(normalisedAbsolute(path->name));
    std::string text = toDI(path, nullptr);
    PathFree back{V_DIToFilePath(text.c_str(), nullptr)};
    bool exact = !std::strchr(path->name, '$') && text.size() < 700;
    VdeUFCursorT cursor;
    VdeUFCinit(&cursor, path->name);
    while (exact && VdeUFCgetSegment(&cursor)) exact = std::strlen(cursor.segment) < VDE_SEGMENT_MAX;
    if (exact) check(back.p && std::strcmp(back.p->name, path->name) == 0);
}

void buffers(const std::string &name, const std::string &anchor) {
    char buffer[VDE_PATH_BUFSIZE], directory[VDE_PATH_BUFSIZE], file[VDE_LASTNAME_MAX + 1];
    std::strncpy(buffer, name.c_str(), VDE_PATH_MAX);
    buffer[VDE_PATH_MAX] = '\0';
    VdeUiExpandFileName(buffer, anchor.c_str());
    size_t expanded = std::strlen(buffer);
    check(expanded <= VDE_PATH_MAX - 1);
    // A result cut at the bound may end in a piece of a segment.
    if (buffer[0] == '/' && expanded < VDE_PATH_MAX - 1 && !std::strchr(name.c_str(), '$'))
        check(normalisedAbsolute(buffer));

    VdeSplitFullFileName(name.c_str(), directory, file);
    check(std::strlen(directory) <= VDE_PATH_MAX - 1 && std::strlen(file) <= VDE_LASTNAME_MAX);
    VdeDirCatN(directory, file, sizeof directory);
    check(std::strlen(directory) <= VDE_PATH_MAX);

    if (name[0] == '/' && anchor[0] == '/') {
        std::strncpy(buffer, name.c_str(), VDE_PATH_MAX);
        VdeRelativizeFileName(buffer, anchor.c_str());
        check(std::strlen(buffer) <= VDE_PATH_MAX);
    }

    VdeUFCursorT cursor;
    VdeUFCinit(&cursor, name.c_str());
    while (VdeUFCgetSegment(&cursor))
        check(cursor.segment[0] && !std::strchr(cursor.segment, '/') &&
              std::strlen(cursor.segment) <= VDE_SEGMENT_MAX);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    std::string input(reinterpret_cast<const char *>(data), size < 4096 ? size : 4096);
    input = input.substr(0, input.find('\0'));
    size_t newline = input.find('\n');
    std::string name = disarmUsers(input.substr(0, newline));
    std::string anchorName = newline == std::string::npos ? "" : disarmUsers(input.substr(newline + 1));
    if (name.size() > VDE_PATH_MAX) name.resize(VDE_PATH_MAX);

    int32_t type = V_PathNameType(name.c_str());
    check(type >= 0 && type <= 4);

    PathFree anchor{anchorName.empty() ? nullptr : VdeFilePathSimpleCreate(anchorName.c_str())};
    if (anchor.p) anchor.p->kind = anchorName[0] == '/' ? V_PATH_ABSOLUTE : V_PATH_UNDETERMINED;

    PathFree slash{V_UnixToFilePath(name.c_str(), anchor.p)};
    roundTrip(slash.p);
    PathFree mac{V_MacToFilePath(name.c_str())}, dos{V_DosToFilePath(name.c_str())};
    toDI(mac.p, anchor.p);
    toDI(dos.p, nullptr);
    PathFree di{V_DIToFilePath(name.c_str(), anchor.p)};
    toDI(di.p, anchor.p);
    roundTrip(di.p);

    buffers(name, anchorName);
    return 0;
}
