// The stand-in host's generic property store on its own: what it answers to
// the wire form of each property procedure, including arguments that a
// broken or hostile client cuts short.
#include "generic_host.h"
#include "generic_store.h"

#include "document_types.h"
#include "vapi/apistruct.h"
#include "vapi/procs.h"
#include "proctable.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace {

using vxhost::generic::Bytes;
using vxhost::generic::PropertyStore;

template <class A>
Bytes args(uint32_t proc, A record)
{
    return vxhost::generic::encode(api_proc_find(proc)->argCodec, &record);
}

// The result of `proc` decoded into R; the caller frees it with `codec`.
template <class R>
R result(uint32_t proc, const Bytes &bytes)
{
    R r{};
    EXPECT_TRUE(vxhost::generic::decode(api_proc_find(proc)->resCodec, bytes, &r));
    return r;
}

int32_t status_of(const Bytes &bytes)
{
    uint32_t wire;
    std::memcpy(&wire, bytes.data(), 4);
    return static_cast<int32_t>(ntohl(wire));
}

TEST(GenericStore, EveryPropertyProcedureRefusesArgumentsCutShort)
{
    PropertyStore store;
    char name[] = "LongPropertyName";
    char text[] = "some text";
    StringT items[] = {text, text};
    V_PropValT pv{{0, name}, {V_TYPE_STRINGS, {}}};
    pv.value.value.stringsVal = {2, items};
    V_PropValsT pvs{1, &pv};
    // One valid argument per record kind; every prefix of it is refused
    // without harm, and the whole of it is accepted.
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
        SCOPED_TRACE(proc);
        for (size_t cut = 0; cut < whole.size(); cut += 4)
            EXPECT_NE(status_of(store.answer(proc, Bytes(whole.begin(), whole.begin() + cut))), 0);
        EXPECT_EQ(status_of(store.answer(proc, whole)), 0);
    }
    // All wrote one name on object 2 and on the text of object 3; the
    // deletion took the first.
    EXPECT_EQ(store.size(), 1u);
}

TEST(GenericStore, KeysSeparateDocumentsObjectsNamesAndText)
{
    PropertyStore store;
    char name[] = "Tag";
    store.answer(1065, args(1065, ApiVxSetIntArgT{1, 2, {5, nullptr}, 10}));
    store.answer(1065, args(1065, ApiVxSetIntArgT{1, 2, {0, name}, 11}));
    store.answer(1065, args(1065, ApiVxSetIntArgT{1, 3, {5, nullptr}, 12}));
    V_TypedValT v{1, {}};
    v.value.intVal = 13;
    store.answer(1299, args(1299, ApiVxSetTextValArgT{1, {{2, 0}, {2, 9}}, {5, nullptr}, v}));

    auto props = result<ApiVxGetPropsRetT>(1062, store.answer(1062, args(1062, ApiVxGeneralObjArgT{1, 2})));
    ASSERT_EQ(props.props.count, 2u);  // by name first, then by number; the text value is apart
    EXPECT_STREQ(props.props.items[0].ident.propName, "Tag");
    EXPECT_EQ(props.props.items[0].value.value.intVal, 11);
    EXPECT_EQ(props.props.items[1].value.value.intVal, 10);
    xdr_free(api_proc_find(1062)->resCodec, reinterpret_cast<char *>(&props));

    auto text = result<ApiVxGetPropsRetT>(1302, store.answer(1302, args(1302, ApiVxGetTextPropsArgT{1, {2, 4}})));
    ASSERT_EQ(text.props.count, 1u);
    EXPECT_EQ(text.props.items[0].value.value.intVal, 13);
    xdr_free(api_proc_find(1302)->resCodec, reinterpret_cast<char *>(&text));

    store.answer(1082, args(1082, ApiVxGetPropArgT{1, 2, {0, name}}));
    auto after = result<ApiVxGetIntRetT>(1064, store.answer(1064, args(1064, ApiVxGetPropArgT{1, 2, {0, name}})));
    EXPECT_EQ(after.status, 0);
    EXPECT_EQ(after.value, 0);  // deleted: reads as never set
}

TEST(GenericStore, ValuesConvertOnlyBetweenIntegerKinds)
{
    PropertyStore store;
    store.answer(1069, args(1069, ApiVxSetMetricArgT{0, 0, {7, nullptr}, -3}));
    auto asInt = result<ApiVxGetIntRetT>(1064, store.answer(1064, args(1064, ApiVxGetPropArgT{0, 0, {7, nullptr}})));
    EXPECT_EQ(asInt.value, -3);
    Bytes asList = store.answer(1092, args(1092, ApiVxGetPropArgT{0, 0, {7, nullptr}}));
    EXPECT_EQ(status_of(asList), vxhost::status::kBadType);
    auto refused = result<ApiVxGetIntsRetT>(1092, asList);  // still a well-formed, empty answer
    EXPECT_EQ(refused.value.count, 0u);

    // A typed element range without a range reads as the zero range.
    V_TypedValT none{V_TYPE_ELEMRANGE, {}};
    store.answer(1099, args(1099, ApiVxSetValArgT{0, 0, {8, nullptr}, none}));
    auto range = result<ApiVxGetElementRangeRetT>(
        1404, store.answer(1404, args(1404, ApiVxGetPropArgT{0, 0, {8, nullptr}})));
    EXPECT_EQ(range.status, 0);
    EXPECT_EQ(range.value.end.offset, 0);
}

// Every procedure of the table, with all-zero arguments, gets a result
// that encodes, and nothing it allocated is left behind.
TEST(GenericHost, AnswersEveryProcedure)
{
    vxhost::Host host;
    vxhost::generic::GenericHost generic(host);
    using Buffer = std::unique_ptr<char, decltype(&std::free)>;
    for (uint32_t i = 0; i < api_proc_count; ++i) {
        const ApiProcT &proc = api_procs[i];
        SCOPED_TRACE(proc.stubName);
        Buffer arguments(static_cast<char *>(std::calloc(1, proc.argSize)), &std::free);
        Buffer result(static_cast<char *>(std::calloc(1, proc.resSize)), &std::free);
        vxhost::HostCall call{proc, nullptr, arguments.get(), result.get()};
        generic.answer(call);
        EXPECT_EQ(call.reply, vxhost::HostCall::Reply::Send);
        EXPECT_FALSE(vxhost::generic::encode(proc.resCodec, result.get()).empty() && proc.resSize > 1);
        xdr_free(proc.resCodec, result.get());
    }
    // Named objects keep their identifier; unknown names are not found.
    ApiVxNewNamedObjArgT named{0, 55, const_cast<char *>("Menu")};
    ApiVxObjRetT made{}, found{}, missing{};
    vxhost::HostCall make{*api_proc_find(1053), nullptr, &named, &made};
    generic.answer(make);
    vxhost::HostCall find{*api_proc_find(1051), nullptr, &named, &found};
    generic.answer(find);
    EXPECT_NE(made.objId, 0u);
    EXPECT_EQ(found.objId, made.objId);
    named.name = const_cast<char *>("Other");
    vxhost::HostCall lookup{*api_proc_find(1051), nullptr, &named, &missing};
    generic.answer(lookup);
    EXPECT_EQ(missing.status, vxhost::status::kNoSuchName);
}

}  // namespace
