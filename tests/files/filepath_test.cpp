// File-path records: user-typed and other systems' names, the
// device-independent notation both ways, file tests and deletion, names in
// the internal and platform encodings (iconv as oracle), temporary names.
#include <gtest/gtest.h>
#include <unistd.h>

#include <memory>
#include <string>

#include "../encoding/oracle.h"
#include "tempdir.h"
#include "vsupport/filepath.h"

namespace {

using namespace filetest;

struct PathFree {
    void operator()(V_FilePathT *p) const { V_FilePathFree(p); }
};
using Path = std::unique_ptr<V_FilePathT, PathFree>;

Path record(const std::string &name, uint16_t kind = V_PATH_ABSOLUTE) {
    Path p(VdeFilePathSimpleCreate(name.c_str()));
    p->kind = kind;
    return p;
}

// "name/kind" of a record, or "null".
std::string show(V_FilePathT *raw) {
    Path p(raw);
    return p ? std::string(p->name) + "/" + std::to_string(p->kind) : "null";
}

std::string owned(char *s) {
    std::string out = s ? s : "null";
    V_Free(s);
    return out;
}

std::string toDI(const V_FilePathT *path, const V_FilePathT *anchor = nullptr) {
    char *text = nullptr;
    int32_t length = -1;
    if (V_FilePathToDI(path, anchor, &text, &length) != 0) return text || length ? "bad results" : "-1";
    EXPECT_EQ(size_t(length), strlen(text));
    return owned(text);
}

TEST(FilePath, RecordsFromNames) {
    Path anchor = record("/home/u/x.doc"), relative = record("a/doc", V_PATH_RELATIVE);
    Path undetermined = record("/srv/doc", V_PATH_UNDETERMINED);
    EXPECT_EQ(show(V_UnixToFilePath("docs/a.txt", anchor.get())), "/home/u/docs/a.txt/16");
    EXPECT_EQ(show(V_UnixToFilePath("docs/./a", nullptr)), "docs/a/1");
    EXPECT_EQ(show(V_UnixToFilePath("z", undetermined.get())), "/srv/z/16");
    for (const char *nothing : {"a/..", "", static_cast<const char *>(nullptr)})
        EXPECT_EQ(show(V_UnixToFilePath(nothing, nullptr)), "null");
    EXPECT_EQ(show(V_UnixToFilePath("/abs", relative.get())), "null");
    for (auto keep : {V_MacToFilePath, V_DosToFilePath}) {
        EXPECT_EQ(show(keep("C:\\dir\\..\\f")), "C:\\dir\\..\\f/0");
        EXPECT_EQ(show(keep("")), "null");
    }
    V_FilePathT *p = VdeFilePathSimpleCreate("x");
    EXPECT_EQ(VdeFilePathFree(&p), 0);
    EXPECT_EQ(p, nullptr);
    EXPECT_EQ(VdeFilePathFree(&p), 0);

    V_FilePathT untagged{0, V_PATH_ABSOLUTE, nullptr};
    EXPECT_EQ(V_UnixToFilePath("x", &untagged), nullptr);
    EXPECT_EQ(toDI(&untagged), "-1");
    EXPECT_EQ(toDI(nullptr), "-1");
    char *text;
    int32_t length;
    EXPECT_DEATH(V_FilePathFree(&untagged), "");
    EXPECT_DEATH(V_FileExists(nullptr), "");
    EXPECT_DEATH(V_FilePathToDI(relative.get(), nullptr, &text, &length), "");
    EXPECT_DEATH(V_FilePathToDI(anchor.get(), relative.get(), &text, &length), "");
    EXPECT_DEATH(V_FilePathToDI(anchor.get(), nullptr, nullptr, &length), "");
}

TEST(DeviceIndependent, FromRecords) {
    Path anchor = record("/usr/share/doc");
    EXPECT_EQ(toDI(record("/usr/lib/../x").get()), "<r><c>usr<c>lib<u><c>x");
    EXPECT_EQ(toDI(record("/usr/lib/x").get(), anchor.get()), "<u><c>lib<c>x");
    EXPECT_EQ(toDI(record("/a<b/c\\d/./e").get()), "<r><c>a\\<b<c>c\\\\d<c>e");
    EXPECT_EQ(toDI(record("Disk:F", V_PATH_UNDETERMINED).get(), anchor.get()), "<c>Disk:F");
    std::string longName;
    for (char c = 'a'; c < 'f'; ++c) longName += "/" + std::string(250, c);
    EXPECT_EQ(toDI(record(longName).get()).size(), 1023u);  // cut at the bound
}

TEST(DeviceIndependent, ToRecords) {
    const std::pair<const char *, const char *> cases[] = {
        {"<r><c>usr", "/usr/16"}, {"<r>", "//16"}, {"<r><c>a<c>..<c>b", "/b/16"}, {"<h>srv<c>share", "/srv/share/16"},
        {"<v>Disk<c>f", "/Disk/f/16"}, {"<u><c>x", "../x/1"}, {"<c>a<c><c>b", "a/b/1"},
        {"<r><X>skipped<c>a", "/a/16"}, {"<r><c>a\\<b<c>c\\\\d", "/a<b/c\\d/16"},
        // Broken rules keep the output so far, unexpanded and undetermined.
        {"<r><u>", "//0"}, {"<c>a<r>", "a//0"}, {"<c>a<h>b", "a//0"}, {"<h><u>", "///0"},
        {"", "null"}, {"plain", "null"}, {"<z>x", "null"}, {"<r", "null"}, {"<c>", "null"}};
    for (const auto &c : cases) EXPECT_EQ(show(V_DIToFilePath(c.first, nullptr)), c.second) << c.first;

    Path anchor = record("/home/u/x.doc"), relative = record("a/doc", V_PATH_RELATIVE);
    EXPECT_EQ(show(V_DIToFilePath("<u><c>x", anchor.get())), "/home/x/16");
    EXPECT_EQ(show(V_DIToFilePath("<c>x", relative.get())), "null");
    EXPECT_EQ(show(V_DIToFilePath(("<r><c>" + std::string(300, 'x')).c_str(), nullptr)),
              "/" + std::string(255, 'x') + "/16");
    std::string overflow = "<r>";
    for (char c = 'a'; c < 'f'; ++c) overflow += "<c>" + std::string(250, c);
    Path cut(V_DIToFilePath(overflow.c_str(), nullptr));
    EXPECT_EQ(strlen(cut->name), 1u + 4 * 251);
    EXPECT_EQ(cut->kind, V_PATH_UNDETERMINED);
}

TEST(DeviceIndependent, RoundTrips) {
    Path anchor = record("/home/u/doc");
    for (const char *name : {"/", "/usr/lib/x", "/a<b/c\\d/e f/\xC3\xBC", "/home/u/sub/f", "/home/v", "/x\\"}) {
        for (const V_FilePathT *a : {static_cast<V_FilePathT *>(nullptr), anchor.get()}) {
            std::string text = toDI(record(name).get(), a);
            EXPECT_EQ(show(V_DIToFilePath(text.c_str(), a)), std::string(name) + "/16") << text;
        }
    }
    // A Shift_JIS character ending in a backslash goes whole, unescaped.
    VdeInitJISX0208_ShiftJISEncoding(&vdeFontEncs[1]);
    vdeDialogEncodingId = 1;
    EXPECT_EQ(toDI(record("/\x95\x5C/x").get()), "<r><c>\x95\x5C<c>x");
    EXPECT_EQ(show(V_DIToFilePath("<r><c>\x95\x5C<c>x", nullptr)), "/\x95\x5C/x/16");
    vdeDialogEncodingId = 0;
}

TEST(FileTests, TypesAccessAndDeletion) {
    TempDir dir;
    Path file = record(dir.write("f", "data")), sub = record(dir.mkdir("d")), missing = record(dir / "no");
    Path noName(VdeFilePathCreate());
    for (auto [path, isFile, isDir] : {std::tuple(file.get(), 1, 0), std::tuple(sub.get(), 0, 1),
                                       std::tuple(missing.get(), 0, 0), std::tuple(noName.get(), 0, 0)}) {
        EXPECT_EQ(V_FileExists(path) + 2 * V_FileIsReadable(path) + 4 * V_FileIsWriteable(path), 7 * isFile);
        EXPECT_EQ(V_DirectoryExists(path) + 2 * V_DirectoryIsReadable(path) + 4 * V_DirectoryIsWriteable(path),
                  7 * isDir);
    }
    EXPECT_EQ(VdeStatProperty(file->name, 0x700), 0x600);
    EXPECT_EQ(VdeStatProperty(sub->name, 0x600), 0x500 & 0x600);
    EXPECT_EQ(VdeStatProperty("/dev/null", 0x700), 0x400);  // a device is neither
    EXPECT_EQ(VdeStatProperty(missing->name, 0x700), 0);
    EXPECT_EQ(VdeAccessProperty(file->name, 3), 3);
    EXPECT_EQ(VdeAccessProperty(file->name, 2), 2);
    EXPECT_EQ(VdeAccessProperty(missing->name, 3), 0);
    Path readOnly = record(dir.write("ro", "x"));
    chmod(readOnly->name, 0444);
    EXPECT_EQ(V_FileIsWriteable(readOnly.get()), access(readOnly->name, W_OK) == 0);  // as root may

    dir.write("d/x", "");
    EXPECT_EQ(V_DeleteFile(sub.get()), -1);  // not empty
    EXPECT_EQ(V_DeleteFile(record(dir / "d/x").get()), 0);
    EXPECT_EQ(V_DeleteFile(sub.get()), 0);
    EXPECT_EQ(V_DeleteFile(file.get()), 0);
    EXPECT_FALSE(exists(file->name) || exists(sub->name));
    EXPECT_EQ(V_DeleteFile(file.get()), -1);

    // Links go as links: the directory one points to stays, with its files.
    std::string target = dir.mkdir("target");
    dir.write("target/kept", "");
    ASSERT_EQ(symlink(target.c_str(), (dir / "link").c_str()), 0);
    ASSERT_EQ(symlink((dir / "gone").c_str(), (dir / "dangling").c_str()), 0);
    EXPECT_EQ(V_DeleteFile(record(dir / "link").get()) + V_DeleteFile(record(dir / "dangling").get()), 0);
    EXPECT_FALSE(exists(dir / "link") || exists(dir / "dangling"));
    EXPECT_TRUE(exists(target + "/kept"));
}

TEST(PlatformNames, FollowTheLocaleFlags) {
    const std::string utf8 = "/tmp/\xE6\x97\xA5\xE6\x9C\xAC/\xE8\xA1\xA8.txt";  // 日本/表.txt
    auto in = [&](const char *code) { return *enctest::Iconv(code, "UTF-8")(utf8); };
    int32_t *flags[] = {&vdeLocaleIsEUC, &vdeLocaleIsJIS, &vdeLocaleIsCNS, &vdeLocaleIsRoman};
    auto only = [&](int32_t *flag) {
        for (int32_t *f : flags) *f = f == flag;
    };
    only(&vdeLocaleIsEUC);
    EXPECT_EQ(owned(VdeInternalToPlatformFilename(in("SHIFT_JIS").c_str())), in("EUC-JP"));
    EXPECT_EQ(owned(VdePlatformToInternalFilename(in("EUC-JP").c_str())), in("SHIFT_JIS"));
    only(&vdeLocaleIsJIS);
    std::string jis = owned(VdeInternalToPlatformFilename(in("SHIFT_JIS").c_str()));
    EXPECT_EQ(enctest::Iconv("UTF-8", "ISO-2022-JP")(jis), utf8);
    only(&vdeLocaleIsCNS);
    EXPECT_EQ(owned(VdeInternalToPlatformFilename(in("BIG5").c_str())), in("EUC-TW"));
    EXPECT_EQ(owned(VdePlatformToInternalFilename(in("EUC-TW").c_str())), in("BIG5"));
    only(&vdeLocaleIsRoman);  // only the second form maps ISO-8859-1
    EXPECT_EQ(owned(VdePlatformToInternalFilename("caf\xE9")), "caf\xE9");
    EXPECT_EQ(owned(VdePlatformToInternalFilename2("caf\xE9")), "caf" + std::string(1, char(VdeIsoLatin1ToVellix(0xE9))));
    only(nullptr);
    for (auto convert : {VdeInternalToPlatformFilename, VdePlatformToInternalFilename, VdePlatformToInternalFilename2}) {
        EXPECT_EQ(owned(convert(nullptr)), "");
        EXPECT_EQ(owned(convert("/a/caf\xE9")), "/a/caf\xE9");
    }
}

// The temporary directory and sequence are chosen once per process: each
// case runs in a fresh one and exits with 0 when its checks hold.
int temporaryNames(const char *tmpdir, const std::string &expectedDir) {
    if (tmpdir) setenv("TMPDIR", tmpdir, 1);
    else unsetenv("TMPDIR");
    std::string a = owned(VdeMakeTmpFileName());
    setenv("TMPDIR", "/", 1);  // not looked at again
    std::string b = owned(VdeMakeTmpFileName());
    bool ok = a.rfind(expectedDir + "/F1.", 0) == 0 && b.rfind(expectedDir + "/F2.", 0) == 0 &&
              a.size() == expectedDir.size() + 10 && a.substr(a.size() - 6) != "XXXXXX" && !exists(a);
    return ok ? 0 : 1;
}

TEST(TmpNameDeathTest, SequenceAndDirectory) {
    // A fresh process for each case, which re-runs this body: nothing here
    // may create what only its destructor would remove.
    const std::string style = GTEST_FLAG_GET(death_test_style);
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    std::string cwd = realPath(".");
    EXPECT_EXIT(std::exit(temporaryNames(nullptr, "/tmp")), ::testing::ExitedWithCode(0), "");
    EXPECT_EXIT(std::exit(temporaryNames(cwd.c_str(), cwd)), ::testing::ExitedWithCode(0), "");
    EXPECT_EXIT(std::exit(temporaryNames("/dev/null", "/tmp")), ::testing::ExitedWithCode(0), "");
    GTEST_FLAG_SET(death_test_style, style);
}

}  // namespace
