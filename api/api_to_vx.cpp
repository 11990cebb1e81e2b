// The host procedure stubs and the procedure table, both derived from
// VAPI_PROCEDURES.
#include "vapi/procs.h"

#include "proctable.h"

#include "codec.hpp"

#include <algorithm>
#include <cstring>
#include <type_traits>

namespace {

using vapi::wire::as_proc;

// The handle's own time-out (set at connection) takes precedence.
struct timeval TIMEOUT = {25, 0};

// In-memory type of an argument or result; a void one is a single byte.
template <class T> struct Slot { using type = T; };
template <> struct Slot<void> { using type = char; };
template <class T> using slot_t = typename Slot<T>::type;

// One call into the stub's result buffer. A missing argument fails the call,
// unless the procedure sends no argument data.
void *call(CLIENT *clnt, u_int num, xdrproc_t argCodec, void *argp, bool argless,
           xdrproc_t resCodec, void *res, std::size_t size)
{
    std::memset(res, 0, size);
    if (clnt != nullptr && (argp != nullptr || argless) &&
        clnt_call(clnt, num, argCodec, static_cast<caddr_t>(argp), resCodec,
                  static_cast<caddr_t>(res), TIMEOUT) == RPC_SUCCESS)
        return res;
    // A reply that failed half-way through decoding may hold allocations.
    xdr_free(resCodec, static_cast<char *>(res));
    std::memset(res, 0, size);
    return nullptr;
}

} // namespace

#define VAPI_DEFINE_STUB(num, stub, A, R)                                     \
    extern "C" R *stub(A *argp, CLIENT *clnt)                                 \
    {                                                                         \
        static slot_t<R> res;                                                 \
        return static_cast<R *>(call(clnt, num, as_proc(xdr_##A), argp,       \
                                     std::is_void_v<A>, as_proc(xdr_##R),     \
                                     &res, sizeof res));                      \
    }
VAPI_PROCEDURES(VAPI_DEFINE_STUB)

extern "C" void api_xdrfree(xdrproc_t codec, void *result)
{
    if (codec != nullptr && result != nullptr)
        xdr_free(codec, static_cast<char *>(result));
}

#define VAPI_TABLE_ROW(num, stub, A, R)                                       \
    {num, #stub, as_proc(xdr_##A), as_proc(xdr_##R), #A, #R,                  \
     sizeof(slot_t<A>), sizeof(slot_t<R>)},
extern "C" const ApiProcT api_procs[] = {VAPI_PROCEDURES(VAPI_TABLE_ROW)};
extern "C" const uint32_t api_proc_count = sizeof api_procs / sizeof api_procs[0];

extern "C" const ApiProcT *api_proc_find(uint32_t num)
{
    const ApiProcT *end = api_procs + api_proc_count;
    const ApiProcT *row = std::lower_bound(api_procs, end, num,
                                           [](const ApiProcT &p, uint32_t n) { return p.num < n; });
    return row != end && row->num == num ? row : nullptr;
}
