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

int32_t V_ApiGetInt(uint32_t d, uint32_t o, int32_t p) { return read<api_vx_get_int_1>({d, o, num(p)}); }
int32_t V_ApiGetIntByName(uint32_t d, uint32_t o, const char *p)
{
    return read<api_vx_get_int_1>({d, o, name(p)});
}
void V_ApiSetInt(uint32_t d, uint32_t o, int32_t p, int32_t v) { none<api_vx_set_int_1>({d, o, num(p), v}); }
void V_ApiSetIntByName(uint32_t d, uint32_t o, const char *p, int32_t v)
{
    none<api_vx_set_int_1>({d, o, name(p), v});
}

int32_t V_ApiGetMetric(uint32_t d, uint32_t o, int32_t p) { return read<api_vx_get_metric_1>({d, o, num(p)}); }
int32_t V_ApiGetMetricByName(uint32_t d, uint32_t o, const char *p)
{
    return read<api_vx_get_metric_1>({d, o, name(p)});
}
void V_ApiSetMetric(uint32_t d, uint32_t o, int32_t p, int32_t v) { none<api_vx_set_metric_1>({d, o, num(p), v}); }
void V_ApiSetMetricByName(uint32_t d, uint32_t o, const char *p, int32_t v)
{
    none<api_vx_set_metric_1>({d, o, name(p), v});
}

uint32_t V_ApiGetId(uint32_t d, uint32_t o, int32_t p) { return read<api_vx_get_id_1>({d, o, num(p)}); }
void V_ApiSetId(uint32_t d, uint32_t o, int32_t p, uint32_t v) { none<api_vx_set_id_1>({d, o, num(p), v}); }

StringT V_ApiGetString(uint32_t d, uint32_t o, int32_t p) { return read<api_vx_get_string_1>({d, o, num(p)}); }
void V_ApiSetString(uint32_t d, uint32_t o, int32_t p, const char *v)
{
    none<api_vx_set_string_1>({d, o, num(p), str(v)});
}

V_StringsT V_ApiGetStrings(uint32_t d, uint32_t o, int32_t p) { return read<api_vx_get_strings_1>({d, o, num(p)}); }
void V_ApiSetStrings(uint32_t d, uint32_t o, int32_t p, const V_StringsT *v)
{
    none<api_vx_set_strings_1>({d, o, num(p), val(v)});
}

V_MetricsT V_ApiGetMetrics(uint32_t d, uint32_t o, int32_t p) { return read<api_vx_get_metrics_1>({d, o, num(p)}); }
void V_ApiSetMetrics(uint32_t d, uint32_t o, int32_t p, const V_MetricsT *v)
{
    none<api_vx_set_metrics_1>({d, o, num(p), val(v)});
}

V_IntsT V_ApiGetInts(uint32_t d, uint32_t o, int32_t p) { return read<api_vx_get_ints_1>({d, o, num(p)}); }
void V_ApiSetInts(uint32_t d, uint32_t o, int32_t p, const V_IntsT *v)
{
    none<api_vx_set_ints_1>({d, o, num(p), val(v)});
}

V_PointsT V_ApiGetPoints(uint32_t d, uint32_t o, int32_t p) { return read<api_vx_get_points_1>({d, o, num(p)}); }
void V_ApiSetPoints(uint32_t d, uint32_t o, int32_t p, const V_PointsT *v)
{
    none<api_vx_set_points_1>({d, o, num(p), val(v)});
}

V_TabsT V_ApiGetTabs(uint32_t d, uint32_t o, int32_t p) { return read<api_vx_get_tabs_1>({d, o, num(p)}); }
void V_ApiSetTabs(uint32_t d, uint32_t o, int32_t p, const V_TabsT *v)
{
    none<api_vx_set_tabs_1>({d, o, num(p), val(v)});
}

V_UBytesT V_ApiGetUBytesByName(uint32_t d, uint32_t o, const char *p)
{
    return read<api_vx_get_ubytes_1>({d, o, name(p)});
}
void V_ApiSetUBytesByName(uint32_t d, uint32_t o, const char *p, const V_UBytesT *v)
{
    none<api_vx_set_ubytes_1>({d, o, name(p), val(v)});
}

V_TextLocT V_ApiGetTextLoc(uint32_t d, uint32_t o, int32_t p) { return read<api_vx_get_textloc_1>({d, o, num(p)}); }
void V_ApiSetTextLoc(uint32_t d, uint32_t o, int32_t p, const V_TextLocT *v)
{
    none<api_vx_set_textloc_1>({d, o, num(p), val(v)});
}

V_TextRangeT V_ApiGetTextRange(uint32_t d, uint32_t o, int32_t p)
{
    return read<api_vx_get_textrange_1>({d, o, num(p)});
}
void V_ApiSetTextRange(uint32_t d, uint32_t o, int32_t p, const V_TextRangeT *v)
{
    none<api_vx_set_textrange_1>({d, o, num(p), val(v)});
}

V_ElementRangeT V_ApiGetElementRange(uint32_t d, uint32_t o, int32_t p)
{
    return read<api_vx_get_element_range_1>({d, o, num(p)});
}
void V_ApiSetElementRange(uint32_t d, uint32_t o, int32_t p, const V_ElementRangeT *v)
{
    none<api_vx_set_element_range_1>({d, o, num(p), val(v)});
}

V_TypedValT V_ApiGetVal(uint32_t d, uint32_t o, int32_t p) { return read<api_vx_get_val_1>({d, o, num(p)}); }
void V_ApiSetVal(uint32_t d, uint32_t o, int32_t p, const V_TypedValT *v)
{
    none<api_vx_set_val_1>({d, o, num(p), val(v)});
}

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
