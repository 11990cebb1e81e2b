// The outline's string helpers, in process: they are part of the lindrel
// program rather than a library, so their source is compiled in here. Every
// string lives on the heap, sized to its text, so that ASan sees any access
// outside it.
#include "../../outline/text.cpp"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace {

// A negative count removes nothing instead of reading before the text.
TEST(TextHelpers, TrimRemovesLeadingCharactersOrNothing)
{
    const std::tuple<const char *, int32_t, const char *> cases[] = {
        {"abcdef", 2, "cdef"},   {"abcdef", 6, ""},         {"abcdef", 7, "abcdef"}, {"abcdef", 0, "abcdef"},
        {"", 0, ""},             {"abcdef", -1, "abcdef"},  {"abcdef", INT32_MIN, "abcdef"},
    };
    for (const auto &[text, n, expected] : cases) {
        std::vector<char> s(text, text + strlen(text) + 1);
        TrimString(s.data(), n);
        EXPECT_STREQ(s.data(), expected) << text << " " << n;
    }
    TrimString(nullptr, 3);
}

TEST(TextHelpers, JoinsTreatNullAsEmpty)
{
    const char x[] = "x";
    char *joined = ConcatenateString(nullptr, x), *empty = ConcatenateString(nullptr, nullptr);
    EXPECT_TRUE(joined != x && std::string(joined) == "x" && std::string(empty) == "");
    V_Free(joined);
    V_Free(empty);
    // The destination is made just large enough, as the callers do.
    char *s = static_cast<char *>(V_Alloc(sizeof "headtail", 0));
    V_StrCpy(s, "head");
    AppendString(s, "tail");
    EXPECT_STREQ(s, "headtail");
    V_StrCpy(s, "tail");
    PrependString(s, "head");
    PrependString(s, nullptr);
    AppendString(s, "");
    EXPECT_STREQ(s, "headtail");
    V_Free(s);
    AppendString(nullptr, "x");
}

// Only string items count; without any there is no text, not an empty one.
TEST(TextHelpers, TextItemsJoinOnlyTheirStrings)
{
    auto item = [](int32_t type, const char *text) {
        TextItemT it = {};
        it.data.dataType = type;
        if (type == VX_TEXT_ITEM_STRING)
            it.data.text = const_cast<char *>(text);
        else
            it.data.number = 7;
        return it;
    };
    const int32_t S = VX_TEXT_ITEM_STRING;
    const std::pair<std::vector<TextItemT>, const char *> cases[] = {
        {{item(2, ""), item(S, "ab"), item(4, ""), item(S, ""), item(S, nullptr), item(S, "cd"), item(S, "e")}, "abcde"},
        {{item(S, "")}, ""},
        {{item(2, ""), item(8, "")}, nullptr},
        {{}, nullptr},
    };
    for (auto [items, expected] : cases) {
        TextItemsT list = {static_cast<uint32_t>(items.size()), items.empty() ? nullptr : items.data()};
        char *text = CreateStringFromTextItems(&list);
        EXPECT_EQ(text == nullptr, expected == nullptr);
        EXPECT_STREQ(text ? text : nullptr, expected);
        V_Free(text);
    }
    EXPECT_EQ(CreateStringFromTextItems(nullptr), nullptr);
}

}  // namespace
