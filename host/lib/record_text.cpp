#include "record_text.h"

#include "codec.hpp"
#include "record_fields.h"
#include "shown_text.h"
#include "xdr_text.h"

#include "callbacks.h"
#include "proctable.h"
#include "vapi/codecs.h"

#include <cstddef>
#include <type_traits>
#include <unordered_map>

namespace vxhost {
namespace {

using vapi::wire::detail::fields;
using vapi::wire::detail::IsList;

// A long list shows its first items and how many more there are.
constexpr uint32_t kListItemsShown = 16;

template <class T>
constexpr const char *kName = "";
// Only the records a procedure or callback carries are looked up by name.
#define VXHOST_NAME_OF(R) \
    template <> \
    [[maybe_unused]] constexpr const char *kName<R> = #R;
#define VXHOST_CALLBACK_RECORDS(X) \
    X(VxApiInitArgT) X(VxApiCommandArgT) X(VxApiNotifyArgT) X(Vx4ApiNotifyArgT) X(VxApiMessageArgT) \
    X(VxApiDialogEventArgT)
VAPI_SHARED_RECORDS(VXHOST_NAME_OF)
VAPI_PROC_RECORDS(VXHOST_NAME_OF)
VXHOST_CALLBACK_RECORDS(VXHOST_NAME_OF)

// Records whose wire form is not their plain field sequence: their own
// codec tells what travels.
template <class T>
constexpr bool kIrregular =
    std::is_same_v<T, V_PropIdentT> || std::is_same_v<T, V_TypedValT> || std::is_same_v<T, TextItemDataT>;

template <class T>
xdrproc_t codec_of()
{
    if constexpr (std::is_same_v<T, V_PropIdentT>) return vapi_codec(xdr_V_PropIdentT);
    else if constexpr (std::is_same_v<T, V_TypedValT>) return vapi_codec(xdr_V_TypedValT);
    else return vapi_codec(xdr_TextItemDataT);
}

template <class T>
void put(std::string &out, const T &value, bool braces = true);

template <class L>
void put_list(std::string &out, const L &list)
{
    out += '[';
    uint32_t shown = list.items == nullptr ? 0 : list.count < kListItemsShown ? list.count : kListItemsShown;
    for (uint32_t i = 0; i < shown; ++i) {
        if (i != 0)
            out += ", ";
        put(out, list.items[i]);
    }
    if (list.items != nullptr && list.count > shown)
        out += ", ... " + std::to_string(list.count - shown) + " more";
    out += ']';
}

template <class R>
void put_record(std::string &out, const R &record, bool braces)
{
    const auto &names = record_fields(kName<R>);
    auto all = fields(const_cast<R &>(record));
    bool named = names.size() == std::tuple_size_v<decltype(all)>;
    size_t at = 0;
    if (braces)
        out += '{';
    std::apply(
        [&](const auto &...field) {
            ((out += at == 0 ? "" : ", ", out += named ? names[at] + "=" : "", put(out, field), ++at), ...);
        },
        all);
    if (braces)
        out += '}';
}

template <class T>
void put(std::string &out, const T &value, bool braces)
{
    if constexpr (std::is_same_v<T, int32_t> || std::is_same_v<T, uint32_t>)
        out += std::to_string(value);
    else if constexpr (std::is_same_v<T, uint8_t>)
        out += std::to_string(static_cast<unsigned>(value));
    else if constexpr (std::is_same_v<T, StringT>)
        out += quoted(value != nullptr ? value : "");  // null travels as ""
    else if constexpr (std::is_pointer_v<T>)
        value != nullptr ? put(out, *value) : void(out += "null");
    else if constexpr (kIrregular<T>) {
        std::string text = xdr_text(codec_of<T>(), const_cast<T *>(&value));
        out += text.find(", ") == std::string::npos ? text : '{' + text + '}';
    }
    else if constexpr (IsList<T>::value)
        put_list(out, value);
    else
        put_record(out, value, braces);
}

using Printer = void (*)(std::string &, const void *);
using StatusOf = int32_t *(*)(void *);

template <class T>
void print(std::string &out, const void *record)
{
    put(out, *static_cast<const T *>(record), false);
}

template <class R>
int32_t *status_of(void *record)
{
    const auto &names = record_fields(kName<R>);
    auto all = fields(*static_cast<R *>(record));
    int32_t *found = nullptr;
    size_t at = 0;
    std::apply(
        [&](auto &...field) {
            auto check = [&](auto &f) {
                if constexpr (std::is_same_v<std::decay_t<decltype(f)>, int32_t>)
                    if (at < names.size() && names[at] == "status")
                        found = &f;
                ++at;
            };
            (check(field), ...);
        },
        all);
    return found;
}

struct Kind {
    Printer print;
    StatusOf status;
};

const std::unordered_map<std::string, Kind> &kinds()
{
    static const std::unordered_map<std::string, Kind> table = [] {
        std::unordered_map<std::string, Kind> t;
        t["int"] = {print<int32_t>, [](void *r) { return static_cast<int32_t *>(r); }};
        t["StringT"] = {print<StringT>, [](void *) -> int32_t * { return nullptr; }};
#define VXHOST_KIND(R) t[#R] = {print<R>, status_of<R>};
        VAPI_PROC_RECORDS(VXHOST_KIND)
        VXHOST_CALLBACK_RECORDS(VXHOST_KIND)
#undef VXHOST_KIND
        return t;
    }();
    return table;
}

}  // namespace

std::string record_text(const char *type, const void *record)
{
    std::string out;
    if (std::string(type) == "void")
        return out;
    auto kind = kinds().find(type);
    if (kind == kinds().end() || record == nullptr)
        return "?";
    kind->second.print(out, record);
    return out;
}

int32_t *status_field(const char *type, void *record)
{
    auto kind = kinds().find(type);
    return kind == kinds().end() || record == nullptr ? nullptr : kind->second.status(record);
}

}  // namespace vxhost
