// Decodes arbitrary bytes with one codec of the procedure table (the first
// byte picks it), re-encodes what decoded, then frees it.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "vapi/procs.h"
#include "proctable.h"

namespace {

struct Codec {
    xdrproc_t proc;
    uint32_t size;
};

// Every distinct codec of the table, in table order.
std::vector<Codec> table_codecs()
{
    std::vector<Codec> codecs;
    auto add = [&](xdrproc_t proc, uint32_t size) {
        for (const Codec &c : codecs)
            if (c.proc == proc)
                return;
        codecs.push_back({proc, size});
    };
    for (uint32_t i = 0; i < api_proc_count; ++i) {
        add(api_procs[i].argCodec, api_procs[i].argSize);
        add(api_procs[i].resCodec, api_procs[i].resSize);
    }
    return codecs;
}

// Runs a codec from libtirpc's side, as clnt_call and svc do.
bool run(XDR *xdrs, const Codec &codec, void *obj)
{
    return xdr_vector(xdrs, static_cast<char *>(obj), 1, codec.size, codec.proc);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const std::vector<Codec> codecs = table_codecs();
    if (size < 1)
        return 0;
    const Codec &codec = codecs[data[0] % codecs.size()];
    void *obj = std::calloc(1, codec.size);
    XDR in;
    xdrmem_create(&in, reinterpret_cast<char *>(const_cast<uint8_t *>(data + 1)), size - 1, XDR_DECODE);
    if (run(&in, codec, obj)) {
        // What decoded must encode again, to no more bytes than it came
        // from (fewer when a string held a zero byte, which ends it).
        u_int used = xdr_getpos(&in);
        std::vector<char> out(used + 4);
        XDR enc;
        xdrmem_create(&enc, out.data(), out.size(), XDR_ENCODE);
        if (!run(&enc, codec, obj) || xdr_getpos(&enc) > used)
            __builtin_trap();
    }
    api_xdrfree(codec.proc, obj);
    std::free(obj);
    return 0;
}
