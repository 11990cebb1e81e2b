// The records the host sends with its calls to the client, decoded from
// arbitrary bytes: the first byte picks the record. Whatever decodes, or
// half-decodes, must be freed without a fault.
#include "callbacks.h"

#include <stddef.h>
#include <stdint.h>

#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const xdrproc_t codecs[] = {
        vapi_codec(xdr_VxApiInitArgT),    vapi_codec(xdr_VxApiCommandArgT),
        vapi_codec(xdr_VxApiMessageArgT), vapi_codec(xdr_Vx4ApiNotifyArgT),
        vapi_codec(xdr_VxApiDialogEventArgT), vapi_codec(xdr_VxApiNotifyArgT),
    };
    xdrproc_t codec = codecs[data[0] % (sizeof codecs / sizeof codecs[0])];
    std::vector<char> bytes(data + 1, data + size);
    // The notify record is the largest of them.
    alignas(VxApiNotifyArgT) unsigned char record[sizeof(VxApiNotifyArgT)] = {};
    XDR x;
    xdrmem_create(&x, bytes.data(), static_cast<u_int>(bytes.size()), XDR_DECODE);
    // The RPC library runs the codec, as it does in the service: a direct
    // call through the variadic xdrproc_t type is a mismatched-type call.
    xdr_vector(&x, reinterpret_cast<char *>(record), 1, sizeof record, codec);
    xdr_destroy(&x);
    xdr_free(codec, reinterpret_cast<char *>(record));
    return 0;
}
