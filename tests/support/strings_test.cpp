// Strings in the host's character set and string lists: comparisons and
// searches against the C library over generated strings, the bounded copies
// by their size rules, and lists against a plain vector under random edits.
#include "address_cap.h"
#include "heap.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "vsupport/strings.h"
#include "vsupport/strlist.h"

namespace {

using Strings = std::vector<std::string>;

std::string folded(std::string s)
{
    for (char &c : s)
        c = static_cast<char>(VdeVToLower[static_cast<unsigned char>(c)]);
    return s;
}

int sign(int v) { return (v > 0) - (v < 0); }

// Comparisons and searches against the C library over strings with both
// cases, accents, blanks and hyphens; a null string behaves as "".
TEST(Compare, AgreesWithTheCLibraryOnGeneratedStrings)
{
    std::mt19937 rng(7);
    static const char alphabet[] = "aAbBz -0\x80\x8A\xE7\x87\xFF";
    auto random = [&] {
        std::string s;
        for (size_t i = 0, n = rng() % 6; i < n; i++)
            s += alphabet[rng() % (sizeof alphabet - 1)];
        return s;
    };
    for (int i = 0; i < 20000; i++) {
        std::string a = random(), b = random();
        if (rng() % 4 == 0)
            b = a.substr(0, rng() % (a.size() + 1)) + b;
        const char *pa = a.empty() && rng() % 2 ? nullptr : a.c_str(), *pb = b.empty() && rng() % 2 ? nullptr : b.c_str();
        std::string fa = folded(a), fb = folded(b);
        size_t at = a.find(b);  // a search with a null or in "" finds nothing
        SCOPED_TRACE(testing::PrintToString(a) + " vs " + testing::PrintToString(b));
        ASSERT_EQ(sign(V_StrCmp(pa, pb)), sign(a.compare(b)));
        ASSERT_EQ(sign(V_StrICmp(pa, pb)), sign(fa.compare(fb)));
        ASSERT_EQ(V_StrIEqual(pa, pb), fa == fb);
        ASSERT_EQ(sign(V_StrMCmp(pa, pb)), fa != fb ? sign(fa.compare(fb)) : sign(a.compare(b)));
        ASSERT_EQ(V_StrIPrefix(pa, pb), fa.compare(0, fb.size(), fb) == 0);
        ASSERT_EQ(V_StrSubString(pa, pb), !pb || a.empty() || at == std::string::npos ? -1 : int32_t(at));
    }
}

// Bounded copies and appends: (function, destination, argument, count,
// size) and the result and destination afterwards.
TEST(Bounded, CopiesAndAppendsKeepWithinTheSize)
{
    enum Fn { Cpy, Cat, NCat, Char, Int };
    struct Row {
        Fn fn;
        const char *dst, *src;
        int32_t count, size, result;
        const char *after;
    } rows[] = {
        {Cpy, "###", "abcdef", 0, 4, 3, "abc"},       {Cpy, "###", "abc", 0, 1, 0, ""},
        {Cpy, "qq", "abc", 0, 0, 0, "qq"},            {Cpy, "qq", "abc", 0, -5, 0, "qq"},
        {Cpy, "qq", nullptr, 0, 4, 0, ""},            {Cat, "12345", "abc", 0, 4, 5, "12345"},
        {Cat, "123", "abcdefgh", 0, 7, 6, "123abc"},  {Cat, "12", "x", 0, INT32_MIN, 2, "12"},
        {NCat, "12345", "abc", 3, 4, 3, "123"},       {NCat, "123abc", "xyz", 2, 16, 8, "123abcxy"},
        {NCat, "12", "xyz", -1, 16, 2, "12"},         {NCat, "12", "z", 1, 0, 2, "12"},
        {NCat, "12", nullptr, 4, 9, 2, "12"},         {Char, "ab", "!", 0, 4, 3, "ab!"},
        {Char, "abc", "?", 0, 4, 3, "abc"},           {Char, "ab", "", 0, 9, 2, "ab"},
        {Int, "n=", nullptr, INT32_MIN, 16, 13, "n=-2147483648"}, {Int, "n=", nullptr, 12345, 5, 4, "n=12"},
    };
    for (const Row &r : rows) {
        char buf[32];
        std::memset(buf, '#', sizeof buf);
        std::strcpy(buf, r.dst);
        int32_t got = r.fn == Cpy    ? V_StrCpyN(buf, r.src, r.size)
                      : r.fn == Cat  ? V_StrCatN(buf, r.src, r.size)
                      : r.fn == NCat ? V_StrNCatN(buf, r.src, r.count, r.size)
                      : r.fn == Char ? V_StrCatCharN(buf, r.src[0], r.size)
                                     : V_StrCatIntN(buf, r.count, r.size);
        EXPECT_EQ(got, r.result) << r.fn << " " << r.dst;
        EXPECT_STREQ(buf, r.after) << r.fn << " " << r.dst;
        EXPECT_EQ(buf[std::max<int32_t>(r.size, int32_t(std::strlen(r.dst)) + 1)], '#');  // nothing past the size
    }
    char buf[16] = "ab";
    EXPECT_EQ(V_StrCat(buf, "cd") + V_StrCat(buf, nullptr), 8);
    EXPECT_STREQ(buf, "abcd");
    V_StrCpy(buf, nullptr);  // a null source copies as ""
    EXPECT_STREQ(buf, "");
    V_StrCpy(nullptr, "a");  // null destinations: nothing happens
    EXPECT_EQ(V_StrCpyN(nullptr, "a", 4) + V_StrCat(nullptr, "a") + V_StrCatN(nullptr, "a", 4) +
                  V_StrNCatN(nullptr, "a", 1, 4) + V_StrCatCharN(nullptr, 'a', 4) + V_StrCatIntN(nullptr, 5, 4),
              0);
}

Strings entries(const V_StrListT *list)
{
    Strings out;
    for (uint32_t i = 0; i < V_StrListLen(list); ++i)
        out.push_back(V_StrListGet(list, i) ? V_StrListGet(list, i) : "<null>");
    return out;
}

// Random edits of a list and of a vector side by side; after each the
// entries agree, the capacity follows its rule and the spare slots are zero.
TEST(StrList, BehavesAsAVectorOfCopies)
{
    std::mt19937 rng(3);
    const char *words[] = {"Body", "body", "1Level", "\x8A" "bc", "\x80" "BC", ""};
    for (uint32_t increment : {0u, 1u, 5u}) {
        V_StrListT *list = V_StrListNew(rng() % 3, increment);
        Strings model;
        for (int step = 0; step < 400; ++step) {
            std::string w = words[rng() % 6];
            uint32_t at = static_cast<uint32_t>(rng() % (model.size() + 2)), before = list->capacity;
            size_t need = model.size() + 1;
            switch (rng() % 6) {
            case 0:
                ASSERT_EQ(V_StrListAppend(list, w.c_str()), 0);
                model.push_back(w);
                break;
            case 1:
                ASSERT_EQ(V_StrListInsert(list, w.c_str(), at), at <= model.size() ? 0 : -1);
                if (at <= model.size())
                    model.insert(model.begin() + at, w);
                break;
            case 2:  // itself
                if (model.size() < 16) {
                    need = 2 * model.size();
                    ASSERT_EQ(V_StrListCat(list, list), 0);
                    Strings twice = model;
                    model.insert(model.end(), twice.begin(), twice.end());
                }
                break;
            case 3:
                V_StrListRemove(list, at);
                if (at < model.size())
                    model.erase(model.begin() + at);
                break;
            case 4:
                ASSERT_EQ(V_StrListSetString(list, at < model.size() ? V_StrListGet(list, at) : "x", at),
                          at < model.size() ? 0 : -1);  // an entry set to itself
                break;
            default: {
                int32_t exact = -1, caseless = -1;
                for (size_t i = model.size(); i-- > 0;) {
                    exact = model[i] == w ? int32_t(i) : exact;
                    caseless = folded(model[i]) == folded(w) ? int32_t(i) : caseless;
                }
                ASSERT_EQ(V_StrListIndex(list, w.c_str()), exact);
                ASSERT_EQ(V_StrListIIndex(list, w.c_str()), caseless);
            }
            }
            ASSERT_EQ(entries(list), model);
            ASSERT_GE(list->capacity, list->count);
            if (list->capacity != before) {
                ASSERT_EQ(list->capacity, std::max<size_t>(before + increment, need)) << step;
            }
            for (uint32_t i = list->count; i <= list->capacity; ++i)
                ASSERT_EQ(list->strings[i], nullptr);
        }
        VdeFreeStrList(&list);
        EXPECT_EQ(list, nullptr);
    }
}

TEST(StrList, RefusalsAndTheirRollback)
{
    V_StrListT *list = V_StrListNew(1, 1), *source = V_StrListNew(0, 0);
    for (const char *s : {"abcdef", "y", "z"})
        V_StrListAppend(source, s);
    V_StrListAppend(list, "a");
    EXPECT_EQ(V_StrListAppend(list, nullptr) + V_StrListInsert(nullptr, "a", 0) + V_StrListSetString(nullptr, "x", 0) +
                  V_StrListCat(nullptr, list) + V_StrListCat(list, nullptr),
              -4);
    EXPECT_EQ(V_StrListSetString(source, nullptr, 2), -1);  // the entry is left null ...
    EXPECT_EQ(V_StrListIndex(source, "") + V_StrListIIndex(source, nullptr), 4);  // ... and reads as ""
    EXPECT_EQ(V_StrListCat(list, source), -1);  // a null entry cannot be copied: nothing stays
    EXPECT_EQ(entries(list), Strings{"a"});
    for (uint32_t i = list->count; i <= list->capacity; ++i)
        EXPECT_EQ(list->strings[i], nullptr);  // the partial copies are gone
    char buffer[8] = "garbage";
    for (auto [index, size, length, text] : {std::tuple(0u, 1, 0, ""), std::tuple(0u, 4, 3, "abc"), std::tuple(5u, 8, 0, "")}) {
        EXPECT_EQ(V_StrListCopy(source, index, buffer, size), length);
        EXPECT_STREQ(buffer, text);
    }
    V_StrListFree(list);
    V_StrListFree(source);
}

// For a child process: the address space capped, a list whose growth step
// is too large to be granted. 0 when it is left as it was.
int refusedGrowthLeavesTheListAlone(uint32_t step)
{
    if (!addresscap::capAddressSpace())
        return 2;
    V_StrListT *list = V_StrListNew(1, step), *other = V_StrListNew(0, 0);
    V_StrListAppend(other, "p");
    bool kept = V_StrListAppend(list, "kept") == 0 && V_StrListAppend(list, "no") == -1 &&
                V_StrListInsert(list, "no", 0) == -1 && V_StrListCat(list, other) == -1;
    return kept && list->capacity == 1 && entries(list) == Strings{"kept"} ? 0 : 3;
}

TEST(StrListDeathTest, BrokenPreconditionsAndRefusedMemory)
{
    V_StrListT *none = nullptr;
    EXPECT_EXIT(VdeFreeStrList(&none), testing::KilledBySignal(SIGABRT), "^$");
    // Counted in 64 bits: these would wrap to tiny arrays otherwise.
    EXPECT_EXIT(V_StrListNew(UINT32_MAX, 1), testing::KilledBySignal(SIGABRT), "^$");
    EXPECT_EXIT(V_StrListAppend(V_StrListNew(0, UINT32_MAX), "a"), testing::KilledBySignal(SIGABRT), "^$");
    // 12,000,000 slots of 8 bytes: within the block limit, over the cap.
    constexpr uint32_t kHuge = 12000000;
    EXPECT_EXIT(_exit(refusedGrowthLeavesTheListAlone(kHuge)), testing::ExitedWithCode(0), "");
    EXPECT_EXIT(addresscap::leaveDataSpaceExitByJump([] { V_StrListNew(kHuge, 1); }), testing::ExitedWithCode(0), "");
}

}  // namespace
