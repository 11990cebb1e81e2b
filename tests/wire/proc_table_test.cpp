// The procedure table, every codec it names, and the stubs over a real
// loopback RPC connection to a small server driven by the same table.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <sys/select.h>
#include <sys/socket.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <regex>
#include <set>
#include <string>
#include <thread>

#include "vapi/procs.h"
#include "wire_util.hpp"
#include "proctable.h"

namespace {

// Runs a table codec from libtirpc's side, the way clnt_call and svc do.
bool run_codec(XDR *xdrs, xdrproc_t codec, void *obj, uint32_t size)
{
    return xdr_vector(xdrs, static_cast<char *>(obj), 1, size, codec);
}

TEST(ProcTable, RowsAreCompleteAndOrdered)
{
    ASSERT_EQ(api_proc_count, 177u);
    const std::regex stubName("(old_)?api_[a-z0-9_]+_1");
    std::set<std::string> names;
    for (uint32_t i = 0; i < api_proc_count; ++i) {
        const ApiProcT &row = api_procs[i];
        SCOPED_TRACE(row.stubName);
        EXPECT_TRUE(row.num >= 1000 && row.num <= 1415);
        if (i > 0) {
            EXPECT_LT(api_procs[i - 1].num, row.num);
        }
        EXPECT_TRUE(std::regex_match(row.stubName, stubName));
        EXPECT_TRUE(names.insert(row.stubName).second);
        EXPECT_NE(row.argCodec, nullptr);
        EXPECT_NE(row.resCodec, nullptr);
        EXPECT_EQ(api_proc_find(row.num), &row);
    }
    for (uint32_t unused : {0u, 999u, 1056u, 1057u, 1094u, 1107u, 1110u, 1416u})
        EXPECT_EQ(api_proc_find(unused), nullptr) << unused;
}

TEST(ProcTable, SpotChecksOfNamesAndSizes)
{
    const ApiProcT *getInt = api_proc_find(1064);
    ASSERT_NE(getInt, nullptr);
    EXPECT_STREQ(getInt->stubName, "api_vx_get_int_1");
    EXPECT_EQ(getInt->argSize, sizeof(ApiVxGetPropArgT));
    EXPECT_EQ(getInt->resSize, sizeof(ApiVxGetIntRetT));
    EXPECT_STREQ(api_proc_find(1012)->stubName, "old_api_vx_choose_file_1");
    EXPECT_STREQ(api_proc_find(1341)->stubName, "api_client_name_1");
    EXPECT_STREQ(api_proc_find(1341)->resType, "StringT");
    EXPECT_STREQ(api_proc_find(1415)->argType, "ApiVxChangeColorPaletteArgT");
    const ApiProcT *over = api_proc_find(1002);
    EXPECT_STREQ(over->stubName, "api_vx_over_1");
    EXPECT_EQ(over->argSize, sizeof(int));
    EXPECT_EQ(over->resSize, 1u);  // void: one byte
}

// Each codec of the table codes a cleared record of the size the table
// gives, decodes it back to the same bytes, and frees the decoded copy.
TEST(ProcTable, EveryCodecRoundTripsAClearedRecord)
{
    for (uint32_t i = 0; i < api_proc_count; ++i) {
        const ApiProcT &row = api_procs[i];
        for (auto [codec, size] : {std::pair{row.argCodec, row.argSize}, std::pair{row.resCodec, row.resSize}}) {
            SCOPED_TRACE(row.stubName);
            void *zero = std::calloc(1, size), *back = std::calloc(1, size);
            char buf[1024], again[1024];
            XDR enc, dec, re;
            xdrmem_create(&enc, buf, sizeof buf, XDR_ENCODE);
            ASSERT_TRUE(run_codec(&enc, codec, zero, size));
            u_int len = xdr_getpos(&enc);
            xdrmem_create(&dec, buf, len, XDR_DECODE);
            ASSERT_TRUE(run_codec(&dec, codec, back, size));
            EXPECT_EQ(xdr_getpos(&dec), len);
            xdrmem_create(&re, again, sizeof again, XDR_ENCODE);
            ASSERT_TRUE(run_codec(&re, codec, back, size));
            EXPECT_EQ(std::string(buf, len), std::string(again, xdr_getpos(&re)));
            api_xdrfree(codec, back);
            std::free(zero);
            std::free(back);
        }
    }
}

// A host stand-in on loopback: decodes every call through the table and
// lets the test answer it.
class LoopbackHost {
public:
    using Handler = std::function<void(uint32_t num, void *args, SVCXPRT *xprt)>;
    static constexpr rpcprog_t kProg = 0x5EEDF00D;

