// Japanese font encoding: JIS X 0208 in its Shift_JIS form.
#include "convertutils.h"

extern "C" int32_t VdeInitJISX0208_ShiftJISEncoding(VdeFontEncT *enc) {
    static const int lead[][2] = {{0x81, 0x9F}, {0xE0, 0xFC}};
    static const int trail[][2] = {{0x40, 0x7E}, {0x80, 0xFC}};
    return VdeFillFontEnc(enc, "JISX0208.ShiftJIS", lead, sizeof lead / sizeof lead[0], trail,
                          sizeof trail / sizeof trail[0]);
}
