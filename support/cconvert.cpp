// Chinese conversions: GB EUC and its 7-bit HZ notation, and Big5 and CNS
// EUC through the sequence numbers of cnsbig5.cpp, worked out once per
// character of the set.
#include <stddef.h>
#include <string.h>

#include "convertutils.h"

namespace {

using Bytes = const unsigned char *;

bool isGbByte(unsigned char b) { return b >= 0xA1 && b <= 0xFE; }

// ---- Big5 and CNS EUC characters <-> sequence numbers ----------------------------

constexpr int32_t kBig5Row = 157, kCnsRow = 94, kLevel2 = 5401;
constexpr int32_t kBig5Level1 = 5401, kBig5Level2 = 7652, kCnsPlane1 = 5401, kCnsPlane2 = 7650;

// Index of a Big5 second byte within its row of 157, or -1.
int big5Cell(unsigned char t) {
    if (t >= 0x40 && t <= 0x7E) return t - 0x40;
    if (t >= 0xA1 && t <= 0xFE) return t - 0xA1 + 63;
    return -1;
}

// The number of a Big5 pair: lead byte 0xA1 to 0xFE and the cell of its
// second byte.
int32_t big5Seq(unsigned char b, int cell) {
    int32_t k = (b - 0xA1) * kBig5Row + cell;
    if (b <= 0xA3) return kSeqUnmapped + k;
    k = (b - 0xA4) * kBig5Row + cell;
    if (b <= 0xC6 && k < kBig5Level1) return k;
    k = (b - 0xC9) * kBig5Row + cell;
    if (b >= 0xC9 && b <= 0xF9 && k < kBig5Level2) return kLevel2 + k;
    return kSeqUnmapped;
}

// The bytes one character is written as (at most four).
struct Code {
    unsigned char len = 0;
    unsigned char bytes[4] = {};
    void put(unsigned char c) { bytes[len++] = c; }
    void put2(unsigned char a, unsigned char b) { put(a), put(b); }
    unsigned char *copyTo(unsigned char *p) const {
        memcpy(p, bytes, sizeof bytes);
        return p + len;
    }
};

void writeBig5(Code &out, int32_t seq) {
    if (seq >= -1000 && seq < -744) return out.put(static_cast<unsigned char>(seq + 1000));
    int32_t lead, k;
    if (seq < 0) lead = 0xA1, k = seq - kSeqUnmapped;
    else if (seq < kLevel2) lead = 0xA4, k = seq;
    else lead = 0xC9, k = seq - kLevel2;
    int cell = k % kBig5Row;
    out.put2(static_cast<unsigned char>(lead + k / kBig5Row),
             static_cast<unsigned char>(cell < 63 ? 0x40 + cell : 0xA1 + cell - 63));
}

// A plane-1 character by its row and column bytes.
int32_t cnsPlane1(unsigned char r, unsigned char c) {
    if (r <= 0xC2) return kSeqUnmapped + (r - 0xA1) * kCnsRow + (c - 0xA1);
    int32_t k = (r - 0xC4) * kCnsRow + (c - 0xA1);
    return r >= 0xC4 && k < kCnsPlane1 ? k : kSeqUnmapped;
}

int32_t cnsPlane2(unsigned char r, unsigned char c) {
    int32_t k = (r - 0xA1) * kCnsRow + (c - 0xA1);
    return k < kCnsPlane2 ? kLevel2 + k : kSeqUnmapped;
}

void writeCns(Code &out, int32_t seq) {
    if (seq >= -1000 && seq < -744) return out.put(static_cast<unsigned char>(seq + 1000));
    int32_t row, k;
    if (seq < 0) row = 0xA1, k = seq - kSeqUnmapped;
    else if (seq < kLevel2) row = 0xC4, k = seq;
    else {
        out.put2(0x8E, 0xA2);
        row = 0xA1, k = seq - kLevel2;
    }
    out.put2(static_cast<unsigned char>(row + k / kCnsRow), static_cast<unsigned char>(0xA1 + k % kCnsRow));
}

// Every double-byte character of the source set, already written in the
// target set: the sequence numbers are worked out once per character
// rather than once per occurrence.
template <size_t N>
struct CodeTable {
    Code unmapped;  // what a character that cannot be read becomes
    Code codes[N];
};

constexpr int kLeads = 0xFE - 0xA1 + 1, kCells = kCnsRow;

const CodeTable<kLeads * kBig5Row> &big5ToCns() {
    static CodeTable<kLeads * kBig5Row> t;
    static const bool built = [] {
        writeCns(t.unmapped, VdeBig5ToCnsSeq(kSeqUnmapped));
        for (int lead = 0; lead < kLeads; ++lead)
            for (int cell = 0; cell < kBig5Row; ++cell)
                writeCns(t.codes[lead * kBig5Row + cell],
                         VdeBig5ToCnsSeq(big5Seq(static_cast<unsigned char>(0xA1 + lead), cell)));
        return true;
    }();
    (void)built;
    return t;
}

// Planes 1 and 2, one after the other.
const CodeTable<2 * kCells * kCells> &cnsToBig5() {
    static CodeTable<2 * kCells * kCells> t;
    static const bool built = [] {
        writeBig5(t.unmapped, VdeCnsToBig5Seq(kSeqUnmapped));
        for (int r = 0; r < kCells; ++r)
            for (int c = 0; c < kCells; ++c) {
                auto row = static_cast<unsigned char>(0xA1 + r), col = static_cast<unsigned char>(0xA1 + c);
                writeBig5(t.codes[r * kCells + c], VdeCnsToBig5Seq(cnsPlane1(row, col)));
                writeBig5(t.codes[kCells * kCells + r * kCells + c], VdeCnsToBig5Seq(cnsPlane2(row, col)));
            }
        return true;
    }();
    (void)built;
    return t;
}

}  // namespace

