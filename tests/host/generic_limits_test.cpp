// What the generic host keeps is bounded: named objects by number and name
// bytes, stored property values by number and bytes. Within the bounds a
// name keeps its object and a value reads back.
#include "generic_host.h"

#include "document_types.h"
#include "vapi/procs.h"
#include "vapi/records.h"
#include "proctable.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>

#include <cstring>
#include <string>

namespace {

using vxhost::generic::GenericHost;
namespace st = vxhost::status;

struct Named {
    vxhost::Host host;
    GenericHost generic{host};

    // The generic answer to 1051 (find) or 1053 (make) for that name.
    ApiVxObjRetT call(uint32_t proc, uint32_t doc, int32_t type, const std::string &name)
    {
        std::string text = name;
        ApiVxNewNamedObjArgT arg{doc, type, text.data()};
        ApiVxObjRetT result{};
        vxhost::HostCall c{*api_proc_find(proc), nullptr, &arg, &result};
        generic.answer(c);
        return result;
    }
};

TEST(GenericLimits, NamesKeepTheirObjectAndAreBounded)
{
    Named n;
    ApiVxObjRetT missing = n.call(1051, 1, 900, "Table");
    EXPECT_EQ(missing.status, st::kNoSuchName);
    EXPECT_EQ(missing.objId, 0u);

    ApiVxObjRetT made = n.call(1053, 1, 900, "Table");
    ASSERT_EQ(made.status, 0);
    ASSERT_NE(made.objId, 0u);
    EXPECT_EQ(n.call(1053, 1, 900, "Table").objId, made.objId);  // made again: the same one
    EXPECT_EQ(n.call(1051, 1, 900, "Table").objId, made.objId);
    // Another document or type is another object.
    EXPECT_NE(n.call(1053, 2, 900, "Table").objId, made.objId);
    EXPECT_NE(n.call(1053, 1, 901, "Table").objId, made.objId);

    // One name too long for what is left of the byte budget.
    ApiVxObjRetT huge = n.call(1053, 1, 900, std::string(GenericHost::kMaxNamedBytes + 1, 'x'));
    EXPECT_EQ(huge.status, st::kLimit);
    EXPECT_EQ(huge.objId, 0u);

    // Filling up to the count: the next new name is refused, known ones
    // are still found and made.
    for (size_t i = 3; i < GenericHost::kMaxNamedObjects; ++i)
        ASSERT_EQ(n.call(1053, 3, 900, std::to_string(i)).status, 0) << i;
    ApiVxObjRetT refused = n.call(1053, 3, 900, "one more");
    EXPECT_EQ(refused.status, st::kLimit);
    EXPECT_EQ(refused.objId, 0u);
    EXPECT_EQ(n.call(1053, 1, 900, "Table").objId, made.objId);
    EXPECT_EQ(n.call(1051, 3, 900, "one more").status, st::kNoSuchName);
}

int32_t status_of(const vxhost::generic::Bytes &bytes)
{
    uint32_t wire = 0;
    std::memcpy(&wire, bytes.data(), 4);
    return static_cast<int32_t>(ntohl(wire));
}

// The store's byte budget: writes that add past it are refused, a write that
// replaces with no more bytes and a delete still work, and what a delete
// frees can be used again.
TEST(GenericLimits, StoredValuesStayWithinTheByteBudget)
{
    using vxhost::generic::PropertyStore;
    PropertyStore store;
    std::string big(4u << 20, 'v');
    auto set = [&](int32_t num, std::string &value) {
        ApiVxSetStringArgT arg{1, 2, {num, nullptr}, value.data()};
        return status_of(store.answer(1071, vxhost::generic::encode(api_proc_find(1071)->argCodec, &arg)));
    };
    int32_t num = 1;
    while (set(num, big) == st::kOk) {
        ++num;
        ASSERT_LE(store.bytes(), PropertyStore::kMaxBytes);
        ASSERT_LT(static_cast<size_t>(num), PropertyStore::kMaxBytes / big.size() + 2);
    }
    EXPECT_EQ(set(num, big), st::kLimit);
    EXPECT_EQ(store.size(), static_cast<size_t>(num - 1));
    EXPECT_EQ(set(1, big), st::kOk);  // replaced by as many bytes: fine

    ApiVxGetPropArgT drop{1, 2, {2, nullptr}};
    EXPECT_EQ(status_of(store.answer(1082, vxhost::generic::encode(api_proc_find(1082)->argCodec, &drop))), 0);
    EXPECT_EQ(set(num, big), st::kOk);
    store.clear();
    EXPECT_EQ(store.bytes(), 0u);
}

}  // namespace
