// Vellix Roman: its correspondence to Unicode, and every other table of the
// set derived from that one table at compile time (properties, hexadecimal
// digits, ISO-8859-1, ASCII and ANSI maps), plus the one-byte conversions.
#include "vsupport/encoding.h"
#include "vsupport/strings.h"

#include <array>
#include <initializer_list>

#include "convertutils.h"

namespace {

using ByteMap = std::array<unsigned char, 256>;
using CodeMap = std::array<uint16_t, 256>;

constexpr uint16_t N = VDE_NO_CHAR;

constexpr CodeMap kVellixUni = {{
    N, N, N, N, N, N, N, N, 0x0009, 0x2028, 0x2029, 0x2029, N, N, N, N,
    0x2007, 0x00A0, 0x2009, 0x2002, 0x2003, 0x2011, N, N, N, N, N, N, N, N, N, N,
    0x20, 0x21, 0x22, 0x23, 0x24, 0x25, 0x26, 0x27, 0x28, 0x29, 0x2A, 0x2B, 0x2C, 0x2D, 0x2E, 0x2F,
    0x30, 0x31, 0x32, 0x33, 0x34, 0x35, 0x36, 0x37, 0x38, 0x39, 0x3A, 0x3B, 0x3C, 0x3D, 0x3E, 0x3F,
    0x40, 0x41, 0x42, 0x43, 0x44, 0x45, 0x46, 0x47, 0x48, 0x49, 0x4A, 0x4B, 0x4C, 0x4D, 0x4E, 0x4F,
    0x50, 0x51, 0x52, 0x53, 0x54, 0x55, 0x56, 0x57, 0x58, 0x59, 0x5A, 0x5B, 0x5C, 0x5D, 0x5E, 0x5F,
    0x60, 0x61, 0x62, 0x63, 0x64, 0x65, 0x66, 0x67, 0x68, 0x69, 0x6A, 0x6B, 0x6C, 0x6D, 0x6E, 0x6F,
    0x70, 0x71, 0x72, 0x73, 0x74, 0x75, 0x76, 0x77, 0x78, 0x79, 0x7A, 0x7B, 0x7C, 0x7D, 0x7E, N,
    0x00C4, 0x00C5, 0x00C7, 0x00C9, 0x00D1, 0x00D6, 0x00DC, 0x00E1,
    0x00E0, 0x00E2, 0x00E4, 0x00E3, 0x00E5, 0x00E7, 0x00E9, 0x00E8,
    0x00EA, 0x00EB, 0x00ED, 0x00EC, 0x00EE, 0x00EF, 0x00F1, 0x00F3,
    0x00F2, 0x00F4, 0x00F6, 0x00F5, 0x00FA, 0x00F9, 0x00FB, 0x00FC,
    0x2020, N, 0x00A2, 0x00A3, 0x00A7, 0x2022, 0x00B6, 0x00DF,
    0x00AE, 0x00A9, 0x2122, 0x00B4, 0x00A8, N, 0x00C6, 0x00D8,
    0x221E, 0x00B1, 0x2264, 0x2265, 0x00A5, N, N, N,
    N, N, N, 0x00AA, 0x00BA, N, 0x00E6, 0x00F8,
    0x00BF, 0x00A1, 0x00AC, N, 0x0192, N, N, 0x00AB,
    0x00BB, 0x2026, N, 0x00C0, 0x00C3, 0x00D5, 0x0152, 0x0153,
    0x2013, 0x2014, 0x201C, 0x201D, 0x2018, 0x2019, N, N,
    0x00FF, 0x0178, 0x2044, 0x00A4, 0x2039, 0x203A, 0xFB01, 0xFB02,
    0x2021, 0x00B7, 0x201A, 0x201E, 0x2030, 0x00C2, 0x00CA, 0x00C1,
    0x00CB, 0x00C8, 0x00CD, 0x00CE, 0x00CF, 0x00CC, 0x00D3, 0x00D4,
    N, 0x00D2, 0x00DA, 0x00DB, 0x00D9, 0x0131, 0x02C6, 0x02DC,
    0x00AF, 0x02D8, 0x02D9, 0x02DA, 0x00B8, 0x02DD, 0x02DB, 0x02C7,
}};

// ANSI differs from ISO-8859-1 only in 0x80 to 0x9F.
#include "gen_ansi.inc"

constexpr CodeMap isoUni() { return VdeIsoLatin1Unicode(); }
constexpr CodeMap asciiUni() {
    CodeMap m{};
    for (int b = 0; b < 256; ++b) m[b] = b < 0x7F ? static_cast<uint16_t>(b) : N;
    return m;
}
constexpr CodeMap ansiUni() {
    CodeMap m = isoUni();
    for (int b = 0x80; b < 0xA0; ++b) m[b] = kAnsiHighRow[b - 0x80];
    return m;
}

// Vellix Roman's own controls, which every external set writes the same way.
enum class Target { Ascii, Iso, Ansi };

constexpr ByteMap toExternal(const CodeMap &ext, Target t) {
    ByteMap m{};
    for (int b = 0; b < 256; ++b) {
        if (kVellixUni[b] == N) continue;
        for (int x = 0; x < 256; ++x)
            if (ext[x] == kVellixUni[b]) { m[b] = static_cast<unsigned char>(x); break; }
    }
    m[0x08] = 0x09;
    m[0x09] = 0x0A;
    m[0x0A] = t == Target::Ansi ? 0xB6 : 0x0A;
    m[0x0B] = t == Target::Ansi ? 0xA7 : 0x0A;
    for (int b = 0x10; b <= 0x14; ++b) m[b] = ' ';
    m[0x06] = m[0x15] = '-';
    if (t == Target::Ansi) m[0x04] = m[0x05] = '-';
    m[0x7F] = t == Target::Ascii ? '?' : t == Target::Ansi ? 0xAD : 0;
    return m;
}

constexpr ByteMap fromExternal(const CodeMap &ext) {
    ByteMap m{};
    for (int x = 0; x < 256; ++x) {
        if (ext[x] == N) continue;
        for (int b = 0; b < 256; ++b)
            if (kVellixUni[b] == ext[x]) { m[x] = static_cast<unsigned char>(b); break; }
    }
    m[0x09] = 0x08;
    m[0x0A] = m[0x0C] = m[0x0D] = 0x0A;
    return m;
}

constexpr ByteMap kToAscii = toExternal(asciiUni(), Target::Ascii);
constexpr ByteMap kFromAscii = fromExternal(asciiUni());
constexpr ByteMap kToIso = toExternal(isoUni(), Target::Iso);
constexpr ByteMap kFromIso = fromExternal(isoUni());
constexpr ByteMap kToAnsi = toExternal(ansiUni(), Target::Ansi);
constexpr ByteMap kFromAnsi = fromExternal(ansiUni());

constexpr ByteMap identity() {
    ByteMap m{};
    for (int b = 0; b < 256; ++b) m[b] = static_cast<unsigned char>(b);
    return m;
}
constexpr ByteMap kIdent = identity();

constexpr ByteMap hexDtoA() {
    ByteMap m{};
    for (int d = 0; d < 16; ++d) m[d] = static_cast<unsigned char>(d < 10 ? '0' + d : 'A' + d - 10);
    return m;
}
constexpr ByteMap hexAtoD() {
    ByteMap m{};
    for (int d = 0; d < 10; ++d) m['0' + d] = static_cast<unsigned char>(d);
    for (int d = 0; d < 6; ++d) m['A' + d] = m['a' + d] = static_cast<unsigned char>(10 + d);
    return m;
}
constexpr ByteMap kHexDtoA = hexDtoA();
constexpr ByteMap kHexAtoD = hexAtoD();

// Letters are told by their code points, so that the property table follows
// the Unicode table and not a second list of bytes.
constexpr bool isUpperCp(uint16_t c) {
    return (c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7) || c == 0x0152 ||
           c == 0x0178;
}
constexpr bool isLowerCp(uint16_t c) {
    return (c >= 'a' && c <= 'z') || (c >= 0xDF && c <= 0xFF && c != 0xF7) || c == 0x0153 ||
           c == 0x0131 || c == 0x0192 || c == 0xFB01 || c == 0xFB02;
}
constexpr bool isLetterCp(uint16_t c) { return isUpperCp(c) || isLowerCp(c) || c == 0xAA || c == 0xBA; }
constexpr bool isVowelCp(uint16_t c) {
    // Base letters of the accented Latin-1 range, 0xC0 to 0xFF, folded to ASCII.
    constexpr const char *kBase = "AAAAAAACEEEEIIIIDNOOOOO*OUUUUYTsaaaaaaaceeeeiiiidnooooo/ouuuuyty";
    char base = 0;
    if (c < 0x80) base = static_cast<char>(c);
    else if (c >= 0xC0 && c <= 0xFF) base = kBase[c - 0xC0];
    else if (c == 0x0152 || c == 0x0153 || c == 0x0131 || c == 0xAA || c == 0xBA) return true;
    switch (base) {
    case 'A': case 'E': case 'I': case 'O': case 'U':
    case 'a': case 'e': case 'i': case 'o': case 'u': return true;
    default: return false;
    }
}

constexpr std::array<uint16_t, 256> charProps() {
    std::array<uint16_t, 256> p{};
    for (int b = 0; b < 256; ++b) {
        uint16_t c = kVellixUni[b];
        uint16_t v = 0;
        if (c != N && isLetterCp(c)) {
            v |= VDE_CP_LETTER | VDE_CP_WORD | VDE_CP_ALNUM;
            if (isUpperCp(c)) v |= VDE_CP_UPPER;
            if (isLowerCp(c)) v |= VDE_CP_LOWER;
            if (!isVowelCp(c)) v |= VDE_CP_CONSONANT;
        }
        if (b >= '0' && b <= '9') v |= VDE_CP_DIGIT | VDE_CP_WORD | VDE_CP_ALNUM;
        if (kHexAtoD[b] || b == '0') v |= VDE_CP_HEXDIGIT;
        p[b] = v;
    }
    p['_'] |= VDE_CP_WORD;
    p[0x1B] |= VDE_CP_WORD;
    p[0x1C] |= VDE_CP_WORD;
    p[0x15] |= VDE_CP_ALNUM;
    for (int b : {int{'!'}, int{'.'}, int{'?'}}) p[b] |= VDE_CP_SENTENCE_END;
    for (int b : {int{'\''}, int{')'}, int{'>'}, int{']'}, int{'}'}, 0xC7, 0xC8, 0xD3, 0xD4, 0xD5, 0xDC, 0xDD, 0xE2, 0xE3})
        p[b] |= VDE_CP_CLOSE;
    for (int b : {int{'"'}, int{'('}, int{'<'}, int{'['}, int{'{'}, 0xD2}) p[b] |= VDE_CP_OPEN;
    for (int b : {0x00, 0x08, 0x09, 0x0A, 0x0B, 0x10, 0x11, 0x12, 0x13, 0x14, 0x20})
        p[b] |= VDE_CP_SPACE;
    p[0x20] |= VDE_CP_BLANK;
    for (int b = 0x08; b <= 0x0B; ++b) p[b] |= 0x0001;
    for (int b = 0x09; b <= 0x0B; ++b) p[b] |= 0x0200;
    for (int b = 0x01; b <= 0x06; ++b) p[b] |= b >= 0x04 ? 0x1100 : 0x1000;
    return p;
}
constexpr std::array<uint16_t, 256> kCharProps = charProps();

constexpr ByteMap controlToExternal() {
    ByteMap m{};
    m[0x08] = 0x09;
    m[0x09] = 0x0A;
    for (int b = 0x10; b <= 0x14; ++b) m[b] = ' ';
    m[0x15] = '-';
    return m;
}
constexpr ByteMap kControlToExternal = controlToExternal();

inline int through(const unsigned char *map, int c) { return map[c & 0xFF]; }

}  // namespace

