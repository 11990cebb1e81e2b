// Every conversion of the matrix on 4 MB of text, each beside glibc iconv
// doing the same conversion on the same bytes where iconv has the pair
// ("Convert/<pair>/ours" and ".../iconv"). Pairs that iconv lacks run alone,
// or beside iconv's nearest pair on the same bytes (".../nearest").
// The Unicode tables come from tools/mkucod of this build tree, made into a
// scratch directory for the run.
#include <benchmark/benchmark.h>
#include <iconv.h>
#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

#include "beside.h"
#include "vsupport/convert.h"
#include "vsupport/memory.h"

namespace {

constexpr size_t kTextSize = 4 * 1024 * 1024;

// iconv over a whole text: the converted bytes, or empty when iconv refuses.
std::string iconvAll(const std::string &text, const char *from, const char *to) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return {};
    std::string out(text.size() * 4 + 16, '\0');
    char *ip = const_cast<char *>(text.data()), *op = out.data();
    size_t il = text.size(), ol = out.size();
    bool ok = iconv(cd, &ip, &il, &op, &ol) != static_cast<size_t>(-1) &&
              iconv(cd, nullptr, nullptr, &op, &ol) != static_cast<size_t>(-1);
    iconv_close(cd);
    out.resize(ok ? out.size() - ol : 0);
    return out;
}

// Text of the double-byte characters that iconv converts from `from` to
// `to`, with ASCII words and line ends between runs.
std::string doubleByteText(const char *from, const char *to, int leadLo, int leadHi, int trailLo, int trailHi) {
    std::string chars;
    for (int l = leadLo; l <= leadHi; ++l)
        for (int t = trailLo; t <= trailHi; ++t) {
            std::string c{static_cast<char>(l), static_cast<char>(t)};
            if (!iconvAll(c, from, to).empty()) chars += c;
        }
    std::string text;
    text.reserve(kTextSize + 64);
    for (size_t i = 0; text.size() < kTextSize; i = (i + 2) % chars.size()) {
        text.append(chars, i, 2);
        if (i % 60 == 58) text += " text 42\n";
    }
    return text;
}

// Every byte from `lo` up, over and over.
std::string byteText(int lo, int hi) {
    std::string s;
    s.reserve(kTextSize);
    for (size_t i = 0; s.size() < kTextSize; ++i) s += static_cast<char>(lo + i % (hi - lo + 1));
    return s;
}

// The texts, each made once, on first use.
using Maker = std::string (*)();
const std::string &text(Maker make) {
    static std::map<Maker, std::string> made;
    auto it = made.find(make);
    if (it == made.end()) it = made.emplace(make, make()).first;
    return it->second;
}

std::string sjis() { return doubleByteText("SJIS", "EUC-JP", 0x81, 0x9F, 0x40, 0xFC); }
std::string eucjp() { return iconvAll(text(sjis), "SJIS", "EUC-JP"); }
std::string jis7() { return iconvAll(text(sjis), "SJIS", "ISO-2022-JP"); }
std::string big5() { return doubleByteText("BIG5", "EUC-TW", 0xA4, 0xF9, 0x40, 0xFE); }
std::string cns() { return iconvAll(text(big5), "BIG5", "EUC-TW"); }
std::string gb() { return doubleByteText("EUC-CN", "UTF-8", 0xA1, 0xF7, 0xA1, 0xFE); }
std::string euckr() { return doubleByteText("EUC-KR", "UTF-8", 0xB0, 0xC8, 0xA1, 0xFE); }
std::string high() { return byteText(0x20, 0xFF); }
std::string ascii() { return byteText(0x20, 0x7E); }
std::string hz() {
    char *s = V_StrConvertEnc(text(gb).c_str(), VDE_TE_GBEUC, VDE_TE_HZ);
    std::string r = s ? s : "";
    V_Free(s);
    return r;
}

// The double-byte Unicode tables, made by this build's mkucod.
class UcodDir {
public:
    UcodDir() {
        char name[] = "/tmp/convert_bench.XXXXXX";
        if (!mkdtemp(name)) return;
        dir_ = name;
        std::string tool = beside_this_program("tools/mkucod");
        for (const char *t : {"SHIFT_JIS JISX0208.ShiftJIS", "EUC-KR KSC5601-1992", "BIG5 BIG5", "GB2312 GB2312-80.EUC"})
            if (std::system(("'" + tool + "' " + t + " '" + dir_ + "'").c_str()) != 0) ok_ = false;
        V_VdeInitFontEncs("VellixRoman");
        V_VdeInitUnicode(dir_.c_str());
    }
    ~UcodDir() {
        std::error_code ignored;
        if (!dir_.empty()) std::filesystem::remove_all(dir_, ignored);
    }
    bool ok() const { return ok_ && !dir_.empty(); }

private:
    std::string dir_;
    bool ok_ = true;
};

bool tablesLoaded() {
    static UcodDir dir;
    return dir.ok();
}

void runOurs(benchmark::State &state, Maker make, int32_t from, int32_t to, bool needsTables) {
    if (needsTables && !tablesLoaded()) {
        state.SkipWithError("could not make the Unicode tables");
        return;
    }
    const std::string &t = text(make);
    for (auto _ : state) {
        char *out = V_StrConvertEnc(t.c_str(), from, to);
        if (!out) {
            state.SkipWithError("conversion failed");
            return;
        }
        benchmark::DoNotOptimize(out);
        V_Free(out);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * t.size()));
}

