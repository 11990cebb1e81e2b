// The host's own font encoding, Vellix Roman: every byte is one character.
#include "convertutils.h"

extern "C" int32_t VdeInitVellixRomanEncoding(VdeFontEncT *enc) {
    return VdeFillFontEnc(enc, "VellixRoman", nullptr, 0, nullptr, 0);
}
