// Documents and books: open, save, import, export, book update and the
// whole-document operations.
#include "apiclib.h"

using namespace vapi::shape;

extern "C" {

uint32_t V_ApiOpen(const char *file, const V_PropValsT *params, V_PropValsT **ret)
{
    return document<api_vx_open_1, &ApiVxOpenRetT::docId>(ret, {str(file), val(params)}).value;
}
uint32_t V_ApiSave(uint32_t d, const char *file, const V_PropValsT *params, V_PropValsT **ret)
{
    return document<api_vx_save_1, &ApiVxSaveRetT::docId>(ret, {str(file), d, val(params)}).value;
}
uint32_t V_ApiImport(uint32_t d, const V_TextLocT *loc, const char *file, const V_PropValsT *params,
                     V_PropValsT **ret)
{
    return document<api_vx_import_1, &ApiVxImportRetT::objId>(ret, {str(file), d, val(loc), val(params)}).value;
}
// Returns the host's status, and 0 after a failed call.
int32_t V_ApiExport(uint32_t d, const char *file, const V_PropValsT *params, V_PropValsT **ret)
{
    DocReply r = document<api_vx_export_1>(ret, {str(file), d, val(params)});
    return r.answered ? r.status : 0;
}
// Returns the host's status, and -1 after a failed call.
int32_t V_ApiUpdateBook(uint32_t book, const V_PropValsT *params, V_PropValsT **ret)
{
    return document<api_vx_update_book_1>(ret, {book, val(params)}).status;
}

uint32_t V_ApiCustomDoc(int32_t v1, int32_t v2, int32_t v3, int32_t v4, int32_t v5, int32_t v6, int32_t v7,
                        int32_t v8, int32_t v9, int32_t v10)
{
    return read<api_vx_custom_1>({v1, v2, v3, v4, v5, v6, v7, v8, v9, v10});
}
int32_t V_ApiClose(uint32_t d, int32_t flags) { return status<api_vx_close_1>({d, flags}); }
int32_t V_ApiSilentPrintDoc(uint32_t d) { return status<api_vx_silent_print_doc_1>({d}); }
int32_t V_ApiSimpleImportFormats(uint32_t d, uint32_t from, int32_t flags)
{
    return status<api_vx_simple_import_formats_1>({d, from, flags});
}
int32_t V_ApiSimpleImportElementDefs(uint32_t d, uint32_t from, int32_t flags)
{
    return status<api_vx_simple_import_element_defs_1>({d, from, flags});
}
int32_t V_ApiSimpleGenerate(uint32_t book, int32_t i1, int32_t i2)
{
    return status<api_vx_simple_generate_1>({book, i1, i2});
}
V_CompareRetT V_ApiCompare(uint32_t older, uint32_t newer, int32_t flags, const char *s1, const char *s2,
                           const char *s3, int32_t threshold)
{
    static const V_CompareRetT empty_compareret{};
    Reply<api_vx_compare_1> r({older, newer, flags, str(s1), str(s2), str(s3), threshold});
    if (!r || refused(*r))
        return empty_compareret;
    return V_CompareRetT{r->id1, r->id2};
}
int32_t V_ApiUpdateXRefs(uint32_t d, int32_t flags) { return status<api_vx_update_xrefs_1>({d, flags}); }
int32_t V_ApiUpdateTextInset(uint32_t d, uint32_t inset) { return status<api_vx_update_textinset_1>({d, inset}); }
int32_t V_ApiDeleteTextInsetContents(uint32_t d, uint32_t inset)
{
    return status<api_vx_delete_textinset_contents_1>({d, inset});
}
int32_t V_ApiApplyPageLayout(uint32_t d, uint32_t id1, uint32_t id2)
{
    return status<api_vx_apply_page_layout_1>({d, id1, id2});
}
uint32_t V_ApiCacheDocument(uint32_t d) { return read<api_vx_cache_doc_1>({d}); }
int32_t V_ApiHypertextCommand(uint32_t id, const char *command)
{
    return status<api_vx_hypertext_command_1>({id, str(command)});
}

int32_t V_ApiRestartPgfNumbering(uint32_t d) { return status<api_vx_restart_pgf_numbering_1>({d}); }
int32_t V_ApiResetReferenceFrames(uint32_t d) { return status<api_vx_reset_reference_frames_1>({d}); }
int32_t V_ApiRehyphenate(uint32_t d) { return status<api_vx_rehyphenate_1>({d}); }
int32_t V_ApiReformat(uint32_t d) { return status<api_vx_reformat_1>({d}); }
int32_t V_ApiRedisplay(uint32_t d) { return status<api_vx_redisplay_1>({d}); }
int32_t V_ApiClearAllChangebars(uint32_t d) { return status<api_vx_clear_all_changebars_1>({d}); }
int32_t V_ApiResetEqnSettings(uint32_t d) { return status<api_vx_reset_eqn_settings_1>({d}); }
int32_t V_ApiUpdateVariables(uint32_t d) { return status<api_vx_update_variables_1>({d}); }

}  // extern "C"
