// Channels: open, read, write, seek, size, append, end of file, the null
// channel's standard streams, temporary channels, and 16- and 32-bit items
// in either byte order (checked against htons/htonl).
#include <arpa/inet.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "tempdir.h"
#include "vsupport/channel.h"
#include "vsupport/filepath.h"
#include "vsupport/memory.h"
#include "vsupport/print.h"

namespace {

using filetest::TempDir;

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

std::string readAll(V_ChannelT *c) {
    std::string out;
    char chunk[512];
    for (int32_t n; (n = V_ChannelRead(chunk, 1, sizeof chunk, c)) > 0;) out.append(chunk, size_t(n));
    return out;
}

TEST(Channel, WriteSeekTellSizeReadEof) {
    TempDir dir;
    Channel c = open(dir / "f", "w+");
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->byteOrder, 0);
    EXPECT_STREQ(c->fileName, (dir / "f").c_str());
    EXPECT_EQ(V_ChannelWrite("abcdef", 2, 3, c.get()), 3);
    EXPECT_EQ(V_ChannelTell(c.get()), 6);
    EXPECT_EQ(V_ChannelSeek(c.get(), 2, 0), 0);
    EXPECT_EQ(V_ChannelSize(c.get()), 6);
    EXPECT_EQ(V_ChannelTell(c.get()), 2);  // size leaves the position alone
    EXPECT_EQ(V_ChannelSeek(c.get(), 1, 1), 0);
    EXPECT_EQ(V_ChannelEof(c.get()), 0);
    EXPECT_EQ(readAll(c.get()), "def");
    EXPECT_EQ(V_ChannelEof(c.get()), 1);
    EXPECT_EQ(V_ChannelSeek(c.get(), -2, 2), 0);
    EXPECT_EQ(V_ChannelEof(c.get()), 0);  // a seek clears the indicator
    EXPECT_EQ(readAll(c.get()), "ef");
    EXPECT_EQ(V_ChannelSeek(c.get(), 0, 3), -1);  // no such origin
    EXPECT_EQ(V_ChannelSeek(c.get(), -100, 0), -1);
    EXPECT_EQ(V_ChannelFlush(c.get()), 0);
    V_ChannelT *raw = c.release();
    EXPECT_EQ(VdeChannelClose(&raw), 0);
    EXPECT_EQ(raw, nullptr);
    EXPECT_EQ(filetest::readFile(dir / "f"), "abcdef");
}

TEST(Channel, FailedOpensLeaveNothingBehind) {
    TempDir dir;
    EXPECT_EQ(open(dir / "missing/f", "w"), nullptr);
    EXPECT_EQ(open(dir / "absent", "r"), nullptr);
    EXPECT_EQ(open("", "r"), nullptr);
    EXPECT_EQ(open(dir / "f", nullptr), nullptr);
    EXPECT_FALSE(filetest::exists(dir / "f"));
    V_FilePathT *noName = VdeFilePathCreate();
    EXPECT_EQ(V_ChannelOpen(noName, "w"), nullptr);
    V_FilePathFree(noName);
}

TEST(Channel, NullChannel) {
    char buffer[4];
    EXPECT_EQ(V_ChannelRead(buffer, 1, 4, nullptr), 0);
    EXPECT_EQ(V_ChannelSeek(nullptr, 0, 0), -1);
    EXPECT_EQ(V_ChannelTell(nullptr), -1);
    EXPECT_EQ(V_ChannelSize(nullptr), -1);
    EXPECT_EQ(V_ChannelEof(nullptr), 0);
    EXPECT_EQ(V_ChannelClose(nullptr), -1);
    EXPECT_EQ(V_ChannelCloseTmp(nullptr), -1);
    EXPECT_EQ(V_GetFilePath(nullptr), nullptr);

    // Writing goes to standard output, while V_Printf's channel 0 is standard error.
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    EXPECT_EQ(V_ChannelWrite("out", 1, 3, nullptr), 3);
    EXPECT_EQ(V_WriteBytes("put", 3, nullptr), 3);
    EXPECT_EQ(V_ChannelFlush(nullptr), 0);
    V_Printf(nullptr, "err");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "err");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "output");
}

