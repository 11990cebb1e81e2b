/** @file
 * File-path records: one path name and whether it is absolute or relative;
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

#define V_FILEPATH_TAG 0x70617468u /**< "path" */

/** Kind of a path whose kind was not determined. */
#define V_PATH_UNDETERMINED 0
#define V_PATH_RELATIVE 1  /**< Kind of a relative path. */
#define V_PATH_ABSOLUTE 16 /**< Kind of an absolute path. */

/** A file's path name, as the library's file functions take it. Made by the
    V_...ToFilePath() functions, released with V_FilePathFree(). */
typedef struct V_FilePathT {
    uint32_t tag;  /**< V_FILEPATH_TAG */
    uint16_t kind; /**< V_PATH_* */
    char *name;    /**< owned, internal encoding; null: no name */
} V_FilePathT;

/** @name Records */
/** @{ */

/** A new tagged record without a name, or null without memory. */
V_FilePathT *VdeFilePathCreate(void);
/** A new record holding a copy of name, or null without memory. */
V_FilePathT *VdeFilePathSimpleCreate(const char *name);
/** Null is accepted; a record without the tag is an assertion failure. */
int32_t V_FilePathFree(V_FilePathT *path);
/** V_FilePathFree() of *pathAddress, which is then null. Returns 0. */
int32_t VdeFilePathFree(V_FilePathT **pathAddress);

/** Expands name (VdeUiExpandFileName) taking a relative one from the
   anchor's directory; null for a null, empty or empty-after-expansion name
   or a relative or untagged anchor. */
V_FilePathT *V_UnixToFilePath(const char *name, const V_FilePathT *anchor);
/** The name unchanged, kind undetermined; null for a null or empty name. */
V_FilePathT *V_MacToFilePath(const char *name);
/** The name unchanged, kind undetermined; null for a null or empty name. */
V_FilePathT *V_DosToFilePath(const char *name);

/** Device-independent notation. A parse that breaks the token rules keeps
   what it produced so far, unexpanded and of undetermined kind. */
V_FilePathT *V_DIToFilePath(const char *text, const V_FilePathT *anchor);
/** *text gets a new string, *length its length; both first null and 0.
   0, or -1 for a null or untagged record or without memory. "<" and "\"
   within names are written with a backslash before them. */
int32_t V_FilePathToDI(const V_FilePathT *path, const V_FilePathT *anchor, char **text,
                       int32_t *length);

/** The channel's file name; for an empty one the working directory. */
V_FilePathT *V_GetFilePath(const V_ChannelT *channel);
/** The anchor itself, unchanged. */
V_FilePathT *VdeInterpretAnchor(V_FilePathT *anchor);

/** @} */
/** @name Tests and deletion (the record must not be null) */
/** @{ */

/** 1 when the path names a regular file, else 0. */
int32_t V_FileExists(const V_FilePathT *path);
/** 1 when the path names a directory, else 0. */
int32_t V_DirectoryExists(const V_FilePathT *path);
/** 1 when the path names a regular file the process may read, else 0. */
int32_t V_FileIsReadable(const V_FilePathT *path);
/** 1 when the path names a regular file the process may write, else 0. */
int32_t V_FileIsWriteable(const V_FilePathT *path);
/** 1 when the path names a directory the process may read, else 0. */
int32_t V_DirectoryIsReadable(const V_FilePathT *path);
/** 1 when the path names a directory the process may write, else 0. */
int32_t V_DirectoryIsWriteable(const V_FilePathT *path);
/** Removes the directory or file: 0, or -1 when the system refuses. */
int32_t V_DeleteFile(const V_FilePathT *path);

/** File type of a directory, for the tests on a name in the internal encoding below. */
#define VDE_FT_DIRECTORY 0x4000
#define VDE_FT_REGULAR 0x8000  /**< File type of a regular file. */
#define VDE_ACCESS_READ 4      /**< Access bit: may be read. */
#define VDE_ACCESS_WRITE 2     /**< Access bit: may be written. */
#define VDE_SP_DIRECTORY 0x100 /**< Property bit: is a directory. */
#define VDE_SP_REGULAR 0x200   /**< Property bit: is a regular file. */
#define VDE_SP_EXISTS 0x400    /**< Property bit: exists. */

/** 1 when name exists with exactly that file type. */
int32_t VdeExists(const char *name, int32_t type);
/** VdeExists and the system's access check for VDE_ACCESS_* bits. */
int32_t VdeOperationOk(const char *name, int32_t type, int32_t access);
/** The VDE_SP_* bits of mask that hold; 0 when name does not exist. */
int32_t VdeStatProperty(const char *name, int32_t mask);
/** 1 (mask bit 1 asked, readable) plus 2 (mask bit 2 asked, writable). */
int32_t VdeAccessProperty(const char *name, int32_t mask);

/** @} */

#pragma GCC visibility pop
#ifdef __cplusplus
}
#endif

#endif /* VSUPPORT_FILEPATH_H */
