// Character-set conversion on 10 MB of text, next to glibc iconv doing the
// same conversion in the same run. Shift_JIS to UTF-8 needs table files:
// set LINDREL_UCOD_DIR to a directory made with tools/mkucod.
#include <benchmark/benchmark.h>
#include <iconv.h>

#include <cstdlib>
#include <string>

#include "vsupport/convert.h"
#include "vsupport/memory.h"

namespace {

constexpr size_t kTextSize = 10 * 1024 * 1024;

// Text of the double-byte characters that iconv converts from one set to the
// other, with ASCII words and line ends between runs.
std::string makeText(const char *from, const char *to, int leadLo, int leadHi, int trailLo, int trailHi) {
    iconv_t cd = iconv_open(to, from);
    std::string chars;
    for (int l = leadLo; l <= leadHi; ++l)
        for (int t = trailLo; t <= trailHi; ++t) {
            char in[2] = {static_cast<char>(l), static_cast<char>(t)}, out[8];
            char *ip = in, *op = out;
            size_t il = 2, ol = sizeof out;
            if (iconv(cd, &ip, &il, &op, &ol) != static_cast<size_t>(-1)) chars.append(in, 2);
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        }
    iconv_close(cd);
    std::string text;
    text.reserve(kTextSize + 64);
    for (size_t i = 0; text.size() < kTextSize; i = (i + 2) % chars.size()) {
        text.append(chars, i, 2);
        if (i % 60 == 58) text += " text 42\n";
    }
    return text;
}

const std::string &sjisText() {
    static const std::string t = makeText("SJIS", "EUC-JP", 0x81, 0x9F, 0x40, 0xFC);
    return t;
}
const std::string &big5Text() {
    static const std::string t = makeText("BIG5", "EUC-TW", 0xA4, 0xF9, 0x40, 0xFE);
    return t;
}
const std::string &romanText() {
    static const std::string t = [] {
        std::string s;
        for (size_t i = 0; s.size() < kTextSize; ++i) s += static_cast<char>(0x20 + i % 0xE0);
        return s;
    }();
    return t;
}

void runOurs(benchmark::State &state, const std::string &text, int32_t from, int32_t to) {
    for (auto _ : state) {
        char *out = V_StrConvertEnc(text.c_str(), from, to);
        if (!out) {
            state.SkipWithError("conversion failed");
            return;
        }
        benchmark::DoNotOptimize(out);
        V_Free(out);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

void runIconv(benchmark::State &state, const std::string &text, const char *from, const char *to) {
    iconv_t cd = iconv_open(to, from);
    std::string out(text.size() * 3, '\0');
    for (auto _ : state) {
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        char *ip = const_cast<char *>(text.data()), *op = out.data();
        size_t il = text.size(), ol = out.size();
        if (iconv(cd, &ip, &il, &op, &ol) == static_cast<size_t>(-1)) {
            state.SkipWithError("iconv refused the text");
            break;
        }
        benchmark::DoNotOptimize(op);
    }
    iconv_close(cd);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

void BM_ShiftJisToEuc(benchmark::State &s) { runOurs(s, sjisText(), VDE_TE_SHIFTJIS, VDE_TE_EUCJP); }
void BM_ShiftJisToEuc_iconv(benchmark::State &s) { runIconv(s, sjisText(), "SJIS", "EUC-JP"); }
void BM_Big5ToCnsEuc(benchmark::State &s) { runOurs(s, big5Text(), VDE_TE_BIG5, VDE_TE_CNSEUC); }
void BM_Big5ToCnsEuc_iconv(benchmark::State &s) { runIconv(s, big5Text(), "BIG5", "EUC-TW"); }
void BM_VellixRomanToUtf8(benchmark::State &s) { runOurs(s, romanText(), VDE_TE_VELLIX, VDE_TE_UTF8); }
void BM_MacRomanToUtf8_iconv(benchmark::State &s) { runIconv(s, romanText(), "MACINTOSH", "UTF-8"); }

void BM_ShiftJisToUtf8(benchmark::State &s) {
    const char *dir = std::getenv("LINDREL_UCOD_DIR");
    if (!dir) {
        s.SkipWithError("LINDREL_UCOD_DIR not set");
        for (auto _ : s) {
        }
        return;
    }
    V_VdeInitFontEncs("VellixRoman");
    V_VdeInitUnicode(dir);
    runOurs(s, sjisText(), VDE_TE_SHIFTJIS, VDE_TE_UTF8);
}
void BM_ShiftJisToUtf8_iconv(benchmark::State &s) { runIconv(s, sjisText(), "SJIS", "UTF-8"); }

BENCHMARK(BM_ShiftJisToEuc)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShiftJisToEuc_iconv)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Big5ToCnsEuc)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Big5ToCnsEuc_iconv)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_VellixRomanToUtf8)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MacRomanToUtf8_iconv)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShiftJisToUtf8)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShiftJisToUtf8_iconv)->Unit(benchmark::kMillisecond);

}  // namespace
