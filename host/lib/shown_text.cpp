#include "shown_text.h"

#include <cstdio>

namespace vxhost {
namespace {

void append(std::string &out, std::string_view text, bool quoting)
{
    for (size_t i = 0; i < text.size();) {
        char c = text[i];
        unsigned char u = static_cast<unsigned char>(c);
        size_t n = u < 0x80 ? 1 : utf8_length(text.substr(i));
        bool c1 = n == 2 && u == 0xc2 && static_cast<unsigned char>(text[i + 1]) < 0xa0;
        if (c == '\n') {
            out += "\\n";
        } else if (c == '\t') {
            out += "\\t";
        } else if (u < 0x20 || u == 0x7f || n == 0 || c1) {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02x", u);
            out += hex;
        } else {
            if (quoting && (c == '"' || c == '\\'))
                out += '\\';
            out.append(text, i, n);
            i += n;
            continue;
        }
        ++i;
    }
}

}  // namespace

size_t utf8_length(std::string_view text)
{
    auto byte = [&](size_t i) -> unsigned { return i < text.size() ? static_cast<unsigned char>(text[i]) : 0u; };
    auto cont = [&](size_t i, unsigned lo = 0x80, unsigned hi = 0xbf) { return byte(i) >= lo && byte(i) <= hi; };
    unsigned c = byte(0);
    if (text.empty())
        return 0;
    if (c < 0x80)
        return 1;
    if (c >= 0xc2 && c <= 0xdf)
        return cont(1) ? 2 : 0;
    if (c >= 0xe0 && c <= 0xef)
        return cont(1, c == 0xe0 ? 0xa0 : 0x80, c == 0xed ? 0x9f : 0xbf) && cont(2) ? 3 : 0;
    if (c >= 0xf0 && c <= 0xf4)
        return cont(1, c == 0xf0 ? 0x90 : 0x80, c == 0xf4 ? 0x8f : 0xbf) && cont(2) && cont(3) ? 4 : 0;
    return 0;
}

void append_shown(std::string &out, std::string_view text) { append(out, text, false); }

std::string shown(std::string_view text)
{
    std::string out;
    append(out, text, false);
    return out;
}

std::string quoted(std::string_view text)
{
    std::string out = "\"";
    append(out, text, true);
    return out += '"';
}

}  // namespace vxhost
