// The record utilities (typed values copy in the codec tests): null arrays,
// the builder's capacity rule, the status-bit test and the filter-argument
// splitter.
#include "heap.h"

#include "vapi/apistruct.h"
#include "vapi/runtime.h"
#include "vsupport/memory.h"
#include "apiutil.h"

#include <gtest/gtest.h>

#include <malloc.h>


#include <cstring>
#include <string>
#include <vector>

namespace {

using Texts = std::vector<std::string>;

Texts texts(const V_StringsT &list)
{
    Texts out;
    for (uint32_t i = 0; list.items && i < list.count; i++)
        out.push_back(list.items[i] ? list.items[i] : "(null)");
    return out;
}

// Array capacity in entries, as the allocator reports it (it may round up).
template <class L>
size_t slots(const L &list)
{
    return malloc_usable_size(list.items) / sizeof(*list.items);
}

// A list whose entry `num` holds these status words.
V_PropValsT statusList(int32_t num, std::vector<uint32_t> &words)
{
    V_PropValsT list{0, nullptr};
    V_TypedValT v{};
    v.typeCode = V_TYPE_UINTS;
    v.value.uintsVal = {(uint32_t)words.size(), words.data()};
    V_ApiAppendIntProp(&list, 2, 0);
    V_ApiAppendVal(&list, num, &v);
    return list;
}

TEST(ApiPropVals, CheckStatusTestsOneBitOfTheStatusWords)
{
    std::vector<uint32_t> words{0x1u, 0x80000000u}, other{0x4u};
    V_PropValsT list = statusList(3, words), fallback = statusList(1, other);
    // (list, bit, result, VA_errno); entry 1 stands in when there is no 3.
    const std::tuple<V_PropValsT *, int32_t, uint32_t, int32_t> rows[] = {
        {&list, 0, 1u, 0}, {&list, 1, 0u, 0}, {&list, 63, 0x80000000u, 0}, {&fallback, 2, 0x4u, 0},
        {&list, 64, 0u, -4}, {&list, -1, 0u, -4}};
    for (auto [l, bit, result, error] : rows) {
        VA_errno = 0;
        EXPECT_EQ(V_ApiCheckStatus(l, bit), result) << bit;
        EXPECT_EQ(VA_errno, error) << bit;
    }
    EXPECT_EQ(V_ApiGetPropIndex(&list, 2) * 10 + V_ApiGetPropIndex(&list, 3), 1);
    // A plain integer status has no words; a list without 1 or 3 no status.
    V_ApiAppendIntProp(&fallback, 3, -1);
    V_ApiDeallocatePropVals(&list);
    V_ApiAppendIntProp(&list, 2, 1);
    for (auto [l, error] : {std::pair(&fallback, -4), std::pair(&list, -5)}) {
        EXPECT_EQ(V_ApiCheckStatus(l, 0), 0u);
        EXPECT_EQ(VA_errno, error);
    }
    V_ApiDeallocatePropVals(&list);
    V_ApiDeallocatePropVals(&fallback);
}

TEST(FilterArgs, PiecesFillTheSixFieldsThenTheList)
{
    // A long packed text keeps every piece in order through many steps of
    // growth (and must not take time quadratic in its pieces to do so).
    std::string many;
    Texts manyPieces;
    for (int i = 0; i < 30000; i++) {
        manyPieces.push_back(std::to_string(i));
        many += manyPieces.back() + "\x1e";
    }
    manyPieces.push_back("");
    const std::pair<std::string, Texts> cases[] = {
        {"", {"", "(null)", "(null)", "(null)", "(null)", "(null)"}},
        {"a\x1e" "b\x1e", {"a", "b", "", "(null)", "(null)", "(null)"}},
        {"1\x1e" "2\x1e" "3\x1e" "4\x1e" "5\x1e" "6\x1e" "7\x1e" "8", {"1", "2", "3", "4", "5", "6", "7", "8"}},
        {many, manyPieces},
    };
    for (const auto &[packed, expected] : cases) {
        VdeApiFilterArgsT *fa = VdeApiExpandFilterArgs(packed.c_str());
        ASSERT_NE(fa, nullptr);
        Texts got;
        for (StringT s : fa->args)
            got.push_back(s ? s : "(null)");
        Texts more = texts(fa->more);
        got.insert(got.end(), more.begin(), more.end());
        EXPECT_TRUE(got == expected) << packed.substr(0, 20);
        VdeApiDeallocateFilterArgs(fa);
        VdeApiDeallocateFilterArgs(fa);
        EXPECT_EQ(fa->args[0], nullptr);
        V_Free(fa);
    }
}

}  // namespace
