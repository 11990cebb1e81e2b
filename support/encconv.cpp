// The conversion matrix: which converter turns text of one encoding into
// another, and the entry points that run it into a character list.
#include <string.h>

#include "convertutils.h"
#include "vsupport/memory.h"

namespace {

using ByteFn = int (*)(int);

// Texts at least this long are converted through a table of the byte map.
constexpr int32_t kTabulateFrom = 1024;

// One cell of the matrix: at most one of the three ways is set.
struct Route {
    ByteFn byteMap = nullptr;          // one byte to one byte
    VdeConverterT converter = nullptr; // a multi-byte converter
    bool unicode = false;              // through the Unicode tables to UTF-8
    bool copy = false;                 // same encoding
};

bool toUtf8Source(int32_t from) {
    switch (from) {
    case VDE_TE_VELLIX: case VDE_TE_ISOLATIN1: case VDE_TE_SHIFTJIS: case VDE_TE_BIG5:
    case VDE_TE_GBEUC: case VDE_TE_EUCKR: case VDE_TE_SYMBOL: case VDE_TE_DINGBATS:
    case VDE_TE_WINGDINGS:
        return true;
    default:
        return false;
    }
}

Route fromVellix(int32_t to) {
    Route r;
    switch (to) {
    case VDE_TE_ISOLATIN1: r.byteMap = VdeVellixToIsoLatin1; break;
    case VDE_TE_ANSI: r.byteMap = VdeVellixToAnsi; break;
    case VDE_TE_MAC: r.byteMap = VdeVellixToMac; break;
    case VDE_TE_ASCII: case VDE_TE_JIS7: case VDE_TE_SHIFTJIS: case VDE_TE_EUCJP:
    case VDE_TE_BIG5: case VDE_TE_CNSEUC: case VDE_TE_GBEUC: case VDE_TE_HZ: case VDE_TE_EUCKR:
        r.byteMap = VdeVellixToAscii;
        break;
    default: break;
    }
    return r;
}

struct Pair {
    int32_t from, to;
    VdeConverterT converter;
};
constexpr Pair kConverters[] = {
    {VDE_TE_JIS7, VDE_TE_SHIFTJIS, VdeJisToShiftJis},  {VDE_TE_JIS7, VDE_TE_EUCJP, VdeJisToEuc},
    {VDE_TE_SHIFTJIS, VDE_TE_JIS7, VdeShiftJisToJis},  {VDE_TE_SHIFTJIS, VDE_TE_EUCJP, VdeShiftJisToEuc},
    {VDE_TE_EUCJP, VDE_TE_JIS7, VdeEucToJis},          {VDE_TE_EUCJP, VDE_TE_SHIFTJIS, VdeEucToShiftJis},
    {VDE_TE_BIG5, VDE_TE_CNSEUC, VdeBig52CNSEUC},       {VDE_TE_CNSEUC, VDE_TE_BIG5, VdeCNSEUC2Big5},
    {VDE_TE_GBEUC, VDE_TE_HZ, VdeGb8ToHz},             {VDE_TE_HZ, VDE_TE_GBEUC, VdeHzToGb8},
};

Route route(int32_t from, int32_t to) {
    VDE_ASSERT(from >= 0 && from <= VDE_TE_LAST);
    VDE_ASSERT(from != VDE_TE_VELLIX || ((to < VDE_TE_SYMBOL || to > VDE_TE_WINGDINGS) && to <= VDE_TE_LAST));
    Route r;
    if (from == to) {
        r.copy = true;
    } else if (to == VDE_TE_UTF8 && toUtf8Source(from)) {
        r.unicode = true;
    } else if (from == VDE_TE_VELLIX) {
        r = fromVellix(to);
    } else if (to == VDE_TE_VELLIX) {
        switch (from) {
        case VDE_TE_ISOLATIN1: r.byteMap = VdeIsoLatin1ToVellix; break;
        case VDE_TE_ASCII: r.byteMap = VdeAsciiToVellix; break;
        case VDE_TE_ANSI: r.byteMap = VdeAnsiToVellix; break;
        case VDE_TE_MAC: r.byteMap = VdeMacToVellix; break;
        default: break;
        }
    } else {
        for (const Pair &p : kConverters)
            if (p.from == from && p.to == to) r.converter = p.converter;
    }
    return r;
}

}  // namespace

extern "C" {

int32_t VdeTransliterateBytes(const unsigned char *bytes, int32_t count, VdeCharListT *cl,
                              int32_t from, int32_t to) {
    VDE_ASSERT(cl && cl->tag == VDE_CL_TAG);
    Route r = route(from, to);
    if (!bytes || count < 0) count = 0;
    if (r.converter) return r.converter(bytes, count, cl);
    if (r.unicode) return vdeTranslateToUnicode(bytes, count, cl, from);
    if (r.byteMap) {
        // A long text goes through the map's 256 values, asked once, rather
        // than through a call per byte. A byte without a counterpart is left
        // out rather than ending the text.
        VdeClSink out(cl);
        auto convert = [&](auto map) {
            out.run<1>(count, [&](int32_t &i, unsigned char *&p) {
                unsigned char c = map(bytes[i++]);
                *p = c;
                p += c != 0;
                return true;
            });
        };
        if (count >= kTabulateFrom) {
            unsigned char table[256];
            for (int b = 0; b < 256; ++b) table[b] = static_cast<unsigned char>(r.byteMap(b));
            convert([&table](unsigned char b) { return table[b]; });
        } else {
            convert([&r](unsigned char b) { return static_cast<unsigned char>(r.byteMap(b)); });
        }
        return 0;
    }
    VdeClAddNChars(cl, reinterpret_cast<const char *>(bytes), count);
    return r.copy ? 0 : -1;
}

char *V_StrConvertEnc(const char *s, int32_t from, int32_t to) {
    VdeCharListT cl;
    VdeClInit(&cl, 256);
    int32_t n = s ? static_cast<int32_t>(strlen(s)) : 0;
    int32_t status = VdeTransliterateBytes(reinterpret_cast<const unsigned char *>(s), n, &cl, from, to);
    if (status != 0 || cl.length == 0) {
        VdeClSetSize(&cl, 0);
        return nullptr;
    }
    VdeClTrim(&cl);
    return cl.buffer;
}

}  // extern "C"
