/** @file
 * Channels: the support library's files, a standard I/O stream that
   remembers the name it was opened under. */
#ifndef VSUPPORT_CHANNEL_H
#define VSUPPORT_CHANNEL_H

#include <stdint.h>
#include <stdio.h>

#ifdef __cplusplus
extern "C" {
#endif
#pragma GCC visibility push(default)

/** An open file: its stream, its name and the byte order of its data.
    Made by V_ChannelOpen() or V_ChannelMakeTmp(), released by
    V_ChannelClose(). */
typedef struct V_ChannelT {
    int32_t byteOrder; /**< non-zero: data has the other byte order, swap items */
    char *fileName;    /**< owned, internal encoding */
    FILE *stream;      /**< owned */
} V_ChannelT;

/** @name Operations
 * A null channel reads nothing, seeks and tells -1, is never at its end and
 * closes with -1; writing to it and flushing it use standard output.
 */
/** @{ */

struct V_FilePathT;

/** Opens the record's file with a standard I/O mode; null for a record
   without a name or a file that cannot be opened. A null or untagged record
   is an assertion failure. */
V_ChannelT *V_ChannelOpen(const struct V_FilePathT *path, const char *mode);
/** A new empty file under a fresh temporary name, open for reading and
   writing; close it with V_ChannelCloseTmp to remove the file. */
V_ChannelT *V_ChannelMakeTmp(void);

/** fread of count items of size bytes: the items read (0 for null). */
int32_t V_ChannelRead(void *buffer, int32_t size, int32_t count, V_ChannelT *channel);
/** fwrite of count items of size bytes: the items written. */
int32_t V_ChannelWrite(const void *buffer, int32_t size, int32_t count, V_ChannelT *channel);
/** origin: 0 start, 1 current position, 2 end. 0, or -1. */
int32_t V_ChannelSeek(V_ChannelT *channel, int32_t offset, int32_t origin);
/** Position, or -1 (also past what 32 bits hold). */
int32_t V_ChannelTell(V_ChannelT *channel);
/** Size in bytes, or -1; the position is left where it was. */
int32_t V_ChannelSize(V_ChannelT *channel);
/** Copies the rest of source to destination at its position; both must not
   be null. 0, or -1 on a read error or a short write. */
int32_t V_ChannelAppend(V_ChannelT *source, V_ChannelT *destination);
/** fflush of the channel's stream (of standard output for null): 0, or -1. */
int32_t V_ChannelFlush(V_ChannelT *channel);
/** 1 when the end-of-file indicator is set, else 0. */
int32_t V_ChannelEof(V_ChannelT *channel);
/** The fclose result; the record and its name are freed. */
int32_t V_ChannelClose(V_ChannelT *channel);
/** V_ChannelClose() of *channelAddress, which is then null. */
int32_t VdeChannelClose(V_ChannelT **channelAddress);
/** Deletes the channel's file, then closes as V_ChannelClose. */
int32_t V_ChannelCloseTmp(V_ChannelT *channel);
/** V_ChannelCloseTmp() of *channelAddress, which is then null. */
int32_t VdeChannelCloseTmp(V_ChannelT **channelAddress);

/** @} */
/** @name Byte order
 * The channel's data is little-endian after V_SetByteOrder and big-endian
 * after V_ResetByteOrder; 16- and 32-bit items are swapped where that
 * differs from the machine. Counts are item counts; the channel must not be
 * null. Writing never changes the caller's buffer.
 */
/** @{ */

/** Declares the channel's data little-endian. */
void V_SetByteOrder(V_ChannelT *channel);
/** Declares the channel's data big-endian. */
void V_ResetByteOrder(V_ChannelT *channel);
/** Reads count 16-bit items into buffer: the items read. */
int32_t V_ReadShorts(void *buffer, int32_t count, V_ChannelT *channel);
/** Reads count 32-bit items into buffer: the items read. */
int32_t V_ReadLongs(void *buffer, int32_t count, V_ChannelT *channel);
/** Writes count 16-bit items from buffer: the items written. */
int32_t V_WriteShorts(const void *buffer, int32_t count, V_ChannelT *channel);
/** Writes count 32-bit items from buffer: the items written. */
int32_t V_WriteLongs(const void *buffer, int32_t count, V_ChannelT *channel);
/** Reads count bytes into buffer, never swapped: the bytes read. */
int32_t V_ReadBytes(void *buffer, int32_t count, V_ChannelT *channel);
/** Writes count bytes from buffer, never swapped: the bytes written. */
int32_t V_WriteBytes(const void *buffer, int32_t count, V_ChannelT *channel);

/** @} */

#pragma GCC visibility pop
#ifdef __cplusplus
}
#endif

#endif
