/* Channels: the support library's files, a standard I/O stream that
   remembers the name it was opened under. */
#ifndef VSUPPORT_CHANNEL_H
#define VSUPPORT_CHANNEL_H

#include <stdint.h>
#include <stdio.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct V_ChannelT {
    int32_t byteOrder; /* non-zero: data has the other byte order, swap items */
    char *fileName;    /* owned, internal encoding */
    FILE *stream;      /* owned */
} V_ChannelT;

#ifdef __cplusplus
}
#endif

#endif
