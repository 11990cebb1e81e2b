// File-path records: user-typed and other systems' names, the
// device-independent notation both ways, file tests and deletion, names
// between the internal and platform encodings, and temporary names.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "../encoding/oracle.h"
#include "tempdir.h"
#include "vsupport/encoding.h"
#include "vsupport/filepath.h"
#include "vsupport/memory.h"

namespace {

using filetest::TempDir;

struct PathFree {
    void operator()(V_FilePathT *p) const { V_FilePathFree(p); }
};
using Path = std::unique_ptr<V_FilePathT, PathFree>;

Path record(const char *name, uint16_t kind) {
    Path p(VdeFilePathSimpleCreate(name));
    p->kind = kind;
    return p;
}

std::string nameOf(const Path &p) { return p && p->name ? p->name : "<null>"; }

// V_FilePathToDI's text, or "<-1>" when it fails.
std::string toDI(const V_FilePathT *path, const V_FilePathT *anchor = nullptr) {
    char *text = reinterpret_cast<char *>(1);
    int32_t length = -7;
    if (V_FilePathToDI(path, anchor, &text, &length) != 0) {
        EXPECT_EQ(text, nullptr);
        EXPECT_EQ(length, 0);
        return "<-1>";
    }
    std::string out = text;
    EXPECT_EQ(length, int32_t(out.size()));
    V_Free(text);
    return out;
}

TEST(FilePath, RecordsFromUnixNames) {
    Path anchor = record("/home/u/x.doc", V_PATH_ABSOLUTE);
    Path p(V_UnixToFilePath("docs/a.txt", anchor.get()));
    EXPECT_EQ(nameOf(p), "/home/u/docs/a.txt");
    EXPECT_EQ(p->tag, V_FILEPATH_TAG);
    EXPECT_EQ(p->kind, V_PATH_ABSOLUTE);

    p.reset(V_UnixToFilePath("docs/./a", nullptr));
    EXPECT_EQ(nameOf(p), "docs/a");
    EXPECT_EQ(p->kind, V_PATH_RELATIVE);
    p.reset(V_UnixToFilePath("/x/../y", nullptr));
    EXPECT_EQ(nameOf(p), "/y");
    Path undetermined = record("/srv/doc", V_PATH_UNDETERMINED);  // a usable anchor too
    p.reset(V_UnixToFilePath("z", undetermined.get()));
    EXPECT_EQ(nameOf(p), "/srv/z");

    EXPECT_EQ(V_UnixToFilePath("a/..", nullptr), nullptr);
    EXPECT_EQ(V_UnixToFilePath("", nullptr), nullptr);
    EXPECT_EQ(V_UnixToFilePath(nullptr, nullptr), nullptr);
    Path relative = record("rel/doc", V_PATH_RELATIVE);
    EXPECT_EQ(V_UnixToFilePath("/abs", relative.get()), nullptr);
    V_FilePathT untagged{0, V_PATH_ABSOLUTE, nullptr};
    EXPECT_EQ(V_UnixToFilePath("x", &untagged), nullptr);
}

TEST(FilePath, OtherSystemsNamesAreKeptAsTheyAre) {
    for (auto convert : {V_MacToFilePath, V_DosToFilePath}) {
        Path p(convert("Disk:Folder:File"));
        EXPECT_EQ(nameOf(p), "Disk:Folder:File");
        EXPECT_EQ(p->kind, V_PATH_UNDETERMINED);
        p.reset(convert("C:\\dir\\..\\f"));
        EXPECT_EQ(nameOf(p), "C:\\dir\\..\\f");
        EXPECT_EQ(convert(""), nullptr);
        EXPECT_EQ(convert(nullptr), nullptr);
    }
}

TEST(FilePath, ReleaseForms) {
    V_FilePathT *p = VdeFilePathSimpleCreate("x");
    EXPECT_EQ(VdeFilePathFree(&p), 0);
    EXPECT_EQ(p, nullptr);
    EXPECT_EQ(VdeFilePathFree(&p), 0);  // twice is harmless
    EXPECT_EQ(V_FilePathFree(nullptr), 0);
    Path empty(VdeFilePathCreate());
    EXPECT_EQ(empty->name, nullptr);
    EXPECT_EQ(VdeInterpretAnchor(empty.get()), empty.get());
}

TEST(FilePathDeathTest, BrokenPreconditions) {
    EXPECT_DEATH(VdeFilePathFree(nullptr), "");
    V_FilePathT untagged{0, 0, nullptr};
    EXPECT_DEATH(V_FilePathFree(&untagged), "");
    EXPECT_DEATH(V_FileExists(nullptr), "");
    EXPECT_DEATH(V_DeleteFile(&untagged), "");
    Path relative = record("a/b", V_PATH_RELATIVE), absolute = record("/a", V_PATH_ABSOLUTE);
    char *text;
    int32_t length;
    EXPECT_DEATH(V_FilePathToDI(relative.get(), nullptr, &text, &length), "");
    EXPECT_DEATH(V_FilePathToDI(absolute.get(), relative.get(), &text, &length), "");
    EXPECT_DEATH(V_FilePathToDI(absolute.get(), nullptr, nullptr, &length), "");
    EXPECT_DEATH(V_FilePathToDI(absolute.get(), nullptr, &text, nullptr), "");
}

TEST(DeviceIndependent, FromRecords) {
    Path p = record("/usr/lib/../x", V_PATH_ABSOLUTE);
    EXPECT_EQ(toDI(p.get()), "<r><c>usr<c>lib<u><c>x");
    Path anchor = record("/usr/share/doc", V_PATH_ABSOLUTE);
    Path q = record("/usr/lib/x", V_PATH_ABSOLUTE);
    EXPECT_EQ(toDI(q.get(), anchor.get()), "<u><c>lib<c>x");
    Path escaped = record("/a<b/c\\d/./e", V_PATH_ABSOLUTE);
    EXPECT_EQ(toDI(escaped.get()), "<r><c>a\\<b<c>c\\\\d<c>e");
    // Names of other notations are written as they stand, even with an anchor.
    Path mac = record("Disk:F", V_PATH_UNDETERMINED);
    EXPECT_EQ(toDI(mac.get(), anchor.get()), "<c>Disk:F");

    EXPECT_EQ(toDI(nullptr), "<-1>");
    V_FilePathT untagged{0, V_PATH_ABSOLUTE, nullptr};
    EXPECT_EQ(toDI(&untagged), "<-1>");

    // The text is bounded: 5 components of 250 characters do not all fit.
    std::string longName;
    for (int i = 0; i < 5; ++i) longName += "/" + std::string(250, char('a' + i));
    Path big = record(longName.c_str(), V_PATH_ABSOLUTE);
    std::string text = toDI(big.get());
    EXPECT_LE(text.size(), size_t(VDE_PATH_MAX));
    EXPECT_EQ(text.substr(0, 6), "<r><c>");
}

TEST(DeviceIndependent, ToRecords) {
    struct Case {
        const char *text, *name;
        uint16_t kind;
    };
    const Case cases[] = {
        {"<r><c>usr", "/usr", V_PATH_ABSOLUTE},
        {"<r>", "/", V_PATH_ABSOLUTE},
        {"<r><c>a<c>..<c>b", "/b", V_PATH_ABSOLUTE},
        {"<h>server<c>share", "/server/share", V_PATH_ABSOLUTE},
        {"<v>Disk<c>f", "/Disk/f", V_PATH_ABSOLUTE},
        {"<u><c>x", "../x", V_PATH_RELATIVE},
        {"<c>a<c><c>b", "a/b", V_PATH_RELATIVE},
        {"<r><X>skipped text<c>a", "/a", V_PATH_ABSOLUTE},
        {"<r><c>a\\<b<c>c\\\\d", "/a<b/c\\d", V_PATH_ABSOLUTE},
        {"<r><c>a trailing", "/a trailing", V_PATH_ABSOLUTE},
        // Broken rules keep the output so far, unexpanded and undetermined.
        {"<r><u>", "/", V_PATH_UNDETERMINED},
        {"<c>a<r>", "a/", V_PATH_UNDETERMINED},
        {"<c>a<h>b", "a/", V_PATH_UNDETERMINED},
    };
    for (const Case &c : cases) {
        Path p(V_DIToFilePath(c.text, nullptr));
        EXPECT_EQ(nameOf(p), c.name) << c.text;
        if (p) {
            EXPECT_EQ(p->kind, c.kind) << c.text;
        }
    }
    for (const char *nothing : {"", "plain", "<z>x", "<r", "<<r>", "<c>"}) {
        Path p(V_DIToFilePath(nothing, nullptr));
        EXPECT_EQ(p, nullptr) << nothing;
    }
    EXPECT_EQ(V_DIToFilePath(nullptr, nullptr), nullptr);

    Path anchor = record("/home/u/x.doc", V_PATH_ABSOLUTE);
    Path p(V_DIToFilePath("<u><c>x", anchor.get()));
    EXPECT_EQ(nameOf(p), "/home/x");
    p.reset(V_DIToFilePath("<c>docs<c>a.txt", anchor.get()));
    EXPECT_EQ(nameOf(p), "/home/u/docs/a.txt");
    Path relative = record("a/doc", V_PATH_RELATIVE);
    EXPECT_EQ(V_DIToFilePath("<c>x", relative.get()), nullptr);

    std::string longComponent(300, 'x');
    p.reset(V_DIToFilePath(("<r><c>" + longComponent).c_str(), nullptr));
    EXPECT_EQ(nameOf(p), "/" + longComponent.substr(0, VDE_SEGMENT_MAX));
    std::string overflow = "<r>";
    for (int i = 0; i < 5; ++i) overflow += "<c>" + std::string(250, char('a' + i));
    p.reset(V_DIToFilePath(overflow.c_str(), nullptr));
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->kind, V_PATH_UNDETERMINED);
    EXPECT_EQ(strlen(p->name), size_t(1 + 4 * 251));
}