void runIconv(benchmark::State &state, Maker make, const char *from, const char *to) {
    const std::string &t = text(make);
    iconv_t cd = iconv_open(to, from);
    std::string out(t.size() * 4, '\0');
    for (auto _ : state) {
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        char *ip = const_cast<char *>(t.data()), *op = out.data();
        size_t il = t.size(), ol = out.size();
        if (iconv(cd, &ip, &il, &op, &ol) == static_cast<size_t>(-1)) {
            state.SkipWithError("iconv refused the text");
            break;
        }
        benchmark::DoNotOptimize(op);
    }
    iconv_close(cd);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * t.size()));
}

struct Pair {
    const char *name;
    int32_t from, to;
    Maker text;
    const char *iconvFrom = nullptr, *iconvTo = nullptr;  // iconv's same pair
    bool nearest = false;                                 // iconv's pair is only alike
};

const Pair kPairs[] = {
    // Pairs iconv has too.
    {"ISO-8859-1_to_UTF-8", VDE_TE_ISOLATIN1, VDE_TE_UTF8, high, "ISO-8859-1", "UTF-8"},
    {"Shift_JIS_to_UTF-8", VDE_TE_SHIFTJIS, VDE_TE_UTF8, sjis, "SJIS", "UTF-8"},
    {"Big5_to_UTF-8", VDE_TE_BIG5, VDE_TE_UTF8, big5, "BIG5", "UTF-8"},
    {"GB_EUC_to_UTF-8", VDE_TE_GBEUC, VDE_TE_UTF8, gb, "EUC-CN", "UTF-8"},
    {"EUC-KR_to_UTF-8", VDE_TE_EUCKR, VDE_TE_UTF8, euckr, "EUC-KR", "UTF-8"},
    {"JIS7_to_Shift_JIS", VDE_TE_JIS7, VDE_TE_SHIFTJIS, jis7, "ISO-2022-JP", "SJIS"},
    {"JIS7_to_EUC-JP", VDE_TE_JIS7, VDE_TE_EUCJP, jis7, "ISO-2022-JP", "EUC-JP"},
    {"Shift_JIS_to_JIS7", VDE_TE_SHIFTJIS, VDE_TE_JIS7, sjis, "SJIS", "ISO-2022-JP"},
    {"Shift_JIS_to_EUC-JP", VDE_TE_SHIFTJIS, VDE_TE_EUCJP, sjis, "SJIS", "EUC-JP"},
    {"EUC-JP_to_JIS7", VDE_TE_EUCJP, VDE_TE_JIS7, eucjp, "EUC-JP", "ISO-2022-JP"},
    {"EUC-JP_to_Shift_JIS", VDE_TE_EUCJP, VDE_TE_SHIFTJIS, eucjp, "EUC-JP", "SJIS"},
    {"Big5_to_CNS_EUC", VDE_TE_BIG5, VDE_TE_CNSEUC, big5, "BIG5", "EUC-TW"},
    {"CNS_EUC_to_Big5", VDE_TE_CNSEUC, VDE_TE_BIG5, cns, "EUC-TW", "BIG5"},
    // Pairs iconv lacks: the host's own set, HZ and the symbol fonts.
    {"Vellix_Roman_to_UTF-8", VDE_TE_VELLIX, VDE_TE_UTF8, high, "MACINTOSH", "UTF-8", true},
    {"Vellix_Roman_to_ISO-8859-1", VDE_TE_VELLIX, VDE_TE_ISOLATIN1, high},
    {"Vellix_Roman_to_US-ASCII", VDE_TE_VELLIX, VDE_TE_ASCII, high},
    {"Vellix_Roman_to_ANSI", VDE_TE_VELLIX, VDE_TE_ANSI, high},
    {"Vellix_Roman_to_MacASCII", VDE_TE_VELLIX, VDE_TE_MAC, high},
    {"ISO-8859-1_to_Vellix_Roman", VDE_TE_ISOLATIN1, VDE_TE_VELLIX, high},
    {"US-ASCII_to_Vellix_Roman", VDE_TE_ASCII, VDE_TE_VELLIX, ascii},
    {"ANSI_to_Vellix_Roman", VDE_TE_ANSI, VDE_TE_VELLIX, high},
    {"MacASCII_to_Vellix_Roman", VDE_TE_MAC, VDE_TE_VELLIX, high},
    {"GB_EUC_to_HZ", VDE_TE_GBEUC, VDE_TE_HZ, gb},
    {"HZ_to_GB_EUC", VDE_TE_HZ, VDE_TE_GBEUC, hz},
    {"Symbol_to_UTF-8", VDE_TE_SYMBOL, VDE_TE_UTF8, high},
    {"Zapf_Dingbats_to_UTF-8", VDE_TE_DINGBATS, VDE_TE_UTF8, high},
    {"Wingdings_to_UTF-8", VDE_TE_WINGDINGS, VDE_TE_UTF8, high},
    {"Shift_JIS_to_Shift_JIS", VDE_TE_SHIFTJIS, VDE_TE_SHIFTJIS, sjis},
};

bool registered = [] {
    for (const Pair &p : kPairs) {
        bool tables = p.to == VDE_TE_UTF8 && p.from != p.to;
        std::string base = std::string("Convert/") + p.name;
        benchmark::RegisterBenchmark((base + "/ours").c_str(), runOurs, p.text, p.from, p.to, tables)
            ->Unit(benchmark::kMillisecond);
        if (p.iconvFrom)
            benchmark::RegisterBenchmark((base + (p.nearest ? "/nearest" : "/iconv")).c_str(), runIconv, p.text,
                                         p.iconvFrom, p.iconvTo)
                ->Unit(benchmark::kMillisecond);
    }
    return true;
}();

}  // namespace
