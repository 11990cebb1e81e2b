// Codecs of the callback records: each lists its fields once, in wire
// order, and stops at the first field that fails.
#include "vapi/callbacks.h"

namespace {

bool_t field(XDR *x, int32_t &v) { return xdr_int(x, &v); }
bool_t field(XDR *x, uint32_t &v) { return xdr_u_int(x, &v); }
bool_t field(XDR *x, StringT &v) { return xdr_StringT(x, &v); }

template <auto... Fields, typename T>
bool_t fields(XDR *x, T *p)
{
    return (field(x, p->*Fields) && ...);
}

}  // namespace

extern "C" {

bool_t xdr_VxApiInitArgT(XDR *x, VxApiInitArgT *p)
{
    return fields<&VxApiInitArgT::initialization>(x, p);
}

bool_t xdr_VxApiCommandArgT(XDR *x, VxApiCommandArgT *p)
{
    return fields<&VxApiCommandArgT::command>(x, p);
}

bool_t xdr_VxApiNotifyArgT(XDR *x, VxApiNotifyArgT *p)
{
    return fields<&VxApiNotifyArgT::notification, &VxApiNotifyArgT::docId,
                  &VxApiNotifyArgT::sparm, &VxApiNotifyArgT::iparm>(x, p);
}

bool_t xdr_Vx4ApiNotifyArgT(XDR *x, Vx4ApiNotifyArgT *p)
{
    return fields<&Vx4ApiNotifyArgT::notification, &Vx4ApiNotifyArgT::docId,
                  &Vx4ApiNotifyArgT::sparm>(x, p);
}

bool_t xdr_VxApiMessageArgT(XDR *x, VxApiMessageArgT *p)
{
    return fields<&VxApiMessageArgT::message, &VxApiMessageArgT::docId,
                  &VxApiMessageArgT::objId>(x, p);
}

bool_t xdr_VxApiDialogEventArgT(XDR *x, VxApiDialogEventArgT *p)
{
    return fields<&VxApiDialogEventArgT::dialogNum, &VxApiDialogEventArgT::item,
                  &VxApiDialogEventArgT::detail>(x, p);
}

}  // extern "C"
