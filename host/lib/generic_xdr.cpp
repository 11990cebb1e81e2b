// XDR data as bytes, through the RPC library's memory streams.
#include "generic_xdr.h"

#include "vapi/xdrstr.h"

#include <cstdlib>
#include <cstring>
#include <memory>

namespace vxhost::generic {
namespace {

char *data_of(const Bytes &bytes)
{
    static char none[4];
    return bytes.empty() ? none : const_cast<char *>(bytes.data());
}

}  // namespace

Bytes encode(xdrproc_t codec, void *record)
{
    unsigned long size = xdr_sizeof(codec, record);
    Bytes out(size);
    XDR xdrs;
    xdrmem_create(&xdrs, data_of(out), static_cast<u_int>(size), XDR_ENCODE);
    bool ok = codec(&xdrs, record);
    xdr_destroy(&xdrs);
    return ok ? out : Bytes{};
}

bool decode(xdrproc_t codec, const Bytes &bytes, void *record)
{
    XDR xdrs;
    xdrmem_create(&xdrs, data_of(bytes), static_cast<u_int>(bytes.size()), XDR_DECODE);
    bool ok = codec(&xdrs, record);
    xdr_destroy(&xdrs);
    if (!ok)
        xdr_free(codec, static_cast<char *>(record));
    return ok;
}

void put_int(Bytes &out, int32_t value)
{
    uint32_t wire = htonl(static_cast<uint32_t>(value));
    const char *p = reinterpret_cast<const char *>(&wire);
    out.insert(out.end(), p, p + 4);
}

void put_string(Bytes &out, const std::string &text)
{
    put_int(out, static_cast<int32_t>(text.size()));
    out.insert(out.end(), text.begin(), text.end());
    out.resize(out.size() + (4 - text.size() % 4) % 4, 0);
}

void put_bytes(Bytes &out, const Bytes &bytes) { out.insert(out.end(), bytes.begin(), bytes.end()); }

Reader::Reader(const Bytes &bytes) : bytes_(bytes)
{
    xdrmem_create(&xdrs_, data_of(bytes), static_cast<u_int>(bytes.size()), XDR_DECODE);
}

Reader::~Reader() { xdr_destroy(&xdrs_); }

bool Reader::get_int(int32_t &value) { return xdr_int(&xdrs_, &value); }

bool Reader::get_string(std::string &text)
{
    StringT s = nullptr;
    bool ok = xdr_StringT(&xdrs_, &s);
    if (ok)
        text = s;
    xdr_free(reinterpret_cast<xdrproc_t>(reinterpret_cast<void (*)(void)>(xdr_StringT)),
             reinterpret_cast<char *>(&s));
    return ok;
}

bool Reader::take(xdrproc_t codec, size_t recordSize, Bytes &out)
{
    std::unique_ptr<char, decltype(&std::free)> record(static_cast<char *>(std::calloc(1, recordSize)),
                                                        &std::free);
    u_int start = xdr_getpos(&xdrs_);
    bool ok = codec(&xdrs_, record.get());
    xdr_free(codec, record.get());
    if (!ok)
        return false;
    out.assign(bytes_.begin() + start, bytes_.begin() + xdr_getpos(&xdrs_));
    return true;
}

Bytes Reader::rest() const
{
    u_int at = xdr_getpos(const_cast<XDR *>(&xdrs_));
    return Bytes(bytes_.begin() + at, bytes_.end());
}

}  // namespace vxhost::generic
