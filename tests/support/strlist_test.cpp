// String lists: the growth rule, ownership of copies, positional edits,
// lookups with and without case, concatenation and its rollback, and the
// behaviour when memory is refused.
#include <gtest/gtest.h>

#include <unistd.h>

#include <csignal>
#include <string>
#include <vector>

#include "address_cap.h"
#include "vsupport/memory.h"
#include "vsupport/strlist.h"

namespace {

using ::testing::ExitedWithCode;
using ::testing::KilledBySignal;

std::vector<std::string> entries(const V_StrListT *list) {
    std::vector<std::string> out;
    for (uint32_t i = 0; i < V_StrListLen(list); ++i) {
        const char *s = V_StrListGet(list, i);
        out.push_back(s != nullptr ? s : "<null>");
    }
    return out;
}

// Slots from the count up to the capacity (one more than it) must be zero.
bool tailIsClear(const V_StrListT *list) {
    for (uint32_t i = list->count; i <= list->capacity; ++i)
        if (list->strings[i] != nullptr)
            return false;
    return true;
}

V_StrListT *listOf(std::initializer_list<const char *> items, uint32_t increment = 1) {
    V_StrListT *list = V_StrListNew(1, increment);
    for (const char *s : items)
        V_StrListAppend(list, s);
    return list;
}

TEST(StrListGrowth, FollowsTheIncrementOrTheNeed) {
    V_StrListT *byOne = V_StrListNew(1, 1);
    ASSERT_NE(byOne, nullptr);
    std::vector<uint32_t> capacities;
    for (const char *s : {"a", "b", "c"}) {
        EXPECT_EQ(V_StrListAppend(byOne, s), 0);
        capacities.push_back(byOne->capacity);
        EXPECT_TRUE(tailIsClear(byOne));
    }
    EXPECT_EQ(capacities, (std::vector<uint32_t>{1, 2, 3}));
    EXPECT_EQ(V_StrListLen(byOne), 3u);

    // Increment 0 grows to exactly what is needed, including a concatenation.
    V_StrListT *exact = V_StrListNew(0, 0);
    EXPECT_EQ(V_StrListLen(exact), 0u);
    EXPECT_EQ(V_StrListAppend(exact, "x"), 0);
    EXPECT_EQ(exact->capacity, 1u);
    EXPECT_EQ(V_StrListCat(exact, byOne), 0);
    EXPECT_EQ(exact->capacity, 4u);
    EXPECT_TRUE(tailIsClear(exact));

    // A large increment wins over the need.
    V_StrListT *wide = V_StrListNew(2, 10);
    for (const char *s : {"a", "b", "c"})
        V_StrListAppend(wide, s);
    EXPECT_EQ(wide->capacity, 12u);
    EXPECT_TRUE(tailIsClear(wide));

    V_StrListFree(byOne);
    V_StrListFree(exact);
    V_StrListFree(wide);
}

TEST(StrListOwnership, EntriesAreCopies) {
    char mine[] = "Heading";
    V_StrListT *list = V_StrListNew(4, 4);
    EXPECT_EQ(V_StrListAppend(list, mine), 0);
    EXPECT_NE(V_StrListGet(list, 0), mine);
    mine[0] = 'X';
    EXPECT_STREQ(V_StrListGet(list, 0), "Heading");

    // Appending an entry of the list itself, across a growth, is safe.
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(V_StrListAppend(list, V_StrListGet(list, 0)), 0);
    EXPECT_EQ(V_StrListLen(list), 11u);
    EXPECT_STREQ(V_StrListGet(list, 10), "Heading");
    V_StrListFree(list);
}

TEST(StrListEdits, AppendAndInsertRefuseBadInput) {
    V_StrListT *list = listOf({"a", "b", "c"});
    uint32_t capacity = list->capacity;
    EXPECT_EQ(V_StrListAppend(list, nullptr), -1);
    EXPECT_EQ(V_StrListAppend(nullptr, "a"), -1);
    EXPECT_EQ(V_StrListInsert(nullptr, "a", 0), -1);
    EXPECT_EQ(V_StrListInsert(list, "z", 4), -1);
    EXPECT_EQ(V_StrListInsert(list, nullptr, 1), -1);
    EXPECT_EQ(entries(list), (std::vector<std::string>{"a", "b", "c"}));
    // The null append may have grown the list, never changed its entries.
    EXPECT_GE(list->capacity, capacity);
    EXPECT_TRUE(tailIsClear(list));
    V_StrListFree(list);
}

TEST(StrListEdits, InsertShiftsLaterEntries) {
    V_StrListT *list = listOf({"a", "b", "c"});
    EXPECT_EQ(V_StrListInsert(list, "new", 0), 0);
    EXPECT_EQ(entries(list), (std::vector<std::string>{"new", "a", "b", "c"}));
    EXPECT_EQ(V_StrListInsert(list, "mid", 2), 0);
    EXPECT_EQ(V_StrListInsert(list, "end", V_StrListLen(list)), 0);  // position == count appends
    EXPECT_EQ(entries(list), (std::vector<std::string>{"new", "a", "mid", "b", "c", "end"}));

    V_StrListT *empty = V_StrListNew(0, 0);
    EXPECT_EQ(V_StrListInsert(empty, "only", 0), 0);
    EXPECT_EQ(entries(empty), (std::vector<std::string>{"only"}));
    V_StrListFree(list);
    V_StrListFree(empty);
}

TEST(StrListEdits, SetStringReplacesOrLeavesNull) {
    V_StrListT *list = listOf({"a", "b", "c"});
    EXPECT_EQ(V_StrListSetString(list, "B", 1), 0);
    EXPECT_EQ(V_StrListSetString(list, "x", 3), -1);
    EXPECT_EQ(V_StrListSetString(nullptr, "x", 0), -1);
    // Setting an entry to itself must not read the string it frees.
    EXPECT_EQ(V_StrListSetString(list, V_StrListGet(list, 2), 2), 0);
    EXPECT_EQ(entries(list), (std::vector<std::string>{"a", "B", "c"}));

    EXPECT_EQ(V_StrListSetString(list, nullptr, 0), -1);
    EXPECT_EQ(V_StrListGet(list, 0), nullptr);
    EXPECT_EQ(V_StrListLen(list), 3u);
    // A null entry reads as the empty string in lookups.
    EXPECT_EQ(V_StrListIndex(list, ""), 0);
    EXPECT_EQ(V_StrListIIndex(list, nullptr), 0);
    V_StrListFree(list);  // and is freed without trouble
}

TEST(StrListEdits, RemoveShiftsDown) {
    V_StrListT *list = listOf({"a", "b", "c"});
    V_StrListRemove(list, 1);
    EXPECT_EQ(entries(list), (std::vector<std::string>{"a", "c"}));
    EXPECT_TRUE(tailIsClear(list));
    V_StrListRemove(list, 2);  // not below the count: nothing
    V_StrListRemove(nullptr, 0);
    EXPECT_EQ(V_StrListLen(list), 2u);
    V_StrListRemove(list, 1);
    V_StrListRemove(list, 0);
    EXPECT_EQ(V_StrListLen(list), 0u);
    EXPECT_TRUE(tailIsClear(list));
    EXPECT_EQ(V_StrListAppend(list, "again"), 0);
    EXPECT_EQ(entries(list), (std::vector<std::string>{"again"}));
    V_StrListFree(list);
}

TEST(StrListLookup, ExactAndCaseless) {
    V_StrListT *list = listOf({"Body", "body", "1Level"});
    EXPECT_EQ(V_StrListIndex(list, "body"), 1);
    EXPECT_EQ(V_StrListIIndex(list, "body"), 0);
    EXPECT_EQ(V_StrListIndex(list, "1Level"), 2);
    EXPECT_EQ(V_StrListIIndex(list, "1LEVEL"), 2);
    EXPECT_EQ(V_StrListIndex(list, "1level"), -1);
    EXPECT_EQ(V_StrListIndex(list, "Bod"), -1);
    EXPECT_EQ(V_StrListIndex(list, nullptr), -1);  // empty: not in the list
    EXPECT_EQ(V_StrListIndex(nullptr, "Body"), -1);
    EXPECT_EQ(V_StrListIIndex(nullptr, "Body"), -1);

    // Case folds through the host set: capital A-diaeresis (0x80) matches
    // the small one (0x8A); the system locale plays no part.
    V_StrListAppend(list, "\x8A" "bc");
    EXPECT_EQ(V_StrListIIndex(list, "\x80" "BC"), 3);
    EXPECT_EQ(V_StrListIndex(list, "\x80" "bc"), -1);
    V_StrListFree(list);
}

TEST(StrListCat, AppendsCopiesInOrder) {
    V_StrListT *list = listOf({"a", "b", "c"});
    EXPECT_EQ(V_StrListCat(list, list), 0);
    EXPECT_EQ(entries(list), (std::vector<std::string>{"a", "b", "c", "a", "b", "c"}));
    EXPECT_NE(V_StrListGet(list, 0), V_StrListGet(list, 3));

    V_StrListT *empty = V_StrListNew(0, 0);
    EXPECT_EQ(V_StrListCat(list, empty), 0);
    EXPECT_EQ(V_StrListCat(list, nullptr), 0);
    EXPECT_EQ(V_StrListCat(nullptr, list), -1);
    EXPECT_EQ(V_StrListLen(list), 6u);
    EXPECT_EQ(V_StrListCat(empty, list), 0);
    EXPECT_EQ(entries(empty), entries(list));
    V_StrListFree(list);
    V_StrListFree(empty);
}

TEST(StrListCat, FailedCopyRollsBack) {
    V_StrListT *source = listOf({"x", "y", "z"});
    V_StrListSetString(source, nullptr, 2);  // a null entry cannot be copied
    V_StrListT *destination = listOf({"a"});
    EXPECT_EQ(V_StrListCat(destination, source), -1);
    EXPECT_EQ(entries(destination), (std::vector<std::string>{"a"}));
    EXPECT_TRUE(tailIsClear(destination));  // the partial copies are gone
    V_StrListFree(source);
    V_StrListFree(destination);
}

TEST(StrListRead, GetAndCopyBounds) {
    V_StrListT *list = listOf({"abcdef"});
    EXPECT_EQ(V_StrListGet(list, 1), nullptr);  // index == count
    EXPECT_EQ(V_StrListGet(nullptr, 0), nullptr);

    char buffer[8] = "garbage";
    EXPECT_EQ(V_StrListCopy(list, 0, buffer, 1), 0);
    EXPECT_STREQ(buffer, "");
    EXPECT_EQ(V_StrListCopy(list, 0, buffer, 4), 3);
    EXPECT_STREQ(buffer, "abc");
    EXPECT_EQ(V_StrListCopy(list, 0, buffer, sizeof buffer), 6);
    EXPECT_STREQ(buffer, "abcdef");
    EXPECT_EQ(V_StrListCopy(list, 5, buffer, sizeof buffer), 0);
    EXPECT_STREQ(buffer, "");
    V_StrListFree(list);
}

TEST(StrListFreeDeathTest, NullListIsAnAssertion) {
    V_StrListT *list = listOf({"a"});
    VdeFreeStrList(&list);
    EXPECT_EQ(list, nullptr);
    EXPECT_EXIT(V_StrListFree(nullptr), KilledBySignal(SIGABRT), "^$");
    EXPECT_EXIT(VdeFreeStrList(&list), KilledBySignal(SIGABRT), "^$");
    EXPECT_EXIT(VdeFreeStrList(nullptr), KilledBySignal(SIGABRT), "^$");
}

TEST(StrListLimitsDeathTest, ArraysOverTheBlockLimitAreAssertions) {
    // Counted in 64 bits: these would wrap to tiny arrays otherwise.
    EXPECT_EXIT(V_StrListNew(UINT32_MAX, 1), KilledBySignal(SIGABRT), "^$");
    EXPECT_EXIT(V_StrListNew(V_MAX_BLOCK, 1), KilledBySignal(SIGABRT), "^$");
    EXPECT_EXIT(
        {
            V_StrListT *list = V_StrListNew(0, UINT32_MAX);
            V_StrListAppend(list, "a");
        },
        KilledBySignal(SIGABRT), "^$");
}

void sayDataSpaceExit() { V_Warning("data-space exit ran\n"); }

TEST(StrListMemoryDeathTest, RefusedGrowthLeavesTheListAlone) {
    // 12,000,000 slots of 8 bytes: within the block limit, over the cap.
    constexpr uint32_t kHuge = 12000000;
    EXPECT_EXIT(
        {
            if (!addresscap::capAddressSpace())
                _exit(2);
            V_StrListT *list = V_StrListNew(1, kHuge);
            V_StrListT *other = listOf({"p", "q"});
            if (V_StrListAppend(list, "kept") != 0)
                _exit(3);
            if (V_StrListAppend(list, "refused") != -1 || V_StrListInsert(list, "refused", 0) != -1)
                _exit(4);
            if (V_StrListCat(list, other) != -1)
                _exit(5);
            if (list->capacity != 1 || entries(list) != std::vector<std::string>{"kept"})
                _exit(6);
            _exit(0);
        },
        ExitedWithCode(0), "");
    // The array of a new list must not fail: data-space exit.
    EXPECT_EXIT(
        {
            if (addresscap::capAddressSpace()) {
                V_SetDSExit(sayDataSpaceExit);
                V_StrListNew(kHuge, 1);
            }
            _exit(0);
        },
        KilledBySignal(SIGABRT), "^data-space exit ran\n$");
    // A handler that jumps out of it finds no half-made list left behind.
    EXPECT_EXIT(addresscap::leaveDataSpaceExitByJump([] { V_StrListNew(kHuge, 1); }), ExitedWithCode(0),
                "");
}

}  // namespace
