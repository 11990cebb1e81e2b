// Wild fields: a '*' width or precision takes its value from the arguments.
#include "printspec.h"

extern "C" void VdeProcessWildFieldWidth(VdePrintSpecT *spec, va_list *args)
{
    if (spec->widthStar) {
        int64_t width = va_arg(*args, int);
        if (width < 0) {
            // A negative width left-justifies, as a '-' flag would.
            width = -width;
            size_t n = 0;
            while (spec->flags[n] != '\0' && spec->flags[n] != '-') n++;
            if (spec->flags[n] == '\0') spec->flags[n] = '-';
        }
        spec->width = width;
        spec->widthStar = 0;
    }
    if (spec->precisionStar) {
        int64_t precision = va_arg(*args, int);
        // A negative precision counts as none at all.
        spec->hasPrecision = precision >= 0;
        spec->precision = precision < 0 ? 0 : precision;
        spec->precisionStar = 0;
    }
    VdeSpecText(spec);
}
