// Chinese conversions: GB EUC and its 7-bit HZ notation, and Big5 and CNS
// EUC through the sequence numbers of cnsbig5.cpp.
#include "convertutils.h"

namespace {

using Bytes = const unsigned char *;

bool isGbByte(unsigned char b) { return b >= 0xA1 && b <= 0xFE; }

void putTilde(VdeCharListT *cl, unsigned char c) { VdeClPut2(cl, '~', c); }

// ---- Big5 and CNS EUC characters <-> sequence numbers ----------------------------

constexpr int32_t kBig5Row = 157, kCnsRow = 94, kLevel2 = 5401;
constexpr int32_t kBig5Level1 = 5401, kBig5Level2 = 7652, kCnsPlane1 = 5401, kCnsPlane2 = 7650;

// Index of a Big5 second byte within its row of 157, or -1.
int big5Cell(unsigned char t) {
    if (t >= 0x40 && t <= 0x7E) return t - 0x40;
    if (t >= 0xA1 && t <= 0xFE) return t - 0xA1 + 63;
    return -1;
}

// Reads one Big5 character at in[i]; returns its number and advances i.
// Sets truncated when the text ends after a lead byte. Bytes that cannot
// begin a pair are single characters and pass unchanged.
int32_t readBig5(Bytes in, int32_t n, int32_t &i, bool &truncated) {
    unsigned char b = in[i];
    if (b < 0xA1 || b == 0xFF) return ++i, b - 1000;
    if (i + 1 >= n) {
        truncated = true;
        return kSeqUnmapped;
    }
    int cell = big5Cell(in[i + 1]);
    if (cell < 0) return ++i, kSeqUnmapped;
    i += 2;
    int32_t k = (b - 0xA1) * kBig5Row + cell;
    if (b <= 0xA3) return kSeqUnmapped + k;
    k = (b - 0xA4) * kBig5Row + cell;
    if (b <= 0xC6 && k < kBig5Level1) return k;
    k = (b - 0xC9) * kBig5Row + cell;
    if (b >= 0xC9 && b <= 0xF9 && k < kBig5Level2) return kLevel2 + k;
    return kSeqUnmapped;
}

void writeBig5(VdeCharListT *cl, int32_t seq) {
    if (seq >= -1000 && seq < -744) return VdeClPut(cl, static_cast<unsigned char>(seq + 1000));
    int32_t lead, k;
    if (seq < 0) lead = 0xA1, k = seq - kSeqUnmapped;
    else if (seq < kLevel2) lead = 0xA4, k = seq;
    else lead = 0xC9, k = seq - kLevel2;
    int cell = k % kBig5Row;
    VdeClPut2(cl, static_cast<unsigned char>(lead + k / kBig5Row),
              static_cast<unsigned char>(cell < 63 ? 0x40 + cell : 0xA1 + cell - 63));
}

// A plane-1 character by its row and column bytes.
int32_t cnsPlane1(unsigned char r, unsigned char c) {
    if (r <= 0xC2) return kSeqUnmapped + (r - 0xA1) * kCnsRow + (c - 0xA1);
    int32_t k = (r - 0xC4) * kCnsRow + (c - 0xA1);
    return r >= 0xC4 && k < kCnsPlane1 ? k : kSeqUnmapped;
}

int32_t readCns(Bytes in, int32_t n, int32_t &i, bool &truncated) {
    unsigned char b = in[i];
    if ((b < 0xA1 && b != 0x8E) || b == 0xFF) return ++i, b - 1000;
    if (b == 0x8E) {
        // An 0x8E among the last three bytes cannot start a whole character.
        if (i + 3 >= n) {
            truncated = true;
            return kSeqUnmapped;
        }
        unsigned char plane = in[i + 1], r = in[i + 2], c = in[i + 3];
        if (plane < 0xA1 || plane > 0xB0 || !isGbByte(r) || !isGbByte(c)) return ++i, kSeqUnmapped;
        i += 4;
        if (plane == 0xA1) return cnsPlane1(r, c);  // plane 1 in its four-byte form
        int32_t k = (r - 0xA1) * kCnsRow + (c - 0xA1);
        return k < kCnsPlane2 ? kLevel2 + k : kSeqUnmapped;
    }
    if (i + 1 >= n) {
        truncated = true;
        return kSeqUnmapped;
    }
    if (!isGbByte(in[i + 1])) return ++i, kSeqUnmapped;
    i += 2;
    return cnsPlane1(b, in[i - 1]);
}

void writeCns(VdeCharListT *cl, int32_t seq) {
    if (seq >= -1000 && seq < -744) return VdeClPut(cl, static_cast<unsigned char>(seq + 1000));
    int32_t row, k;
    if (seq < 0) row = 0xA1, k = seq - kSeqUnmapped;
    else if (seq < kLevel2) row = 0xC4, k = seq;
    else {
        VdeClPut2(cl, 0x8E, 0xA2);
        row = 0xA1, k = seq - kLevel2;
    }
    VdeClPut2(cl, static_cast<unsigned char>(row + k / kCnsRow), static_cast<unsigned char>(0xA1 + k % kCnsRow));
}

// Reader, map and writer are template arguments so that they inline.
template <int32_t (*read)(Bytes, int32_t, int32_t &, bool &), int32_t (*map)(int32_t),
          void (*write)(VdeCharListT *, int32_t)>
int32_t recode(Bytes in, int32_t n, VdeCharListT *cl) {
    bool truncated = false;
    for (int32_t i = 0; i < n;) {
        int32_t seq = read(in, n, i, truncated);
        if (truncated) return -1;
        write(cl, map(seq));
    }
    return 0;
}

}  // namespace

