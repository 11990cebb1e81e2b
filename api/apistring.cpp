// String primitives of the API layer: null counts as the empty string.
#include "vapi/apistruct.h"
#include "apiutil.h"

#include <string.h>

extern "C" {

uint32_t V_ApiStringLen(const char *s) { return s ? (uint32_t)strlen(s) : 0; }

char *strCpy(char *dst, const char *src)
{
    size_t n = src ? strlen(src) : 0;
    if (n)
        memcpy(dst, src, n);
    dst[n] = '\0';
    return dst;
}

char *V_ApiCopyString(const char *s)
{
    size_t n = s ? strlen(s) : 0;
    char *copy = static_cast<char *>(VapiMalloc(n + 1));
    if (copy)
        strCpy(copy, s);
    return copy;
}

void V_ApiDeallocateString(char **s)
{
    if (!s)
        return;
    V_ApiFree(*s);
    *s = nullptr;
}

} // extern "C"
