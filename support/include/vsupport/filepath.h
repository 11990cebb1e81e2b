/* File-path records: one path name and whether it is absolute or relative;
   their conversion from user-typed and other systems' names and to and from
   the device-independent notation ("<r>", "<c>name", "<u>", "<h>host",
   "<v>volume"); file and directory tests; deletion. Usable from C and C++. */
#ifndef VSUPPORT_FILEPATH_H
#define VSUPPORT_FILEPATH_H

#include <stdint.h>

#include "vsupport/channel.h"
#include "vsupport/filename.h"

#ifdef __cplusplus
extern "C" {
#endif
#pragma GCC visibility push(default)

#define V_FILEPATH_TAG 0x70617468u /* "path" */

/* Values of the kind field. */
#define V_PATH_UNDETERMINED 0
#define V_PATH_RELATIVE 1
#define V_PATH_ABSOLUTE 16

typedef struct V_FilePathT {
    uint32_t tag;  /* V_FILEPATH_TAG */
    uint16_t kind; /* V_PATH_* */
    char *name;    /* owned, internal encoding; null: no name */
} V_FilePathT;

/* ---- Records ------------------------------------------------------------ */

V_FilePathT *VdeFilePathCreate(void);
V_FilePathT *VdeFilePathSimpleCreate(const char *name);
/* Null is accepted; a record without the tag is an assertion failure. */
int32_t V_FilePathFree(V_FilePathT *path);
int32_t VdeFilePathFree(V_FilePathT **pathAddress);

/* Expands name (VdeUiExpandFileName) taking a relative one from the
   anchor's directory; null for a null, empty or empty-after-expansion name
   or a relative or untagged anchor. */
V_FilePathT *V_UnixToFilePath(const char *name, const V_FilePathT *anchor);
/* The name unchanged, kind undetermined; null for a null or empty name. */
V_FilePathT *V_MacToFilePath(const char *name);
V_FilePathT *V_DosToFilePath(const char *name);

/* Device-independent notation. A parse that breaks the token rules keeps
   what it produced so far, unexpanded and of undetermined kind. */
V_FilePathT *V_DIToFilePath(const char *text, const V_FilePathT *anchor);
/* *text gets a new string, *length its length; both first null and 0.
   0, or -1 for a null or untagged record or without memory. "<" and "\"
   within names are written with a backslash before them. */
int32_t V_FilePathToDI(const V_FilePathT *path, const V_FilePathT *anchor, char **text,
                       int32_t *length);

/* The channel's file name; for an empty one the working directory. */
V_FilePathT *V_GetFilePath(const V_ChannelT *channel);
V_FilePathT *VdeInterpretAnchor(V_FilePathT *anchor);

/* ---- Tests and deletion (the record must not be null) -------------------- */

int32_t V_FileExists(const V_FilePathT *path);
int32_t V_DirectoryExists(const V_FilePathT *path);
int32_t V_FileIsReadable(const V_FilePathT *path);
int32_t V_FileIsWriteable(const V_FilePathT *path);
int32_t V_DirectoryIsReadable(const V_FilePathT *path);
int32_t V_DirectoryIsWriteable(const V_FilePathT *path);
/* Removes the directory or file: 0, or -1 when the system refuses. */
int32_t V_DeleteFile(const V_FilePathT *path);

/* Tests on a name in the internal encoding. */
#define VDE_FT_DIRECTORY 0x4000
#define VDE_FT_REGULAR 0x8000
#define VDE_ACCESS_READ 4
#define VDE_ACCESS_WRITE 2
#define VDE_SP_DIRECTORY 0x100
#define VDE_SP_REGULAR 0x200
#define VDE_SP_EXISTS 0x400

/* 1 when name exists with exactly that file type. */
int32_t VdeExists(const char *name, int32_t type);
/* VdeExists and the system's access check for VDE_ACCESS_* bits. */
int32_t VdeOperationOk(const char *name, int32_t type, int32_t access);
/* The VDE_SP_* bits of mask that hold; 0 when name does not exist. */
int32_t VdeStatProperty(const char *name, int32_t mask);
/* 1 (mask bit 1 asked, readable) plus 2 (mask bit 2 asked, writable). */
int32_t VdeAccessProperty(const char *name, int32_t mask);

#pragma GCC visibility pop
#ifdef __cplusplus
}
#endif

#endif /* VSUPPORT_FILEPATH_H */
