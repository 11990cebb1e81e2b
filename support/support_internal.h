// What the support library's own files share beyond its public headers.
#ifndef VSUPPORT_SUPPORT_INTERNAL_H
#define VSUPPORT_SUPPORT_INTERNAL_H

#include "vsupport/encoding.h"
#include "vsupport/memory.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Creates VdeInstance (zero-filled, strict on) if absent; returns it. */
VdeInstanceT *VdeInstanceInit(void);
/* The assertion handler that V_SetAssert installs for null: aborts. */
VDE_NORETURN void defaultHandler(void);
/* Sets the locale flags from the character-type locale, once
   (VdeSetLocaleFlags' rule). */
void checkEUC(void);

#ifdef __cplusplus
}
#endif

#endif
