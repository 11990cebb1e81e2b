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

}  // namespace
