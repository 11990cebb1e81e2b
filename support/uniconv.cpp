// Conversion to Unicode: fixed tables for the single-byte sets, tables for
// the four double-byte sets loaded from .UCOD files, and UTF-8 output.
#include <stdio.h>
#include <string.h>

#include <array>

#include "convertutils.h"
#include "vsupport/memory.h"
#include "vsupport/strings.h"

namespace {

#include "gen_symfonts.inc"

using Bytes = const unsigned char *;

constexpr std::array<uint16_t, 256> kIsoUni = VdeIsoLatin1Unicode();

// A loaded double-byte table: the file's block, and for each first byte the
// row record inside it (lowest and highest second byte, then big-endian code
// points), or null. Row 0 serves the single bytes.
struct DoubleByteTable {
    unsigned char *block;
    unsigned char *rows[256];
};

// By font encoding 1 to 4, in file-name order.
constexpr const char *kTableNames[4] = {"JISX0208.ShiftJIS", "KSC5601-1992", "BIG5", "GB2312-80.EUC"};
DoubleByteTable *gTables[4];

constexpr int kPathMax = 256;

// Reads <directory>/unicode/<table>.UCOD whole; null when it cannot.
unsigned char *loadPacked(const char *table, const char *directory, long *size) {
    if (!directory || !*directory) return nullptr;
    char path[kPathMax];
    int32_t enc = vdeDialogEncodingId;
    V_StrCpyNEnc(path, directory, kPathMax, enc);
    if (path[strlen(path) - 1] != '/') V_StrCatNEnc(path, "/", kPathMax, enc);
    V_StrCatNEnc(path, "unicode/", kPathMax, enc);
    V_StrCatNEnc(path, table, kPathMax, enc);
    int32_t len = V_StrCatNEnc(path, ".UCOD", kPathMax, enc);
    // A name cut short by the bound would open some other file.
    size_t want = strlen(directory) + (directory[strlen(directory) - 1] != '/') + 8 + V_StrLen(table) + 5;
    if (static_cast<size_t>(len) != want) return nullptr;

    FILE *f = fopen(path, "rb");
    if (!f) return nullptr;
    unsigned char *block = nullptr;
    if (fseek(f, 0, SEEK_END) == 0) {
        long n = ftell(f);
        if (n > 0 && n <= static_cast<long>(V_MAX_BLOCK) && fseek(f, 0, SEEK_SET) == 0) {
            block = static_cast<unsigned char *>(V_Calloc(static_cast<uint32_t>(n), 1, 0));
            if (block && fread(block, 1, static_cast<size_t>(n), f) != static_cast<size_t>(n)) VdeFree(&block);
            *size = n;
        }
    }
    fclose(f);
    return block;
}

void putBigEndian(unsigned char *p, uint16_t v) {
    p[0] = static_cast<unsigned char>(v >> 8);
    p[1] = static_cast<unsigned char>(v);
}

// Indexes the rows of a table file; a record cut short ends the table there.
DoubleByteTable *parseTable(unsigned char *block, long size) {
    DoubleByteTable *t = static_cast<DoubleByteTable *>(V_Calloc(1, sizeof(DoubleByteTable), V_MUSTSUCCEED));
    t->block = block;
    if (size < 2) return t;
    int first = block[0], last = block[1];
    long pos = 2;
    for (int r = first ? first - 1 : 0; r <= last; ++r) {
        if (pos + 2 > size) break;
        unsigned char *row = block + pos;
        int lo = row[0], hi = row[1];
        pos += 2;
        if (hi <= lo) continue;
        long bytes = 2L * (hi - lo + 1);
        if (pos + bytes > size) break;
        pos += bytes;
        t->rows[first && r == first - 1 ? 0 : r] = row;
    }
    // The single-byte row takes the host's control characters.
    if (unsigned char *row0 = t->rows[0])
        for (int b = row0[0]; b <= row0[1] && b < 0x20; ++b)
            putBigEndian(row0 + 2 + 2 * (b - row0[0]), VdeVellixToUnicodeMap[b]);
    return t;
}

uint32_t rowLookup(const unsigned char *row, int key) {
    if (!row || key < row[0] || key > row[1]) return VDE_NO_CHAR;
    const unsigned char *p = row + 2 + 2 * (key - row[0]);
    return static_cast<uint32_t>(p[0]) << 8 | p[1];
}

const uint16_t *singleByteTable(int32_t textEnc) {
    switch (textEnc) {
    case VDE_TE_VELLIX: return VdeVellixToUnicodeMap;
    case VDE_TE_ISOLATIN1: return kIsoUni.data();
    case VDE_TE_SYMBOL: return kSymbolUni;
    case VDE_TE_DINGBATS: return kDingbatsUni;
    case VDE_TE_WINGDINGS: return kWingdingsUni;
    default: return nullptr;
    }
}

bool isSymbolFont(int32_t textEnc) { return textEnc >= VDE_TE_SYMBOL && textEnc <= VDE_TE_WINGDINGS; }

// A code point as UTF-8 of up to six bytes at p; returns the end.
unsigned char *encodeUtf8(unsigned char *p, uint32_t cp) {
    if (cp < 0x80) {
        *p = static_cast<unsigned char>(cp);
        return p + 1;
    }
    int n = cp < 0x800 ? 2 : cp < 0x10000 ? 3 : cp < 0x200000 ? 4 : cp < 0x4000000 ? 5 : 6;
    static constexpr unsigned char kLeadMark[7] = {0, 0, 0xC0, 0xE0, 0xF0, 0xF8, 0xFC};
    for (int i = n - 1; i > 0; --i, cp >>= 6) p[i] = static_cast<unsigned char>(0x80 | (cp & 0x3F));
    p[0] = static_cast<unsigned char>(kLeadMark[n] | cp);
    return p + n;
}

// The code point of a byte of a single-byte set: the symbol fonts take the
// host's control characters.
uint32_t singleCode(const uint16_t *single, int32_t textEnc, unsigned char b) {
    return isSymbolFont(textEnc) && b < 0x20 ? VdeVellixToUnicodeMap[b] : single[b];
}

// Reads the characters of a text in one encoding as code points.
struct Decoder {
    int32_t textEnc;
    const uint16_t *single;
    const DoubleByteTable *dbl = nullptr;
    const VdeFontEncT *enc = nullptr;

