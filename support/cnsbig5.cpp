// Big5 and CNS 11643 (planes 1 and 2) order the same hanzi differently.
// A character is turned into its sequence number in its own set's order and
// mapped to the other order through tables of ranges.
#include <stddef.h>

#include "convertutils.h"

namespace {

#include "gen_cnsbig5.inc"

// Numbers at or above this have no counterpart in the other set.
constexpr int32_t kHanziLimit = 13054;

template <size_t N>
int32_t lookup(const VdeSeqRange (&ranges)[N], size_t from, int32_t seq) {
    if (seq < ranges[0].start) return kSeqUnmapped;
    size_t i = from;
    while (i + 1 < N && ranges[i + 1].start <= seq) ++i;
    return ranges[i].offset == kSeqNone ? kSeqUnmapped : seq + ranges[i].offset;
}

template <size_t N, size_t M>
int32_t map(int32_t seq, const VdeSeqRange (&hanzi)[N], const uint8_t (&index)[13],
            const VdeSeqRange (&symbols)[M]) {
    if (seq >= -1000 && seq < -1000 + 256) return seq;  // single bytes stay
    if (seq >= kHanziLimit) return kSeqUnmapped;
    if (seq >= 0) return lookup(hanzi, index[seq / 1024], seq);
    return lookup(symbols, 0, seq);
}

}  // namespace

int32_t VdeBig5ToCnsSeq(int32_t seq) {
    return map(seq, kBig5ToCnsHanzi, kBig5ToCnsIndex, kBig5ToCnsSymbols);
}

int32_t VdeCnsToBig5Seq(int32_t seq) {
    return map(seq, kCnsToBig5Hanzi, kCnsToBig5Index, kCnsToBig5Symbols);
}
