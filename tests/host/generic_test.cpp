// The stand-in host's generic answers: the property store reached through
// the wire form of each property procedure (including arguments a broken or
// hostile client cuts short), named objects, and the bounds on what the
// host keeps.
#include "generic_host.h"
#include "generic_store.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>

#include <cstring>
#include <string>

#include "document_types.h"
#include "vapi/procs.h"

namespace {

using vxhost::generic::Bytes;
using vxhost::generic::GenericHost;
using vxhost::generic::PropertyStore;
namespace st = vxhost::status;

template <class A>
Bytes args(uint32_t proc, A record)
{
    return vxhost::generic::encode(api_proc_find(proc)->argCodec, &record);
}

int32_t statusOf(const Bytes &bytes)
{
    uint32_t wire;
    std::memcpy(&wire, bytes.data(), 4);
    return static_cast<int32_t>(ntohl(wire));
}

TEST(GenericStore, EveryPropertyProcedureRefusesArgumentsCutShort)
{
    PropertyStore store;
    char name[] = "LongPropertyName", text[] = "some text";
    StringT items[] = {text, text};
    V_PropValT pv{{0, name}, {V_TYPE_STRINGS, {}}};
    pv.value.value.stringsVal = {2, items};
    V_PropValsT pvs{1, &pv};
    // One valid argument per record kind: every prefix is refused without
    // harm, the whole is accepted.
    const std::pair<uint32_t, Bytes> cases[] = {
        {1063, args(1063, ApiVxSetPropsArgT{1, 2, pvs})},
        {1061, args(1061, ApiVxSetPropArgT{1, 2, pv})},
        {1073, args(1073, ApiVxSetStringsArgT{1, 2, {0, name}, {2, items}})},
        {1301, args(1301, ApiVxSetTextPropArgT{1, {{3, 0}, {3, 4}}, {0, nullptr}, pv})},
        {1303, args(1303, ApiVxSetTextPropsArgT{1, {{3, 0}, {3, 4}}, pvs})},
        {1072, args(1072, ApiVxGetPropArgT{1, 2, {0, name}})},
        {1300, args(1300, ApiVxGetTextPropArgT{1, {3, 1}, {0, name}})},
        {1082, args(1082, ApiVxGetPropArgT{1, 2, {0, name}})},
    };
    for (const auto &[proc, whole] : cases) {
        for (size_t cut = 0; cut < whole.size(); cut += 4)
            EXPECT_NE(statusOf(store.answer(proc, Bytes(whole.begin(), whole.begin() + long(cut)))), 0) << proc;
        EXPECT_EQ(statusOf(store.answer(proc, whole)), 0) << proc;
    }
    EXPECT_EQ(store.size(), 1u);  // one name on object 2 and on the text of object 3; the deletion took the first
}

// Writes that would pass the byte budget are refused; a write that
// replaces with no more bytes, and a delete, still work.
TEST(GenericStore, StoredValuesStayWithinTheByteBudget)
{
    PropertyStore store;
    std::string big(4u << 20, 'v');
    auto set = [&](int32_t num) { return statusOf(store.answer(1071, args(1071, ApiVxSetStringArgT{1, 2, {num, nullptr}, big.data()}))); };
    int32_t num = 1;
    while (set(num) == st::kOk) {
        ASSERT_LE(store.bytes(), PropertyStore::kMaxBytes);
        ASSERT_LT(size_t(++num), PropertyStore::kMaxBytes / big.size() + 2);
    }
    EXPECT_EQ(set(num) * 10 + set(1), st::kLimit * 10);
    EXPECT_EQ(store.size(), size_t(num - 1));
    EXPECT_EQ(statusOf(store.answer(1082, args(1082, ApiVxGetPropArgT{1, 2, {2, nullptr}}))), 0);
    EXPECT_EQ(set(num), st::kOk);
    store.clear();
    EXPECT_EQ(store.bytes(), 0u);
}

struct Generic {
    vxhost::Host host;
    GenericHost generic{host};
    // The generic answer to 1051 (find) or 1053 (make) for that name.
    ApiVxObjRetT named(uint32_t proc, uint32_t doc, int32_t type, std::string name)
    {
        ApiVxNewNamedObjArgT arg{doc, type, name.data()};
        ApiVxObjRetT r{};
        vxhost::HostCall c{*api_proc_find(proc), nullptr, &arg, &r};
        generic.answer(c);
        return r;
    }
};

// Named objects of the types the model does not keep: found once made,
// apart per document and type, and bounded in size and number.
TEST(GenericHost, NamedObjectsWithinBounds)
{
    Generic g;
    ApiVxObjRetT missing = g.named(1051, 1, 900, "Table");
    EXPECT_EQ(missing.status * 10 + int(missing.objId), st::kNoSuchName * 10);
    ApiVxObjRetT made = g.named(1053, 1, 900, "Table");
    ASSERT_TRUE(made.status == 0 && made.objId != 0);
    EXPECT_EQ(g.named(1053, 1, 900, "Table").objId, made.objId);  // made again: the same one
    EXPECT_EQ(g.named(1051, 1, 900, "Table").objId, made.objId);
    EXPECT_NE(g.named(1053, 2, 900, "Table").objId, made.objId);  // another document or type: another object
    EXPECT_NE(g.named(1053, 1, 901, "Table").objId, made.objId);
    ApiVxObjRetT huge = g.named(1053, 1, 900, std::string(GenericHost::kMaxNamedBytes + 1, 'x'));
    EXPECT_EQ(huge.status * 10 + int(huge.objId), st::kLimit * 10);
    for (size_t i = 3; i < GenericHost::kMaxNamedObjects; ++i)
        ASSERT_EQ(g.named(1053, 3, 900, std::to_string(i)).status, 0) << i;
    ApiVxObjRetT refused = g.named(1053, 3, 900, "one more");
    EXPECT_EQ(refused.status * 10 + int(refused.objId), st::kLimit * 10);
    EXPECT_EQ(g.named(1053, 1, 900, "Table").objId, made.objId);  // known ones are still found
    EXPECT_EQ(g.named(1051, 3, 900, "one more").status, st::kNoSuchName);
}

}  // namespace