    explicit Decoder(int32_t textEnc) : textEnc(textEnc), single(singleByteTable(textEnc)) {
        int32_t fontEnc = V_TextEncToFontEnc(textEnc);
        dbl = fontEnc > 0 ? gTables[fontEnc - 1] : nullptr;
        if (usable()) enc = VdeFontEncRecord(single ? 0 : fontEnc);
    }
    bool usable() const { return single || dbl; }

    // The code point of the character at in[i], moving i past it: 0 ends the
    // text, VDE_NO_CHAR is a character without one (passed over).
    uint32_t next(Bytes in, int32_t n, int32_t &i) const {
        Bytes p = in + i;
        if (single) return ++i, singleCode(single, textEnc, *p);
        if (VdeIsDoubleByte(enc, p, in + n)) return i += 2, rowLookup(dbl->rows[p[0]], p[1]);
        return ++i, rowLookup(dbl->rows[0], p[0]);
    }
};

// A byte of a single-byte set as UTF-8: its bytes, then their count (none
// for a byte without a character, kEnd for code point 0, which ends the
// text). Four bytes, so that one copy writes a character.
struct Utf8Char {
    unsigned char bytes[3];
    unsigned char len;
};
constexpr unsigned char kEnd = 0xFF;

// A code point of the Basic Multilingual Plane as such a character.
Utf8Char utf8Char(uint32_t cp) {
    Utf8Char c{};
    unsigned char bytes[6] = {};
    c.len = cp == 0 ? kEnd : cp == VDE_NO_CHAR ? 0 : static_cast<unsigned char>(encodeUtf8(bytes, cp) - bytes);
    for (int i = 0; i < c.len && i < 3; ++i) c.bytes[i] = bytes[i];
    return c;
}

// The UTF-8 of every byte of a single-byte set, made on first use and again
// whenever a table it came from has been replaced.
struct Utf8Map {
    const uint16_t *single = nullptr, *vellix = nullptr;
    Utf8Char chars[256];
};

const Utf8Map &utf8Map(const uint16_t *single, int32_t textEnc) {
    static Utf8Map maps[VDE_TE_LAST + 1];
    Utf8Map &m = maps[textEnc];
    if (m.single == single && m.vellix == VdeVellixToUnicodeMap) return m;
    for (int b = 0; b < 256; ++b) m.chars[b] = utf8Char(singleCode(single, textEnc, static_cast<unsigned char>(b)));
    m.single = single;
    m.vellix = VdeVellixToUnicodeMap;
    return m;
}

// A double-byte table in UTF-8: for each first byte, the UTF-8 of the
// character of every second byte (none outside the row, or for a missing
// row). Made on the first conversion to UTF-8 and kept, as the table is.
struct Utf8Table {
    const Utf8Char *rows[256];
};
Utf8Table *gUtf8Tables[4];
constexpr Utf8Char kNoRow[256] = {};

const Utf8Table *utf8Table(int32_t fontEnc, const DoubleByteTable *dbl) {
    Utf8Table *&t = gUtf8Tables[fontEnc - 1];
    if (t) return t;
    t = static_cast<Utf8Table *>(V_Calloc(1, sizeof(Utf8Table), V_MUSTSUCCEED));
    for (int r = 0; r < 256; ++r) {
        const unsigned char *row = dbl->rows[r];
        t->rows[r] = kNoRow;
        if (!row) continue;
        auto *chars = static_cast<Utf8Char *>(V_Calloc(256, sizeof(Utf8Char), V_MUSTSUCCEED));
        for (int key = row[0]; key <= row[1]; ++key) chars[key] = utf8Char(rowLookup(row, key));
        t->rows[r] = chars;
    }
    return t;
}

}  // namespace

