// File names between the library's internal encoding and the platform's,
// chosen by the locale flags.
#include "vsupport/convert.h"
#include "vsupport/encoding.h"
#include "vsupport/filename.h"
#include "vsupport/strings.h"

namespace {

struct LocaleRoute {
    const int32_t *flag;
    int32_t internal;
    int32_t platform;
};

// Tested in this order; the first flag that is set decides.
const LocaleRoute kRoutes[] = {
    {&vdeLocaleIsEUC, VDE_TE_SHIFTJIS, VDE_TE_EUCJP},
    {&vdeLocaleIsJIS, VDE_TE_SHIFTJIS, VDE_TE_JIS7},
    {&vdeLocaleIsCNS, VDE_TE_BIG5, VDE_TE_CNSEUC},
};

// A name that the converter refuses is kept as it is rather than lost.
char *convertOrCopy(const char *name, int32_t from, int32_t to) {
    char *converted = V_StrConvertEnc(name, from, to);
    return converted ? converted : V_StrCopyString(name);
}

char *convertName(const char *name, bool toPlatform, bool romanToo) {
    if (!name || !*name) return V_StrNew(0);
    for (const LocaleRoute &r : kRoutes)
        if (*r.flag >= 1)
            return toPlatform ? convertOrCopy(name, r.internal, r.platform)
                              : convertOrCopy(name, r.platform, r.internal);
    if (romanToo && vdeLocaleIsRoman >= 1) return convertOrCopy(name, VDE_TE_ISOLATIN1, VDE_TE_VELLIX);
    return V_StrCopyString(name);
}

}  // namespace

extern "C" {

char *VdeInternalToPlatformFilename(const char *name) { return convertName(name, true, false); }
char *VdePlatformToInternalFilename(const char *name) { return convertName(name, false, false); }
char *VdePlatformToInternalFilename2(const char *name) { return convertName(name, false, true); }

}  // extern "C"
