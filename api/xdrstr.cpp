// xdr_StringT: the one string codec of the protocol.
#include "vapi/xdrstr.h"

extern "C" bool_t xdr_StringT(XDR *xdrs, StringT *objp)
{
    static char b[1] = "";
    if (xdrs->x_op == XDR_ENCODE && *objp == nullptr) {
        char *empty = b;
        return xdr_string(xdrs, &empty, VAPI_MAX_WIRE_STRING);
    }
    // The wire has no maximum length, but a peer must not make us allocate
    // past the block limit: longer strings fail to decode.
    return xdr_string(xdrs, objp, VAPI_MAX_WIRE_STRING);
}
