// Helpers of the encoding tests: glibc iconv as the oracle, and the
// converters of this library run into a fresh character list.
#ifndef LINDREL_TESTS_ENCODING_ORACLE_H
#define LINDREL_TESTS_ENCODING_ORACLE_H

#include <iconv.h>

#include <optional>
#include <string>
#include <vector>

#include "vsupport/convert.h"
#include "vsupport/encoding.h"
#include "vsupport/memory.h"

namespace enctest {

// One iconv descriptor for a pair, closed with the object.
class Iconv {
public:
    Iconv(const char *to, const char *from) : cd_(iconv_open(to, from)) {}
    ~Iconv() {
        if (ok()) iconv_close(cd_);
    }
    Iconv(const Iconv &) = delete;
    Iconv &operator=(const Iconv &) = delete;
    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // The whole text converted, or nothing when iconv refuses any of it.
    std::optional<std::string> operator()(const std::string &in) {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        std::string out(in.size() * 8 + 16, '\0');
        char *ip = const_cast<char *>(in.data()), *op = out.data();
        size_t il = in.size(), ol = out.size();
        if (iconv(cd_, &ip, &il, &op, &ol) == static_cast<size_t>(-1)) return std::nullopt;
        if (iconv(cd_, nullptr, nullptr, &op, &ol) == static_cast<size_t>(-1)) return std::nullopt;
        out.resize(out.size() - ol);
        return out;
    }

private:
    iconv_t cd_;
};

struct Result {
    int32_t status;
    std::string text;
};

// Runs VdeTransliterateBytes over the bytes into a growing list.
inline Result convert(const std::string &in, int32_t from, int32_t to) {
    VdeCharListT cl;
    VdeClInit(&cl, 64);
    int32_t status = VdeTransliterateBytes(reinterpret_cast<const unsigned char *>(in.data()),
                                           static_cast<int32_t>(in.size()), &cl, from, to);
    Result r{status, std::string(cl.buffer ? cl.buffer : "", cl.length)};
    VdeClSetSize(&cl, 0);
    return r;
}

// V_StrConvertEnc as a string; empty for a null result.
inline std::string convertString(const std::string &s, int32_t from, int32_t to) {
    char *r = V_StrConvertEnc(s.c_str(), from, to);
    std::string out = r ? r : "";
    V_Free(r);
    return out;
}

// Every two-byte code with both bytes in 0xA1..0xFE that iconv decodes
// from the named set (the EUC forms of a 94 x 94 set).
inline std::vector<std::string> eucPairs(const char *iconvName) {
    Iconv check("UTF-8", iconvName);
    std::vector<std::string> all;
    for (int r = 0xA1; r <= 0xFE; ++r)
        for (int c = 0xA1; c <= 0xFE; ++c) {
            std::string code{static_cast<char>(r), static_cast<char>(c)};
            if (check(code)) all.push_back(code);
        }
    return all;
}

// Printable form of bytes for failure messages.
inline std::string hex(const std::string &s) {
    static const char *digits = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : s) {
        out += digits[c >> 4];
        out += digits[c & 15];
        out += ' ';
    }
    return out;
}

inline std::string utf8(uint32_t cp) {
    std::string s;
    if (cp < 0x80) {
        s += static_cast<char>(cp);
    } else if (cp < 0x800) {
        s += static_cast<char>(0xC0 | cp >> 6);
        s += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        s += static_cast<char>(0xE0 | cp >> 12);
        s += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
        s += static_cast<char>(0x80 | (cp & 0x3F));
    }
    return s;
}

}  // namespace enctest

#endif
