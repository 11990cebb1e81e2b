// Name strings: expansion against realpath(3) and the user database,
// variables, the buffer bounds, relativising, notations, the segment cursor.
#include <gtest/gtest.h>
#include <pwd.h>

#include <array>
#include <string>
#include <vector>

#include "tempdir.h"
#include "vsupport/encoding.h"

namespace {

using namespace filetest;

std::string expand(const std::string &name, const char *base = "") {
    return inBuffer(name, [base](char *b) { VdeUiExpandFileName(b, base); });
}
std::string fix(const std::string &name) { return inBuffer(name, VdeFixTildaName); }
std::string relativize(const std::string &path, const std::string &anchor) {
    return inBuffer(path, [&](char *b) { VdeRelativizeFileName(b, anchor.c_str()); });
}

TEST(Expand, AgreesWithRealpathAndKeepsRelativeNamesRelative) {
    TempDir dir;
    for (const char *d : {"a", "a/b", "a/b/c", "d"}) dir.mkdir(d);
    for (const char *rel : {"a/./b/../b/c", "a//b///c/..", "d/../a/b", "./a/../d/.", "a/b/c/../../../../.."}) {
        EXPECT_EQ(expand(dir / rel), realPath(dir / rel)) << rel;
        EXPECT_EQ(expand(rel, dir.path().c_str()), realPath(dir / rel)) << rel;
    }
    struct Case {
        const char *name, *base, *expanded;
    };
    for (const Case &c : {Case{"/a/./b/../c", "", "/a/c"}, Case{"/..", "", "/"}, Case{"/../x//y/", "", "/x/y"},
                          Case{"a/..", "", ""}, Case{"a/b/../c", "", "a/c"}, Case{"../x", "", "../x"},
                          Case{"a/../../x/..", "", ".."}, Case{"../../y", "../b", "../../y"},
                          Case{"x", "/base/", "/base/x"}, Case{"../y", "/base/dir", "/base/y"}})
        EXPECT_EQ(expand(c.name, c.base), c.expanded) << c.name << " in " << c.base;
}

TEST(Expand, HomeDirectoriesAndVariables) {
    const char *home = getenv("HOME");
    EXPECT_EQ(fix("~/docs"), std::string(home ? home : "") + "/docs");
    EXPECT_EQ(fix("a/~/b"), "a/~/b");
    setpwent();
    for (const passwd *user; (user = getpwent()) != nullptr;)
        EXPECT_EQ(fix(std::string("~") + user->pw_name + "/x"), std::string(user->pw_dir) + "/x");
    endpwent();

    setenv("LINDREL_T_DIR", "/srv/data", 1);
    EXPECT_EQ(fix("a/$LINDREL_T_DIR/$LINDREL_T_DIR"), "a//srv/data//srv/data");
    EXPECT_EQ(expand("a/$LINDREL_T_DIR/../b"), "a/srv/b");
    // One unknown user or variable: nothing is expanded, yet the name is normalised.
    for (const char *same : {"$LINDREL_T_DIR/$LINDREL_T_UNSET/x", "~no_such_user_zq/$LINDREL_T_DIR", "a$",
                             "~/$LINDREL_T_UNSET"})
        EXPECT_EQ(fix(same), same);
    EXPECT_EQ(expand("/a/$LINDREL_T_UNSET/../b"), "/a/b");
    EXPECT_EQ(fix("\\$LINDREL_T_DIR/$LINDREL_T_DIR"), "\\$LINDREL_T_DIR//srv/data");
    unsetenv("LINDREL_T_DIR");
}

TEST(Expand, LongNamesAreCutNeverOverflowed) {
    setenv("LINDREL_T_LONG", std::string(900, 'v').c_str(), 1);
    EXPECT_EQ(fix("$LINDREL_T_LONG/$LINDREL_T_LONG"), (std::string(900, 'v') + "/" + std::string(900, 'v')).substr(0, 1023));
    unsetenv("LINDREL_T_LONG");
    // A segment that would reach 1,023 characters goes in cut; the rest is dropped.
    std::string base = "/" + std::string(700, 'a'), name = std::string(410, 'b') + "/c";
    EXPECT_EQ(expand(name, base.c_str()), (base + "/" + name).substr(0, 1022));
    std::string fits = "/" + std::string(1016, 'a'), over = fits + "a";
    EXPECT_EQ(expand("bb/c", fits.c_str()), fits + "/bb/c");  // exactly 1,022
    EXPECT_EQ(expand("bb/c", over.c_str()), over + "/bb/");
    EXPECT_EQ(expand("y", std::string(3000, 'x').c_str()).size(), 1022u);
}

TEST(SplitAndJoin, DirectoryLastNameAndOneSlash) {
    std::string dir, file;
    auto split = [&](const std::string &full) {
        file = inBuffer("", [&](char *f) { dir = inBuffer("", [&](char *d) { VdeSplitFullFileName(full.c_str(), d, f); }); }, 255);
        return dir + "|" + file;
    };
    EXPECT_EQ(split("/usr/lib/x.so") + split("x") + split("/x") + split("a/b/"), "/usr/lib|x.so|x/|xa/b|");
    EXPECT_STREQ(VdeStrFileLastName("a/b/c"), "c");
    std::string longDir = "/" + std::string(1100, 'd'), longFile(300, 'f');
    EXPECT_EQ(split(longDir + "/" + longFile), longDir.substr(0, 1022) + "|" + longFile.substr(0, 254));

    const std::vector<std::array<const char *, 3>> joins = {{"a", "b", "a/b"}, {"a/", "b", "a/b"}, {"a", "//b", "a/b"},
        {"/", "b", "/b"}, {"", "b", "b"}, {"a", "", "a"}, {"abc", "defgh", "abc/d"}};
    for (const auto &j : joins) EXPECT_EQ(inBuffer(j[0], [&](char *d) { VdeDirCatN(d, j[1], 6); }, 6), j[2]);
}

TEST(Relativize, ResolvesBackToThePathFromTheAnchorsDirectory) {
    TempDir dir;
    for (const char *d : {"a", "a/b", "a/b/c", "a/d", "e"}) dir.mkdir(d);
    std::string anchor = dir / "a/b/c/doc";
    for (const char *target : {"a/d", "a/b/c", "a/b", "e", "a/b/c/x"}) {
        std::string rel = relativize(dir / target, anchor);
        ASSERT_NE(rel[0], '/') << rel;
        EXPECT_EQ(realPath(dir / "a/b/c/" + rel), realPath(dir / target)) << rel;
    }
    EXPECT_EQ(relativize("/home/uu/a", "/home/u/x.doc"), "../uu/a");
    EXPECT_EQ(relativize("/etc/passwd", "/home/u/x.doc"), "/etc/passwd");  // only the root shared
    EXPECT_EQ(relativize("/etc/passwd", "/x.doc"), "etc/passwd");
    EXPECT_EQ(inBuffer("/a/b", [](char *p) { VdeRelativizeFileName(p, nullptr); }), "/a/b");
    std::string deep = "/a";  // 300 levels up would pass 1,023 characters
    for (int i = 0; i < 300; ++i) deep += "/b";
    std::string path = "/a/" + std::string(900, 'p');
    EXPECT_EQ(relativize(path, deep + "/doc"), path);
    EXPECT_DEATH(relativize("a/b", "/x/doc"), "");
    EXPECT_DEATH(relativize("/a/b", "x/doc"), "");
}

TEST(PathNameType, Notations) {
    const std::vector<std::pair<const char *, int32_t>> cases = {
        {"", 0}, {"word", 0}, {"two words", 0}, {"<x>abc", 0}, {"<c>x", 1}, {"<r><c>", 1}, {"/", 2}, {"./x", 2},
        {"../x", 2}, {"a/b", 2}, {"C:\\dir\\f", 4}, {"C:f", 4}, {"a\\b", 4}, {"\x95\x5C", 4},
        {"Disk:Folder:File", 3}, {"a/b c", 3}, {"a:b/c", 3}, {"1:x", 3}, {"C:", 3}, {"C:\\a b", 3}};
    for (const auto &c : cases) EXPECT_EQ(V_PathNameType(c.first), c.second) << c.first;
    // In a Shift_JIS dialog 0x95 0x5C is one character, not a backslash.
    VdeInitJISX0208_ShiftJISEncoding(&vdeFontEncs[1]);
    vdeDialogEncodingId = 1;
    EXPECT_EQ(V_PathNameType("\x95\x5C"), 0);
    EXPECT_EQ(V_PathNameType("a/\x95\x5C"), 2);
    vdeDialogEncodingId = 0;
}

TEST(SegmentCursor, SegmentsAndTheirBound) {
    auto segments = [](const char *path) {
        std::vector<std::string> out;
        VdeUFCursorT cursor;
        VdeUFCinit(&cursor, path);
        while (VdeUFCgetSegment(&cursor)) out.push_back(cursor.segment);
        EXPECT_EQ(VdeUFCgetSegment(&cursor), 0);
        return out;
    };
    using V = std::vector<std::string>;
    EXPECT_EQ(segments("//usr///lib/x"), (V{"usr", "lib", "x"}));
    EXPECT_EQ(segments("a/./.."), (V{"a", ".", ".."}));
    EXPECT_EQ(segments("///"), V{});
    EXPECT_EQ(segments(nullptr), V{});
    std::string longSegment(300, 's');
    EXPECT_EQ(segments(("/" + longSegment + "/next").c_str()), (V{longSegment.substr(0, 255), "next"}));
}

}  // namespace