TEST(DeviceIndependent, RoundTrips) {
    Path anchor = record("/home/u/doc", V_PATH_ABSOLUTE);
    for (const char *name : {"/", "/usr/lib/x", "/a<b/c\\d/e f/\xC3\xBC", "/home/u/sub/file", "/home/v",
                             "/x\\"}) {
        Path p(V_UnixToFilePath(name, nullptr));
        for (const V_FilePathT *a : {static_cast<const V_FilePathT *>(nullptr),
                                     static_cast<const V_FilePathT *>(anchor.get())}) {
            std::string text = toDI(p.get(), a);
            Path back(V_DIToFilePath(text.c_str(), a));
            EXPECT_EQ(nameOf(back), name) << text;
        }
    }
    // A Shift_JIS character ending in a backslash goes whole, unescaped.
    VdeInitJISX0208_ShiftJISEncoding(&vdeFontEncs[1]);
    int32_t saved = vdeDialogEncodingId;
    vdeDialogEncodingId = 1;
    Path sjis = record("/\x95\x5C/x", V_PATH_ABSOLUTE);
    std::string text = toDI(sjis.get());
    EXPECT_EQ(text, "<r><c>\x95\x5C<c>x");
    Path back(V_DIToFilePath(text.c_str(), nullptr));
    EXPECT_EQ(nameOf(back), "/\x95\x5C/x");
    vdeDialogEncodingId = saved;
}