    explicit LoopbackHost(Handler handler)
    {
        current = this;
        handler_ = std::move(handler);
        xprt_ = svctcp_create(RPC_ANYSOCK, 0, 0);
        // Protocol 0: served here only, not registered with the port mapper.
        svc_register(xprt_, kProg, 1, dispatch, 0);
        port_ = xprt_->xp_port;
        thread_ = std::thread([this] {
            while (!stop_) {
                fd_set fds = svc_fdset;
                timeval tick{0, 20000};
                if (select(FD_SETSIZE, &fds, nullptr, nullptr, &tick) > 0)
                    svc_getreqset(&fds);
            }
            // Hang up on every client: each connection reads its end of
            // file and destroys its transport.
            fd_set conns = svc_fdset;
            FD_CLR(xprt_->xp_fd, &conns);
            for (int fd = 0; fd < FD_SETSIZE; ++fd)
                if (FD_ISSET(fd, &conns))
                    shutdown(fd, SHUT_RDWR);
            svc_getreqset(&conns);
            svc_unregister(kProg, 1);
            svc_destroy(xprt_);
        });
    }
    ~LoopbackHost()
    {
        stop_ = true;
        thread_.join();
        current = nullptr;
    }
    CLIENT *connect() const
    {
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_port = htons(port_);
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        int sock = RPC_ANYSOCK;
        CLIENT *clnt = clnttcp_create(&addr, kProg, 1, &sock, 0, 0);
        timeval limit{5, 0};
        if (clnt != nullptr)
            clnt_control(clnt, CLSET_TIMEOUT, reinterpret_cast<char *>(&limit));
        return clnt;
    }

private:
    static void dispatch(svc_req *req, SVCXPRT *xprt)
    {
        const ApiProcT *row = api_proc_find(req->rq_proc);
        if (row == nullptr) {
            svcerr_noproc(xprt);
            return;
        }
        void *args = std::calloc(1, row->argSize);
        if (!svc_getargs(xprt, row->argCodec, static_cast<char *>(args)))
            svcerr_decode(xprt);
        else
            current->handler_(row->num, args, xprt);
        svc_freeargs(xprt, row->argCodec, static_cast<char *>(args));
        std::free(args);
    }