TEST(ChannelDeathTest, NullArgumentsThatAreAssertions) {
    Channel c(V_ChannelMakeTmp());
    ASSERT_NE(c, nullptr);
    EXPECT_DEATH(V_ChannelAppend(nullptr, c.get()), "");
    EXPECT_DEATH(V_ChannelAppend(c.get(), nullptr), "");
    EXPECT_DEATH(VdeChannelClose(nullptr), "");
    EXPECT_DEATH(VdeChannelCloseTmp(nullptr), "");
    EXPECT_DEATH(V_ChannelOpen(nullptr, "r"), "");
    int16_t item = 0;
    EXPECT_DEATH(V_ReadShorts(&item, 1, nullptr), "");
    EXPECT_DEATH(V_WriteLongs(&item, 0, nullptr), "");
    V_ChannelCloseTmp(c.release());
}

TEST(Channel, AppendCopiesTheRestOfTheSource) {
    TempDir dir;
    std::string data;
    for (int i = 0; i < 20000; ++i) data += char('a' + i % 26);  // more than one 8 KiB piece
    dir.write("src", data);
    Channel src = open(dir / "src", "r"), dst = open(dir / "dst", "w+");
    ASSERT_NE(src, nullptr);
    ASSERT_NE(dst, nullptr);
    EXPECT_EQ(V_ChannelWrite("head:", 1, 5, dst.get()), 5);
    EXPECT_EQ(V_ChannelSeek(src.get(), 100, 0), 0);
    EXPECT_EQ(V_ChannelAppend(src.get(), dst.get()), 0);
    EXPECT_EQ(V_ChannelEof(src.get()), 1);
    // At the end of the source there is nothing more to copy.
    EXPECT_EQ(V_ChannelAppend(src.get(), dst.get()), 0);
    EXPECT_EQ(V_ChannelSize(dst.get()), int32_t(5 + data.size() - 100));
    dst.reset();
    EXPECT_EQ(filetest::readFile(dir / "dst"), "head:" + data.substr(100));

    // A source that cannot be read is a read error, not an end of file.
    Channel writeOnly = open(dir / "wo", "w"), target = open(dir / "t", "w");
    EXPECT_EQ(V_ChannelAppend(writeOnly.get(), target.get()), -1);
}

TEST(Channel, TemporaryChannels) {
    V_ChannelT *c = V_ChannelMakeTmp();
    ASSERT_NE(c, nullptr);
    std::string name = c->fileName;
    EXPECT_TRUE(filetest::exists(name));
    EXPECT_EQ(V_ChannelSize(c), 0);
    EXPECT_EQ(V_ChannelWrite("tmp", 1, 3, c), 3);
    EXPECT_EQ(V_ChannelSeek(c, 0, 0), 0);
    EXPECT_EQ(readAll(c), "tmp");
    V_FilePathT *path = V_GetFilePath(c);
    ASSERT_NE(path, nullptr);
    EXPECT_EQ(std::string(path->name), name);
    V_FilePathFree(path);
    EXPECT_EQ(VdeChannelCloseTmp(&c), 0);
    EXPECT_EQ(c, nullptr);
    EXPECT_FALSE(filetest::exists(name));

    // Closed the ordinary way, a temporary channel keeps its file.
    c = V_ChannelMakeTmp();
    ASSERT_NE(c, nullptr);
    name = c->fileName;
    V_ChannelT *other = V_ChannelMakeTmp();
    EXPECT_NE(std::string(other->fileName), name);
    EXPECT_EQ(V_ChannelCloseTmp(other), 0);
    EXPECT_EQ(V_ChannelClose(c), 0);
    EXPECT_EQ(filetest::readFile(name), "");
    EXPECT_TRUE(filetest::exists(name));
    std::remove(name.c_str());
}

// Runs in a child: the working directory changes.
int closeTmpWithoutNameKeepsTheWorkingDirectory(const std::string &dir) {
    if (chdir(dir.c_str()) != 0) return 2;
    auto *channel = static_cast<V_ChannelT *>(V_Calloc(1, sizeof(V_ChannelT), 0));
    channel->stream = std::tmpfile();
    V_FilePathT *path = V_GetFilePath(channel);  // an empty name stands for the working directory
    bool named = path && std::string(path->name) == dir;
    V_FilePathFree(path);
    V_ChannelCloseTmp(channel);
    return named && filetest::exists(dir) ? 0 : 1;
}

TEST(ChannelDeathTest, CloseTmpWithoutANameDeletesNothing) {
    TempDir dir;
    std::string empty = dir.mkdir("empty");
    EXPECT_EXIT(std::exit(closeTmpWithoutNameKeepsTheWorkingDirectory(empty)), testing::ExitedWithCode(0), "");
}

