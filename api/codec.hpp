// The record codecs, derived from the record declarations themselves.
//
// code<T> codes one value of any wire type: integers, strings, optional
// pointers, lists (any record with `count` and `items`) and records. A record
// is coded field by field in declaration order, the fields found by aggregate
// decomposition, so a record's fields are written once, in its C struct. The
// few records whose wire form is not the plain field sequence have explicit
// specializations (api_to_vx_xdr.cpp).
#ifndef VAPI_CODEC_HPP
#define VAPI_CODEC_HPP

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <tuple>
#include <type_traits>
#include <utility>

#include "vapi/codecs.h"

namespace vapi::wire {

// No block that a peer makes the decoder allocate may exceed the support
// library's block limit.
constexpr std::size_t kBlockLimit = 99999999;

template <class T>
bool_t code(XDR *xdrs, T *objp);

// Records whose wire form is irregular, coded by hand.
template <> bool_t code<V_PropIdentT>(XDR *, V_PropIdentT *);
template <> bool_t code<V_TypedValT>(XDR *, V_TypedValT *);
template <> bool_t code<TextItemDataT>(XDR *, TextItemDataT *);

// Any codec as the libtirpc callback type (which is variadic; the detour
// through void (*)(void) states that the cast is meant).
template <class F>
xdrproc_t as_proc(F *codec)
{
    return reinterpret_cast<xdrproc_t>(reinterpret_cast<void (*)(void)>(codec));
}

namespace detail {

// Converts to any field type: T{AnyField{}, ...} compiles exactly when the
// record has at least that many fields.
struct AnyField {
    template <class T>
    operator T() const;
};

template <class T, class Seq, class = void>
struct Initializable : std::false_type {};
template <class T, std::size_t... I>
struct Initializable<T, std::index_sequence<I...>,
                     std::void_t<decltype(T{(void(I), AnyField{})...})>> : std::true_type {};

constexpr std::size_t kMaxFields = 10;

template <class T, std::size_t N = kMaxFields>
constexpr std::size_t field_count()
{
    if constexpr (N == 0 || Initializable<T, std::make_index_sequence<N>>::value)
        return N;
    else
        return field_count<T, N - 1>();
}

// References to a record's fields, in declaration order.
template <class T>
auto fields(T &r)
{
    constexpr std::size_t n = field_count<T>();
    static_assert(n >= 1 && n <= kMaxFields, "record outside the supported field count");
    if constexpr (n == 1) { auto &[a] = r; return std::tie(a); }
    else if constexpr (n == 2) { auto &[a, b] = r; return std::tie(a, b); }
    else if constexpr (n == 3) { auto &[a, b, c] = r; return std::tie(a, b, c); }
    else if constexpr (n == 4) { auto &[a, b, c, d] = r; return std::tie(a, b, c, d); }
    else if constexpr (n == 5) { auto &[a, b, c, d, e] = r; return std::tie(a, b, c, d, e); }
    else if constexpr (n == 6) { auto &[a, b, c, d, e, f] = r; return std::tie(a, b, c, d, e, f); }
    else if constexpr (n == 7) { auto &[a, b, c, d, e, f, g] = r; return std::tie(a, b, c, d, e, f, g); }
    else if constexpr (n == 8) { auto &[a, b, c, d, e, f, g, h] = r; return std::tie(a, b, c, d, e, f, g, h); }
    else if constexpr (n == 9) { auto &[a, b, c, d, e, f, g, h, i] = r; return std::tie(a, b, c, d, e, f, g, h, i); }
    else { auto &[a, b, c, d, e, f, g, h, i, j] = r; return std::tie(a, b, c, d, e, f, g, h, i, j); }
}

template <class T, class = void>
struct IsList : std::false_type {};
template <class T>
struct IsList<T, std::void_t<decltype(T::count), decltype(T::items)>> : std::true_type {};

// code<T> as the libtirpc callback type, for arrays and optional data.
template <class T>
xdrproc_t proc()
{
    return as_proc(&code<T>);
}

// Decodes a list, growing the array as elements arrive: a count that the
// data does not back costs no more memory than the data itself, and a
// failure leaves `count` at the elements actually started, all of which the
// free direction can release.
template <class L>
bool_t decode_list(XDR *xdrs, L *list)
{
    using Elem = std::remove_pointer_t<decltype(list->items)>;
    u_int count;
    list->count = 0;
    list->items = nullptr;
    if (!xdr_u_int(xdrs, &count) || count > kBlockLimit / sizeof(Elem))
        return FALSE;
    for (u_int i = 0, capacity = 0; i < count; ++i) {
        if (i == capacity) {
            capacity = std::min(count, std::max(16u, capacity * 2));
            void *grown = std::realloc(list->items, capacity * sizeof(Elem));
            if (grown == nullptr)
                return FALSE;
            list->items = static_cast<Elem *>(grown);
            std::memset(list->items + i, 0, (capacity - i) * sizeof(Elem));
        }
        list->count = i + 1;
        if (!code(xdrs, &list->items[i]))
            return FALSE;
    }
    return TRUE;
}

template <class L>
bool_t code_list(XDR *xdrs, L *list)
{
    using Elem = std::remove_pointer_t<decltype(list->items)>;
    if (xdrs->x_op == XDR_DECODE)
        return decode_list(xdrs, list);
    if (xdrs->x_op == XDR_ENCODE && list->items == nullptr) {
        // A missing array is an empty list whatever the count says.
        u_int none = 0;
        return xdr_u_int(xdrs, &none);
    }
    // Only decoding is limited: a list we send may be of any length.
    return xdr_array(xdrs, reinterpret_cast<char **>(&list->items), &list->count,
                     ~0u, sizeof(Elem), proc<Elem>());
}

template <class T>
bool_t code_optional(XDR *xdrs, T **objp)
{
    return xdr_pointer(xdrs, reinterpret_cast<char **>(objp), sizeof(T), proc<T>());
}

} // namespace detail

template <class T>
bool_t code(XDR *xdrs, T *objp)
{
    if constexpr (std::is_same_v<T, int32_t>)
        return xdr_int(xdrs, objp);
    else if constexpr (std::is_same_v<T, uint32_t>)
        return xdr_u_int(xdrs, objp);
    else if constexpr (std::is_same_v<T, uint8_t>)
        return xdr_u_char(xdrs, objp);
    else if constexpr (std::is_same_v<T, StringT>)
        return xdr_StringT(xdrs, objp);
    else if constexpr (std::is_pointer_v<T>)
        return detail::code_optional(xdrs, objp);
    else if constexpr (detail::IsList<T>::value)
        return detail::code_list(xdrs, objp);
    else
        return std::apply([xdrs](auto &...field) { return (code(xdrs, &field) && ...); },
                          detail::fields(*objp));
}

} // namespace vapi::wire

// The C codec of a record, xdr_<Record>, is code<Record>.
#define VAPI_DEFINE_CODEC(R) \
    extern "C" bool_t xdr_##R(XDR *xdrs, R *objp) { return vapi::wire::code(xdrs, objp); }

#endif
