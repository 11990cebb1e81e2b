/** @file
 * File names as strings: the bounds every path operation keeps, last names,
   splitting and joining, expansion of user-typed names (home directories,
   environment variables, "." and ".."), relativising, the guess of a name's
   notation, a cursor over path segments, temporary file names and the
   conversion of names between the internal and the platform encoding.
   Paths use '/' as separator. Usable from C and C++. */
#ifndef VSUPPORT_FILENAME_H
#define VSUPPORT_FILENAME_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif
#pragma GCC visibility push(default)

/** Buffers that path operations write into hold VDE_PATH_BUFSIZE bytes. */
#define VDE_PATH_BUFSIZE 1024
#define VDE_PATH_MAX 1023    /**< characters in a path */
#define VDE_SEGMENT_MAX 255  /**< characters in one segment */
#define VDE_LASTNAME_MAX 254 /**< characters in a last name */

/** Notations told apart by V_PathNameType. */
enum {
    V_PATHTYPE_UNKNOWN = 0, /**< no separator */
    V_PATHTYPE_DI = 1,      /**< device-independent tokens */
    V_PATHTYPE_SLASH = 2,
    V_PATHTYPE_COLON = 3,   /**< colons, or a mixture */
    V_PATHTYPE_DOS = 4      /**< backslashes or a drive letter */
};

/** @name Internal and platform encodings of names */
/** @{ */

/** New strings (null only without memory); a null or empty name gives a new
   empty string. A name that does not convert is copied unchanged. */
char *VdeInternalToPlatformFilename(const char *name);
/** The platform's name in the internal encoding; as the previous. */
char *VdePlatformToInternalFilename(const char *name);
/** As the previous, and in a Roman locale ISO-8859-1 becomes the host's set. */
char *VdePlatformToInternalFilename2(const char *name);

/** A new, unique temporary file name in the internal encoding, or null. The
   directory is chosen on first use (TMPDIR, /tmp, /usr/tmp, HOME, the
   working directory) and kept for the process. */
char *VdeMakeTmpFileName(void);

/** @} */
/** @name Name strings */
/** @{ */

/** Points just past the last '/' of name (name itself without one). */
char *VdeStrFileLastName(const char *name);
/** directory (VDE_PATH_BUFSIZE bytes, or null) gets what precedes the last
   '/' ("/" for a name directly under the root, "" without a slash); file
   (VDE_LASTNAME_MAX + 1 bytes, or null) gets the last name. */
void VdeSplitFullFileName(const char *fullName, char *directory, char *file);
/** Appends name to directory with exactly one '/' between them; size is the
   directory buffer's size in bytes, and what does not fit is cut. An empty
   directory takes the name as it is. Returns the new length. */
int32_t VdeDirCatN(char *directory, const char *name, int32_t size);
/** Expands a leading "~" or "~user" and "$NAME" up to the next '/' or the
   end, in place (name: VDE_PATH_BUFSIZE bytes). If any user or variable is
   unknown, the name stays exactly as it was. "\$" is left as it stands and
   not expanded. */
void VdeFixTildaName(char *name);
/** VdeFixTildaName, then a normalised path: a relative name is taken from
   baseDirectory (null: none), "." is dropped, ".." removes a component
   (never above the root; kept where a relative path has nothing left to
   remove), repeated slashes count as one. Paths over VDE_PATH_MAX - 1
   characters are cut. name: VDE_PATH_BUFSIZE bytes. */
void VdeUiExpandFileName(char *name, const char *baseDirectory);
/** Rewrites an absolute path (VDE_PATH_BUFSIZE bytes) relative to the
   directory of the absolute anchorName; a path sharing no directory with it
   stays absolute. Null anchorName: nothing changes. A relative path or
   anchor is an assertion failure. */
void VdeRelativizeFileName(char *path, const char *anchorName);
/** One of V_PATHTYPE_*. */
int32_t V_PathNameType(const char *name);

/** @} */
/** @name Segment cursor */
/** @{ */

/** A cursor over the segments of a path. */
typedef struct VdeUFCursorT {
    const char *position;                 /**< not owned */
    char segment[VDE_SEGMENT_MAX + 1];    /**< the segment last returned */
} VdeUFCursorT;

/** Starts cursor at the beginning of path, which must outlive it. */
void VdeUFCinit(VdeUFCursorT *cursor, const char *path);
/** 1 with the next segment (its first 255 characters) in cursor->segment,
   0 at the end of the path. */
int32_t VdeUFCgetSegment(VdeUFCursorT *cursor);

/** @} */

#pragma GCC visibility pop
#ifdef __cplusplus
}
#endif

#endif /* VSUPPORT_FILENAME_H */
