// Fuzzes the converters: the first byte chooses the pair of encodings (and
// whether the output goes to a growing list or a small fixed buffer), the
// rest is the text. Double-byte Unicode tables are loaded from the directory
// in LINDREL_UCOD_DIR when it is set (see tools/mkucod).
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

#include "vsupport/convert.h"
#include "vsupport/encoding.h"
#include "vsupport/memory.h"

namespace {

struct Pair {
    int32_t from, to;
};

std::vector<Pair> validPairs() {
    std::vector<Pair> pairs;
    for (int32_t from = 0; from <= VDE_TE_LAST; ++from)
        for (int32_t to = 0; to <= VDE_TE_LAST; ++to)
            if (from != VDE_TE_VELLIX || to < VDE_TE_SYMBOL || to > VDE_TE_WINGDINGS) pairs.push_back({from, to});
    return pairs;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    V_VdeInitFontEncs("VellixRoman");
    if (const char *dir = getenv("LINDREL_UCOD_DIR")) V_VdeInitUnicode(dir);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    static const std::vector<Pair> pairs = validPairs();
    if (size < 1) return 0;
    const Pair p = pairs[data[0] % pairs.size()];
    const bool fixed = (data[0] / pairs.size()) % 2;
    const unsigned char *text = data + 1;
    int32_t n = static_cast<int32_t>(size - 1);

    VdeCharListT cl;
    char small[16];
    if (fixed) VdeClInitWithBuffer(&cl, small, sizeof small, 0);
    else VdeClInit(&cl, 1 + data[0] % 7);
    VdeTransliterateBytes(text, n, &cl, p.from, p.to);
    if (cl.length > 0 && static_cast<size_t>(cl.length) > 64 * size + 64) abort();  // runaway output
    if (!fixed) VdeClSetSize(&cl, 0);

    // The string entry point sees the text up to its first null byte.
    std::string s(reinterpret_cast<const char *>(text), static_cast<size_t>(n));
    V_Free(V_StrConvertEnc(s.c_str(), p.from, p.to));
    V_Free(VdeTextEncStringToLString(s.c_str(), p.from));

    // The encoding-aware string functions over the same text.
    int32_t font = data[0] % VDE_FONT_ENC_COUNT;
    std::vector<char> buf(s.c_str(), s.c_str() + strlen(s.c_str()) + 1);
    V_StrLenEnc(buf.data(), font);
    V_StrStrEnc(buf.data(), "\x88", font);
    V_StrRChrEnc(buf.data(), 'a', 0, font);
    V_StrICmpEnc(buf.data(), "abc", font);
    V_StrISuffixEnc(buf.data(), "\x9F", font);
    char dst[9] = "";
    V_StrCatNEnc(dst, buf.data(), sizeof dst, font);
    V_StrTruncEnc(buf.data(), n / 2, font);
    V_Free(VdeDbTextToVellix(buf.data()));
    V_Free(VdeVellixToDbText(buf.data()));
    return 0;
}
