#include "editor_service_wire.h"

#include <cstdlib>
#include <cstring>
#include <type_traits>

namespace vxhost::wire {
namespace {

const int32_t kIntegerType = 1;

template <class T>
T *allocate(size_t count)
{
    return count ? static_cast<T *>(std::calloc(count, sizeof(T))) : nullptr;
}

}  // namespace

StringT copy(const std::string &s)
{
    char *out = static_cast<char *>(std::malloc(s.size() + 1));
    if (out != nullptr)
        std::memcpy(out, s.c_str(), s.size() + 1);
    return out;
}

std::optional<Value> model(const V_TypedValT &w)
{
    switch (w.typeCode) {
    case V_TYPE_STRING: return Value{text(w.value.stringVal)};
    case V_TYPE_TEXTRANGE: return Value{model(w.value.textRangeVal)};
    case V_TYPE_METRICS: case V_TYPE_STRINGS: case V_TYPE_POINTS: case V_TYPE_TABS:
    case V_TYPE_TEXTLOC: case V_TYPE_ELEMCATALOG: case V_TYPE_INTS: case V_TYPE_UBYTES:
    case V_TYPE_UINTS: case V_TYPE_ATTRDEFS: case V_TYPE_ATTRIBUTES: case V_TYPE_ELEMRANGE:
        return std::nullopt;
    default: return Value{w.value.intVal};  // every other code carries an integer
    }
}

V_TypedValT record(const Value &m)
{
    V_TypedValT w{};
    if (const auto *s = std::get_if<std::string>(&m)) {
        w.typeCode = V_TYPE_STRING;
        w.value.stringVal = copy(*s);
    } else if (const auto *r = std::get_if<TextRange>(&m)) {
        w.typeCode = V_TYPE_TEXTRANGE;
        w.value.textRangeVal = record(*r);
    } else {
        w.typeCode = kIntegerType;
        w.value.intVal = std::get<int32_t>(m);
    }
    return w;
}

std::vector<PropVal> model(const V_PropValsT &w)
{
    std::vector<PropVal> out;
    for (uint32_t i = 0; w.items != nullptr && i < w.count; ++i) {
        const V_PropValT &item = w.items[i];
        std::optional<Value> v = model(item.value);
        if (item.ident.propNum != 0 && v)
            out.push_back(PropVal{item.ident.propNum, "", std::move(*v)});
    }
    return out;
}

// A list record of fresh items, each filled from one model value.
template <class List, class Model, class Fill>
List list(const std::vector<Model> &m, Fill fill)
{
    List w{};
    using Item = std::remove_pointer_t<decltype(w.items)>;
    w.items = allocate<Item>(m.size());
    if (w.items == nullptr)
        return w;
    w.count = static_cast<uint32_t>(m.size());
    for (size_t i = 0; i < m.size(); ++i)
        fill(m[i], w.items[i]);
    return w;
}

V_PropValsT record(const std::vector<PropVal> &m)
{
    return list<V_PropValsT>(m, [](const PropVal &p, V_PropValT &w) {
        w.ident.propNum = p.num;
        // The codec neither sends nor frees the name of a numbered property.
        w.ident.propName = p.num == 0 ? copy(p.name) : nullptr;
        w.value = record(p.value);
    });
}

TextItemsT record(const std::vector<TextItem> &m)
{
    return list<TextItemsT>(m, [](const TextItem &t, TextItemT &w) {
        w.offset = t.offset;
        w.data.dataType = t.type;
        if (t.type == kStringItem)
            w.data.text = copy(t.text);
        else
            w.data.number = t.number;
    });
}

}  // namespace vxhost::wire
