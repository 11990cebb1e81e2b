// One conversion specification of the formatter, parsed. Private to
// libvsupport: shared by the formatting core and the wild-field step.
#ifndef VSUPPORT_PRINTSPEC_H
#define VSUPPORT_PRINTSPEC_H

#include <stdarg.h>
#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

// Widths and precisions past this could not fit in any block the library
// may allocate (V_MAX_BLOCK); a conversion asking for one is not output.
#define VDE_FIELD_LIMIT 99999999

typedef struct VdePrintSpecT {
    char flags[8];      /* distinct flag characters, zero-terminated */
    int64_t width;      /* 0: none */
    int widthStar;
    int hasPrecision;
    int64_t precision;
    int precisionStar;
    char length[3];     /* length letters as written: "", "h", "hh", "l", ... */
    char conversion;    /* one of "dioxXucsfeEgGp%n" */
} VdePrintSpecT;

/* Parses the specification whose per-cent sign is at `format`. Returns the
   number of characters it spans, or 0 when it is not one the formatter can
   hand to the system's printf. Never reads past the terminating zero. */
size_t VdeParseSpec(const char *format, VdePrintSpecT *spec);

/* Replaces the '*' fields by the next int arguments: a negative width
   becomes the '-' flag with its magnitude, a negative precision none. */
void VdeProcessWildFieldWidth(VdePrintSpecT *spec, va_list *args);

/* The specification as text for the system's printf (at most 40 bytes
   with the terminator), with the length letters the conversion's argument
   type calls for. */
void VdeSpecText(const VdePrintSpecT *spec, char *text);

/* The conversion buffer: the call's own 256 bytes until a conversion needs
   more; a grown buffer is the caller's to free. */
typedef struct VdeConvBufT {
    char *data;
    size_t capacity;
    int grown;
} VdeConvBufT;

/* Formats one conversion (wild fields already resolved) into the buffer,
   taking its argument. 0 when its output cannot be held: over the block
   limit, or no memory to grow the buffer. */
int VdePrintToStream(VdeConvBufT *buf, const VdePrintSpecT *spec, va_list *args);

#ifdef __cplusplus
}
#endif

#endif
