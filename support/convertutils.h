// Pieces shared by the encoding and conversion sources of libvsupport
// (not part of the public interface).
#ifndef VSUPPORT_CONVERTUTILS_H
#define VSUPPORT_CONVERTUTILS_H

#include <stdint.h>

#include <array>

#include "vsupport/convert.h"
#include "vsupport/encoding.h"

// A byte without a character in a Unicode table.
#define VDE_NO_CHAR 0xFFFF

// ISO-8859-1 in Unicode: each byte is its own code point, but for 0x7F.
constexpr std::array<uint16_t, 256> VdeIsoLatin1Unicode() {
    std::array<uint16_t, 256> m{};
    for (int b = 0; b < 256; ++b) m[b] = static_cast<uint16_t>(b);
    m[0x7F] = VDE_NO_CHAR;
    return m;
}

// A run of sequence numbers (Big5 / CNS) whose counterparts are number + offset.
struct VdeSeqRange {
    int16_t start;
    int16_t offset;
};
constexpr int16_t kSeqNone = INT16_MIN;

// An inclusive range of code points.
struct VdeCodeRange {
    uint16_t lo, hi;
};

// Appends one byte; the common case writes straight into the buffer.
inline void VdeClPut(VdeCharListT *cl, unsigned char c) {
    if (cl->length < cl->capacity) {
        cl->buffer[cl->length++] = static_cast<char>(c);
        cl->buffer[cl->length] = 0;
    } else {
        VdeClAddNChars(cl, reinterpret_cast<const char *>(&c), 1);
    }
}
inline void VdeClPut2(VdeCharListT *cl, unsigned char a, unsigned char b) {
    VdeClPut(cl, a);
    VdeClPut(cl, b);
}

// Font encoding record for a number, asserting it is valid.
const VdeFontEncT *VdeFontEncRecord(int32_t fontEnc);

// True when p begins a double-byte character of enc (p < end).
inline bool VdeIsDoubleByte(const VdeFontEncT *enc, const unsigned char *p,
                            const unsigned char *end) {
    return enc->leadBytes[p[0]] && p + 1 < end && enc->trailBytes[p[1]];
}

// Marks lo..hi in a 256-byte table.
void VdeMarkBytes(unsigned char *table, int lo, int hi);
// Shared body of the font encoding initialisers.
int32_t VdeFillFontEnc(VdeFontEncT *enc, const char *name, const int (*lead)[2], int nLead,
                       const int (*trail)[2], int nTrail);

// Big5 / CNS sequence numbers (cnsbig5.cpp).
constexpr int32_t kSeqUnmapped = -10000;
int32_t VdeBig5ToCnsSeq(int32_t seq);
int32_t VdeCnsToBig5Seq(int32_t seq);

#endif
