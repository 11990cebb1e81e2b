// JIS X 0208 in its three forms: JIS7 (escape sequences), Shift_JIS and
// EUC-JP, with the half-width katakana of Shift_JIS and EUC-JP written
// full-width in JIS7. Each converter is one reader of its source form
// feeding one writer of its target form.
#include <array>

#include "convertutils.h"

namespace {

#include "gen_hankaku.inc"

using Bytes = const unsigned char *;
constexpr unsigned char ESC = 0x1B;
constexpr unsigned char kVoiced = 0xDE, kSemiVoiced = 0xDF, kSS2 = 0x8E;

bool isSjisLead(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xEF); }
bool isSjisTrail(unsigned char b) { return b >= 0x40 && b <= 0xFC; }
bool isKana(unsigned char b) { return b >= 0xA1 && b <= 0xDF; }
bool isEucByte(unsigned char b) { return b >= 0xA1 && b <= 0xFE; }

// The published arithmetic between JIS and Shift_JIS, on two bytes in place
// (inline: it runs once per character).
constexpr void jisToSjisArithmetic(unsigned char &first, unsigned char &second) {
    int c1 = first, c2 = second;
    int rowOffset = c1 < 0x5F ? 0x70 : 0xB0;
    int cellOffset = (c1 & 1) ? (c2 > 0x5F ? 0x20 : 0x1F) : 0x7E;
    first = static_cast<unsigned char>(((c1 + 1) >> 1) + rowOffset);
    second = static_cast<unsigned char>(c2 + cellOffset);
}

// The same for every character of the 94 x 94 set, worked out once.
constexpr int kJisCells = 94;
constexpr std::array<uint16_t, kJisCells * kJisCells> jisToSjisTable() {
    std::array<uint16_t, kJisCells * kJisCells> t{};
    for (int r = 0; r < kJisCells; ++r)
        for (int c = 0; c < kJisCells; ++c) {
            unsigned char a = static_cast<unsigned char>(0x21 + r), b = static_cast<unsigned char>(0x21 + c);
            jisToSjisArithmetic(a, b);
            t[r * kJisCells + c] = static_cast<uint16_t>(a << 8 | b);
        }
    return t;
}
constexpr std::array<uint16_t, kJisCells * kJisCells> kJisToSjis = jisToSjisTable();

inline void jisToSjis(unsigned char &first, unsigned char &second) {
    unsigned r = first - 0x21u, c = second - 0x21u;
    if (r >= kJisCells || c >= kJisCells) return jisToSjisArithmetic(first, second);
    uint16_t code = kJisToSjis[r * kJisCells + c];
    first = static_cast<unsigned char>(code >> 8);
    second = static_cast<unsigned char>(code);
}

inline void sjisToJis(unsigned char &first, unsigned char &second) {
    int c1 = first, c2 = second;
    int adjust = c2 < 0x9F;
    int rowOffset = c1 < 0xA0 ? 0x70 : 0xB0;
    int cellOffset = adjust ? (c2 > 0x7F ? 0x20 : 0x1F) : 0x7E;
    first = static_cast<unsigned char>(((c1 - rowOffset) << 1) - adjust);
    second = static_cast<unsigned char>(c2 - cellOffset);
}

// ---- Writers: each writes one character at p and moves p past it ------------

using Out = unsigned char *&;

// JIS7: double-byte runs bracketed by escape sequences.
struct Jis7Writer {
    bool dbl = false;
    void pair(Out p, unsigned char a, unsigned char b) {
        if (!dbl) {
            *p++ = ESC, *p++ = '$', *p++ = 'B';
            dbl = true;
        }
        *p++ = a, *p++ = b;
    }
    void leave(Out p) {
        if (!dbl) return;
        *p++ = ESC, *p++ = '(', *p++ = 'J';
        dbl = false;
    }
    void single(Out p, unsigned char c) {
        leave(p);
        *p++ = c;
    }
    void raw(Out p, unsigned char a, unsigned char b) { *p++ = a, *p++ = b; }
    // A half-width kana as its full-width JIS character.
    bool kana(Out p, unsigned char k, unsigned char mark) {
        unsigned char z[2];
        int used = Vdehan2zen(k, mark, &z[0], &z[1]);
        sjisToJis(z[0], z[1]);
        pair(p, z[0], z[1]);
        return used == 1;
    }
    void finish(Out p) { leave(p); }
};

struct SjisWriter {
    bool keepLineEnds;  // else newline and return go through the map like the rest
    void pair(Out p, unsigned char a, unsigned char b) {
        jisToSjis(a, b);
        *p++ = a, *p++ = b;
    }
    void single(Out p, unsigned char c) {
        // Single bytes come from outside: they take the host's controls.
        if (!keepLineEnds || (c != '\n' && c != '\r')) c = static_cast<unsigned char>(VdeAsciiToVellix(c));
        *p = c;
        p += c != 0;  // a byte without a counterpart is left out
    }
    void raw(Out p, unsigned char a, unsigned char b) { *p++ = a, *p++ = b; }
    bool kana(Out p, unsigned char k, unsigned char) {
        *p++ = k;
        return false;
    }
    void finish(Out) {}
};

struct EucWriter {
    void pair(Out p, unsigned char a, unsigned char b) {
        *p++ = static_cast<unsigned char>(a + 0x80), *p++ = static_cast<unsigned char>(b + 0x80);
    }
    void single(Out p, unsigned char c) { *p++ = c; }
    void raw(Out p, unsigned char a, unsigned char b) { *p++ = a, *p++ = b; }
    bool kana(Out p, unsigned char k, unsigned char) {
        *p++ = kSS2, *p++ = k;
        return false;
    }
    void finish(Out) {}
};