TEST(FileTests, RegularFilesDirectoriesAndMissingNames) {
    TempDir dir;
    Path file = record(dir.write("f", "data").c_str(), V_PATH_ABSOLUTE);
    Path sub = record(dir.mkdir("d").c_str(), V_PATH_ABSOLUTE);
    Path missing = record((dir / "missing").c_str(), V_PATH_ABSOLUTE);
    Path noName(VdeFilePathCreate());
    struct Row {
        const V_FilePathT *path;
        int32_t file, directory;
    };
    for (const Row &r : {Row{file.get(), 1, 0}, Row{sub.get(), 0, 1}, Row{missing.get(), 0, 0},
                         Row{noName.get(), 0, 0}}) {
        EXPECT_EQ(V_FileExists(r.path), r.file);
        EXPECT_EQ(V_FileIsReadable(r.path), r.file);
        EXPECT_EQ(V_FileIsWriteable(r.path), r.file);
        EXPECT_EQ(V_DirectoryExists(r.path), r.directory);
        EXPECT_EQ(V_DirectoryIsReadable(r.path), r.directory);
        EXPECT_EQ(V_DirectoryIsWriteable(r.path), r.directory);
    }
    EXPECT_EQ(VdeStatProperty(file->name, 0x700), VDE_SP_EXISTS | VDE_SP_REGULAR);
    EXPECT_EQ(VdeStatProperty(sub->name, 0x700), VDE_SP_EXISTS | VDE_SP_DIRECTORY);
    EXPECT_EQ(VdeStatProperty(sub->name, VDE_SP_REGULAR), 0);
    EXPECT_EQ(VdeStatProperty(missing->name, 0x700), 0);
    EXPECT_EQ(VdeAccessProperty(file->name, 3), 3);
    EXPECT_EQ(VdeAccessProperty(file->name, 2), 2);
    EXPECT_EQ(VdeAccessProperty(missing->name, 3), 0);
    EXPECT_EQ(VdeExists("/dev/null", VDE_FT_REGULAR), 0);  // a device is neither
    EXPECT_EQ(VdeStatProperty("/dev/null", 0x700), VDE_SP_EXISTS);
    // Writability as the system's access check sees it, whoever runs the test.
    std::string ro = dir.write("ro", "x");
    chmod(ro.c_str(), 0444);
    Path readOnly = record(ro.c_str(), V_PATH_ABSOLUTE);
    EXPECT_EQ(V_FileIsWriteable(readOnly.get()), access(ro.c_str(), W_OK) == 0 ? 1 : 0);
}

