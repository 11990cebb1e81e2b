// The character list (growing, over a caller's buffer, fixed) and the two
// Unicode character tests.
#include <gtest/gtest.h>

#include <string.h>

#include <string>

#include "vsupport/convert.h"
#include "vsupport/memory.h"

namespace {

TEST(CharList, GrowsInSteps) {
    VdeCharListT cl;
    VdeClInit(&cl, 256);
    EXPECT_EQ(cl.tag, VDE_CL_TAG);
    EXPECT_EQ(cl.buffer, nullptr);
    EXPECT_EQ(VdeClAddString(&cl, "abc"), 2);
    EXPECT_EQ(cl.capacity, 256);
    EXPECT_STREQ(cl.buffer, "abc");
    VdeClAdd1CharNTimes(&cl, 'x', 253);
    EXPECT_EQ(cl.capacity, 256);
    EXPECT_EQ(VdeClAddNChars(&cl, "yz", 2), 257);
    EXPECT_EQ(cl.capacity, 512);
    EXPECT_EQ(cl.length, 258);
    EXPECT_EQ(cl.buffer[cl.length], '\0');
    EXPECT_EQ(VdeClAddNChars(&cl, nullptr, 5), 257);  // nothing added
    EXPECT_EQ(VdeClAddNChars(&cl, "q", 0), 257);
    EXPECT_EQ(VdeClAdd1CharNTimes(&cl, 'q', -1), 257);
    VdeClAddString(&cl, nullptr);
    EXPECT_EQ(cl.length, 258);
    VdeClTrim(&cl);
    EXPECT_EQ(cl.capacity, 258);
    EXPECT_FALSE(VdeClOverflowed(&cl));
    VdeClSetLen(&cl, 2);
    EXPECT_STREQ(cl.buffer, "ab");
    VdeClSetLen(&cl, 5);  // longer than the list: nothing
    VdeClSetLen(&cl, -1);
    EXPECT_EQ(cl.length, 2);
    VdeClSetSize(&cl, 1);  // shrinking cuts the text
    EXPECT_STREQ(cl.buffer, "a");
    VdeClSetSize(&cl, 0);
    EXPECT_EQ(cl.buffer, nullptr);
    EXPECT_EQ(cl.length, 0);
}

TEST(CharList, AppendingItsOwnTextAcrossAGrowth) {
    VdeCharListT cl;
    VdeClInit(&cl, 4);
    VdeClAddString(&cl, "abcd");
    VdeClAddNChars(&cl, cl.buffer, cl.length);  // the buffer moves while being read
    VdeClAddString(&cl, cl.buffer + 6);
    EXPECT_STREQ(cl.buffer, "abcdabcdcd");
    VdeClSetSize(&cl, 0);
}

TEST(CharList, CallersBufferIsCopiedWhenItMustGrow) {
    char buf[8];
    VdeCharListT cl;
    VdeClInitWithBuffer(&cl, buf, sizeof buf, 4);
    EXPECT_EQ(cl.capacity, 7);
    VdeClAddString(&cl, "1234567");
    EXPECT_EQ(cl.buffer, buf);
    VdeClSetSize(&cl, 3);  // below the capacity: the caller's buffer stays as it is
    EXPECT_EQ(cl.capacity, 7);
    EXPECT_EQ(cl.buffer, buf);
    VdeClAddString(&cl, "8");
    EXPECT_NE(cl.buffer, buf);
    EXPECT_EQ(cl.capacity, 8);
    EXPECT_STREQ(cl.buffer, "12345678");
    EXPECT_STREQ(buf, "1234567");
    EXPECT_FALSE(cl.flags & VDE_CL_CALLERS);
    VdeClSetSize(&cl, 0);
}

TEST(CharList, FixedBufferDropsWhatDoesNotFit) {
    char buf[10];
    VdeCharListT cl;
    VdeClInitWithBuffer(&cl, buf, sizeof buf, 0);
    VdeClAddString(&cl, "abcdefghijkl");
    EXPECT_EQ(cl.length, 9);
    EXPECT_STREQ(buf, "abcdefghi");
    EXPECT_EQ(cl.buffer, buf);
    // Dropped characters are recorded; so is a change of size asked of it.
    EXPECT_TRUE(VdeClOverflowed(&cl));
    char other[10];
    VdeClInitWithBuffer(&cl, other, sizeof other, 0);
    VdeClAddString(&cl, "abc");
    EXPECT_FALSE(VdeClOverflowed(&cl));
    VdeClTrim(&cl);
    EXPECT_TRUE(VdeClOverflowed(&cl));
    EXPECT_EQ(cl.buffer, other);
}

TEST(CharList, PreconditionsAreAssertions) {
    VdeCharListT cl;
    memset(&cl, 0, sizeof cl);
    EXPECT_DEATH(VdeClAddString(&cl, "a"), "");  // no tag
    EXPECT_DEATH(VdeClAddString(nullptr, "a"), "");
    EXPECT_DEATH(VdeClInit(&cl, 0), "");
    char buf[4];
    EXPECT_DEATH(VdeClInitWithBuffer(&cl, nullptr, 4, 1), "");
    EXPECT_DEATH(VdeClInitWithBuffer(&cl, buf, 0, 1), "");
    EXPECT_DEATH(VdeClOverflowed(nullptr), "");
}

TEST(CharList, TransliterationIntoAFixedList) {
    char buf[6];
    VdeCharListT cl;
    VdeClInitWithBuffer(&cl, buf, sizeof buf, 0);
    const unsigned char text[] = "\xB0\xA1\xB0\xA1\xB0\xA1";
    EXPECT_EQ(VdeTransliterateBytes(text, 6, &cl, VDE_TE_GBEUC, VDE_TE_HZ), 0);
    EXPECT_STREQ(buf, "~{0!0");
    EXPECT_TRUE(VdeClOverflowed(&cl));  // the caller can tell that output was lost
}

TEST(CharacterTests, SafeForAscii) {
    EXPECT_EQ(V_LCharIsSafeForAscii('\\'), 0);
    EXPECT_EQ(V_LCharIsSafeForAscii('~'), 0);
    EXPECT_EQ(V_LCharIsSafeForAscii(0x1F), 0);
    EXPECT_EQ(V_LCharIsSafeForAscii(0x7F), 0);
    EXPECT_EQ(V_LCharIsSafeForAscii(0xE9), 0);
    int safe = 0;
    for (int c = 0; c < 0x100; ++c) safe += V_LCharIsSafeForAscii(c);
    EXPECT_EQ(safe, 0x7E - 0x20 - 1);
    EXPECT_EQ(V_LCharIsSafeForAscii(' '), 1);
    EXPECT_EQ(V_LCharIsSafeForAscii('}'), 1);
}

TEST(CharacterTests, XmlNameClasses) {
    EXPECT_EQ(V_LCharIsSafeForName('7', 0), 1);
    EXPECT_EQ(V_LCharIsSafeForName('7', 1), 0);
    struct Case {
        int32_t c;
        int name, first;
    } cases[] = {
        {'a', 1, 1},      {'Z', 1, 1},      {'_', 0, 0},      {'-', 0, 0},     {' ', 0, 0},
        {0xC0, 1, 1},     {0xD7, 0, 0},     {0x0131, 1, 1},   {0x0132, 0, 0},  {0x4E00, 1, 1},
        {0x9FA5, 1, 1},   {0x9FA6, 0, 0},   {0x3007, 1, 1},   {0x0300, 1, 0},  {0x0660, 1, 0},
        {0x00B7, 1, 0},   {0x3005, 1, 0},   {0xAC00, 1, 1},   {0xD7A3, 1, 1},  {0xFFFF, 0, 0},
        {0x10000, 0, 0},  {-1, 0, 0},
    };
    for (const Case &k : cases) {
        EXPECT_EQ(V_LCharIsSafeForName(k.c, 0), k.name) << std::hex << k.c;
        EXPECT_EQ(V_LCharIsSafeForName(k.c, 1), k.first) << std::hex << k.c;
    }
    // Every first character is a name character.
    for (int32_t c = 0; c <= 0xFFFF; ++c)
        if (V_LCharIsSafeForName(c, 1)) {
            ASSERT_EQ(V_LCharIsSafeForName(c, 0), 1) << c;
        }
}

}  // namespace