extern "C" {

unsigned char *VdeGetPackedUnicodeInfo(const char *table, const char *directory) {
    long size = 0;
    return loadPacked(table, directory, &size);
}

void V_VdeInitUnicode(const char *directory) {
    if (gTables[0]) return;
    for (int i = 0; i < 4; ++i) {
        long size = 0;
        if (gTables[i]) continue;  // loaded by an earlier call that lacked Shift_JIS
        if (unsigned char *block = loadPacked(kTableNames[i], directory, &size))
            gTables[i] = parseTable(block, size);
    }
}

int32_t vdeTranslateToUnicode(const unsigned char *in, int32_t count, VdeCharListT *cl, int32_t textEnc) {
    VdeClSink out(cl);
    if (const uint16_t *single = singleByteTable(textEnc)) {
        const Utf8Map &map = utf8Map(single, textEnc);
        out.run<4>(count, [&](int32_t &i, unsigned char *&p) {
            const Utf8Char &c = map.chars[in[i++]];
            if (c.len == kEnd) return false;
            memcpy(p, &c, 4);
            p += c.len;
            return true;
        });
        return 0;
    }
    int32_t fontEnc = V_TextEncToFontEnc(textEnc);
    const DoubleByteTable *dbl = fontEnc > 0 ? gTables[fontEnc - 1] : nullptr;
    if (!dbl) return 0;
    const Utf8Table &table = *utf8Table(fontEnc, dbl);
    const VdeFontEncT *enc = VdeFontEncRecord(fontEnc);
    out.run<4>(count, [&](int32_t &i, unsigned char *&p) {
        int row = 0, key = in[i];
        if (VdeIsDoubleByte(enc, in + i, in + count)) row = key, key = in[i + 1], ++i;
        ++i;
        const Utf8Char &c = table.rows[row][key];
        if (c.len == kEnd) return false;
        memcpy(p, &c, 4);
        p += c.len;
        return true;
    });
    return 0;
}

int32_t translateStringToUCS4(const unsigned char *in, int32_t count, int32_t textEnc, int32_t *out) {
    if (!in || count < 0) count = 0;
    Decoder d(textEnc);
    if (!d.usable()) return -1;
    int32_t n = 0;
    for (int32_t i = 0; i < count;) {
        uint32_t cp = d.next(in, count, i);
        if (cp == 0) break;
        if (cp != VDE_NO_CHAR) out[n++] = static_cast<int32_t>(cp);
    }
    return n;
}

int32_t *VdeTextEncStringToLString(const char *s, int32_t textEnc) {
    if (!s || !*s) return nullptr;
    int32_t len = V_StrLen(s);
    uint64_t bytes = (static_cast<uint64_t>(len) + 1) * sizeof(int32_t);
    if (bytes > V_MAX_BLOCK) return nullptr;
    int32_t *out = static_cast<int32_t *>(V_Alloc(static_cast<uint32_t>(bytes), 0));
    if (!out) return nullptr;
    int32_t n = translateStringToUCS4(reinterpret_cast<Bytes>(s), len, textEnc, out);
    if (n < 0) {
        V_Free(out);
        return nullptr;
    }
    out[n] = 0;
    return out;
}

}  // extern "C"
