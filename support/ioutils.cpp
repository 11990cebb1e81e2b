// Byte-order-aware reading and writing of 16- and 32-bit items on channels.
#include <string.h>

#include "vsupport/channel.h"
#include "vsupport/memory.h"

namespace {

constexpr size_t kSwapBlock = 1024;  // bytes swapped and written at a time

bool machineIsBigEndian() {
    const uint16_t probe = 1;
    unsigned char first;
    memcpy(&first, &probe, 1);
    return first == 0;
}

void reverseItems(unsigned char *bytes, size_t itemSize, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        unsigned char *item = bytes + i * itemSize;
        for (size_t a = 0, b = itemSize - 1; a < b; ++a, --b) {
            unsigned char t = item[a];
            item[a] = item[b];
            item[b] = t;
        }
    }
}

int32_t readItems(void *buffer, size_t itemSize, int32_t count, V_ChannelT *channel) {
    VDE_ASSERT(channel != nullptr);
    int32_t read = V_ChannelRead(buffer, static_cast<int32_t>(itemSize), count, channel);
    if (channel->byteOrder && read > 0)
        reverseItems(static_cast<unsigned char *>(buffer), itemSize, static_cast<size_t>(read));
    return read;
}

// Swapped items go through a local block so that the caller's buffer stays
// as it was; a short write does not stop the remaining blocks.
int32_t writeItems(const void *buffer, size_t itemSize, int32_t count, V_ChannelT *channel) {
    VDE_ASSERT(channel != nullptr);
    if (!channel->byteOrder)
        return V_ChannelWrite(buffer, static_cast<int32_t>(itemSize), count, channel);
    if (!buffer || count <= 0) return 0;
    const size_t perBlock = kSwapBlock / itemSize;
    auto source = static_cast<const unsigned char *>(buffer);
    unsigned char block[kSwapBlock];
    int32_t written = 0;
    for (size_t done = 0, total = static_cast<size_t>(count); done < total;) {
        size_t n = total - done < perBlock ? total - done : perBlock;
        memcpy(block, source + done * itemSize, n * itemSize);
        reverseItems(block, itemSize, n);
        written += V_ChannelWrite(block, static_cast<int32_t>(itemSize), static_cast<int32_t>(n), channel);
        done += n;
    }
    return written;
}

}  // namespace

extern "C" {

void V_SetByteOrder(V_ChannelT *channel) {
    if (channel) channel->byteOrder = machineIsBigEndian() ? 1 : 0;
}

void V_ResetByteOrder(V_ChannelT *channel) {
    if (channel) channel->byteOrder = machineIsBigEndian() ? 0 : 1;
}

int32_t V_ReadShorts(void *buffer, int32_t count, V_ChannelT *channel) {
    return readItems(buffer, 2, count, channel);
}
int32_t V_ReadLongs(void *buffer, int32_t count, V_ChannelT *channel) {
    return readItems(buffer, 4, count, channel);
}
int32_t V_WriteShorts(const void *buffer, int32_t count, V_ChannelT *channel) {
    return writeItems(buffer, 2, count, channel);
}
int32_t V_WriteLongs(const void *buffer, int32_t count, V_ChannelT *channel) {
    return writeItems(buffer, 4, count, channel);
}

int32_t V_ReadBytes(void *buffer, int32_t count, V_ChannelT *channel) {
    return V_ChannelRead(buffer, 1, count, channel);
}
int32_t V_WriteBytes(const void *buffer, int32_t count, V_ChannelT *channel) {
    return V_ChannelWrite(buffer, 1, count, channel);
}

}  // extern "C"
