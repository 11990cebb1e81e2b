// The result shapes of the host call layer, each written once. A V_Api
// function is its shape, its stub and the argument record its parameters
// fill; the stub's argument and result types and the result's codec come
// from the procedure table.
#ifndef VAPI_APICLIB_H
#define VAPI_APICLIB_H

#include <cstddef>
#include <type_traits>

#include "vapi/api.h"
#include "vapi/apistruct.h"
#include "vapi/procs.h"
#include "vapi/runtime.h"

namespace vapi::shape {

// ---- What the procedure table tells about a stub ----

template <class F>
struct StubSig;
template <class R, class A>
struct StubSig<R *(*)(A *, CLIENT *)> {
    using Ret = R;
    // Procedures without argument data take a dummy int 0.
    using Arg = std::conditional_t<std::is_void_v<A>, int, A>;
};
template <auto Stub>
using ArgOf = typename StubSig<decltype(Stub)>::Arg;
template <auto Stub>
using RetOf = typename StubSig<decltype(Stub)>::Ret;

template <class F>
inline xdrproc_t as_proc(F *codec)
{
    return reinterpret_cast<xdrproc_t>(reinterpret_cast<void (*)(void)>(codec));
}

template <auto Stub>
xdrproc_t result_codec();
#define VAPI_RESULT_CODEC(num, stub, A, R) \
    template <>                            \
    inline xdrproc_t result_codec<stub>() { return as_proc(xdr_##R); }
VAPI_PROCEDURES(VAPI_RESULT_CODEC)
#undef VAPI_RESULT_CODEC

// ---- One call ----

// Makes the call and owns the decoded result until the end of the scope;
// a failed call has set VA_errno to -1.
template <auto Stub>
class Reply {
public:
    explicit Reply(ArgOf<Stub> arg) : res_(Stub(&arg, vellix_client))
    {
        if (!res_)
            VA_errno = -1;
    }
    ~Reply() { api_xdrfree(result_codec<Stub>(), res_); }
    Reply(const Reply &) = delete;
    Reply &operator=(const Reply &) = delete;

    explicit operator bool() const { return res_ != nullptr; }
    decltype(auto) operator*() const { return *res_; }  // not for void results
    RetOf<Stub> *operator->() const { return res_; }

private:
    RetOf<Stub> *res_;
};

// The host's status: a record's `status` field (not always its first), or a
// bare integer result. A bare string result carries none.
template <class R>
inline int32_t status_of(const R &r) { return r.status; }
inline int32_t status_of(const int &r) { return r; }
inline int32_t status_of(const StringT &) { return 0; }

// Stores a non-zero host status in VA_errno; true when there was one.
template <class R>
inline bool refused(const R &r)
{
    int32_t s = status_of(r);
    if (s)
        VA_errno = s;
    return s != 0;
}

// The answer of a status-and-value record (its second field), or a bare
// string result itself.
template <class R>
inline auto &payload(R &r)
{
    auto &[status, value] = r;
    (void)status;
    return value;
}
inline StringT &payload(StringT &s) { return s; }

// ---- Copies handed to the caller: deep for what holds strings or arrays ----

inline int32_t copy_out(const int32_t &v) { return v; }
inline uint32_t copy_out(const uint32_t &v) { return v; }
inline V_TextLocT copy_out(const V_TextLocT &v) { return v; }
inline V_TextRangeT copy_out(const V_TextRangeT &v) { return v; }
inline V_ElementLocT copy_out(const V_ElementLocT &v) { return v; }
inline V_ElementRangeT copy_out(const V_ElementRangeT &v) { return v; }
inline V_PointT copy_out(const V_PointT &v) { return v; }
inline RectT copy_out(const RectT &v) { return v; }
inline StringT copy_out(const StringT &v) { return V_ApiCopyString(v); }
inline V_StringsT copy_out(const V_StringsT &v) { return V_ApiCopyStrings(&v); }
inline V_MetricsT copy_out(const V_MetricsT &v) { return V_ApiCopyMetrics(&v); }
inline V_IntsT copy_out(const V_IntsT &v) { return V_ApiCopyInts(&v); }
inline V_PointsT copy_out(const V_PointsT &v) { return V_ApiCopyPoints(&v); }
inline V_TabsT copy_out(const V_TabsT &v) { return V_ApiCopyTabs(&v); }
inline V_UBytesT copy_out(const V_UBytesT &v) { return V_ApiCopyUBytes(&v); }
inline V_FontsT copy_out(const V_FontsT &v) { return V_ApiCopyFonts(&v); }
inline V_CombinedFontsT copy_out(const V_CombinedFontsT &v) { return V_ApiCopyCombinedFonts(&v); }
inline V_ElementCatalogEntriesT copy_out(const V_ElementCatalogEntriesT &v)
{
    return V_ApiCopyElementCatalogEntries(&v);
}
inline V_AttributeDefsT copy_out(const V_AttributeDefsT &v) { return V_ApiCopyAttributeDefs(&v); }
inline V_AttributesT copy_out(const V_AttributesT &v) { return V_ApiCopyAttributes(&v); }
inline V_TypedValT copy_out(const V_TypedValT &v) { return V_ApiCopyVal(&v); }
inline V_PropValT copy_out(const V_PropValT &v) { return V_ApiCopyPropVal(&v); }
inline V_PropValsT copy_out(const V_PropValsT &v) { return V_ApiCopyPropVals(&v); }
inline TextItemsT copy_out(const TextItemsT &v) { return V_ApiCopyTextItems(&v); }

// The field a wrapper reads: the payload by default, else a named member.
template <auto Field, class R>
inline auto &field_of(R &r)
{
    if constexpr (std::is_null_pointer_v<decltype(Field)>)
        return payload(r);
    else
        return r.*Field;
}
template <auto Stub, auto Field>
using ValueOf = decltype(copy_out(field_of<Field>(std::declval<RetOf<Stub> &>())));

// ---- Arguments ----

inline StringT str(const char *s) { return const_cast<StringT>(s); }
// A record passed by pointer travels as a shallow copy; null as the zero record.
template <class T>
inline T val(const T *p) { return p ? *p : T{}; }
// A single property value as its argument record holds it.
inline StringT wire(const char *s) { return str(s); }
inline int32_t wire(int32_t v) { return v; }
inline uint32_t wire(uint32_t v) { return v; }
inline V_PropIdentT num(int32_t propNum) { return V_PropIdentT{propNum, nullptr}; }
inline V_PropIdentT name(const char *propName) { return V_PropIdentT{0, str(propName)}; }

// ---- The shapes ----

// Status: the host's status, stored in VA_errno when non-zero; `failed`
// (normally -1) when the call failed.
template <auto Stub>
int32_t status(ArgOf<Stub> arg, int32_t failed = -1)
{
    Reply<Stub> r(arg);
    if (!r)
        return failed;
    refused(*r);
    return status_of(*r);
}

// Void: as Status, without a result.
template <auto Stub>
void none(ArgOf<Stub> arg) { status<Stub>(arg); }

// Plain: the host's integer answer, never stored in VA_errno.
template <auto Stub>
int32_t plain(ArgOf<Stub> arg, int32_t failed = -1)
{
    Reply<Stub> r(arg);
    return r ? *r : failed;
}

// Record: a copy of one field that the caller owns; on any failure a copy
// of `zero`, the wrapper's own never-written zero record.
template <auto Stub, auto Field = nullptr>
ValueOf<Stub, Field> record(ArgOf<Stub> arg, const ValueOf<Stub, Field> &zero)
{
    Reply<Stub> r(arg);
    if (!r || refused(*r))
        return zero;
    return copy_out(field_of<Field>(*r));
}

// Value and String: as Record, failing with `failed` (0 or null unless the
// wrapper says otherwise).
template <auto Stub, auto Field = nullptr>
ValueOf<Stub, Field> read(ArgOf<Stub> arg, ValueOf<Stub, Field> failed = {})
{
    static_assert(std::is_scalar_v<ValueOf<Stub, Field>>, "a record comes back through record<>");
    return record<Stub, Field>(arg, failed);
}

// Prompt: 0 with a copy of the answer stored through `answer`; -1 when the
// call failed (VA_errno -1) or the user cancelled (VA_errno untouched).
// The answer is left alone in both cases.
template <auto Stub, class Out>
int32_t prompt(Out *answer, ArgOf<Stub> arg)
{
    Reply<Stub> r(arg);
    if (!r || status_of(*r) != 0)
        return -1;
    if (answer)
        *answer = copy_out(payload(*r));
    return 0;
}

// Document: the host's return parameters, whatever its status, replace the
// list that *holder points to and are kept in this operation's own list,
// at which *holder then points. A failed call leaves the holder alone.
template <auto Stub>
V_PropValsT sretval{};

struct DocReply {
    bool answered;
    int32_t status;
    uint32_t value;
};

template <auto Stub, auto Value = nullptr>
DocReply document(V_PropValsT **holder, ArgOf<Stub> arg)
{
    Reply<Stub> r(arg);
    if (!r)
        return {false, -1, 0};
    refused(*r);
    V_PropValsT &kept = sretval<Stub>;
    if (holder && *holder != &kept)
        V_ApiDeallocatePropVals(*holder);
    // Our own previous list goes too, even when the caller no longer points
    // at it: it would otherwise be lost.
    V_ApiDeallocatePropVals(&kept);
    kept = V_ApiCopyPropVals(r->retProps);
    if (holder)
        *holder = &kept;
    uint32_t value = 0;
    if constexpr (!std::is_null_pointer_v<decltype(Value)>)
        value = r->status ? 0 : (*r).*Value;
    return {true, r->status, value};
}

}  // namespace vapi::shape

#endif
