// Warnings go to standard error exactly as the caller wrote them.
#include "vsupport/memory.h"

#include <cstdio>

extern "C" void V_Warning(const char *text) {
    if (text != nullptr)
        std::fputs(text, stderr);  // never a format: '%' is written as is
}
