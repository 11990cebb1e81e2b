// Name strings: expansion checked against realpath(3) and the user database,
// variables, the buffer bounds, relativising, notations and the segment
// cursor.
#include <gtest/gtest.h>
#include <pwd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "tempdir.h"
#include "vsupport/encoding.h"
#include "vsupport/filename.h"

namespace {

using filetest::Buffer;
using filetest::realPath;
using filetest::TempDir;

std::string expand(const std::string &name, const char *base = "") {
    Buffer b(name);
    VdeUiExpandFileName(b.get(), base);
    return b.str();
}

std::string fixTilda(const std::string &name) {
    Buffer b(name);
    VdeFixTildaName(b.get());
    return b.str();
}

std::string relativize(const std::string &path, const char *anchor) {
    Buffer b(path);
    VdeRelativizeFileName(b.get(), anchor);
    return b.str();
}

// Sets an environment variable for one test.
struct ScopedEnv {
    ScopedEnv(const char *name, const std::string &value) : name(name) { setenv(name, value.c_str(), 1); }
    ~ScopedEnv() { unsetenv(name); }
    const char *name;
};

TEST(Expand, AgreesWithRealpathOnExistingDirectories) {
    TempDir dir;
    ASSERT_FALSE(dir.path().empty());
    dir.mkdir("a");
    dir.mkdir("a/b");
    dir.mkdir("a/b/c");
    dir.mkdir("d");
    for (const char *rel : {"a/./b/../b/c", "a//b///c/..", "d/../a/b", "a/b/c/../../..", "./a/../d/.",
                            "a/b/c/../../../d", "a/b/c/../../../../.."}) {
        SCOPED_TRACE(rel);
        std::string expected = realPath(dir / rel);
        EXPECT_EQ(expand(dir / rel), expected);
        EXPECT_EQ(expand(rel, dir.path().c_str()), expected);  // relative name from a base
    }
}

TEST(Expand, DotsRootAndRelativeNames) {
    EXPECT_EQ(expand("/a/./b/../c"), "/a/c");
    EXPECT_EQ(expand("/.."), "/");
    EXPECT_EQ(expand("/../../x//y/"), "/x/y");
    EXPECT_EQ(expand("a/.."), "");
    EXPECT_EQ(expand("a/b/../c"), "a/c");
    // A relative name keeps the ".." it cannot resolve, so it names the same place.
    EXPECT_EQ(expand("../x"), "../x");
    EXPECT_EQ(expand("a/../../x/.."), "..");
    EXPECT_EQ(expand("../../y", "../b"), "../../y");
    EXPECT_EQ(expand("docs/a.txt", "/home/u"), "/home/u/docs/a.txt");
    EXPECT_EQ(expand("x", "/base/"), "/base/x");
    EXPECT_EQ(expand("../y", "/base/dir"), "/base/y");
    EXPECT_EQ(expand("/abs", "/base"), "/abs");
    EXPECT_EQ(expand("x", nullptr), "x");
}

TEST(Expand, HomeDirectoriesFromHomeAndTheUserDatabase) {
    const char *home = getenv("HOME");
    std::string h = home ? home : "";
    EXPECT_EQ(fixTilda("~"), h);
    EXPECT_EQ(fixTilda("~/docs/x"), h + "/docs/x");
    EXPECT_EQ(fixTilda("a/~/b"), "a/~/b");  // only a leading tilde counts

    int users = 0;
    setpwent();
    for (const passwd *entry; (entry = getpwent()) != nullptr && users < 20; ++users) {
        std::string name = entry->pw_name, dir = entry->pw_dir;
        SCOPED_TRACE(name);
        EXPECT_EQ(fixTilda("~" + name + "/x"), dir + "/x");
        EXPECT_EQ(fixTilda("~" + name), dir);
    }
    endpwent();
    EXPECT_GT(users, 0);

    const passwd *root = getpwnam("root");
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(expand("~root/./x/../y"), expand(std::string(root->pw_dir) + "/y"));
    // An unknown user leaves everything, variables included, as it was.
    ScopedEnv var("LINDREL_T_DIR", "/srv");
    EXPECT_EQ(fixTilda("~no_such_user_zq/$LINDREL_T_DIR"), "~no_such_user_zq/$LINDREL_T_DIR");
}

TEST(Expand, EnvironmentVariables) {
    ScopedEnv var("LINDREL_T_DIR", "/srv/data");
    EXPECT_EQ(fixTilda("$LINDREL_T_DIR/x"), "/srv/data/x");
    EXPECT_EQ(fixTilda("a/$LINDREL_T_DIR/$LINDREL_T_DIR"), "a//srv/data//srv/data");
    EXPECT_EQ(expand("a/$LINDREL_T_DIR/../b"), "a/srv/b");
    // One unknown variable: nothing is expanded, but the name is still normalised.
    EXPECT_EQ(fixTilda("$LINDREL_T_DIR/$LINDREL_T_UNSET/x"), "$LINDREL_T_DIR/$LINDREL_T_UNSET/x");
    EXPECT_EQ(expand("/a/$LINDREL_T_UNSET/../b"), "/a/b");
    EXPECT_EQ(fixTilda("~/$LINDREL_T_UNSET"), "~/$LINDREL_T_UNSET");
    EXPECT_EQ(fixTilda("a$"), "a$");
    // An escaped dollar stays as written and is not expanded.
    EXPECT_EQ(fixTilda("\\$LINDREL_T_DIR/$LINDREL_T_DIR"), "\\$LINDREL_T_DIR//srv/data");
}

TEST(Expand, LongNamesAreCutNeverOverflowed) {
    ScopedEnv var("LINDREL_T_LONG", std::string(900, 'v'));
    std::string fixed = fixTilda("$LINDREL_T_LONG/$LINDREL_T_LONG");
    EXPECT_EQ(fixed, (std::string(900, 'v') + "/" + std::string(900, 'v')).substr(0, VDE_PATH_MAX));

    // A segment that would reach 1,023 characters goes in cut; the rest is dropped.
    std::string base = "/" + std::string(700, 'a');
    std::string name = std::string(410, 'b') + "/c";
    EXPECT_EQ(expand(name, base.c_str()), (base + "/" + name).substr(0, VDE_PATH_MAX - 1));
    std::string fits = "/" + std::string(1016, 'a');  // + "/bb/c" is exactly 1,022
    EXPECT_EQ(expand("bb/c", fits.c_str()), fits + "/bb/c");
    std::string over = "/" + std::string(1017, 'a');  // "/c" would reach 1,023
    EXPECT_EQ(expand("bb/c", over.c_str()), over + "/bb/");
    std::string hugeBase(3000, 'x');
    EXPECT_EQ(expand("y", hugeBase.c_str()).size(), size_t(VDE_PATH_MAX - 1));
}

TEST(SplitFullFileName, DirectoryAndLastName) {
    struct Case {
        const char *full, *dir, *file;
    };
    for (const Case &c : {Case{"/usr/lib/x.so", "/usr/lib", "x.so"}, Case{"/x", "/", "x"},
                          Case{"x", "", "x"}, Case{"a/b/", "a/b", ""}, Case{"", "", ""}}) {
        Buffer dir(""), file("", VDE_LASTNAME_MAX + 1);
        VdeSplitFullFileName(c.full, dir.get(), file.get());
        EXPECT_EQ(dir.str(), c.dir) << c.full;
        EXPECT_EQ(file.str(), c.file) << c.full;
        EXPECT_STREQ(VdeStrFileLastName(c.full), c.file);
    }
    Buffer dir(""), file("", VDE_LASTNAME_MAX + 1);
    std::string longDir = "/" + std::string(1100, 'd'), longFile(300, 'f');
    VdeSplitFullFileName((longDir + "/" + longFile).c_str(), dir.get(), file.get());
    EXPECT_EQ(dir.str(), longDir.substr(0, VDE_PATH_MAX - 1));
    EXPECT_EQ(file.str(), longFile.substr(0, VDE_LASTNAME_MAX));
    VdeSplitFullFileName("/a/b", dir.get(), nullptr);
    EXPECT_EQ(dir.str(), "/a");
}

TEST(DirCatN, ExactlyOneSlashWithinTheLimit) {
    struct Case {
        const char *dir, *name, *joined;
    };
    for (const Case &c : {Case{"a", "b", "a/b"}, Case{"a/", "b", "a/b"}, Case{"a", "//b", "a/b"},
                          Case{"/", "b", "/b"}, Case{"", "b", "b"}, Case{"a", "", "a"}}) {
        Buffer b(c.dir);
        EXPECT_EQ(VdeDirCatN(b.get(), c.name, VDE_PATH_BUFSIZE), int32_t(strlen(c.joined)));
        EXPECT_EQ(b.str(), c.joined);
    }
    Buffer small("abc", 6);
    EXPECT_EQ(VdeDirCatN(small.get(), "defgh", 6), 5);
    EXPECT_EQ(small.str(), "abc/d");
}

TEST(Relativize, AgainstTheAnchorsDirectory) {
    const char *anchor = "/home/u/x.doc";
    EXPECT_EQ(relativize("/home/u/docs/a.txt", anchor), "docs/a.txt");
    EXPECT_EQ(relativize("/home/v/a", anchor), "../v/a");
    EXPECT_EQ(relativize("/home/uu/a", anchor), "../uu/a");
    EXPECT_EQ(relativize("/etc/passwd", anchor), "/etc/passwd");  // only the root is shared
    EXPECT_EQ(relativize("/etc/passwd", "/x.doc"), "etc/passwd");
    EXPECT_EQ(relativize("/a/x", "/a/b/c/d/doc"), "../../../x");
    EXPECT_EQ(relativize("/a/b", nullptr), "/a/b");
    // A result that would pass 1,023 characters leaves the path as it was.
    std::string deep = "/a";
    for (int i = 0; i < 300; ++i) deep += "/b";
    std::string path = "/a/" + std::string(900, 'p');
    EXPECT_EQ(relativize(path, (deep + "/doc").c_str()), path);
}

TEST(Relativize, ResolvesBackToThePath) {
    TempDir dir;
    for (const char *d : {"a", "a/b", "a/b/c", "a/d", "e"}) dir.mkdir(d);
    std::string anchor = dir / "a/b/c/doc";
    for (const char *target : {"a/d", "a/b/c", "a/b", "e", "a/b/c/x", "a"}) {
        std::string rel = relativize(dir / target, anchor.c_str());
        SCOPED_TRACE(rel);
        ASSERT_NE(rel[0], '/');
        EXPECT_EQ(realPath(dir / "a/b/c/" + rel), realPath(dir / target));
    }
}

TEST(RelativizeDeathTest, BothNamesMustBeAbsolute) {
    EXPECT_DEATH(relativize("a/b", "/x/doc"), "");
    EXPECT_DEATH(relativize("/a/b", "x/doc"), "");
}

TEST(PathNameType, Notations) {
    struct Case {
        const char *name;
        int32_t type;
    };
    for (const Case &c : {Case{"", 0}, Case{"word", 0}, Case{"two words", 0}, Case{"<c>x", 1},
                          Case{"<r><c>", 1}, Case{"<x>abc", 0}, Case{"/a", 2}, Case{"/", 2},
                          Case{"./x", 2}, Case{"../x", 2}, Case{"a/b", 2}, Case{"C:\\dir\\f", 4},
                          Case{"C:f", 4}, Case{"a\\b", 4}, Case{"Disk:Folder:File", 3},
                          Case{"a/b c", 3}, Case{"a:b/c", 3}, Case{"1:x", 3}, Case{"C:", 3},
                          Case{"C:\\a b", 3}}) {
        EXPECT_EQ(V_PathNameType(c.name), c.type) << c.name;
    }
    EXPECT_EQ(V_PathNameType(nullptr), 0);
}

TEST(PathNameType, DoubleByteCharactersAreNoSeparators) {
    // 0x95 0x5C is one Shift_JIS character whose second byte is a backslash.
    const char *name = "\x95\x5C";
    EXPECT_EQ(V_PathNameType(name), 4);
    VdeInitJISX0208_ShiftJISEncoding(&vdeFontEncs[1]);
    int32_t saved = vdeDialogEncodingId;
    vdeDialogEncodingId = 1;
    EXPECT_EQ(V_PathNameType(name), 0);
    EXPECT_EQ(V_PathNameType("a/\x95\x5C"), 2);
    vdeDialogEncodingId = saved;
}

TEST(SegmentCursor, SegmentsAndTheirBound) {
    auto segments = [](const char *path) {
        std::vector<std::string> out;
        VdeUFCursorT cursor;
        VdeUFCinit(&cursor, path);
        while (VdeUFCgetSegment(&cursor)) out.push_back(cursor.segment);
        EXPECT_EQ(VdeUFCgetSegment(&cursor), 0);  // stays at the end
        return out;
    };
    using V = std::vector<std::string>;
    EXPECT_EQ(segments("//usr///lib/x"), (V{"usr", "lib", "x"}));
    EXPECT_EQ(segments("a/./.."), (V{"a", ".", ".."}));
    EXPECT_EQ(segments(""), V{});
    EXPECT_EQ(segments("///"), V{});
    EXPECT_EQ(segments(nullptr), V{});
    std::string longSegment(300, 's');
    EXPECT_EQ(segments(("/" + longSegment + "/next").c_str()), (V{longSegment.substr(0, 255), "next"}));
}

}  // namespace
