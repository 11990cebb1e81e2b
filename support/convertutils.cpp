// Unicode character tests: safe in 7-bit text, and allowed in an XML 1.0
// name (the name-character and first-character classes, as bitsets built
// on first use from generated ranges).
#include <bitset>

#include "convertutils.h"

namespace {

#include "gen_xmlclasses.inc"

using CodeSet = std::bitset<0x10000>;

template <size_t N>
CodeSet build(const VdeCodeRange (&ranges)[N]) {
    CodeSet set;
    for (const VdeCodeRange &r : ranges)
        for (uint32_t c = r.lo; c <= r.hi; ++c) set.set(c);
    return set;
}

}  // namespace

extern "C" {

int V_LCharIsSafeForAscii(int32_t codePoint) {
    return (codePoint >= 0x20 && codePoint <= 0x7D && codePoint != '\\') ? 1 : 0;
}

int V_LCharIsSafeForName(int32_t codePoint, int first) {
    static const CodeSet firstChars = build(kXmlFirstChar);
    static const CodeSet nameChars = build(kXmlNameChar);
    if (codePoint < 0 || codePoint > 0xFFFF) return 0;
    return (first ? firstChars : nameChars).test(static_cast<size_t>(codePoint)) ? 1 : 0;
}

}  // extern "C"
