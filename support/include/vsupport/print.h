/** @file
 * printf-style formatting to channels (or standard error) and to buffers.
   One core, Vde_doprnt, hands every literal run and every formatted
   conversion to an output function chosen by the caller. */
#ifndef VSUPPORT_PRINT_H
#define VSUPPORT_PRINT_H

#include <stdarg.h>
#include <stdint.h>

#include "vsupport/channel.h"

#ifdef __cplusplus
extern "C" {
#endif
#pragma GCC visibility push(default)

#if defined(__GNUC__)
/** Lets the compiler check the arguments against a printf format. */
#define VDE_PRINTF_LIKE(f, a) __attribute__((format(printf, f, a)))
#else
/** @cond */
#define VDE_PRINTF_LIKE(f, a)
/** @endcond */
#endif

/** Called for every piece; returns how many characters it accounted for. */
typedef int32_t (*VdeOutFuncT)(void *context, const char *text, int32_t length);

/** Channel 0 (null) writes to standard error. Result: characters written. */
int32_t V_Printf(V_ChannelT *channel, const char *format, ...) VDE_PRINTF_LIKE(2, 3);
/** V_Printf() with an argument list. */
int32_t VdeVPrintf(V_ChannelT *channel, const char *format, va_list args);

/** Result: characters stored, not counting the terminator. */
int32_t V_Sprintf(char *dst, const char *format, ...) VDE_PRINTF_LIKE(2, 3);
/** V_Sprintf() with an argument list, storing at most capacity - 1 characters
    and the terminator. */
int32_t VdeVSnprintf(char *dst, int32_t capacity, const char *format, va_list args);

/** A null format writes nothing. Result: sum of out's results. */
int32_t Vde_doprnt(VdeOutFuncT out, void *context, const char *format, va_list args);

#pragma GCC visibility pop
#ifdef __cplusplus
}
#endif

#endif
