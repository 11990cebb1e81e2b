// Edges that the larger tables pass by, a row each: where a comparison, a
// count or a byte order is easy to get one off.
#include "process.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <unistd.h>

#include <cstring>
#include <string>
#include <vector>

#include "vsupport/channel.h"
#include "vsupport/convert.h"
#include "vsupport/encoding.h"
#include "vsupport/filename.h"
#include "vsupport/filepath.h"
#include "vsupport/strings.h"

namespace {

TEST(Edges, SuffixesPathTypesMacBytesAndAccess)
{
    EXPECT_EQ(V_StrSuffix("abc", "bc") * 100 + V_StrSuffix("abc", "x") * 10 + V_StrSuffix("a", ""), 101);
    EXPECT_EQ(V_PathNameType("./:") * 100 + V_PathNameType("/a") * 10 + V_PathNameType("<c>x"),
              V_PATHTYPE_SLASH * 110 + V_PATHTYPE_DI);
    EXPECT_EQ(VdeVellixToMac(0x80) * 100 + VdeAccessProperty("/nonexistent/x", 3) * 10 + VdeAccessProperty("", 3),
              0x80 * 100);
    EXPECT_EQ(V_StrCmpN("ab", "ac", -1), 0);  // a negative count compares one character
    VdeCharListT cl;
    VdeClInit(&cl, 1);  // growing a byte at a time is allowed
    EXPECT_EQ(VdeClAddString(&cl, "ab") * 10 + VdeClAddString(&cl, "c"), 12);  // the last index
    EXPECT_STREQ(cl.buffer, "abc");
    VdeClSetSize(&cl, 0);
}

// Items lie on the file big-endian after V_ResetByteOrder (as htons and
// htonl write them) and read back as written.
TEST(Edges, ByteOrderedItemsOnTheFile)
{
    const uint16_t shorts[2] = {0x0102, 0x0304}, wanted[2] = {htons(0x0102), htons(0x0304)};
    const uint32_t longs[2] = {0x0A0B0C0D, 0x01020304}, wantedLongs[2] = {htonl(0x0A0B0C0D), htonl(0x01020304)};
    V_ChannelT *channel = V_ChannelMakeTmp();
    ASSERT_NE(channel, nullptr);
    V_ResetByteOrder(channel);
    EXPECT_EQ(V_WriteShorts(shorts, 2, channel) * 10 + V_WriteLongs(longs, 2, channel), 22);
    uint16_t raw[2], back[2];
    uint32_t rawLongs[2], backLongs[2];
    V_ChannelSeek(channel, 0, SEEK_SET);
    EXPECT_EQ(V_ChannelRead(raw, 2, 2, channel) * 10 + V_ChannelRead(rawLongs, 4, 2, channel), 22);
    V_ChannelSeek(channel, 0, SEEK_SET);
    EXPECT_EQ(V_ReadShorts(back, 2, channel) * 10 + V_ReadLongs(backLongs, 2, channel), 22);
    EXPECT_EQ(std::memcmp(raw, wanted, 4) + std::memcmp(rawLongs, wantedLongs, 8) + std::memcmp(back, shorts, 4) +
                  std::memcmp(backLongs, longs, 8), 0);
    V_ChannelCloseTmp(channel);
}

// A write the device refuses makes the append fail, not stop quietly.
TEST(Edges, AppendToAFullDeviceFails)
{
    V_ChannelT *source = V_ChannelMakeTmp();
    std::string block(20000, 'x');
    ASSERT_EQ(V_ChannelWrite(block.data(), 1, static_cast<int32_t>(block.size()), source), 20000);
    V_ChannelSeek(source, 0, SEEK_SET);
    V_FilePathT *path = V_UnixToFilePath("/dev/full", nullptr);
    V_ChannelT *full = V_ChannelOpen(path, "w");
    ASSERT_NE(full, nullptr);
    EXPECT_EQ(V_ChannelAppend(source, full), -1);
    V_ChannelClose(full);
    V_FilePathFree(path);
    V_ChannelCloseTmp(source);
}

// The name itself goes: a link, not the directory it points to; a name
// already gone fails.
TEST(Edges, DeletingRemovesTheNameItself)
{
    lindrel_test::TempDir dir;
    std::string file = dir.write("f", "x"), target = dir.mkdir("d"), link = dir.file("l");
    ASSERT_EQ(symlink(target.c_str(), link.c_str()), 0);
    std::vector<int32_t> results;
    for (const std::string &name : {file, link, file, target}) {
        V_FilePathT *path = V_UnixToFilePath(name.c_str(), nullptr);
        results.push_back(V_DeleteFile(path));
        V_FilePathFree(path);
    }
    EXPECT_EQ(results, (std::vector<int32_t>{0, 0, -1, 0}));
}

}  // namespace
