// XDR data as bytes: the generic host reads arguments and builds results on
// their wire form, so that one piece of code serves every record shape.
#pragma once

#include <rpc/rpc.h>

#include <cstdint>
#include <string>
#include <vector>

namespace vxhost::generic {

using Bytes = std::vector<char>;

// The wire form of a record; empty when it cannot be encoded.
Bytes encode(xdrproc_t codec, void *record);
// Decodes `bytes` into a zeroed record; false (and nothing allocated left
// behind) when they do not hold one. Bytes past the record are ignored.
bool decode(xdrproc_t codec, const Bytes &bytes, void *record);

// Appends wire units.
void put_int(Bytes &out, int32_t value);
void put_string(Bytes &out, const std::string &text);
void put_bytes(Bytes &out, const Bytes &bytes);

// Reads a byte string unit by unit.
class Reader {
public:
    explicit Reader(const Bytes &bytes);
    ~Reader();
    Reader(const Reader &) = delete;
    Reader &operator=(const Reader &) = delete;

    bool get_int(int32_t &value);
    bool get_string(std::string &text);
    // The wire form of the next record of `codec` (for example a property
    // value whose length depends on its type), consumed.
    bool take(xdrproc_t codec, size_t recordSize, Bytes &out);
    // Everything not yet read.
    Bytes rest() const;

private:
    const Bytes &bytes_;
    XDR xdrs_;
};

}  // namespace vxhost::generic
