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
