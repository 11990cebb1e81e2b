// Helpers for the wire tests: expected bytes built unit by unit, and
// encode/decode through a memory stream.
#pragma once

#include <rpc/rpc.h>

#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

// Expected wire data: 4-byte big-endian units and zero-padded strings.
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
Bytes encode(bool_t (*codec)(XDR *, T *), T &value)
{
    Bytes buf(1 << 16);
    XDR xdrs;
    xdrmem_create(&xdrs, reinterpret_cast<char *>(buf.data()), buf.size(), XDR_ENCODE);
    bool ok = codec(&xdrs, &value);
    buf.resize(ok ? xdr_getpos(&xdrs) : 0);
    xdr_destroy(&xdrs);
    return buf;
}

// Decodes into `out` (which must start cleared); true only when the codec
// succeeded and consumed every byte.
template <class T>
bool decode(bool_t (*codec)(XDR *, T *), const Bytes &data, T &out)
{
    XDR xdrs;
    xdrmem_create(&xdrs, const_cast<char *>(reinterpret_cast<const char *>(data.data())),
                  data.size(), XDR_DECODE);
    bool ok = codec(&xdrs, &out) && xdr_getpos(&xdrs) == data.size();
    xdr_destroy(&xdrs);
    return ok;
}

// Releases what decoding allocated inside `value`.
template <class T>
void release(bool_t (*codec)(XDR *, T *), T &value)
{
    XDR xdrs;
    xdrs.x_op = XDR_FREE;
    codec(&xdrs, &value);
}

// Decodes a golden encoding, checks that re-encoding gives the same bytes,
// and releases it again. Returns the re-encoded bytes (empty on failure).
template <class T>
Bytes round_trip(bool_t (*codec)(XDR *, T *), const Bytes &golden)
{
    T back{};
    if (!decode(codec, golden, back)) {
        release(codec, back);
        return {};
    }
    Bytes again = encode(codec, back);
    release(codec, back);
    return again;
}