extern "C" {

int32_t VdeHzToGb8(const unsigned char *in, int32_t n, VdeCharListT *cl) {
    VdeClSink out(cl);
    bool dbl = false;
    return out.run<2>(n, [&](int32_t &i, unsigned char *&p) {
        unsigned char b = in[i];
        if (b == '~') {
            unsigned char c = i + 1 < n ? in[i + 1] : 0;
            if (c == '~') *p++ = '~';
            dbl = c == '{';
            i += (c == '{' || c == '}' || c == '~') ? 2 : 1;  // any other: the tilde alone is dropped
        } else if (b == '\n' || b == '\r') {
            dbl = false;
            *p++ = b, ++i;
        } else if (dbl) {
            if (i + 1 >= n) return false;
            *p++ = b | 0x80, *p++ = in[i + 1] | 0x80;
            i += 2;
        } else {
            *p++ = b, ++i;
        }
        return true;
    });
}

int32_t VdeGb8ToHz(const unsigned char *in, int32_t n, VdeCharListT *cl) {
    VdeClSink out(cl);
    bool dbl = false;
    int32_t status = out.run<4>(n, [&](int32_t &i, unsigned char *&p) {
        unsigned char b = in[i];
        bool lead = isGbByte(b);
        if (lead && i + 1 >= n) return false;
        bool pair = lead && isGbByte(in[i + 1]);
        if (pair != dbl) *p++ = '~', *p++ = pair ? '{' : '}';
        dbl = pair;
        if (pair) {
            *p++ = b & 0x7F, *p++ = in[i + 1] & 0x7F;
            i += 2;
        } else {
            // A tilde of the text is doubled, so that HZ reads it back as one;
            // a stray lead byte goes alone, so a tilde after it is doubled too.
            if (b == '~') *p++ = '~';
            *p++ = b, ++i;
        }
        return true;
    });
    if (dbl) {  // the text ends in double-byte mode, whole or cut short
        unsigned char *p = out.reserve(2);
        *p++ = '~', *p++ = '}';
        out.commit(p);
    }
    return status;
}

int32_t VdeBig52CNSEUC(const unsigned char *in, int32_t n, VdeCharListT *cl) {
    const auto &table = big5ToCns();
    VdeClSink out(cl);
    return out.run<4>(n, [&](int32_t &i, unsigned char *&p) {
        unsigned char b = in[i];
        if (b < 0xA1 || b == 0xFF) {  // single bytes pass unchanged
            *p++ = b, ++i;
            return true;
        }
        if (i + 1 >= n) return false;
        int cell = big5Cell(in[i + 1]);
        // A lead byte without its second byte is a character of its own.
        p = (cell < 0 ? table.unmapped : table.codes[(b - 0xA1) * kBig5Row + cell]).copyTo(p);
        i += cell < 0 ? 1 : 2;
        return true;
    });
}

int32_t VdeCNSEUC2Big5(const unsigned char *in, int32_t n, VdeCharListT *cl) {
    const auto &table = cnsToBig5();
    VdeClSink out(cl);
    return out.run<4>(n, [&](int32_t &i, unsigned char *&p) {
        unsigned char b = in[i];
        if ((b < 0xA1 && b != 0x8E) || b == 0xFF) {
            *p++ = b, ++i;
            return true;
        }
        Bytes rc = in + i;  // the character's row and column bytes
        int plane = 0, width = 2;
        bool known = true;
        if (b == 0x8E) {
            // An 0x8E among the last three bytes cannot start a whole character.
            if (i + 3 >= n) return false;
            known = in[i + 1] >= 0xA1 && in[i + 1] <= 0xB0;
            plane = in[i + 1] == 0xA1 ? 0 : 1;  // every plane byte past 0xA1 is read as plane 2
            rc += 2, width = 4;
        } else if (i + 1 >= n) {
            return false;
        }
        known = known && isGbByte(rc[0]) && isGbByte(rc[1]);
        p = (known ? table.codes[(plane * kCells + rc[0] - 0xA1) * kCells + rc[1] - 0xA1] : table.unmapped).copyTo(p);
        i += known ? width : 1;
        return true;
    });
}

}  // extern "C"
