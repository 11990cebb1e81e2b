// Traditional Chinese font encoding: Big5.
#include "convertutils.h"

extern "C" int32_t VdeInitBIG5Encoding(VdeFontEncT *enc) {
    static const int lead[][2] = {{0xA1, 0xFE}};
    static const int trail[][2] = {{0x40, 0x7E}, {0xA1, 0xFE}};
    return VdeFillFontEnc(enc, "BIG5", lead, sizeof lead / sizeof lead[0], trail,
                          sizeof trail / sizeof trail[0]);
}
