// mkucod: writes a .UCOD Unicode table file from one of the system's
// charmaps (glibc's, package `locales`).
//
//   mkucod CHARMAP TABLE OUTDIR [CHARMAPDIR]
//
// reads CHARMAPDIR/CHARMAP.gz (default /usr/share/i18n/charmaps) and writes
// OUTDIR/unicode/TABLE.UCOD. Single-byte codes form the single-byte row,
// two-byte codes one row per first byte; longer codes and code points above
// 0xFFFF are left out. Layout: first and last row number, then for each row
// from first - 1 (the single-byte row) to last: lowest and highest second
// byte and, when highest > lowest, one big-endian 16-bit code point for each
// second byte between them (0xFFFF where the byte has no character).
#include <sys/stat.h>

#include <array>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr uint16_t kNone = 0xFFFF;

using Row = std::map<int, uint16_t>;  // second byte -> code point

struct Charmap {
    Row single;
    std::map<int, Row> rows;  // first byte -> row
};

// One charmap line "<Uxxxx>  /xHH/xHH ..." (possibly marked irreversible):
// its code point and bytes, or false for any other line.
bool parseLine(const char *p, unsigned long &cp, std::vector<int> &bytes) {
    static const char kIrreversible[] = "%IRREVERSIBLE%";
    if (strncmp(p, kIrreversible, sizeof kIrreversible - 1) == 0) p += sizeof kIrreversible - 1;
    if (strncmp(p, "<U", 2) != 0) return false;
    char *end;
    cp = strtoul(p + 2, &end, 16);
    if (*end != '>') return false;
    p = end + 1;
    while (*p == ' ' || *p == '\t') ++p;
    bytes.clear();
    while (p[0] == '/' && p[1] == 'x' && isxdigit(static_cast<unsigned char>(p[2])) &&
           isxdigit(static_cast<unsigned char>(p[3]))) {
        bytes.push_back(static_cast<int>(strtoul(std::string(p + 2, 2).c_str(), nullptr, 16)));
        p += 4;
    }
    return !bytes.empty();
}

std::optional<Charmap> readCharmap(const std::string &path) {
    std::unique_ptr<FILE, int (*)(FILE *)> in(popen(("gzip -dc '" + path + "' 2>/dev/null").c_str(), "r"), pclose);
    if (!in) return std::nullopt;
    Charmap cm;
    bool any = false;
    std::array<char, 512> buf;
    std::vector<int> bytes;
    unsigned long cp;
    while (fgets(buf.data(), buf.size(), in.get())) {
        if (!parseLine(buf.data(), cp, bytes) || cp > 0xFFFF) continue;
        any = true;
        if (bytes.size() == 1) cm.single.emplace(bytes[0], static_cast<uint16_t>(cp));
        else if (bytes.size() == 2) cm.rows[bytes[0]].emplace(bytes[1], static_cast<uint16_t>(cp));
    }
    if (!any) return std::nullopt;
    return cm;
}

void putRow(std::string &out, const Row &row) {
    if (row.size() < 2) {  // the format cannot hold a row of one character
        out += '\0';
        out += '\0';
        return;
    }
    int lo = row.begin()->first, hi = row.rbegin()->first;
    out += static_cast<char>(lo);
    out += static_cast<char>(hi);
    for (int b = lo; b <= hi; ++b) {
        auto it = row.find(b);
        uint16_t cp = it == row.end() ? kNone : it->second;
        out += static_cast<char>(cp >> 8);
        out += static_cast<char>(cp & 0xFF);
    }
}

std::string pack(const Charmap &cm) {
    int first = cm.rows.empty() ? 1 : cm.rows.begin()->first;
    int last = cm.rows.empty() ? 0 : cm.rows.rbegin()->first;
    std::string out;
    out += static_cast<char>(first);
    out += static_cast<char>(last);
    putRow(out, cm.single);
    for (int r = first; r <= last; ++r) {
        auto it = cm.rows.find(r);
        putRow(out, it == cm.rows.end() ? Row{} : it->second);
    }
    return out;
}

}  // namespace

int main(int argc, char **argv) {
    if (argc < 4 || argc > 5) {
        std::cerr << "usage: mkucod CHARMAP TABLE OUTDIR [CHARMAPDIR]\n";
        return 2;
    }
    std::string dir = argc == 5 ? argv[4] : "/usr/share/i18n/charmaps";
    auto cm = readCharmap(dir + "/" + argv[1] + ".gz");
    if (!cm) {
        std::cerr << "mkucod: cannot read charmap " << argv[1] << " in " << dir << "\n";
        return 1;
    }
    if (cm->rows.empty() || cm->rows.begin()->first < 1) {
        std::cerr << "mkucod: " << argv[1] << " has no double-byte rows\n";
        return 1;
    }
    std::string outDir = std::string(argv[3]) + "/unicode";
    mkdir(argv[3], 0755);
    mkdir(outDir.c_str(), 0755);
    std::string path = outDir + "/" + argv[2] + ".UCOD";
    std::ofstream out(path, std::ios::binary);
    std::string data = pack(*cm);
    if (!out.write(data.data(), static_cast<std::streamsize>(data.size()))) {
        std::cerr << "mkucod: cannot write " << path << "\n";
        return 1;
    }
    return 0;
}