extern "C" {

const unsigned char *VdeIdentMap = kIdent.data();
const unsigned char *VdeHexDtoA = kHexDtoA.data();
const unsigned char *VdeHexAtoD = kHexAtoD.data();
const uint16_t *VdeCharProps = kCharProps.data();
const unsigned char *VdeVToAsciiMap = kToAscii.data();
const unsigned char *VdeAsciiToVMap = kFromAscii.data();
const unsigned char *VdeVToIsoMap = kToIso.data();
const unsigned char *VdeIsoToVMap = kFromIso.data();
const unsigned char *VdeVToAnMap = kToAnsi.data();
const unsigned char *VdeAnToVMap = kFromAnsi.data();
const uint16_t *VdeVellixToUnicodeMap = kVellixUni.data();
const unsigned char *vx_control_to_external_map = kControlToExternal.data();

int VdeVellixToIsoLatin1(int c) { return through(VdeVToIsoMap, c); }
int VdeIsoLatin1ToVellix(int c) { return through(VdeIsoToVMap, c); }
int VdeVellixToAscii(int c) { return through(VdeVToAsciiMap, c); }
int VdeVellixTo7BitAscii(int c) { return VdeVellixToAscii(c); }
int VdeAsciiToVellix(int c) { return through(VdeAsciiToVMap, c); }
int VdeVellixToAnsi(int c) { return through(VdeVToAnMap, c); }
int VdeAnsiToVellix(int c) { return through(VdeAnToVMap, c); }
int VdeVellixToVellix(int c) { return c & 0xFF; }

int VdeVellixToMac(int c) {
    c &= 0xFF;
    return c >= 0x80 ? c : VdeVellixToAscii(c);
}

int VdeMacToVellix(int c) {
    c &= 0xFF;
    if (c >= 0x20) return c;
    switch (c) {
    case 0x09: return 0x08;
    case 0x0A: case 0x0C: case 0x0D: return 0x0A;
    default: return '?';
    }
}

void VdeVXControlToExternal(char *s) {
    if (!s) return;
    for (unsigned char *p = reinterpret_cast<unsigned char *>(s); *p; ++p)
        if (*p < 0x20 && vx_control_to_external_map[*p]) *p = vx_control_to_external_map[*p];
}

void VdeExternalControlToVX(char *s) {
    if (!s) return;
    for (char *p = s; *p; ++p)
        if (*p == '\t') *p = 0x08;
}

}  // extern "C"
