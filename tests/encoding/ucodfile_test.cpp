// Table files: finding and reading them, and loading missing, cut or
// garbled ones without harm. The tables load once per process, so each
// loading case runs in a child process of its own.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <string.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "oracle.h"
#include "ucod.h"
#include "vsupport/convert.h"
#include "vsupport/encoding.h"
#include "vsupport/memory.h"

namespace {

using enctest::kUcodTables;
using enctest::TempDir;

std::string readFile(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeFile(const std::string &path, const std::string &data) {
    std::ofstream(path, std::ios::binary).write(data.data(), static_cast<std::streamsize>(data.size()));
}

// Status 0 when s converts to exactly want (null result: "").
int expectUtf8(const char *s, int32_t from, const std::string &want) {
    return enctest::convertString(s, from, VDE_TE_UTF8) == want ? 0 : 1;
}

// Loads the tables of dir and converts every Shift_JIS pair; all that
// matters is getting through.
void loadAndConvertEveryPair(const std::string &dir) {
    V_VdeInitFontEncs("VellixRoman");
    V_VdeInitUnicode(dir.c_str());
    for (int lead = 0x81; lead <= 0xFC; ++lead)
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            char s[4] = {static_cast<char>(lead), static_cast<char>(trail), 'a', 0};
            V_Free(V_StrConvertEnc(s, VDE_TE_SHIFTJIS, VDE_TE_UTF8));
        }
    exit(0);
}

class UcodFile : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(dir.path().empty());
        ASSERT_TRUE(enctest::makeUcod(kUcodTables[0], dir.path()));
        sjisPath = enctest::ucodPath(dir.path(), kUcodTables[0].table);
    }
    TempDir dir;
    std::string sjisPath;
};

TEST_F(UcodFile, ReadsTheWholeFileByDirectoryAndName) {
    std::string want = readFile(sjisPath);
    ASSERT_GT(want.size(), 1000u);
    for (std::string d : {dir.path(), dir.path() + "/"}) {
        unsigned char *got = VdeGetPackedUnicodeInfo(kUcodTables[0].table, d.c_str());
        ASSERT_NE(got, nullptr) << d;
        EXPECT_EQ(memcmp(got, want.data(), want.size()), 0);
        V_Free(got);
    }
    EXPECT_EQ(VdeGetPackedUnicodeInfo(kUcodTables[0].table, nullptr), nullptr);
    EXPECT_EQ(VdeGetPackedUnicodeInfo(kUcodTables[0].table, ""), nullptr);
    EXPECT_EQ(VdeGetPackedUnicodeInfo("NoSuchTable", dir.path().c_str()), nullptr);
    // A name longer than the bound is refused rather than cut to another file.
    std::string longDir = dir.path() + "/" + std::string(250, 'x');
    EXPECT_EQ(VdeGetPackedUnicodeInfo(kUcodTables[0].table, longDir.c_str()), nullptr);
    writeFile(enctest::ucodPath(dir.path(), "Empty"), "");
    EXPECT_EQ(VdeGetPackedUnicodeInfo("Empty", dir.path().c_str()), nullptr);
}

TEST_F(UcodFile, MissingTablesStayAbsentAndLoadingHappensOnce) {
    EXPECT_EXIT(
        {
            V_VdeInitFontEncs("VellixRoman");
            V_VdeInitUnicode(dir.path().c_str());
            int bad = expectUtf8("\x88\x9F", VDE_TE_SHIFTJIS, "\xE4\xBA\x9C");
            bad |= expectUtf8("\xA4\x40", VDE_TE_BIG5, "");  // no Big5 file
            {
                TempDir other;  // removed before the child exits
                enctest::makeUcod(kUcodTables[2], other.path());
                V_VdeInitUnicode(other.path().c_str());  // Shift_JIS loaded: nothing happens
                bad |= expectUtf8("\xA4\x40", VDE_TE_BIG5, "");
            }
            exit(bad);
        },
        ::testing::ExitedWithCode(0), "");
    // Without the Shift_JIS file a later call loads again, keeping what it has.
    remove(sjisPath.c_str());
    EXPECT_EXIT(
        {
            V_VdeInitFontEncs("VellixRoman");
            TempDir big5;
            enctest::makeUcod(kUcodTables[2], big5.path());
            V_VdeInitUnicode(big5.path().c_str());
            V_VdeInitUnicode(big5.path().c_str());
            int bad = expectUtf8("\xA4\x40", VDE_TE_BIG5, "\xE4\xB8\x80");
            std::filesystem::remove_all(big5.path());
            exit(bad);
        },
        ::testing::ExitedWithCode(0), "");
    EXPECT_EXIT(
        {
            V_VdeInitFontEncs("VellixRoman");
            V_VdeInitUnicode("/nonexistent-lindrel-dir");
            exit(expectUtf8("\x88\x9F" "a", VDE_TE_SHIFTJIS, ""));
        },
        ::testing::ExitedWithCode(0), "");
}

TEST_F(UcodFile, CutAndGarbledFilesAreHarmless) {
    const std::string whole = readFile(sjisPath);
    for (size_t cut : {size_t{1}, size_t{2}, size_t{3}, size_t{4}, size_t{300}, whole.size() / 2, whole.size() - 1}) {
        writeFile(sjisPath, whole.substr(0, cut));
        EXPECT_EXIT(loadAndConvertEveryPair(dir.path()), ::testing::ExitedWithCode(0), "") << cut;
    }
    // A half file still serves the rows it holds whole.
    writeFile(sjisPath, whole.substr(0, whole.size() / 2));
    EXPECT_EXIT(
        {
            V_VdeInitFontEncs("VellixRoman");
            V_VdeInitUnicode(dir.path().c_str());
            exit(expectUtf8("\x88\x9F" "A", VDE_TE_SHIFTJIS, "\xE4\xBA\x9C" "A") |
                 expectUtf8("\xEA\x9F", VDE_TE_SHIFTJIS, ""));
        },
        ::testing::ExitedWithCode(0), "");
    std::mt19937 rng(7);
    for (int round = 0; round < 4; ++round) {
        std::string garbage(2000 + round * 5000, '\0');
        for (char &c : garbage) c = static_cast<char>(rng());
        garbage[0] = static_cast<char>(round * 60);  // first row, sometimes 0
        writeFile(sjisPath, garbage);
        EXPECT_EXIT(loadAndConvertEveryPair(dir.path()), ::testing::ExitedWithCode(0), "") << round;
    }
}

}  // namespace