    static inline LoopbackHost *current = nullptr;
    Handler handler_;
    SVCXPRT *xprt_ = nullptr;
    uint16_t port_ = 0;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

char kHello[] = "hello";

// Answers a call with the procedure's own result codec.
void reply(SVCXPRT *xprt, uint32_t num, void *result)
{
    svc_sendreply(xprt, api_proc_find(num)->resCodec, static_cast<char *>(result));
}

// A reply the client cannot decode: a string list claiming four billion entries.
bool_t huge_list(XDR *xdrs, void *)
{
    u_int status = 0, count = UINT32_MAX;
    return xdr_u_int(xdrs, &status) && xdr_u_int(xdrs, &count);
}

// A reply that ends half-way: two strings announced, one sent. What the
// client decoded before it noticed must not leak.
bool_t half_list(XDR *xdrs, void *)
{
    u_int status = 0, count = 2;
    char *one = kHello;
    return xdr_u_int(xdrs, &status) && xdr_u_int(xdrs, &count) && xdr_wrapstring(xdrs, &one);
}

TEST(Stubs, CallAndAnswerOverLoopback)
{
    std::string seenName = "unset";
    int32_t propNum = 0;
    LoopbackHost host([&](uint32_t num, void *args, SVCXPRT *xprt) {
        switch (num) {
        case 1002: reply(xprt, num, nullptr); break;
        case 1051: {
            seenName = static_cast<ApiVxGetNamedObjArgT *>(args)->name;
            ApiVxObjRetT ret{0, 42};
            reply(xprt, num, &ret);
            break;
        }
        case 1060: {
            // Named on the first call, numbered on the second.
            ApiVxGetPropRetT ret{0, {{propNum, propNum == 0 ? kHello : nullptr}, {1, {}}}};
            reply(xprt, num, &ret);
            break;
        }
        case 1341: {
            StringT name = kHello;
            reply(xprt, num, &name);
            break;
        }
        case 1343: reply(xprt, num, nullptr); break;
        case 1072: svc_sendreply(xprt, reinterpret_cast<xdrproc_t>(huge_list), nullptr); break;
        case 1378: svc_sendreply(xprt, reinterpret_cast<xdrproc_t>(half_list), nullptr); break;
        default: svcerr_noproc(xprt);
        }
    });
    CLIENT *clnt = host.connect();
    ASSERT_NE(clnt, nullptr);

    int zero = 0;
    EXPECT_NE(api_vx_over_1(&zero, clnt), nullptr);  // void result, still an address
    EXPECT_NE(api_vx_take_control_1(nullptr, clnt), nullptr);  // nothing either way

    // No argument data, a bare string as the result.
    StringT *clientName = api_client_name_1(nullptr, clnt);
    ASSERT_NE(clientName, nullptr);
    EXPECT_STREQ(*clientName, "hello");
    api_xdrfree(api_proc_find(1341)->resCodec, clientName);
    EXPECT_EQ(*clientName, nullptr);

    ApiVxGetNamedObjArgT named{0, 55, nullptr};
    ApiVxObjRetT *obj = api_vx_get_named_object_1(&named, clnt);
    ASSERT_NE(obj, nullptr);
    EXPECT_EQ(obj->objId, 42u);
    EXPECT_EQ(seenName, "");  // a null string travels as ""

    // The buffer is cleared before each call: a name from the first answer
    // does not survive into a second answer that carries none.
    ApiVxGetPropArgT get{1, 2, {20, nullptr}};
    ApiVxGetPropRetT *first = api_vx_get_prop_1(&get, clnt);
    ASSERT_NE(first, nullptr);
    char *stale = first->propVal.ident.propName;
    ASSERT_STREQ(stale, "hello");
    std::free(stale);  // released by hand: the field still points at it
    propNum = 7;
    ApiVxGetPropRetT *second = api_vx_get_prop_1(&get, clnt);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->propVal.ident.propNum, 7);
    EXPECT_EQ(second->propVal.ident.propName, nullptr);
    api_xdrfree(api_proc_find(1060)->resCodec, second);

    EXPECT_EQ(api_vx_get_strings_1(&get, clnt), nullptr);  // undecodable answer
    EXPECT_EQ(api_vx_get_supported_encodings_1(nullptr, clnt), nullptr);  // cut short
    EXPECT_EQ(api_vx_get_int_1(nullptr, clnt), nullptr);                   // no argument
    EXPECT_EQ(api_vx_get_string_1(&get, clnt), nullptr);   // refused by the host
    clnt_destroy(clnt);
}

TEST(Stubs, NoHostMeansNull)
{
    int zero = 0;
    EXPECT_EQ(api_vx_over_1(&zero, nullptr), nullptr);
    api_xdrfree(api_proc_find(1064)->resCodec, nullptr);  // harmless

    CLIENT *clnt;
    {
        LoopbackHost host([](uint32_t, void *, SVCXPRT *xprt) { svcerr_systemerr(xprt); });
        clnt = host.connect();
        ASSERT_NE(clnt, nullptr);
        EXPECT_EQ(api_client_number_1(nullptr, clnt), nullptr);
    }
    // The host is gone: the connection fails.
    EXPECT_EQ(api_client_number_1(nullptr, clnt), nullptr);
    clnt_destroy(clnt);
}

} // namespace
