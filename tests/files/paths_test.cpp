// Names and file-path records: expansion against realpath(3) and the user
// database, relativising checked by resolving back, the device-independent
// notation both ways, names in the platform's encodings (iconv as oracle).
// Name buffers are exactly the library's path size, so that AddressSanitizer
// sees any write past them.
#include "../encoding/oracle.h"
#include "process.h"

#include <gtest/gtest.h>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "vsupport/filename.h"
#include "vsupport/filepath.h"

namespace {

using lindrel_test::exists;
using lindrel_test::real_path;
using lindrel_test::TempDir;

// Runs op on a heap copy of text in a buffer of exactly `size` bytes.
template <typename Op>
std::string inBuffer(const std::string &text, Op op, size_t size = VDE_PATH_BUFSIZE)
{
    std::unique_ptr<char[]> b(new char[size]);
    std::snprintf(b.get(), size, "%s", text.c_str());
    op(b.get());
    return b.get();
}

std::string expand(const std::string &name, const char *base = "")
{
    return inBuffer(name, [base](char *b) { VdeUiExpandFileName(b, base); });
}
std::string fix(const std::string &name) { return inBuffer(name, VdeFixTildaName); }
std::string relativize(const std::string &path, const std::string &anchor)
{
    return inBuffer(path, [&](char *b) { VdeRelativizeFileName(b, anchor.c_str()); });
}

TEST(Names, ExpansionAgreesWithRealpathAndTheUserDatabase)
{
    TempDir dir;
    for (const char *d : {"a", "a/b", "a/b/c", "d"})
        dir.mkdir(d);
    for (const char *rel : {"a/./b/../b/c", "a//b///c/..", "./a/../d/.", "a/b/c/../../../../.."}) {
        EXPECT_EQ(expand(dir.file(rel)), real_path(dir.file(rel))) << rel;
        EXPECT_EQ(expand(rel, dir.path().c_str()), real_path(dir.file(rel))) << rel;
    }
    // Relative names stay relative; a base directory goes in front.
    const std::array<const char *, 3> cases[] = {
        {"/a/./b/../c", "", "/a/c"}, {"/..", "", "/"}, {"/../x//y/", "", "/x/y"}, {"a/..", "", ""},
        {"a/b/../c", "", "a/c"}, {"../x", "", "../x"}, {"a/../../x/..", "", ".."}, {"../../y", "../b", "../../y"},
        {"x", "/base/", "/base/x"}, {"../y", "/base/dir", "/base/y"}};
    for (const auto &c : cases)
        EXPECT_EQ(expand(c[0], c[1]), c[2]) << c[0] << " in " << c[1];
    const char *home = getenv("HOME");
    EXPECT_EQ(fix("~/docs"), std::string(home ? home : "") + "/docs");
    setpwent();
    for (const passwd *user; (user = getpwent()) != nullptr;)
        EXPECT_EQ(fix(std::string("~") + user->pw_name + "/x"), std::string(user->pw_dir) + "/x");
    endpwent();
    setenv("LINDREL_T_DIR", "/srv/data", 1);
    EXPECT_EQ(fix("a/$LINDREL_T_DIR/$LINDREL_T_DIR"), "a//srv/data//srv/data");
    EXPECT_EQ(expand("a/$LINDREL_T_DIR/../b"), "a/srv/b");
    EXPECT_EQ(fix("\\$LINDREL_T_DIR/$LINDREL_T_DIR"), "\\$LINDREL_T_DIR//srv/data");
    // One unknown user or variable: nothing is expanded, yet the name is normalised.
    for (const char *same : {"$LINDREL_T_DIR/$LINDREL_T_UNSET/x", "~no_such_user_zq/$LINDREL_T_DIR", "a$", "~/$LINDREL_T_UNSET"})
        EXPECT_EQ(fix(same), same);
    unsetenv("LINDREL_T_DIR");
    // Long names are cut, never overflowed: a segment that would reach
    // 1,023 characters goes in cut and the rest is dropped.
    setenv("LINDREL_T_LONG", std::string(900, 'v').c_str(), 1);
    EXPECT_EQ(fix("$LINDREL_T_LONG/$LINDREL_T_LONG"), (std::string(900, 'v') + "/" + std::string(900, 'v')).substr(0, 1023));
    unsetenv("LINDREL_T_LONG");
    std::string base = "/" + std::string(700, 'a'), name = std::string(410, 'b') + "/c", fits = "/" + std::string(1016, 'a');
    EXPECT_EQ(expand(name, base.c_str()), (base + "/" + name).substr(0, 1022));
    EXPECT_EQ(expand(std::string(410, 'b') + "/../c", base.c_str()), (base + "/" + name).substr(0, 1022));  // nothing after the cut
    EXPECT_EQ(expand("bb/c", fits.c_str()), fits + "/bb/c");  // exactly 1,022
    EXPECT_EQ(expand("y", std::string(3000, 'x').c_str()).size(), 1022u);
}

TEST(Names, RelativeToAnAnchorSplitJoinAndSegments)
{
    TempDir dir;
    for (const char *d : {"a", "a/b", "a/b/c", "a/d", "e"})
        dir.mkdir(d);
    for (const char *target : {"a/d", "a/b/c", "a/b", "e", "a/b/c/x"}) {  // resolves back from the anchor's directory
        std::string rel = relativize(dir.file(target), dir.file("a/b/c/doc"));
        ASSERT_NE(rel[0], '/') << rel;
        EXPECT_EQ(real_path(dir.file("a/b/c/" + rel)), real_path(dir.file(target))) << rel;
    }
    EXPECT_EQ(relativize("/home/uu/a", "/home/u/x.doc"), "../uu/a");
    EXPECT_EQ(relativize("/etc/passwd", "/home/u/x.doc"), "/etc/passwd");  // only the root shared
    std::string deep = "/a", path = "/a/" + std::string(900, 'p');
    for (int i = 0; i < 300; ++i)  // 300 levels up would pass 1,023 characters
        deep += "/b";
    EXPECT_EQ(relativize(path, deep + "/doc"), path);
    EXPECT_DEATH(relativize("a/b", "/x/doc"), "");

    auto split = [](const std::string &full) {
        std::string d, f = inBuffer("", [&](char *fb) { d = inBuffer("", [&](char *db) { VdeSplitFullFileName(full.c_str(), db, fb); }); }, 255);
        return d + "|" + f;
    };
    EXPECT_EQ(split("/usr/lib/x.so") + split("x") + split("/x") + split("a/b/"), "/usr/lib|x.so|x/|xa/b|");
    std::string longDir = "/" + std::string(1100, 'd'), longFile(300, 'f');
    EXPECT_EQ(split(longDir + "/" + longFile), longDir.substr(0, 1022) + "|" + longFile.substr(0, 254));
    const std::array<const char *, 3> joins[] = {{"a", "b", "a/b"}, {"a/", "b", "a/b"}, {"a", "//b", "a/b"},
                                                 {"/", "b", "/b"},  {"", "b", "b"},    {"a", "", "a"}, {"abc", "defgh", "abc/d"}};
    for (const auto &j : joins)
        EXPECT_EQ(inBuffer(j[0], [&](char *d) { VdeDirCatN(d, j[1], 6); }, 6), j[2]);

    auto segments = [](const char *path) {
        std::vector<std::string> out;
        VdeUFCursorT cursor;
        VdeUFCinit(&cursor, path);
        while (VdeUFCgetSegment(&cursor))
            out.push_back(cursor.segment);
        EXPECT_EQ(VdeUFCgetSegment(&cursor), 0);
        return out;
    };
    using V = std::vector<std::string>;
    EXPECT_EQ(segments("//usr///lib/./.."), (V{"usr", "lib", ".", ".."}));
    EXPECT_EQ(segments(("/" + std::string(300, 's') + "/next").c_str()), (V{std::string(255, 's'), "next"}));
}

struct PathFree {
    void operator()(V_FilePathT *p) const { V_FilePathFree(p); }
};
using Path = std::unique_ptr<V_FilePathT, PathFree>;

Path record(const std::string &name, uint16_t kind = V_PATH_ABSOLUTE)
{
    Path p(VdeFilePathSimpleCreate(name.c_str()));
    p->kind = kind;
    return p;
}

// "name/kind" of a record, which is freed, or "null".
std::string show(V_FilePathT *raw)
{
    Path p(raw);
    return p ? std::string(p->name) + "/" + std::to_string(p->kind) : "null";
}

std::string owned(char *s)
{
    std::string out = s ? s : "null";
    V_Free(s);
    return out;
}

std::string toDI(const V_FilePathT *path, const V_FilePathT *anchor = nullptr)
{
    char *text = nullptr;
    int32_t length = -1;
    if (V_FilePathToDI(path, anchor, &text, &length) != 0)
        return text || length ? "bad results" : "-1";
    EXPECT_EQ(size_t(length), strlen(text));
    return owned(text);
}

TEST(FilePath, RecordsFromNamesAndTheDeviceIndependentNotation)
{
    Path anchor = record("/home/u/x.doc"), relative = record("a/doc", V_PATH_RELATIVE), usr = record("/usr/share/doc");
    EXPECT_EQ(show(V_UnixToFilePath("docs/a.txt", anchor.get())), "/home/u/docs/a.txt/16");
    EXPECT_EQ(show(V_UnixToFilePath("docs/./a", nullptr)), "docs/a/1");
    EXPECT_EQ(show(V_UnixToFilePath("z", record("/srv/doc", V_PATH_UNDETERMINED).get())), "/srv/z/16");
    for (const char *nothing : {"a/..", "", static_cast<const char *>(nullptr)})
        EXPECT_EQ(show(V_UnixToFilePath(nothing, nullptr)), "null");
    EXPECT_EQ(show(V_UnixToFilePath("/abs", relative.get())), "null");
    EXPECT_EQ(toDI(record("/usr/lib/../x").get()), "<r><c>usr<c>lib<u><c>x");
    EXPECT_EQ(toDI(record("/usr/lib/x").get(), usr.get()), "<u><c>lib<c>x");
    EXPECT_EQ(toDI(record("/a<b/c\\d/./e").get()), "<r><c>a\\<b<c>c\\\\d<c>e");
    std::string longName;
    for (char c = 'a'; c < 'f'; ++c)
        longName += "/" + std::string(250, c);
    EXPECT_EQ(toDI(record(longName).get()).size(), 1023u);  // cut at the bound
    const std::pair<const char *, const char *> fromDI[] = {
        {"<r><c>usr", "/usr/16"}, {"<r>", "//16"}, {"<r><c>a<c>..<c>b", "/b/16"}, {"<h>srv<c>share", "/srv/share/16"},
        {"<v>Disk<c>f", "/Disk/f/16"}, {"<u><c>x", "../x/1"}, {"<c>a<c><c>b", "a/b/1"},
        {"<r><X>skipped<c>a", "/a/16"}, {"<r><c>a\\<b<c>c\\\\d", "/a<b/c\\d/16"},
        // Broken rules keep the output so far, unexpanded and undetermined.
        {"<r><u>", "//0"}, {"<c>a<r>", "a//0"}, {"<c>a<h>b", "a//0"}, {"<h><u>", "///0"},
        {"", "null"}, {"plain", "null"}, {"<z>x", "null"}, {"<r", "null"}, {"<c>", "null"}};
    for (const auto &c : fromDI)
        EXPECT_EQ(show(V_DIToFilePath(c.first, nullptr)), c.second) << c.first;
    EXPECT_EQ(show(V_DIToFilePath("<u><c>x", anchor.get())), "/home/x/16");
    EXPECT_EQ(show(V_DIToFilePath("<c>x", relative.get())), "null");
    EXPECT_EQ(show(V_DIToFilePath(("<r><c>" + std::string(300, 'x')).c_str(), nullptr)), "/" + std::string(255, 'x') + "/16");
    std::string overflow = "<r>";
    for (char c = 'a'; c < 'f'; ++c)
        overflow += "<c>" + std::string(250, c);
    EXPECT_EQ(show(V_DIToFilePath(overflow.c_str(), nullptr)), longName.substr(0, 4 * 251 + 1) + "/0");  // cut: undetermined
    for (const char *name : {"/", "/usr/lib/x", "/a<b/c\\d/e f/\xC3\xBC", "/home/u/sub/f", "/home/v", "/x\\"})
        for (const V_FilePathT *a : {static_cast<V_FilePathT *>(nullptr), anchor.get()}) {  // round trips
            std::string text = toDI(record(name).get(), a);
            EXPECT_EQ(show(V_DIToFilePath(text.c_str(), a)), std::string(name) + "/16") << text;
        }

    V_FilePathT *p = VdeFilePathSimpleCreate("x"), untagged{0, V_PATH_ABSOLUTE, nullptr};
    EXPECT_EQ(VdeFilePathFree(&p) + VdeFilePathFree(&p), 0);
    EXPECT_EQ(p, nullptr);
    EXPECT_EQ(V_UnixToFilePath("x", &untagged), nullptr);
    EXPECT_EQ(toDI(&untagged) + toDI(nullptr), "-1-1");
    char *text;
    int32_t length;
    EXPECT_DEATH(V_FilePathFree(&untagged), "");
    EXPECT_DEATH(V_FilePathToDI(anchor.get(), relative.get(), &text, &length), "");
}

TEST(FilePath, PlatformNamesFollowTheLocaleFlags)
{
    const std::string utf8 = "/tmp/\xE6\x97\xA5\xE6\x9C\xAC/\xE8\xA1\xA8.txt";
    auto in = [&](const char *code) { return *enctest::Iconv(code, "UTF-8")(utf8); };
    int32_t *flags[] = {&vdeLocaleIsEUC, &vdeLocaleIsJIS, &vdeLocaleIsCNS, &vdeLocaleIsRoman};
    auto only = [&](int32_t *flag) {
        for (int32_t *f : flags)
            *f = f == flag;
    };
    only(&vdeLocaleIsEUC);
    EXPECT_EQ(owned(VdeInternalToPlatformFilename(in("SHIFT_JIS").c_str())), in("EUC-JP"));
    EXPECT_EQ(owned(VdePlatformToInternalFilename(in("EUC-JP").c_str())), in("SHIFT_JIS"));
    only(&vdeLocaleIsJIS);
    EXPECT_EQ(enctest::Iconv("UTF-8", "ISO-2022-JP")(owned(VdeInternalToPlatformFilename(in("SHIFT_JIS").c_str()))), utf8);
    only(&vdeLocaleIsCNS);
    EXPECT_EQ(owned(VdeInternalToPlatformFilename(in("BIG5").c_str())), in("EUC-TW"));
    EXPECT_EQ(owned(VdePlatformToInternalFilename(in("EUC-TW").c_str())), in("BIG5"));
    only(&vdeLocaleIsRoman);  // only the second form maps ISO-8859-1
    EXPECT_EQ(owned(VdePlatformToInternalFilename("caf\xE9")), "caf\xE9");
    EXPECT_EQ(owned(VdePlatformToInternalFilename2("caf\xE9")), "caf" + std::string(1, char(VdeIsoLatin1ToVellix(0xE9))));
    only(nullptr);
    for (auto convert : {VdeInternalToPlatformFilename, VdePlatformToInternalFilename, VdePlatformToInternalFilename2})
        EXPECT_EQ(owned(convert(nullptr)) + owned(convert("/a/caf\xE9")), "/a/caf\xE9");
}

}  // namespace