std::vector<unsigned char> bytesOf(const std::string &s) { return {s.begin(), s.end()}; }

TEST(ByteOrder, FlagsFollowTheMachine) {
    V_ChannelT c{7, nullptr, nullptr};
    bool little = htons(1) != 1;
    V_SetByteOrder(&c);
    EXPECT_EQ(c.byteOrder, little ? 0 : 1);
    V_ResetByteOrder(&c);
    EXPECT_EQ(c.byteOrder, little ? 1 : 0);
    V_SetByteOrder(nullptr);
}

TEST(ByteOrder, BigEndianChannelsSwapAndLeaveTheCallersBuffer) {
    TempDir dir;
    Channel c = open(dir / "be", "w+");
    ASSERT_NE(c, nullptr);
    V_ResetByteOrder(c.get());  // data big-endian: network order is the oracle
    std::vector<uint16_t> shorts = {0x0102, 0xA0B0, 0xFFFE};
    std::vector<uint32_t> longs(300);  // 1,200 bytes: more than one 1 KiB block
    for (size_t i = 0; i < longs.size(); ++i) longs[i] = 0x01020304u * uint32_t(i + 1);
    const std::vector<uint16_t> shortsBefore = shorts;
    const std::vector<uint32_t> longsBefore = longs;
    EXPECT_EQ(V_WriteShorts(shorts.data(), int32_t(shorts.size()), c.get()), 3);
    EXPECT_EQ(V_WriteLongs(longs.data(), int32_t(longs.size()), c.get()), 300);
    EXPECT_EQ(shorts, shortsBefore);
    EXPECT_EQ(longs, longsBefore);

    std::vector<unsigned char> expected;
    for (uint16_t s : shorts) {
        uint16_t n = htons(s);
        expected.insert(expected.end(), reinterpret_cast<unsigned char *>(&n), reinterpret_cast<unsigned char *>(&n) + 2);
    }
    for (uint32_t l : longs) {
        uint32_t n = htonl(l);
        expected.insert(expected.end(), reinterpret_cast<unsigned char *>(&n), reinterpret_cast<unsigned char *>(&n) + 4);
    }
    EXPECT_EQ(V_ChannelFlush(c.get()), 0);
    EXPECT_EQ(bytesOf(filetest::readFile(dir / "be")), expected);

    EXPECT_EQ(V_ChannelSeek(c.get(), 0, 0), 0);
    std::vector<uint16_t> shortsBack(3);
    std::vector<uint32_t> longsBack(301);
    EXPECT_EQ(V_ReadShorts(shortsBack.data(), 3, c.get()), 3);
    EXPECT_EQ(V_ReadLongs(longsBack.data(), 301, c.get()), 300);  // one item short of the request
    EXPECT_EQ(shortsBack, shorts);
    longsBack.pop_back();
    EXPECT_EQ(longsBack, longs);
}

TEST(ByteOrder, MachineOrderChannelsPassItemsUnchanged) {
    TempDir dir;
    Channel c = open(dir / "native", "w+");
    ASSERT_NE(c, nullptr);
    V_SetByteOrder(c.get());
    V_ResetByteOrder(c.get());
    V_SetByteOrder(c.get());  // little-endian data
    const uint32_t longs[2] = {0x11223344u, 0xA1B2C3D4u};
    EXPECT_EQ(V_WriteLongs(longs, 2, c.get()), 2);
    EXPECT_EQ(V_WriteBytes("\x01\x02\x03", 3, c.get()), 3);
    EXPECT_EQ(V_WriteShorts(longs, 0, c.get()), 0);
    EXPECT_EQ(V_ChannelFlush(c.get()), 0);
    const unsigned char littleEndian[] = {0x44, 0x33, 0x22, 0x11, 0xD4, 0xC3, 0xB2, 0xA1, 1, 2, 3};
    EXPECT_EQ(bytesOf(filetest::readFile(dir / "native")),
              std::vector<unsigned char>(littleEndian, littleEndian + sizeof littleEndian));
    EXPECT_EQ(V_ChannelSeek(c.get(), 4, 0), 0);
    uint16_t pair[2];
    EXPECT_EQ(V_ReadShorts(pair, 2, c.get()), 2);
    EXPECT_EQ(pair[0], 0xC3D4);
    EXPECT_EQ(pair[1], 0xA1B2);
    unsigned char rest[8];
    EXPECT_EQ(V_ReadBytes(rest, 8, c.get()), 3);
}

}  // namespace
