// Korean font encoding: KS C 5601 in its EUC form.
#include "convertutils.h"

extern "C" int32_t VdeInitKSC5601_1992Encoding(VdeFontEncT *enc) {
    static const int lead[][2] = {{0xA1, 0xFE}};
    static const int trail[][2] = {{0xA1, 0xFE}};
    return VdeFillFontEnc(enc, "KSC5601-1992", lead, sizeof lead / sizeof lead[0], trail,
                          sizeof trail / sizeof trail[0]);
}
