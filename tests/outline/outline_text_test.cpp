// The outline's string helpers, in process: they are part of the lindrel
// program rather than a library, so their source is compiled in here.
#include "../../outline/text.cpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Runs TrimString on a heap copy sized to the text, so that ASan sees any
// read or write outside it.
std::string Trim(const std::string &text, int32_t n)
{
    std::vector<char> s(text.c_str(), text.c_str() + text.size() + 1);
    TrimString(s.data(), n);
    return s.data();
}

TEST(TextHelpers, TrimRemovesLeadingCharactersOrNothing)
{
    EXPECT_EQ(Trim("abcdef", 2), "cdef");
    EXPECT_EQ(Trim("abcdef", 6), "");
    EXPECT_EQ(Trim("abcdef", 7), "abcdef");
    EXPECT_EQ(Trim("abcdef", 0), "abcdef");
    EXPECT_EQ(Trim("", 0), "");
    // A negative count removes nothing instead of reading before the text.
    EXPECT_EQ(Trim("abcdef", -1), "abcdef");
    EXPECT_EQ(Trim("abcdef", INT32_MIN), "abcdef");
    TrimString(nullptr, 0);
    TrimString(nullptr, 3);
}

TEST(TextHelpers, JoinsTreatNullAsEmpty)
{
    const char x[] = "x";
    char *joined = ConcatenateString(nullptr, x);
    ASSERT_NE(joined, nullptr);
    EXPECT_NE(joined, x);
    EXPECT_STREQ(joined, "x");
    V_Free(joined);
    joined = ConcatenateString(nullptr, nullptr);
    EXPECT_STREQ(joined, "");
    V_Free(joined);

    // The destination is made just large enough, as the callers do.
    char *s = static_cast<char *>(V_Alloc(sizeof "headtail", 0));
    V_StrCpy(s, "head");
    AppendString(s, "tail");
    EXPECT_STREQ(s, "headtail");
    V_StrCpy(s, "tail");
    PrependString(s, "head");
    EXPECT_STREQ(s, "headtail");
    PrependString(s, nullptr);
    AppendString(s, "");
    EXPECT_STREQ(s, "headtail");
    V_Free(s);
    AppendString(nullptr, "x");
}

TextItemT Text(const char *text)
{
    TextItemT item = {};
    item.data.dataType = VX_TEXT_ITEM_STRING;
    item.data.text = const_cast<char *>(text);
    return item;
}

TextItemT Number(int32_t dataType, int32_t number)
{
    TextItemT item = {};
    item.data.dataType = dataType;
    item.data.number = number;
    return item;
}

std::string Joined(std::vector<TextItemT> items, bool *isNull)
{
    TextItemsT list = {static_cast<uint32_t>(items.size()), items.empty() ? nullptr : items.data()};
    char *text = CreateStringFromTextItems(&list);
    *isNull = text == nullptr;
    std::string out = text != nullptr ? text : "";
    V_Free(text);
    return out;
}

TEST(TextHelpers, TextItemsJoinOnlyTheirStrings)
{
    bool isNull = false;
    EXPECT_EQ(Joined({Number(2, 7), Text("ab"), Number(4, 0), Text(""), Text("cd"), Text("e")}, &isNull),
              "abcde");
    EXPECT_FALSE(isNull);
    EXPECT_EQ(Joined({Text("")}, &isNull), "");
    EXPECT_FALSE(isNull);
    // No string item at all, or no items: no text, not an empty one.
    Joined({Number(2, 1), Number(8, 1)}, &isNull);
    EXPECT_TRUE(isNull);
    Joined({}, &isNull);
    EXPECT_TRUE(isNull);
    EXPECT_EQ(CreateStringFromTextItems(nullptr), nullptr);
}

TEST(TextHelpers, ManySmallItemsJoinWhole)
{
    // Many one-character items, as a host may deliver a long paragraph,
    // with number items and null strings between them.
    std::vector<TextItemT> items;
    std::string expected;
    for (int i = 0; i < 100000; i++) {
        static const char *const kLetters[] = {"a", "b", "c"};
        items.push_back(Text(kLetters[i % 3]));
        expected += kLetters[i % 3];
        items.push_back(i % 2 ? Number(4, i) : Text(nullptr));
    }
    bool isNull = true;
    EXPECT_EQ(Joined(items, &isNull), expected);
    EXPECT_FALSE(isNull);
}

}  // namespace