// The most a writer writes for one character: an escape sequence and a pair.
constexpr int kMostPerChar = 8;

// Runs a reader's step over the text, then lets the writer close it (JIS7
// leaves double-byte mode); returns 0, or -1 when the text ends inside a
// character.
template <class W, class Step>
int32_t convert(VdeCharListT *cl, int32_t n, W &w, Step step) {
    VdeClSink out(cl);
    int32_t status = out.run<kMostPerChar>(n, step);
    unsigned char *p = out.reserve(kMostPerChar);
    w.finish(p);
    out.commit(p);
    return status;
}

// ---- Readers -------------------------------------------------------------------

template <class W>
int32_t readJis7(Bytes in, int32_t n, VdeCharListT *cl, W w) {
    bool dbl = false;
    return convert(cl, n, w, [&](int32_t &i, unsigned char *&p) {
        unsigned char b = in[i];
        if (b == ESC) {
            unsigned char c = i + 1 < n ? in[i + 1] : 0;
            dbl = c == '$';
            i += (c == '$' || c == '(') ? 3 : 1;
        } else if (b == '\n' || b == '\r') {
            dbl = false;
            w.single(p, b), ++i;
        } else if (dbl) {
            if (i + 1 >= n) return false;
            w.pair(p, b, in[i + 1]), i += 2;
        } else {
            w.single(p, b), ++i;
        }
        return true;
    });
}

template <class W>
int32_t readSjis(Bytes in, int32_t n, VdeCharListT *cl, W w) {
    return convert(cl, n, w, [&](int32_t &i, unsigned char *&p) {
        unsigned char b = in[i];
        if (isSjisLead(b)) {
            if (i + 1 >= n) return false;
            unsigned char a = b, c = in[i + 1];
            if (isSjisTrail(c)) {
                sjisToJis(a, c);
                w.pair(p, a, c);
            } else {
                w.raw(p, a, c);
            }
            i += 2;
        } else if (isKana(b)) {
            unsigned char next = i + 1 < n ? in[i + 1] : 0;
            i += w.kana(p, b, next) ? 2 : 1;
        } else {
            w.single(p, b), ++i;
        }
        return true;
    });
}

template <class W>
int32_t readEuc(Bytes in, int32_t n, VdeCharListT *cl, W w) {
    return convert(cl, n, w, [&](int32_t &i, unsigned char *&p) {
        unsigned char b = in[i];
        if (isEucByte(b) || b == kSS2) {
            if (i + 1 >= n) return false;
            unsigned char c = in[i + 1];
            i += 2;
            if (b == kSS2 && isKana(c)) {
                unsigned char mark = i + 1 < n && in[i] == kSS2 ? in[i + 1] : 0;
                if (w.kana(p, c, mark)) i += 2;
            } else if (b != kSS2 && isEucByte(c)) {
                w.pair(p, b & 0x7F, c & 0x7F);
            } else {
                w.raw(p, b, c);
            }
        } else {
            w.single(p, b), ++i;
        }
        return true;
    });
}

}  // namespace

extern "C" {

void Vdejis2sjis(unsigned char *first, unsigned char *second) { jisToSjis(*first, *second); }

void Vdesjis2jis(unsigned char *first, unsigned char *second) { sjisToJis(*first, *second); }

int Vdehan2zen(int kana, int next, unsigned char *first, unsigned char *second) {
    kana &= 0xFF;
    next &= 0xFF;
    if (!isKana(static_cast<unsigned char>(kana))) return -1;
    unsigned char a = kHanToZen[kana - 0xA1][0], b = kHanToZen[kana - 0xA1][1];
    bool voicable = (kana >= 0xB6 && kana <= 0xC4) || (kana >= 0xCA && kana <= 0xCE) || kana == 0xB3;
    bool semi = kana >= 0xCA && kana <= 0xCE;
    int merged = 0;
    if (next == kVoiced && voicable) {
        if ((b >= 0x4A && b <= 0x67) || (b >= 0x6E && b <= 0x7A)) ++b;
        else if (a == 0x83 && b == 0x45) b = 0x94;
        merged = 1;
    } else if (next == kSemiVoiced && semi) {
        b = static_cast<unsigned char>(b + 2);
        merged = 1;
    }
    *first = a;
    *second = b;
    return merged;
}

int32_t VdeJisToShiftJis(const unsigned char *in, int32_t n, VdeCharListT *cl) {
    return readJis7(in, n, cl, SjisWriter{true});
}
int32_t VdeJisToEuc(const unsigned char *in, int32_t n, VdeCharListT *cl) {
    return readJis7(in, n, cl, EucWriter{});
}
int32_t VdeShiftJisToJis(const unsigned char *in, int32_t n, VdeCharListT *cl) {
    return readSjis(in, n, cl, Jis7Writer{});
}
int32_t VdeShiftJisToEuc(const unsigned char *in, int32_t n, VdeCharListT *cl) {
    return readSjis(in, n, cl, EucWriter{});
}
int32_t VdeEucToShiftJis(const unsigned char *in, int32_t n, VdeCharListT *cl) {
    return readEuc(in, n, cl, SjisWriter{false});
}
int32_t VdeEucToJis(const unsigned char *in, int32_t n, VdeCharListT *cl) {
    return readEuc(in, n, cl, Jis7Writer{});
}

}  // extern "C"
