// Tables and structured elements.
#include "apiclib.h"

using namespace vapi::shape;

extern "C" {

uint32_t V_ApiNewTable(uint32_t d, const char *format, int32_t cols, int32_t body, int32_t head, int32_t foot,
                       const V_TextLocT *loc)
{
    return read<api_vx_new_table_1>({d, str(format), cols, body, head, foot, val(loc)});
}
int32_t V_ApiAddRows(uint32_t d, uint32_t row, int32_t dir, int32_t n) { return status<api_vx_add_rows_1>({d, row, dir, n}); }
int32_t V_ApiAddCols(uint32_t d, uint32_t tbl, int32_t ref, int32_t dir, int32_t n)
{
    return status<api_vx_add_columns_1>({d, tbl, ref, dir, n});
}
// One procedure cuts rows or columns: the unused pair of fields is zero.
int32_t V_ApiDeleteRows(uint32_t d, uint32_t tbl, uint32_t row, int32_t n)
{
    return status<api_vx_cut_table_parts_1>({d, tbl, row, n, 0, 0});
}
int32_t V_ApiDeleteCols(uint32_t d, uint32_t tbl, int32_t first, int32_t n)
{
    return status<api_vx_cut_table_parts_1>({d, tbl, 0, 0, first, n});
}
int32_t V_ApiMakeTblSelection(uint32_t d, uint32_t tbl, int32_t top, int32_t bottom, int32_t left, int32_t right)
{
    return status<api_vx_make_table_selection_1>({d, tbl, top, bottom, left, right});
}
int32_t V_ApiStraddleCells(uint32_t d, uint32_t cell, int32_t rows, int32_t cols)
{
    return status<api_vx_straddle_cells_1>({d, cell, rows, cols, 1});
}
int32_t V_ApiUnStraddleCells(uint32_t d, uint32_t cell, int32_t rows, int32_t cols)
{
    return status<api_vx_straddle_cells_1>({d, cell, rows, cols, 0});
}

uint32_t V_ApiNewElement(uint32_t d, uint32_t def, const V_TextLocT *loc)
{
    return read<api_vx_new_element_1>({d, def, val(loc)});
}
uint32_t V_ApiNewElementInHierarchy(uint32_t d, uint32_t def, const V_ElementLocT *loc)
{
    return read<api_vx_new_element_in_hierarchy_1>({d, def, val(loc)});
}
uint32_t V_ApiNewBookComponentInHierarchy(uint32_t book, const char *file, const V_ElementLocT *loc)
{
    return read<api_vx_new_book_component_in_hierarchy_1>({book, str(file), val(loc)});
}
V_TextLocT V_ApiElementLocToTextLoc(uint32_t d, const V_ElementLocT *loc)
{
    static const V_TextLocT empty_textloc{};
    return record<api_vx_elementloc_to_textloc_1>({d, val(loc)}, empty_textloc);
}
V_ElementLocT V_ApiTextLocToElementLoc(uint32_t d, const V_TextLocT *loc)
{
    static const V_ElementLocT empty_elemloc{};
    return record<api_vx_textloc_to_elementloc_1>({d, val(loc)}, empty_elemloc);
}
int32_t V_ApiDeleteUndefinedAttribute(uint32_t d, const char *attr, int32_t flags, uint32_t def)
{
    return status<api_vx_delete_undefined_attribute_1>({d, str(attr), flags, def});
}
void V_ApiWrapElement(uint32_t d, uint32_t def) { none<api_vx_wrap_element_1>({d, def}); }
void V_ApiMergeIntoFirst(uint32_t d) { none<api_vx_merge_into_first_1>({d}); }
void V_ApiMergeIntoLast(uint32_t d) { none<api_vx_merge_into_last_1>({d}); }
void V_ApiSplitElement(uint32_t d) { none<api_vx_split_element_1>({d}); }
void V_ApiUnWrapElement(uint32_t d) { none<api_vx_unwrap_element_1>({d}); }
void V_ApiPromoteElement(uint32_t d) { none<api_vx_promote_element_1>({d}); }
void V_ApiDemoteElement(uint32_t d) { none<api_vx_demote_element_1>({d}); }

}  // extern "C"