TEST(FileTests, Deletion) {
    TempDir dir;
    Path file = record(dir.write("f", "data").c_str(), V_PATH_ABSOLUTE);
    Path empty = record(dir.mkdir("empty").c_str(), V_PATH_ABSOLUTE);
    dir.mkdir("full");
    dir.write("full/x", "");
    Path full = record((dir / "full").c_str(), V_PATH_ABSOLUTE);
    EXPECT_EQ(V_DeleteFile(file.get()), 0);
    EXPECT_FALSE(filetest::exists(file->name));
    EXPECT_EQ(V_DeleteFile(empty.get()), 0);
    EXPECT_FALSE(filetest::exists(empty->name));
    EXPECT_EQ(V_DeleteFile(full.get()), -1);
    EXPECT_TRUE(filetest::exists(full->name));
    EXPECT_EQ(V_DeleteFile(file.get()), -1);  // already gone
}

// Sets one locale flag for a test and puts all of them back.
struct LocaleFlag {
    explicit LocaleFlag(int32_t *flag) : saved{vdeLocaleIsEUC, vdeLocaleIsJIS, vdeLocaleIsCNS, vdeLocaleIsRoman} {
        vdeLocaleIsEUC = vdeLocaleIsJIS = vdeLocaleIsCNS = vdeLocaleIsRoman = 0;
        *flag = 1;
    }
    ~LocaleFlag() {
        vdeLocaleIsEUC = saved[0];
        vdeLocaleIsJIS = saved[1];
        vdeLocaleIsCNS = saved[2];
        vdeLocaleIsRoman = saved[3];
    }
    int32_t saved[4];
};

std::string owned(char *s) {
    std::string out = s ? s : "<null>";
    V_Free(s);
    return out;
}

