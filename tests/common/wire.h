// Wire data for the codec tests: expected bytes built unit by unit, and
// records coded through a memory stream.
#pragma once

#include <rpc/rpc.h>

#include <cstdint>
#include <string>
#include <vector>

namespace lindrel_test {

using Bytes = std::vector<uint8_t>;

// 4-byte big-endian units and zero-padded strings.
struct Wire {
    Bytes bytes;
    Wire &u(uint32_t v)
    {
        for (int shift = 24; shift >= 0; shift -= 8)
            bytes.push_back(static_cast<uint8_t>(v >> shift));
        return *this;
    }
    Wire &s(const std::string &text)
    {
        u(static_cast<uint32_t>(text.size()));
        bytes.insert(bytes.end(), text.begin(), text.end());
        bytes.resize((bytes.size() + 3) / 4 * 4, 0);
        return *this;
    }
    operator Bytes() const { return bytes; }
};

template <class T>
Bytes encode(bool_t (*codec)(XDR *, T *), T value)
{
    Bytes buf(1 << 16);
    XDR xdrs;
    xdrmem_create(&xdrs, reinterpret_cast<char *>(buf.data()), buf.size(), XDR_ENCODE);
    buf.resize(codec(&xdrs, &value) ? xdr_getpos(&xdrs) : 0);
    xdr_destroy(&xdrs);
    return buf;
}

// Decodes into `out` (which must start cleared); true only when the codec
// succeeded and used every byte.
template <class T>
bool decode(bool_t (*codec)(XDR *, T *), const Bytes &data, T &out)
{
    XDR xdrs;
    xdrmem_create(&xdrs, const_cast<char *>(reinterpret_cast<const char *>(data.data())), data.size(), XDR_DECODE);
    bool ok = codec(&xdrs, &out) && xdr_getpos(&xdrs) == data.size();
    xdr_destroy(&xdrs);
    return ok;
}

template <class T>
void release(bool_t (*codec)(XDR *, T *), T &value)
{
    XDR xdrs;
    xdrs.x_op = XDR_FREE;
    codec(&xdrs, &value);
}

// Decodes, re-encodes and releases: the bytes again, or none on failure.
template <class T>
Bytes round_trip(bool_t (*codec)(XDR *, T *), const Bytes &wire)
{
    T back{};
    Bytes again = decode(codec, wire, back) ? encode(codec, back) : Bytes{};
    release(codec, back);
    return again;
}

}  // namespace lindrel_test
