// Heap primitives of the API layer. They are the C library's allocator
// itself, so anything allocated here may be resized or freed with the
// support library's V_Realloc / V_Free and vice versa.
#include "vapi/apistruct.h"
#include "apiutil.h"

#include <stdlib.h>

extern "C" {

void *VapiMalloc(size_t size) { return malloc(size); }

void *VapiCalloc(size_t count, size_t size) { return calloc(count, size); }

void *VapiRealloc(void *ptr, size_t size)
{
    return ptr ? realloc(ptr, size) : malloc(size);
}

void V_ApiFree(void *ptr)
{
    if (ptr)
        free(ptr);
}

void api_free(void *pointerAddress)
{
    void **p = static_cast<void **>(pointerAddress);
    if (*p)
        free(*p);
    *p = nullptr;
}

} // extern "C"
