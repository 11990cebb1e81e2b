// Helpers of the encoding tests: glibc iconv as the oracle, and this
// library's converters run into a fresh character list.
#pragma once

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
    ~Iconv()
    {
        if (ok())
            iconv_close(cd_);
    }
    Iconv(const Iconv &) = delete;
    Iconv &operator=(const Iconv &) = delete;
    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // The whole text converted, or nothing when iconv refuses any of it.
    std::optional<std::string> operator()(const std::string &in)
    {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        std::string out(in.size() * 8 + 16, '\0');
        char *ip = const_cast<char *>(in.data()), *op = out.data();
        size_t il = in.size(), ol = out.size();
        if (iconv(cd_, &ip, &il, &op, &ol) == size_t(-1) || iconv(cd_, nullptr, nullptr, &op, &ol) == size_t(-1))
            return std::nullopt;
        out.resize(out.size() - ol);
        return out;
    }

private:
    iconv_t cd_;
};

struct Result {
    int32_t status;
    std::string text;
    bool operator==(const Result &o) const { return status == o.status && text == o.text; }
};

// VdeTransliterateBytes over the bytes into a growing list.
inline Result convert(const std::string &in, int32_t from, int32_t to)
{
    VdeCharListT cl;
    VdeClInit(&cl, 64);
    int32_t status = VdeTransliterateBytes(reinterpret_cast<const unsigned char *>(in.data()),
                                           static_cast<int32_t>(in.size()), &cl, from, to);
    Result r{status, std::string(cl.buffer ? cl.buffer : "", size_t(cl.length))};
    VdeClSetSize(&cl, 0);
    return r;
}

// V_StrConvertEnc as a string; "(null)" for a null result.
inline std::string convertString(const std::string &s, int32_t from, int32_t to)
{
    char *r = V_StrConvertEnc(s.c_str(), from, to);
    std::string out = r ? r : "(null)";
    V_Free(r);
    return out;
}

// Every two-byte code with both bytes in 0xA1..0xFE that iconv decodes from
// the named set (the EUC forms of a 94 x 94 set).
inline std::vector<std::string> eucPairs(const char *iconvName)
{
    Iconv check("UTF-8", iconvName);
    std::vector<std::string> all;
    for (int r = 0xA1; r <= 0xFE; ++r)
        for (int c = 0xA1; c <= 0xFE; ++c)
            if (std::string code{char(r), char(c)}; check(code))
                all.push_back(code);
    return all;
}

inline std::string hex(const std::string &s)
{
    std::string out;
    for (unsigned char c : s)
        out += std::string(1, "0123456789ABCDEF"[c >> 4]) + "0123456789ABCDEF"[c & 15] + " ";
    return out;
}

inline std::string utf8(uint32_t cp)
{
    Iconv toUtf8("UTF-8", "UCS-4BE");
    std::string ucs{char(cp >> 24), char(cp >> 16), char(cp >> 8), char(cp)};
    return toUtf8(ucs).value_or("?");
}

}  // namespace enctest
