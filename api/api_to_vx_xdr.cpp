// The record codecs: the irregular ones by hand, every other one derived
// from its declaration (codec.hpp).
#include "codec.hpp"

namespace vapi::wire {

// The name travels only for number 0; otherwise the name field is left as
// it was, in every direction.
template <>
bool_t code<V_PropIdentT>(XDR *xdrs, V_PropIdentT *objp)
{
    if (!xdr_int(xdrs, &objp->propNum))
        return FALSE;
    return objp->propNum != 0 || xdr_StringT(xdrs, &objp->propName);
}

template <>
bool_t code<V_TypedValT>(XDR *xdrs, V_TypedValT *objp)
{
    if (!xdr_int(xdrs, &objp->typeCode))
        return FALSE;
    auto &v = objp->value;
    switch (objp->typeCode) {
    case V_TYPE_STRING: return code(xdrs, &v.stringVal);
    case V_TYPE_METRICS: return code(xdrs, &v.metricsVal);
    case V_TYPE_STRINGS: return code(xdrs, &v.stringsVal);
    case V_TYPE_POINTS: return code(xdrs, &v.pointsVal);
    case V_TYPE_TABS: return code(xdrs, &v.tabsVal);
    case V_TYPE_TEXTLOC: return code(xdrs, &v.textLocVal);
    case V_TYPE_TEXTRANGE: return code(xdrs, &v.textRangeVal);
    case V_TYPE_ELEMCATALOG: return code(xdrs, &v.catalogVal);
    case V_TYPE_INTS: return code(xdrs, &v.intsVal);
    case V_TYPE_UBYTES: return code(xdrs, &v.ubytesVal);
    case V_TYPE_UINTS: return code(xdrs, &v.uintsVal);
    case V_TYPE_ATTRDEFS: return code(xdrs, &v.attrDefsVal);
    case V_TYPE_ATTRIBUTES: return code(xdrs, &v.attributesVal);
    case V_TYPE_ELEMRANGE: return code(xdrs, &v.elemRangeVal);
    default: return code(xdrs, &v.intVal); // 1, 2, 4, 11, 16 and any unknown code
    }
}

template <>
bool_t code<TextItemDataT>(XDR *xdrs, TextItemDataT *objp)
{
    if (!xdr_int(xdrs, &objp->dataType))
        return FALSE;
    return objp->dataType == 1 ? code(xdrs, &objp->text) : code(xdrs, &objp->number);
}

} // namespace vapi::wire

VAPI_SHARED_RECORDS(VAPI_DEFINE_CODEC)
