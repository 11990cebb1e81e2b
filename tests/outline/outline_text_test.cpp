// The outline's string helpers, in process: they are part of the lindrel
// program rather than a library, so their source is compiled in here.
#include "../../outline/text.cpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Only string items count; without any there is no text, not an empty one.
TEST(TextHelpers, TextItemsJoinOnlyTheirStrings)
{
    const int32_t S = VX_TEXT_ITEM_STRING;
    std::vector<TextItemT> items(7);
    const std::pair<int32_t, const char *> kinds[] = {{2, ""}, {S, "ab"}, {4, ""}, {S, ""}, {S, nullptr}, {S, "cd"}, {S, "e"}};
    for (size_t i = 0; i < items.size(); ++i) {
        items[i].data.dataType = kinds[i].first;
        items[i].data.number = 7;  // what another item holds; a string item's text takes its place
        if (kinds[i].first == S)
            items[i].data.text = const_cast<char *>(kinds[i].second);
    }
    const std::pair<TextItemsT, const char *> cases[] = {
        {{7, items.data()}, "abcde"}, {{1, &items[3]}, ""}, {{1, &items[2]}, nullptr}, {{0, nullptr}, nullptr}};
    for (auto [list, expected] : cases) {
        char *text = CreateStringFromTextItems(&list);
        EXPECT_EQ(text == nullptr, expected == nullptr);
        EXPECT_STREQ(text, expected);
        V_Free(text);
    }
    EXPECT_EQ(CreateStringFromTextItems(nullptr), nullptr);
}

}  // namespace