extern "C" {

int32_t VdeHzToGb8(const unsigned char *in, int32_t n, VdeCharListT *cl) {
    bool dbl = false;
    for (int32_t i = 0; i < n;) {
        unsigned char b = in[i];
        if (b == '~') {
            unsigned char c = i + 1 < n ? in[i + 1] : 0;
            if (c == '~') VdeClPut(cl, '~');
            dbl = c == '{';
            i += (c == '{' || c == '}' || c == '~') ? 2 : 1;  // any other: the tilde alone is dropped
        } else if (b == '\n' || b == '\r') {
            dbl = false;
            VdeClPut(cl, b), ++i;
        } else if (dbl) {
            if (i + 1 >= n) return -1;
            VdeClPut2(cl, b | 0x80, in[i + 1] | 0x80);
            i += 2;
        } else {
            VdeClPut(cl, b), ++i;
        }
    }
    return 0;
}

int32_t VdeGb8ToHz(const unsigned char *in, int32_t n, VdeCharListT *cl) {
    bool dbl = false;
    for (int32_t i = 0; i < n;) {
        unsigned char b = in[i];
        bool lead = isGbByte(b);
        if (lead && i + 1 >= n) {
            if (dbl) putTilde(cl, '}');
            return -1;
        }
        bool pair = lead && isGbByte(in[i + 1]);
        if (pair && !dbl) putTilde(cl, '{');
        if (!pair && dbl) putTilde(cl, '}');
        dbl = pair;
        if (pair) {
            VdeClPut2(cl, b & 0x7F, in[i + 1] & 0x7F);
            i += 2;
        } else {
            // A tilde of the text is doubled, so that HZ reads it back as one;
            // a stray lead byte goes alone, so a tilde after it is doubled too.
            if (b == '~') VdeClPut(cl, '~');
            VdeClPut(cl, b), ++i;
        }
    }
    if (dbl) putTilde(cl, '}');
    return 0;
}

int32_t VdeBig52CNSEUC(const unsigned char *in, int32_t n, VdeCharListT *cl) {
    return recode<readBig5, VdeBig5ToCnsSeq, writeCns>(in, n, cl);
}

int32_t VdeCNSEUC2Big5(const unsigned char *in, int32_t n, VdeCharListT *cl) {
    return recode<readCns, VdeCnsToBig5Seq, writeBig5>(in, n, cl);
}

}  // extern "C"
