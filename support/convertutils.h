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

// A converter's output: bytes gather in a block of its own and reach the
// character list a block at a time, so that the list's checks and growth are
// paid per block rather than per byte. What the list keeps is the same as if
// every byte had been appended alone (a fixed list drops the same tail).
class VdeClSink {
public:
    explicit VdeClSink(VdeCharListT *list) : cl_(list), p_(buf_) {}
    ~VdeClSink() { flush(); }
    VdeClSink(const VdeClSink &) = delete;
    VdeClSink &operator=(const VdeClSink &) = delete;

    // Runs step(i, p) while i < n: each step reads the input from position
    // i, writes at most Most bytes at p and advances both (i by one at
    // least), or returns false to stop the run, which then returns -1 (else
    // 0). The position and the output pointer stay in registers for the
    // whole of a block.
    template <int Most, class Step>
    int32_t run(int32_t n, Step step) {
        static_assert(Most <= kBlock);
        for (int32_t i = 0; i < n;) {
            if (p_ + kBlock > buf_ + kSize) flush();
            // Every step takes at least one input byte: a block of input
            // steps writes at most kBlock bytes.
            int32_t stop = n - i < kBlock / Most ? n : i + kBlock / Most;
            unsigned char *p = p_;
            while (i < stop)
                if (!step(i, p)) {
                    p_ = p;
                    return -1;
                }
            p_ = p;
        }
        return 0;
    }
    // Room for n bytes (at most kBlock) written straight at the returned
    // pointer; commit() then says where the writing ended.
    unsigned char *reserve(int n) {
        if (p_ + n > buf_ + kSize) flush();
        return p_;
    }
    void commit(unsigned char *end) { p_ = end; }
    void flush() {
        if (p_ != buf_) VdeClAddNChars(cl_, reinterpret_cast<const char *>(buf_), static_cast<int32_t>(p_ - buf_));
        p_ = buf_;
    }

private:
    static constexpr int kSize = 4096, kBlock = 256;
    VdeCharListT *cl_;
    unsigned char *p_;
    unsigned char buf_[kSize];
};

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
