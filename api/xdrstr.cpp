// xdr_StringT: the one string codec of the protocol.
#include "vapi/xdrstr.h"

#include <algorithm>
#include <cstdlib>

namespace {

// Decodes into a fresh block that grows as the bytes arrive, so that a length
// the data does not back costs nothing large before the stream runs dry.
bool_t decode_fresh(XDR *xdrs, StringT *objp)
{
    u_int size;
    if (!xdr_u_int(xdrs, &size) || size > VAPI_MAX_WIRE_STRING)
        return FALSE;
    const u_int kPiece = 64 * 1024;  // a multiple of 4: padding comes only at the end
    char *text = nullptr;
    u_int have = 0, capacity = 0;
    do {
        u_int piece = std::min(kPiece, size - have);
        if (text == nullptr || have + piece > capacity) {
            capacity = std::min(size, std::max(have + piece, 2 * capacity));
            char *grown = static_cast<char *>(std::realloc(text, capacity + 1));
            if (grown == nullptr) {
                std::free(text);
                return FALSE;
            }
            text = grown;
        }
        if (!xdr_opaque(xdrs, text + have, piece)) {
            std::free(text);
            return FALSE;
        }
        have += piece;
    } while (have < size);
    text[size] = '\0';
    *objp = text;
    return TRUE;
}

}  // namespace

extern "C" bool_t xdr_StringT(XDR *xdrs, StringT *objp)
{
    // Only decoding is limited: what we send or free may be of any length,
    // and a limit on freeing would leave a long string allocated.
    const u_int kNoLimit = ~0u;
    static char b[1] = "";
    // Always into a fresh block: a buffer already in the field has a size
    // nobody knows, and the peer chooses the length.
    if (xdrs->x_op == XDR_DECODE)
        return decode_fresh(xdrs, objp);
    if (xdrs->x_op == XDR_ENCODE && *objp == nullptr) {
        char *empty = b;
        return xdr_string(xdrs, &empty, kNoLimit);
    }
    return xdr_string(xdrs, objp, kNoLimit);
}
