// Channels: reading, writing, seeking, size, end of file, and a temporary
// channel's close. Then the Unicode table files: found, read, and harmless
// when missing, cut or garbled (tables load once per process, so each
// loading case runs in a child process).
#include "process.h"
#include "ucod.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "vsupport/convert.h"
#include "vsupport/filepath.h"
#include "vsupport/memory.h"
#include "vsupport/print.h"

namespace {

using lindrel_test::exists;
using lindrel_test::read_file;
using lindrel_test::TempDir;
using lindrel_test::kUcodTables;
using lindrel_test::makeUcod;
using lindrel_test::ucodPath;

struct ChannelClose {
    void operator()(V_ChannelT *c) const { V_ChannelClose(c); }
};
using Channel = std::unique_ptr<V_ChannelT, ChannelClose>;

Channel open(const std::string &name, const char *mode) {
    V_FilePathT *path = VdeFilePathSimpleCreate(name.c_str());
    Channel c(V_ChannelOpen(path, mode));
    V_FilePathFree(path);
    return c;
}

std::string rest(V_ChannelT *c) {
    std::string out;
    for (char ch; V_ChannelRead(&ch, 1, 1, c) == 1;) out += ch;
    return out;
}

TEST(Channel, ReadWriteSeekSizeAndEof) {
    TempDir dir;
    Channel c = open(dir.file("f"), "w+");
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(std::string(c->fileName) + "/" + std::to_string(c->byteOrder), dir.file("f/0"));
    EXPECT_EQ(V_ChannelWrite("abcdef", 2, 3, c.get()), 3);
    EXPECT_EQ(V_ChannelSeek(c.get(), 2, 0), 0);
    EXPECT_EQ(V_ChannelSize(c.get()), 6);
    EXPECT_EQ(V_ChannelTell(c.get()), 2);  // size leaves the position alone
    EXPECT_EQ(V_ChannelSeek(c.get(), 1, 1), 0);
    EXPECT_EQ(rest(c.get()), "def");
    EXPECT_EQ(V_ChannelEof(c.get()), 1);
    EXPECT_EQ(V_ChannelSeek(c.get(), -2, 2), 0);
    EXPECT_EQ(V_ChannelEof(c.get()), 0);
    EXPECT_EQ(rest(c.get()), "ef");
    EXPECT_EQ(V_ChannelSeek(c.get(), 0, 3) + V_ChannelSeek(c.get(), -100, 0), -2);
    V_ChannelT *raw = c.release();
    EXPECT_EQ(VdeChannelClose(&raw), 0);
    EXPECT_EQ(raw, nullptr);
    EXPECT_EQ(read_file(dir.file("f")), "abcdef");

    for (const std::string &bad : {dir.file("no/f"), dir.file("absent"), std::string()})
        EXPECT_EQ(open(bad, bad.empty() ? "w" : "r"), nullptr) << bad;
    EXPECT_EQ(open(dir.file("g"), nullptr), nullptr);
    EXPECT_FALSE(exists(dir.file("g")));
}

// In a child, as it changes the working directory: a channel without a name
// stands for that directory, which closing it as temporary must not remove.
int closeTmpWithoutName(const std::string &dir) {
    if (chdir(dir.c_str()) != 0) return 2;
    auto *channel = static_cast<V_ChannelT *>(V_Calloc(1, sizeof(V_ChannelT), 0));
    channel->stream = std::tmpfile();
    V_FilePathT *path = V_GetFilePath(channel);
    bool named = path && std::string(path->name) == dir;
    V_FilePathFree(path);
    V_ChannelCloseTmp(channel);
    return named && exists(dir) ? 0 : 1;
}

TEST(ChannelDeathTest, CloseTmpWithoutANameDeletesNothing) {
    TempDir dir;
    EXPECT_EXIT(std::exit(closeTmpWithoutName(dir.mkdir("empty"))), testing::ExitedWithCode(0), "");
}

// UTF-8 through the tables; "" for nothing.
std::string toUtf8(const std::string &s, int32_t from)
{
    char *r = V_StrConvertEnc(s.c_str(), from, VDE_TE_UTF8);
    std::string out = r ? r : "";
    V_Free(r);
    return out;
}

// For a child: loads the tables of `dir` and checks a Shift_JIS and a Big5
// character (an empty `want` expects none); 0 when both hold.
int loaded(const std::string &dir, const std::string &sjis, const std::string &big5, bool convertAll = false)
{
    V_VdeInitFontEncs("VellixRoman");
    V_VdeInitUnicode(dir.c_str());
    for (int lead = 0x81; convertAll && lead <= 0xFC; ++lead)
        for (int trail = 0x40; trail <= 0xFC; ++trail)
            V_Free(V_StrConvertEnc(std::string{char(lead), char(trail), 'a'}.c_str(), VDE_TE_SHIFTJIS, VDE_TE_UTF8));
    return (toUtf8("\x88\x9F" "A", VDE_TE_SHIFTJIS) == (sjis.empty() ? "" : sjis + "A") ? 0 : 1) |
           (toUtf8("\xA4\x40", VDE_TE_BIG5) == big5 ? 0 : 2);
}

TEST(TableFiles, FoundReadAndLoadedOnce)
{
    TempDir dir, big5;
    ASSERT_TRUE(makeUcod(kUcodTables[0], dir.path()) && makeUcod(kUcodTables[2], big5.path()));
    const char *sjis = kUcodTables[0].file;
    const std::string whole = read_file(ucodPath(dir.path(), kUcodTables[0]));
    ASSERT_GT(whole.size(), 1000u);
    for (std::string d : {dir.path(), dir.path() + "/"}) {
        unsigned char *got = VdeGetPackedUnicodeInfo(sjis, d.c_str());
        EXPECT_TRUE(got && std::string(reinterpret_cast<char *>(got), whole.size()) == whole) << d;
        V_Free(got);
    }
    dir.write("unicode/Empty.UCOD", "");
    for (auto [table, d] : {std::pair(sjis, std::string()), std::pair("NoSuchTable", dir.path()), std::pair("Empty", dir.path()),
                            std::pair(sjis, dir.path() + "/" + std::string(250, 'x'))})
        EXPECT_EQ(VdeGetPackedUnicodeInfo(table, d.c_str()), nullptr) << d;  // a name past the bound is no other file
    const std::string kanji = "\xE4\xBA\x9C", one = "\xE4\xB8\x80";
    // Loaded once: a second directory adds nothing while Shift_JIS is had;
    // without a Shift_JIS table a later call loads again.
    EXPECT_EXIT(std::exit(loaded(dir.path(), kanji, "") | loaded(big5.path(), kanji, "")), testing::ExitedWithCode(0), "");
    EXPECT_EXIT(std::exit(loaded(big5.path(), "", one) | loaded(dir.path(), kanji, one)), testing::ExitedWithCode(0), "");
}

TEST(TableFiles, CutAndGarbledFilesAreHarmless)
{
    TempDir dir;
    ASSERT_TRUE(makeUcod(kUcodTables[0], dir.path()));
    const std::string path = ucodPath(dir.path(), kUcodTables[0]), whole = read_file(path);
    std::mt19937 rng(7);
    std::vector<std::string> bad;
    for (size_t cut : {size_t{1}, size_t{3}, size_t{4}, size_t{300}, whole.size() - 1})
        bad.push_back(whole.substr(0, cut));
    for (int round = 0; round < 3; ++round) {
        bad.emplace_back(2000 + round * 5000, '\0');
        for (char &c : bad.back())
            c = char(rng());
        bad.back()[0] = char(round * 60);  // first row, sometimes 0
    }
    for (const std::string &data : bad) {
        dir.write("unicode/" + std::string(kUcodTables[0].file) + ".UCOD", data);
        EXPECT_EXIT((loaded(dir.path(), "", "", true), std::exit(0)), testing::ExitedWithCode(0), "") << data.size();
    }
    // A half file still serves the rows it holds whole.
    dir.write("unicode/" + std::string(kUcodTables[0].file) + ".UCOD", whole.substr(0, whole.size() / 2));
    EXPECT_EXIT(std::exit(loaded(dir.path(), "\xE4\xBA\x9C", "", true) | (toUtf8("\xEA\x9F", VDE_TE_SHIFTJIS) != "")),
                testing::ExitedWithCode(0), "");
}

}  // namespace