TEST(PlatformNames, FollowTheLocaleFlags) {
    const std::string utf8 = "/tmp/\xE6\x97\xA5\xE6\x9C\xAC/\xE8\xA1\xA8.txt";  // 日本/表.txt
    auto in = [&](const char *code) { return *enctest::Iconv(code, "UTF-8")(utf8); };
    {
        LocaleFlag flag(&vdeLocaleIsEUC);
        EXPECT_EQ(owned(VdeInternalToPlatformFilename(in("SHIFT_JIS").c_str())), in("EUC-JP"));
        EXPECT_EQ(owned(VdePlatformToInternalFilename(in("EUC-JP").c_str())), in("SHIFT_JIS"));
    }
    {
        LocaleFlag flag(&vdeLocaleIsJIS);
        std::string jis = owned(VdeInternalToPlatformFilename(in("SHIFT_JIS").c_str()));
        EXPECT_EQ(enctest::Iconv("UTF-8", "ISO-2022-JP")(jis), utf8);
    }
    {
        LocaleFlag flag(&vdeLocaleIsCNS);
        EXPECT_EQ(owned(VdeInternalToPlatformFilename(in("BIG5").c_str())), in("EUC-TW"));
        EXPECT_EQ(owned(VdePlatformToInternalFilename(in("EUC-TW").c_str())), in("BIG5"));
    }
    {
        LocaleFlag flag(&vdeLocaleIsRoman);
        EXPECT_EQ(owned(VdePlatformToInternalFilename("caf\xE9")), "caf\xE9");  // only the second form maps
        EXPECT_EQ(owned(VdePlatformToInternalFilename2("caf\xE9")),
                  std::string("caf") + char(VdeIsoLatin1ToVellix(0xE9)));
    }
    for (auto convert : {VdeInternalToPlatformFilename, VdePlatformToInternalFilename,
                         VdePlatformToInternalFilename2}) {
        EXPECT_EQ(owned(convert(nullptr)), "");
        EXPECT_EQ(owned(convert("")), "");
        LocaleFlag none(&vdeLocaleIsRoman);
        vdeLocaleIsRoman = 0;
        EXPECT_EQ(owned(convert("/a/caf\xE9")), "/a/caf\xE9");
    }
}

// Temporary names remember their directory and count per process, so each
// case runs in a fresh process (exit status 0 when its checks hold).
class TmpNameDeathTest : public ::testing::Test {
protected:
    void SetUp() override { GTEST_FLAG_SET(death_test_style, "threadsafe"); }
};

bool startsWith(const std::string &s, const std::string &prefix) { return s.compare(0, prefix.size(), prefix) == 0; }

int sequenceInDefaultDirectory() {
    unsetenv("TMPDIR");
    std::string a = owned(VdeMakeTmpFileName());
    std::string b = owned(VdeMakeTmpFileName());
    bool ok = startsWith(a, "/tmp/F1.") && startsWith(b, "/tmp/F2.") && a.size() == 14 && b.size() == 14 &&
              a.substr(8) != "XXXXXX" && a != b && !filetest::exists(a);
    return ok ? 0 : 1;
}

int directoryFromTmpdir(const std::string &tmpdir) {
    setenv("TMPDIR", tmpdir.c_str(), 1);
    std::string a = owned(VdeMakeTmpFileName());
    setenv("TMPDIR", "/", 1);  // chosen once: a later value is not looked at
    std::string b = owned(VdeMakeTmpFileName());
    return startsWith(a, tmpdir + "/F1.") && startsWith(b, tmpdir + "/F2.") ? 0 : 1;
}

int tmpdirThatIsNoDirectory(const std::string &file) {
    setenv("TMPDIR", file.c_str(), 1);
    return startsWith(owned(VdeMakeTmpFileName()), "/tmp/F1.") ? 0 : 1;
}

TEST_F(TmpNameDeathTest, SequenceAndDefaultDirectory) {
    EXPECT_EXIT(std::exit(sequenceInDefaultDirectory()), ::testing::ExitedWithCode(0), "");
}

TEST_F(TmpNameDeathTest, DirectoryFromTmpdirUnlessItIsNoDirectory) {
    TempDir dir;
    EXPECT_EXIT(std::exit(directoryFromTmpdir(dir.path())), ::testing::ExitedWithCode(0), "");
    std::string file = dir.write("plain", "");
    EXPECT_EXIT(std::exit(tmpdirThatIsNoDirectory(file)), ::testing::ExitedWithCode(0), "");
}

}  // namespace
