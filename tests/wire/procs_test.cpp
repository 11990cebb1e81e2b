// The procedure table and every codec it names, run from libtirpc's side.
#include "wire.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>
#include <set>
#include <string>

#include "proctable.h"
#include "vapi/procs.h"
#include "runtime_internal.h"
#include "vapi/runtime.h"

namespace {

// Runs a table codec the way clnt_call and svc do.
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
    EXPECT_EQ(getInt->argSize * 100 + getInt->resSize, sizeof(ApiVxGetPropArgT) * 100 + sizeof(ApiVxGetIntRetT));
    EXPECT_EQ(over->argSize * 100 + over->resSize, sizeof(int) * 100 + 1);  // void: one byte
    api_xdrfree(getInt->resCodec, nullptr);  // harmless
}

}  // namespace
