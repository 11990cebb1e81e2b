// The generic property store: which procedure reads or writes what, and the
// wire forms of their answers.
#include "generic_store.h"

#include "document_types.h"
#include "vapi/codecs.h"

#include <algorithm>
#include <climits>

namespace vxhost::generic {
namespace {

enum class Op { Get, Set, GetVal, SetVal, GetProp, SetProp, GetProps, SetProps, Delete };
// How the arguments name what the property belongs to, after the document.
enum class At { Object, TextLoc, TextRange };

// The ids of integer-valued properties travel as type code 4.
constexpr int32_t kIdType = 4;

struct Family {
    uint32_t proc;
    Op op;
    At at;
    int32_t type;  // Get and Set: the type code of the procedure's value
};

constexpr Family kFamilies[] = {
    {1060, Op::GetProp, At::Object, 0},
    {1061, Op::SetProp, At::Object, 0},
    {1062, Op::GetProps, At::Object, 0},
    {1063, Op::SetProps, At::Object, 0},
    {1064, Op::Get, At::Object, 1},
    {1065, Op::Set, At::Object, 1},
    {1066, Op::Get, At::Object, kIdType},
    {1067, Op::Set, At::Object, kIdType},
    {1068, Op::Get, At::Object, 2},
    {1069, Op::Set, At::Object, 2},
    {1070, Op::Get, At::Object, V_TYPE_STRING},
    {1071, Op::Set, At::Object, V_TYPE_STRING},
    {1072, Op::Get, At::Object, V_TYPE_STRINGS},
    {1073, Op::Set, At::Object, V_TYPE_STRINGS},
    {1074, Op::Get, At::Object, V_TYPE_METRICS},
    {1075, Op::Set, At::Object, V_TYPE_METRICS},
    {1076, Op::Get, At::Object, V_TYPE_POINTS},
    {1077, Op::Set, At::Object, V_TYPE_POINTS},
    {1078, Op::Get, At::Object, V_TYPE_TABS},
    {1079, Op::Set, At::Object, V_TYPE_TABS},
    {1082, Op::Delete, At::Object, 0},
    {1083, Op::Get, At::Object, V_TYPE_UBYTES},
    {1084, Op::Set, At::Object, V_TYPE_UBYTES},
    {1092, Op::Get, At::Object, V_TYPE_INTS},
    {1093, Op::Set, At::Object, V_TYPE_INTS},
    {1098, Op::GetVal, At::Object, 0},
    {1099, Op::SetVal, At::Object, 0},
    {1266, Op::Get, At::Object, V_TYPE_TEXTRANGE},
    {1267, Op::Set, At::Object, V_TYPE_TEXTRANGE},
    {1268, Op::Get, At::Object, V_TYPE_TEXTLOC},
    {1269, Op::Set, At::Object, V_TYPE_TEXTLOC},
    {1285, Op::Get, At::Object, V_TYPE_ELEMCATALOG},
    {1298, Op::GetVal, At::TextLoc, 0},
    {1299, Op::SetVal, At::TextRange, 0},
    {1300, Op::GetProp, At::TextLoc, 0},
    {1301, Op::SetProp, At::TextRange, 0},
    {1302, Op::GetProps, At::TextLoc, 0},
    {1303, Op::SetProps, At::TextRange, 0},
    {1400, Op::Get, At::Object, V_TYPE_ATTRDEFS},
    {1401, Op::Set, At::Object, V_TYPE_ATTRDEFS},
    {1402, Op::Get, At::Object, V_TYPE_ATTRIBUTES},
    {1403, Op::Set, At::Object, V_TYPE_ATTRIBUTES},
    {1404, Op::Get, At::Object, V_TYPE_ELEMRANGE},
    {1405, Op::Set, At::Object, V_TYPE_ELEMRANGE},
};

const Family *family_of(uint32_t proc)
{
    for (const Family &f : kFamilies)
        if (f.proc == proc)
            return &f;
    return nullptr;
}

// Every code without an arm of its own carries one integer.
bool int_like(int32_t code)
{
    switch (code) {
    case V_TYPE_STRING: case V_TYPE_METRICS: case V_TYPE_STRINGS: case V_TYPE_POINTS:
    case V_TYPE_TABS: case V_TYPE_TEXTLOC: case V_TYPE_TEXTRANGE: case V_TYPE_ELEMCATALOG:
    case V_TYPE_INTS: case V_TYPE_UBYTES: case V_TYPE_UINTS: case V_TYPE_ATTRDEFS:
    case V_TYPE_ATTRIBUTES: case V_TYPE_ELEMRANGE:
        return false;
    default:
        return true;
    }
}

// Enough zero units for the zero value of any type, surplus being ignored.
const Bytes kZeroValue(64, 0);

template <class R>
xdrproc_t codec(bool_t (*f)(XDR *, R *))
{
    return reinterpret_cast<xdrproc_t>(reinterpret_cast<void (*)(void)>(f));
}
xdrproc_t typed_codec() { return codec(xdr_V_TypedValT); }

struct Ident {
    int32_t num = 0;
    std::string name;
};

bool read_ident(Reader &in, Ident &id)
{
    if (!in.get_int(id.num))
        return false;
    id.name.clear();
    return id.num != 0 || in.get_string(id.name);
}

void put_ident(Bytes &out, const Ident &id)
{
    put_int(out, id.num);
    if (id.num == 0)
        put_string(out, id.name);
}

// The document and what the property belongs to.
bool read_owner(Reader &in, At at, PropKey &key)
{
    int32_t doc = 0, obj = 0, offset = 0;
    bool ok = in.get_int(doc) && in.get_int(obj);
    if (at != At::Object)
        ok = ok && in.get_int(offset);
    if (at == At::TextRange)
        ok = ok && in.get_int(offset) && in.get_int(offset);
    key.doc = static_cast<uint32_t>(doc);
    key.obj = static_cast<uint32_t>(obj);
    key.text = at != At::Object;
    return ok;
}

PropKey with_ident(PropKey key, const Ident &id)
{
    key.num = id.num;
    key.name = id.name;
    return key;
}

// A refusal: the status, and zero for whatever the result holds after it.
Bytes refusal(int32_t status)
{
    Bytes out;
    put_int(out, status);
    put_bytes(out, kZeroValue);
    return out;
}

// A value of the wanted type from what is stored; false when the types
// do not fit.
bool convert(const StoredValue &stored, int32_t wanted, Bytes &out)
{
    if (stored.typeCode == wanted || (int_like(wanted) && int_like(stored.typeCode))) {
        if (wanted != V_TYPE_ELEMRANGE) {
            put_bytes(out, stored.encoding);
            return true;
        }
        // An element range is kept as the optional data of a typed value;
        // the range procedures carry it inline.
        Reader in(stored.encoding);
        int32_t present = 0;
        in.get_int(present);
        put_bytes(out, present ? in.rest() : kZeroValue);
        return true;
    }
    return false;
}

}  // namespace

bool PropertyStore::handles(uint32_t proc) { return family_of(proc) != nullptr; }

const StoredValue *PropertyStore::find(const PropKey &key) const
{
    auto it = values_.find(key);
    return it == values_.end() ? nullptr : &it->second;
}

int32_t PropertyStore::put(const PropKey &key, int32_t typeCode, Bytes encoding)
{
    // Only a whole value of its type is kept: what reads it back must decode.
    Bytes typed, used;
    put_int(typed, typeCode);
    put_bytes(typed, encoding);
    Reader check(typed);
    if (!check.take(typed_codec(), sizeof(V_TypedValT), used) || used.size() != typed.size())
        return status::kBadValue;
    auto it = values_.find(key);
    size_t now = it == values_.end() ? 0 : key.name.size() + it->second.encoding.size();
    size_t wanted = key.name.size() + encoding.size();
    if ((it == values_.end() && values_.size() >= kMaxValues) || (wanted > now && wanted - now > kMaxBytes - bytes_))
        return status::kLimit;
    bytes_ = bytes_ - now + wanted;
    values_[key] = StoredValue{typeCode, std::move(encoding)};
    return status::kOk;
}

Bytes PropertyStore::answer(uint32_t proc, const Bytes &arguments)
{
    const Family *f = family_of(proc);
    Reader in(arguments);
    PropKey owner;
    Ident id;
    if (f == nullptr || !read_owner(in, f->at, owner))
        return refusal(status::kBadValue);

    Bytes out;
    put_int(out, status::kOk);
    switch (f->op) {
    case Op::Get: {
        if (!read_ident(in, id))
            return refusal(status::kBadValue);
        const StoredValue *v = find(with_ident(owner, id));
        if (v == nullptr)
            put_bytes(out, kZeroValue);
        else if (!convert(*v, f->type, out))
            return refusal(status::kBadType);
        return out;
    }
    case Op::GetVal:
    case Op::GetProp: {
        if (!read_ident(in, id))
            return refusal(status::kBadValue);
        if (f->op == Op::GetProp)
            put_ident(out, id);
        const StoredValue *v = find(with_ident(owner, id));
        if (v == nullptr) {
            put_bytes(out, kZeroValue);
        } else {
            put_int(out, v->typeCode);
            put_bytes(out, v->encoding);
        }
        return out;
    }
    case Op::GetProps: {
        PropKey from = owner;
        from.num = INT_MIN;
        Bytes items;
        int32_t count = 0;
        for (auto it = values_.lower_bound(from);
             it != values_.end() && it->first.doc == owner.doc && it->first.obj == owner.obj &&
             it->first.text == owner.text;
             ++it, ++count) {
            put_ident(items, Ident{it->first.num, it->first.name});
            put_int(items, it->second.typeCode);
            put_bytes(items, it->second.encoding);
        }
        put_int(out, count);
        put_bytes(out, items);
        return out;
    }
    case Op::Set: {
        if (!read_ident(in, id))
            return refusal(status::kBadValue);
        Bytes value;
        if (f->type == V_TYPE_ELEMRANGE)
            put_int(value, 1);
        put_bytes(value, in.rest());
        return refusal(put(with_ident(owner, id), f->type, std::move(value)));
    }
    case Op::SetVal:
    case Op::SetProp: {
        // A text property's own identifier travels inside the value; the
        // one before it is empty.
        Ident ignored;
        if (f->op == Op::SetProp && f->at == At::TextRange && !read_ident(in, ignored))
            return refusal(status::kBadValue);
        int32_t code = 0;
        if (!read_ident(in, id) || !in.get_int(code))
            return refusal(status::kBadValue);
        return refusal(put(with_ident(owner, id), code, in.rest()));
    }
    case Op::SetProps: {
        int32_t count = 0;
        if (!in.get_int(count))
            return refusal(status::kBadValue);
        for (int32_t i = 0; i < count; ++i) {
            Bytes item;
            if (!in.take(codec(xdr_V_PropValT), sizeof(V_PropValT), item))
                return refusal(status::kBadValue);
            Reader one(item);
            int32_t code = 0;
            read_ident(one, id);
            one.get_int(code);
            int32_t s = put(with_ident(owner, id), code, one.rest());
            if (s != status::kOk)
                return refusal(s);
        }
        return out;
    }
    case Op::Delete:
        if (!read_ident(in, id))
            return refusal(status::kBadValue);
        if (auto it = values_.find(with_ident(owner, id)); it != values_.end()) {
            bytes_ -= it->first.name.size() + it->second.encoding.size();
            values_.erase(it);
        }
        return out;
    }
    return out;
}

}  // namespace vxhost::generic
