// Conversions between the protocol's records and the editor model's own
// types. Whatever is written into a result record is allocated with malloc:
// the dispatcher releases results with their codec after the reply.
#pragma once

#include "document_types.h"
#include "vapi/records.h"

#include <optional>
#include <string>
#include <vector>

namespace vxhost::wire {

inline std::string text(StringT s) { return s ? s : ""; }
// A malloc'd copy, for result records.
StringT copy(const std::string &s);

inline TextLoc model(const V_TextLocT &w) { return {w.objId, w.offset}; }
inline TextRange model(const V_TextRangeT &w) { return {model(w.start), model(w.end)}; }
inline V_TextLocT record(const TextLoc &m) { return {m.obj, m.offset}; }
inline V_TextRangeT record(const TextRange &m) { return {record(m.start), record(m.end)}; }

// Model values travel as integers (type 1), strings (3) and text ranges (10);
// a typed value of any other type has no model form.
std::optional<Value> model(const V_TypedValT &w);
V_TypedValT record(const Value &m);

// The entries of a list that have a model form, by number (entries by name
// have none: the model knows no property names).
std::vector<PropVal> model(const V_PropValsT &w);
V_PropValsT record(const std::vector<PropVal> &m);

TextItemsT record(const std::vector<TextItem> &m);

// One property value in the shape of one property procedure: `put` fills the
// wire value from a model value (false when the kinds differ), `take` gives
// the model value of a wire value (nothing when the model has no such kind).
template <class W>
struct Property;

template <>
struct Property<int32_t> {
    static bool put(const Value &v, int32_t &w)
    {
        const int32_t *i = std::get_if<int32_t>(&v);
        return i ? (w = *i, true) : false;
    }
    static std::optional<Value> take(int32_t w) { return Value{w}; }
};

// Identifiers are kept as integers by the model.
template <>
struct Property<uint32_t> {
    static bool put(const Value &v, uint32_t &w)
    {
        const int32_t *i = std::get_if<int32_t>(&v);
        return i ? (w = static_cast<uint32_t>(*i), true) : false;
    }
    static std::optional<Value> take(uint32_t w) { return Value{static_cast<int32_t>(w)}; }
};

template <>
struct Property<StringT> {
    static bool put(const Value &v, StringT &w)
    {
        const std::string *s = std::get_if<std::string>(&v);
        return s ? (w = copy(*s), true) : false;
    }
    static std::optional<Value> take(StringT w) { return Value{text(w)}; }
};

template <>
struct Property<V_TextRangeT> {
    static bool put(const Value &v, V_TextRangeT &w)
    {
        const TextRange *r = std::get_if<TextRange>(&v);
        return r ? (w = record(*r), true) : false;
    }
    static std::optional<Value> take(const V_TextRangeT &w) { return Value{model(w)}; }
};

template <>
struct Property<V_TypedValT> {
    static bool put(const Value &v, V_TypedValT &w) { return w = record(v), true; }
    static std::optional<Value> take(const V_TypedValT &w) { return model(w); }
};

// The model holds no single text locations: such reads and writes of a
// model property are refused as the wrong type.
template <>
struct Property<V_TextLocT> {
    static bool put(const Value &, V_TextLocT &) { return false; }
    static std::optional<Value> take(const V_TextLocT &) { return std::nullopt; }
};

}  // namespace vxhost::wire
