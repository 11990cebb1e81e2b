// Simplified Chinese font encoding: GB 2312 in its EUC form.
#include "convertutils.h"

extern "C" int32_t VdeInitGB2312_80_EUCEncoding(VdeFontEncT *enc) {
    static const int lead[][2] = {{0x81, 0xFE}};
    static const int trail[][2] = {{0x40, 0xFE}};
    return VdeFillFontEnc(enc, "GB2312-80.EUC", lead, sizeof lead / sizeof lead[0], trail,
                          sizeof trail / sizeof trail[0]);
}
