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

// The get and set functions of one single value, by number or by name.
#define VAPI_PROPERTY(Name, T, In, get, set)                                                   \
    T V_ApiGet##Name(uint32_t d, uint32_t o, int32_t p) { return read<get>({d, o, num(p)}); } \
    void V_ApiSet##Name(uint32_t d, uint32_t o, int32_t p, In v) { none<set>({d, o, num(p), wire(v)}); }
#define VAPI_PROPERTY_BY_NAME(Name, T, get, set)                                                               \
    T V_ApiGet##Name##ByName(uint32_t d, uint32_t o, const char *p) { return read<get>({d, o, name(p)}); } \
    void V_ApiSet##Name##ByName(uint32_t d, uint32_t o, const char *p, T v) { none<set>({d, o, name(p), v}); }
// The same for a record value, which a failed read answers with `empty`.
#define VAPI_RECORD_PROPERTY(Name, T, empty, get, set)                        \
    T V_ApiGet##Name(uint32_t d, uint32_t o, int32_t p)                       \
    {                                                                         \
        static const T empty{};                                               \
        return record<get>({d, o, num(p)}, empty);                            \
    }                                                                         \
    void V_ApiSet##Name(uint32_t d, uint32_t o, int32_t p, const T *v)        \
    {                                                                         \
        none<set>({d, o, num(p), val(v)});                                    \
    }

VAPI_PROPERTY(Int, int32_t, int32_t, api_vx_get_int_1, api_vx_set_int_1)
VAPI_PROPERTY_BY_NAME(Int, int32_t, api_vx_get_int_1, api_vx_set_int_1)
VAPI_PROPERTY(Metric, int32_t, int32_t, api_vx_get_metric_1, api_vx_set_metric_1)
VAPI_PROPERTY_BY_NAME(Metric, int32_t, api_vx_get_metric_1, api_vx_set_metric_1)
VAPI_PROPERTY(Id, uint32_t, uint32_t, api_vx_get_id_1, api_vx_set_id_1)
VAPI_PROPERTY(String, StringT, const char *, api_vx_get_string_1, api_vx_set_string_1)
VAPI_RECORD_PROPERTY(Strings, V_StringsT, empty_strings, api_vx_get_strings_1, api_vx_set_strings_1)
VAPI_RECORD_PROPERTY(Metrics, V_MetricsT, empty_metrics, api_vx_get_metrics_1, api_vx_set_metrics_1)
VAPI_RECORD_PROPERTY(Ints, V_IntsT, empty_ints, api_vx_get_ints_1, api_vx_set_ints_1)
VAPI_RECORD_PROPERTY(Points, V_PointsT, empty_points, api_vx_get_points_1, api_vx_set_points_1)
VAPI_RECORD_PROPERTY(Tabs, V_TabsT, empty_tabs, api_vx_get_tabs_1, api_vx_set_tabs_1)
VAPI_RECORD_PROPERTY(TextLoc, V_TextLocT, empty_textloc, api_vx_get_textloc_1, api_vx_set_textloc_1)
VAPI_RECORD_PROPERTY(TextRange, V_TextRangeT, empty_textrange, api_vx_get_textrange_1, api_vx_set_textrange_1)
VAPI_RECORD_PROPERTY(ElementRange, V_ElementRangeT, empty_elemrange, api_vx_get_element_range_1,
                     api_vx_set_element_range_1)
VAPI_RECORD_PROPERTY(Val, V_TypedValT, empty_typedval, api_vx_get_val_1, api_vx_set_val_1)

V_UBytesT V_ApiGetUBytesByName(uint32_t d, uint32_t o, const char *p)
{
    static const V_UBytesT empty_ubytes{};
    return record<api_vx_get_ubytes_1>({d, o, name(p)}, empty_ubytes);
}
void V_ApiSetUBytesByName(uint32_t d, uint32_t o, const char *p, const V_UBytesT *v)
{
    none<api_vx_set_ubytes_1>({d, o, name(p), val(v)});
}

V_PropValT V_ApiGetPropVal(uint32_t d, uint32_t o, int32_t p)
{
    static const V_PropValT empty_propval{};
    return record<api_vx_get_prop_1>({d, o, num(p)}, empty_propval);
}
void V_ApiSetPropVal(uint32_t d, uint32_t o, const V_PropValT *v) { none<api_vx_set_prop_1>({d, o, val(v)}); }

V_PropValsT V_ApiGetProps(uint32_t d, uint32_t o)
{
    static const V_PropValsT empty_propvals{};
    return record<api_vx_get_props_1>({d, o}, empty_propvals);
}
void V_ApiSetProps(uint32_t d, uint32_t o, const V_PropValsT *v) { none<api_vx_set_props_1>({d, o, val(v)}); }

void V_ApiDeletePropByName(uint32_t d, uint32_t o, const char *p) { none<api_vx_delete_prop_1>({d, o, name(p)}); }

// The document travels twice: as the document and as the object.
V_ElementCatalogEntriesT V_ApiGetElementCatalog(uint32_t d)
{
    static const V_ElementCatalogEntriesT empty_elcatents{};
    return record<api_vx_get_element_catalog_1>({d, d, num(kElementCatalog)}, empty_elcatents);
}
V_AttributeDefsT V_ApiGetAttributeDefs(uint32_t d, uint32_t def)
{
    static const V_AttributeDefsT empty_attributedefs{};
    return record<api_vx_get_attribute_defs_1>({d, def, num(kAttributeDefs)}, empty_attributedefs);
}
void V_ApiSetAttributeDefs(uint32_t d, uint32_t def, const V_AttributeDefsT *v)
{
    none<api_vx_set_attribute_defs_1>({d, def, num(kAttributeDefs), val(v)});
}
V_AttributesT V_ApiGetAttributes(uint32_t d, uint32_t elem)
{
    static const V_AttributesT empty_attributes{};
    return record<api_vx_get_attributes_1>({d, elem, num(kAttributes)}, empty_attributes);
}
void V_ApiSetAttributes(uint32_t d, uint32_t elem, const V_AttributesT *v)
{
    none<api_vx_set_attributes_1>({d, elem, num(kAttributes), val(v)});
}

V_TypedValT V_ApiGetTextVal(uint32_t d, const V_TextLocT *loc, int32_t p)
{
    static const V_TypedValT empty_typedval{};
    return record<api_vx_get_text_val_1>({d, val(loc), num(p)}, empty_typedval);
}
V_PropValT V_ApiGetTextPropVal(uint32_t d, const V_TextLocT *loc, int32_t p)
{
    static const V_PropValT empty_propval{};
    return record<api_vx_get_text_prop_1>({d, val(loc), num(p)}, empty_propval);
}
V_PropValsT V_ApiGetTextProps(uint32_t d, const V_TextLocT *loc)
{
    static const V_PropValsT empty_propvals{};
    return record<api_vx_get_text_props_1>({d, val(loc)}, empty_propvals);
}
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
