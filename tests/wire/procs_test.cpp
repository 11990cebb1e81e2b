// The procedure table, every codec it names, and the stubs over real RPC to
// a stand-in host whose answers the test scripts.
#include "client_under_host.h"
#include "wire.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>
#include <set>
#include <string>

#include "vapi/procs.h"
#include "runtime_internal.h"
#include "vapi/runtime.h"

namespace {

using namespace lindrel_test;

// Runs a table codec from libtirpc's side, the way clnt_call and svc do.
bool run(XDR *xdrs, xdrproc_t codec, void *obj, uint32_t size) { return xdr_vector(xdrs, static_cast<char *>(obj), 1, size, codec); }

TEST(ProcTable, RowsAreCompleteOrderedAndTheirCodecsRoundTrip)
{
    ASSERT_EQ(api_proc_count, 177u);
    const std::regex stubName("(old_)?api_[a-z0-9_]+_1");
    std::set<std::string> names;
    for (uint32_t i = 0; i < api_proc_count; ++i) {
        const ApiProcT &row = api_procs[i];
        SCOPED_TRACE(row.stubName);
        EXPECT_TRUE(row.num >= 1000 && row.num <= 1415 && (i == 0 || api_procs[i - 1].num < row.num));
        EXPECT_TRUE(std::regex_match(row.stubName, stubName) && names.insert(row.stubName).second);
        EXPECT_EQ(api_proc_find(row.num), &row);
        // A cleared record of the size the table gives codes, decodes back
        // to the same bytes and frees.
        for (auto [codec, size] : {std::pair{row.argCodec, row.argSize}, std::pair{row.resCodec, row.resSize}}) {
            void *zero = std::calloc(1, size), *back = std::calloc(1, size);
            char buf[1024], again[1024];
            XDR enc, dec, re;
            xdrmem_create(&enc, buf, sizeof buf, XDR_ENCODE);
            ASSERT_TRUE(run(&enc, codec, zero, size));
            xdrmem_create(&dec, buf, xdr_getpos(&enc), XDR_DECODE);
            ASSERT_TRUE(run(&dec, codec, back, size) && xdr_getpos(&dec) == xdr_getpos(&enc));
            xdrmem_create(&re, again, sizeof again, XDR_ENCODE);
            ASSERT_TRUE(run(&re, codec, back, size));
            EXPECT_EQ(std::string(buf, xdr_getpos(&enc)), std::string(again, xdr_getpos(&re)));
            api_xdrfree(codec, back);
            std::free(zero);
            std::free(back);
        }
    }
    for (uint32_t unused : {0u, 999u, 1056u, 1057u, 1094u, 1107u, 1110u, 1416u})
        EXPECT_EQ(api_proc_find(unused), nullptr) << unused;
    const ApiProcT *getInt = api_proc_find(1064), *over = api_proc_find(1002);
    EXPECT_STREQ(getInt->stubName, "api_vx_get_int_1");
    EXPECT_EQ(getInt->argSize * 100 + getInt->resSize, sizeof(ApiVxGetPropArgT) * 100 + sizeof(ApiVxGetIntRetT));
    EXPECT_STREQ(api_proc_find(1012)->stubName, "old_api_vx_choose_file_1");
    EXPECT_STREQ(api_proc_find(1341)->resType, "StringT");
    EXPECT_STREQ(api_proc_find(1415)->argType, "ApiVxChangeColorPaletteArgT");
    EXPECT_EQ(over->argSize * 100 + over->resSize, sizeof(int) * 100 + 1);  // void: one byte
}

char kHello[] = "hello";

// Replies the client cannot decode: a list claiming four billion strings,
// and one that announces two strings and sends one.
bool_t hugeList(XDR *xdrs, void *)
{
    u_int status = 0, count = UINT32_MAX;
    return xdr_u_int(xdrs, &status) && xdr_u_int(xdrs, &count);
}
bool_t halfList(XDR *xdrs, void *)
{
    u_int status = 0, count = 2;
    char *one = kHello;
    return xdr_u_int(xdrs, &status) && xdr_u_int(xdrs, &count) && xdr_wrapstring(xdrs, &one);
}

// Each stub makes its call and answers from its own buffer, cleared before
// each call; any failure is a null answer, and what it decoded is freed.
TEST(Stubs, CallAndAnswerOverRealRpc)
{
    HostChild host([](vxhost::Host &h, vxhost::generic::GenericHost &g) {
        g.script_record(1341, StringT(kHello));
        g.script_record(1060, ApiVxGetPropRetT{0, {{0, kHello}, {1, {}}}});  // named first, then numbered
        g.script_record(1060, ApiVxGetPropRetT{0, {{7, nullptr}, {1, {}}}});
        for (auto [proc, reply] : {std::pair(1072u, hugeList), std::pair(1378u, halfList)})
            h.on(proc, [reply = reply](vxhost::HostCall &c) {
                c.reply = vxhost::HostCall::Reply::None;
                svc_sendreply(c.request->rq_xprt, reinterpret_cast<xdrproc_t>(reply), nullptr);
            });
        g.script_drop(1070);
    });
    ASSERT_TRUE(host.attached());
    int zero = 0;
    EXPECT_NE(api_vx_over_1(&zero, vellix_client), nullptr);  // void result, still an address
    StringT *clientName = api_client_name_1(nullptr, vellix_client);  // no argument data
    ASSERT_NE(clientName, nullptr);
    EXPECT_STREQ(*clientName, "hello");
    api_xdrfree(api_proc_find(1341)->resCodec, clientName);
    EXPECT_EQ(*clientName, nullptr);
    ApiVxGetNamedObjArgT named{0, 55, nullptr};
    ASSERT_NE(api_vx_get_named_object_1(&named, vellix_client), nullptr);
    EXPECT_EQ(host.args_of("api_vx_get_named_object_1"), "0, 55, 0");  // a null string travels as ""
    ApiVxGetPropArgT get{1, 2, {20, nullptr}};
    ApiVxGetPropRetT *first = api_vx_get_prop_1(&get, vellix_client);
    ASSERT_NE(first, nullptr);
    char *stale = first->propVal.ident.propName;
    ASSERT_STREQ(stale, "hello");
    std::free(stale);  // released by hand: the field still points at it
    ApiVxGetPropRetT *second = api_vx_get_prop_1(&get, vellix_client);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->propVal.ident.propNum, 7);
    EXPECT_EQ(second->propVal.ident.propName, nullptr);
    EXPECT_EQ(api_vx_get_strings_1(&get, vellix_client), nullptr);            // undecodable answer
    EXPECT_EQ(api_vx_get_supported_encodings_1(nullptr, vellix_client), nullptr);  // cut short
    EXPECT_EQ(api_vx_get_int_1(nullptr, vellix_client), nullptr);            // no argument
    EXPECT_EQ(api_vx_get_string_1(&get, vellix_client), nullptr);            // connection dropped
    EXPECT_EQ(api_vx_over_1(&zero, nullptr), nullptr);                       // no host
    api_xdrfree(api_proc_find(1064)->resCodec, nullptr);                     // harmless
}

}  // namespace
