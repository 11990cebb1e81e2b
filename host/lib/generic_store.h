// The generic property store of the stand-in host: every property procedure
// (reads and writes by number or by name, of objects and of text, single
// values, typed values, whole property lists) answered from one map. A value
// set on (document, object, property) reads back the same, whatever its type.
//
// Values are kept in their wire form (a type code and the value's encoding),
// so one path serves all seventeen value types.
#pragma once

#include "generic_xdr.h"

#include <cstdint>
#include <map>
#include <string>
#include <tuple>

namespace vxhost::generic {

struct PropKey {
    uint32_t doc = 0;
    uint32_t obj = 0;   // for text: the object of the location or range start
    bool text = false;  // a property of text rather than of the object
    int32_t num = 0;
    std::string name;   // when num is 0

    bool operator<(const PropKey &o) const
    {
        return std::tie(doc, obj, text, num, name) < std::tie(o.doc, o.obj, o.text, o.num, o.name);
    }
};

struct StoredValue {
    int32_t typeCode = 0;
    Bytes encoding;  // the value as its type code's arm travels
};

class PropertyStore {
public:
    // Beyond this many values, or this many bytes of them, a write that adds
    // is refused (kLimit): a client in a loop cannot grow the host without
    // bound.
    static constexpr size_t kMaxValues = 1000000;
    static constexpr size_t kMaxBytes = 256u << 20;

    // Whether `proc` is a property procedure that this store answers.
    static bool handles(uint32_t proc);
    // The wire form of the result of `proc` for the wire form of its
    // arguments. A property never set reads as status 0 and a zero value.
    Bytes answer(uint32_t proc, const Bytes &arguments);

    const StoredValue *find(const PropKey &key) const;
    size_t size() const { return values_.size(); }
    size_t bytes() const { return bytes_; }
    void clear()
    {
        values_.clear();
        bytes_ = 0;
    }

private:
    int32_t put(const PropKey &key, int32_t typeCode, Bytes encoding);

    std::map<PropKey, StoredValue> values_;
    size_t bytes_ = 0;  // of the stored encodings and names
};

}  // namespace vxhost::generic
