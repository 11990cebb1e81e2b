// Reading and writing properties of the host's objects and of its text.
#include "apiclib.h"

using namespace vapi::shape;

namespace {

// Fixed property numbers of the element catalogue, attribute definitions
// and attributes.
constexpr int32_t kElementCatalog = 1488;
constexpr int32_t kAttributeDefs = 1584;
constexpr int32_t kAttributes = 1634;

}  // namespace

extern "C" {

// The get and set functions of one type of value, by number or by name.
#define VAPI_PROPERTY(Name, T, In, get, set)                                                   \
    T V_ApiGet##Name(uint32_t d, uint32_t o, int32_t p) { return read<get>({d, o, num(p)}); } \
    void V_ApiSet##Name(uint32_t d, uint32_t o, int32_t p, In v) { none<set>({d, o, num(p), wire(v)}); }
#define VAPI_PROPERTY_BY_NAME(Name, T, In, get, set)                                                           \
    T V_ApiGet##Name##ByName(uint32_t d, uint32_t o, const char *p) { return read<get>({d, o, name(p)}); } \
    void V_ApiSet##Name##ByName(uint32_t d, uint32_t o, const char *p, In v)                              \
    {                                                                                                      \
        none<set>({d, o, name(p), wire(v)});                                                               \
    }

VAPI_PROPERTY(Int, int32_t, int32_t, api_vx_get_int_1, api_vx_set_int_1)
VAPI_PROPERTY_BY_NAME(Int, int32_t, int32_t, api_vx_get_int_1, api_vx_set_int_1)
VAPI_PROPERTY(Metric, int32_t, int32_t, api_vx_get_metric_1, api_vx_set_metric_1)
VAPI_PROPERTY_BY_NAME(Metric, int32_t, int32_t, api_vx_get_metric_1, api_vx_set_metric_1)
VAPI_PROPERTY(Id, uint32_t, uint32_t, api_vx_get_id_1, api_vx_set_id_1)
VAPI_PROPERTY(String, StringT, const char *, api_vx_get_string_1, api_vx_set_string_1)
VAPI_PROPERTY(Strings, V_StringsT, const V_StringsT *, api_vx_get_strings_1, api_vx_set_strings_1)
VAPI_PROPERTY(Metrics, V_MetricsT, const V_MetricsT *, api_vx_get_metrics_1, api_vx_set_metrics_1)
VAPI_PROPERTY(Ints, V_IntsT, const V_IntsT *, api_vx_get_ints_1, api_vx_set_ints_1)
VAPI_PROPERTY(Points, V_PointsT, const V_PointsT *, api_vx_get_points_1, api_vx_set_points_1)
VAPI_PROPERTY(Tabs, V_TabsT, const V_TabsT *, api_vx_get_tabs_1, api_vx_set_tabs_1)
VAPI_PROPERTY_BY_NAME(UBytes, V_UBytesT, const V_UBytesT *, api_vx_get_ubytes_1, api_vx_set_ubytes_1)
VAPI_PROPERTY(TextLoc, V_TextLocT, const V_TextLocT *, api_vx_get_textloc_1, api_vx_set_textloc_1)
VAPI_PROPERTY(TextRange, V_TextRangeT, const V_TextRangeT *, api_vx_get_textrange_1, api_vx_set_textrange_1)
VAPI_PROPERTY(ElementRange, V_ElementRangeT, const V_ElementRangeT *, api_vx_get_element_range_1,
              api_vx_set_element_range_1)
VAPI_PROPERTY(Val, V_TypedValT, const V_TypedValT *, api_vx_get_val_1, api_vx_set_val_1)

V_PropValT V_ApiGetPropVal(uint32_t d, uint32_t o, int32_t p) { return read<api_vx_get_prop_1>({d, o, num(p)}); }
void V_ApiSetPropVal(uint32_t d, uint32_t o, const V_PropValT *v) { none<api_vx_set_prop_1>({d, o, val(v)}); }

V_PropValsT V_ApiGetProps(uint32_t d, uint32_t o) { return read<api_vx_get_props_1>({d, o}); }
void V_ApiSetProps(uint32_t d, uint32_t o, const V_PropValsT *v) { none<api_vx_set_props_1>({d, o, val(v)}); }

void V_ApiDeletePropByName(uint32_t d, uint32_t o, const char *p) { none<api_vx_delete_prop_1>({d, o, name(p)}); }

// The document travels twice: as the document and as the object.
V_ElementCatalogEntriesT V_ApiGetElementCatalog(uint32_t d)
{
    return read<api_vx_get_element_catalog_1>({d, d, num(kElementCatalog)});
}
V_AttributeDefsT V_ApiGetAttributeDefs(uint32_t d, uint32_t def)
{
    return read<api_vx_get_attribute_defs_1>({d, def, num(kAttributeDefs)});
}
void V_ApiSetAttributeDefs(uint32_t d, uint32_t def, const V_AttributeDefsT *v)
{
    none<api_vx_set_attribute_defs_1>({d, def, num(kAttributeDefs), val(v)});
}
V_AttributesT V_ApiGetAttributes(uint32_t d, uint32_t elem)
{
    return read<api_vx_get_attributes_1>({d, elem, num(kAttributes)});
}
void V_ApiSetAttributes(uint32_t d, uint32_t elem, const V_AttributesT *v)
{
    none<api_vx_set_attributes_1>({d, elem, num(kAttributes), val(v)});
}

V_TypedValT V_ApiGetTextVal(uint32_t d, const V_TextLocT *loc, int32_t p)
{
    return read<api_vx_get_text_val_1>({d, val(loc), num(p)});
}
V_PropValT V_ApiGetTextPropVal(uint32_t d, const V_TextLocT *loc, int32_t p)
{
    return read<api_vx_get_text_prop_1>({d, val(loc), num(p)});
}
V_PropValsT V_ApiGetTextProps(uint32_t d, const V_TextLocT *loc) { return read<api_vx_get_text_props_1>({d, val(loc)}); }
void V_ApiSetTextVal(uint32_t d, const V_TextRangeT *r, int32_t p, const V_TypedValT *v)
{
    none<api_vx_set_text_val_1>({d, val(r), num(p), val(v)});
}
// The property travels inside the value; the separate identifier is empty.
void V_ApiSetTextPropVal(uint32_t d, const V_TextRangeT *r, const V_PropValT *v)
{
    none<api_vx_set_text_prop_1>({d, val(r), num(0), val(v)});
}
void V_ApiSetTextProps(uint32_t d, const V_TextRangeT *r, const V_PropValsT *v)
{
    none<api_vx_set_text_props_1>({d, val(r), val(v)});
}

}  // extern "C"
