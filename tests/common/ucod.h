// Unicode table files for the tests, made by tools/mkucod from the system's
// charmaps.
#pragma once

#include "process.h"

#include <cstdint>
#include <cstdlib>
#include <string>

#include "vsupport/encoding.h"

namespace lindrel_test {

struct UcodTable {
    int32_t textEnc;
    const char *charmap, *file, *iconvName;
};
inline const UcodTable kUcodTables[] = {
    {VDE_TE_SHIFTJIS, "SHIFT_JIS", "JISX0208.ShiftJIS", "SJIS"},
    {VDE_TE_EUCKR, "EUC-KR", "KSC5601-1992", "EUC-KR"},
    {VDE_TE_BIG5, "BIG5", "BIG5", "BIG5"},
    {VDE_TE_GBEUC, "GB2312", "GB2312-80.EUC", "EUC-CN"},
};

// Writes dir/unicode/<file>.UCOD; true on success.
inline bool makeUcod(const UcodTable &t, const std::string &dir)
{
    return std::system(("'" + kBinaryDir + "/tools/mkucod' " + t.charmap + " " + t.file + " '" + dir + "'").c_str()) == 0;
}

inline std::string ucodPath(const std::string &dir, const UcodTable &t) { return dir + "/unicode/" + t.file + ".UCOD"; }

}  // namespace lindrel_test
