// Channels: owned standard I/O streams that remember their file name.
#include <errno.h>
#include <limits.h>
#include <stdio.h>
#include <unistd.h>

#include "vsupport/channel.h"
#include "vsupport/filepath.h"
#include "vsupport/memory.h"
#include "vsupport/strings.h"

namespace {

constexpr int32_t kAppendChunk = 8192;
// Fresh names tried before giving up when another process takes them first.
constexpr int kTmpAttempts = 16;

// A channel over an open stream, or null (the stream then closed).
V_ChannelT *channelOf(FILE *stream, const char *internalName) {
    auto *channel = static_cast<V_ChannelT *>(V_Calloc(1, sizeof(V_ChannelT), 0));
    char *name = V_StrCopyString(internalName);
    if (!channel || !name) {
        V_Free(channel);
        V_Free(name);
        fclose(stream);
        return nullptr;
    }
    channel->fileName = name;
    channel->stream = stream;
    return channel;
}

FILE *openInternal(const char *internalName, const char *mode) {
    char *platform = VdeInternalToPlatformFilename(internalName);
    FILE *stream = platform ? fopen(platform, mode) : nullptr;
    V_Free(platform);
    return stream;
}

void removeInternal(const char *internalName) {
    char *platform = VdeInternalToPlatformFilename(internalName);
    if (platform) unlink(platform);
    V_Free(platform);
}

int32_t itemCount(size_t n) { return static_cast<int32_t>(n); }

bool validItems(const void *buffer, int32_t size, int32_t count) {
    return buffer && size > 0 && count > 0;
}

}  // namespace

extern "C" {

V_ChannelT *V_ChannelOpen(const struct V_FilePathT *path, const char *mode) {
    VDE_ASSERT(path != nullptr && path->tag == V_FILEPATH_TAG);
    if (!path->name || !*path->name || !mode) return nullptr;
    FILE *stream = openInternal(path->name, mode);
    return stream ? channelOf(stream, path->name) : nullptr;
}

V_ChannelT *V_ChannelMakeTmp(void) {
    for (int attempt = 0; attempt < kTmpAttempts; ++attempt) {
        char *name = VdeMakeTmpFileName();
        if (!name) return nullptr;
        // Created exclusively: a name someone else took in the meantime (or
        // planted as a link) is never opened.
        FILE *stream = openInternal(name, "w+x");
        int openError = errno;
        V_ChannelT *channel = stream ? channelOf(stream, name) : nullptr;
        if (stream && !channel) removeInternal(name);
        V_Free(name);
        if (stream || openError != EEXIST) return channel;
    }
    return nullptr;
}

int32_t V_ChannelRead(void *buffer, int32_t size, int32_t count, V_ChannelT *channel) {
    if (!channel || !validItems(buffer, size, count)) return 0;
    return itemCount(fread(buffer, static_cast<size_t>(size), static_cast<size_t>(count), channel->stream));
}

int32_t V_ChannelWrite(const void *buffer, int32_t size, int32_t count, V_ChannelT *channel) {
    if (!validItems(buffer, size, count)) return 0;
    FILE *stream = channel ? channel->stream : stdout;
    return itemCount(fwrite(buffer, static_cast<size_t>(size), static_cast<size_t>(count), stream));
}

int32_t V_ChannelSeek(V_ChannelT *channel, int32_t offset, int32_t origin) {
    static const int kOrigins[] = {SEEK_SET, SEEK_CUR, SEEK_END};
    if (!channel || origin < 0 || origin > 2) return -1;
    return fseek(channel->stream, offset, kOrigins[origin]) == 0 ? 0 : -1;
}

int32_t V_ChannelTell(V_ChannelT *channel) {
    if (!channel) return -1;
    long position = ftell(channel->stream);
    return position < 0 || position > INT32_MAX ? -1 : static_cast<int32_t>(position);
}

int32_t V_ChannelSize(V_ChannelT *channel) {
    if (!channel) return -1;
    long here = ftell(channel->stream);
    if (here < 0 || fseek(channel->stream, 0, SEEK_END) != 0) return -1;
    int32_t size = V_ChannelTell(channel);
    fseek(channel->stream, here, SEEK_SET);
    return size;
}

int32_t V_ChannelAppend(V_ChannelT *source, V_ChannelT *destination) {
    VDE_ASSERT(source != nullptr && destination != nullptr);
    char chunk[kAppendChunk];
    for (;;) {
        size_t n = fread(chunk, 1, sizeof chunk, source->stream);
        if (n == 0) return feof(source->stream) ? 0 : -1;
        if (fwrite(chunk, 1, n, destination->stream) != n) return -1;
    }
}

int32_t V_ChannelFlush(V_ChannelT *channel) {
    return fflush(channel ? channel->stream : stdout) == 0 ? 0 : -1;
}

int32_t V_ChannelEof(V_ChannelT *channel) { return channel && feof(channel->stream) ? 1 : 0; }

int32_t V_ChannelClose(V_ChannelT *channel) {
    if (!channel) return -1;
    int status = channel->stream ? fclose(channel->stream) : 0;
    V_Free(channel->fileName);
    V_Free(channel);
    return status == 0 ? 0 : -1;
}

int32_t VdeChannelClose(V_ChannelT **channelAddress) {
    VDE_ASSERT(channelAddress != nullptr);
    int32_t status = V_ChannelClose(*channelAddress);
    *channelAddress = nullptr;
    return status;
}

int32_t V_ChannelCloseTmp(V_ChannelT *channel) {
    if (!channel) return -1;
    // Without a name of its own the record would name the working
    // directory, which is not this channel's to delete.
    if (channel->fileName && *channel->fileName) {
        V_FilePathT *path = V_GetFilePath(channel);
        if (path) V_DeleteFile(path);
        V_FilePathFree(path);
    }
    return V_ChannelClose(channel);
}

int32_t VdeChannelCloseTmp(V_ChannelT **channelAddress) {
    VDE_ASSERT(channelAddress != nullptr);
    int32_t status = V_ChannelCloseTmp(*channelAddress);
    *channelAddress = nullptr;
    return status;
}

}  // extern "C"
