/** @file
 * The host's RPC procedures: one table, the client stubs derived from it.
 *
 * Each stub makes one synchronous call over the given client handle into a
 * static result buffer of its own, cleared before the call, and returns that
 * buffer's address, or null when the call failed in any way (nothing is
 * reported or retried). What decoding put into the buffer belongs to it
 * until released with api_xdrfree(result codec, result); a later call of the
 * same stub overwrites it. Procedures without argument data take a pointer
 * to a dummy int 0; those without result data return a non-null address
 * that holds nothing.
 *
 * The API functions of vapi/api.h make these calls for you, check the
 * status and copy the result; call a stub yourself only for what they do
 * not cover, for example:
 *
 *     ApiVxGetPropArgT arg = {doc, pgf, {VX_PROP_FORMAT_TAG, NULL}};
 *     ApiVxGetStringRetT *r = api_vx_get_string_1(&arg, vellix_client);
 *     if (r != NULL && r->status == 0)
 *         puts(r->value);
 *     api_xdrfree((xdrproc_t)xdr_ApiVxGetStringRetT, r);
 */
#ifndef VAPI_PROCS_H
#define VAPI_PROCS_H

#include <stdint.h>
#include <rpc/rpc.h>

#include "vapi/codecs.h"
#include "vapi/records.h"

#ifdef __cplusplus
extern "C" {
#endif
#pragma GCC visibility push(default)

/** The connection through which every call to the host goes: made at
   start-up (or by V_ApiConnectToSession), null before and after. */
extern CLIENT *vellix_client;

/** P(number, stub, argument type, result type) for every procedure of the
    host. For each row the header declares the stub
    `R *stub(A *argp, CLIENT *clnt)`. The types name their codecs: xdr_int,
    xdr_void, xdr_StringT, xdr_<Record>. */
#define VAPI_PROCEDURES(P) \
    P(1000, api_vx_init_ack_5_1, int, void) \
    P(1001, api_vx_init_ack_4_1, int, void) \
    P(1002, api_vx_over_1, int, void) \
    P(1003, api_vx_menu_exists_1, ApiVxExistsArgT, int) \
    P(1004, api_vx_shortcut_exists_1, ApiVxExistsArgT, int) \
    P(1005, api_vx_add_menu_1, ApiVxAddMenuArgT, int) \
    P(1006, api_vx_remove_menu_1, ApiVxRemoveMenuArgT, int) \
    P(1007, api_vx_add_command_1, ApiVxAddCommandArgT, int) \
    P(1008, api_vx_alert_1, ApiVxAlertArgT, int) \
    P(1009, api_vx_prompt_int_1, ApiVxPromptArgT, ApiVxPromptIntRetT) \
    P(1010, api_vx_prompt_string_1, ApiVxPromptArgT, ApiVxPromptStringRetT) \
    P(1011, api_vx_prompt_metric_1, ApiVxPromptMetricArgT, ApiVxPromptMetricRetT) \
    P(1012, old_api_vx_choose_file_1, oldApiVxChooseFileArgT, ApiVxChooseFileRetT) \
    P(1013, api_vx_scroll_box_1, ApiVxScrollBoxArgT, ApiVxScrollBoxRetT) \
    P(1014, api_vx_fcodes_1, ApiVxFcodesArgT, int) \
    P(1015, api_vx_notification_1, ApiVxNotificationArgT, int) \
    P(1016, api_vx_call_client_1, ApiVxCallClientArgT, ApiVxGetIntRetT) \
    P(1017, api_vx_quick_select_1, ApiVxQuickSelectArgT, ApiVxQuickSelectRetT) \
    P(1018, api_vx_silent_print_doc_1, ApiVxSilentPrintDocArgT, int) \
    P(1019, api_vx_open_1, ApiVxOpenArgT, ApiVxOpenRetT) \
    P(1020, api_vx_save_1, ApiVxSaveArgT, ApiVxSaveRetT) \
    P(1021, api_vx_custom_1, ApiVxCustomDocArgT, ApiVxCustomDocRetT) \
    P(1022, api_vx_close_1, ApiVxCloseDocArgT, int) \
    P(1023, api_vx_revert_1, ApiVxGeneralDocArgT, int) \
    P(1024, api_vx_import_1, ApiVxImportArgT, ApiVxImportRetT) \
    P(1025, api_vx_simple_import_formats_1, ApiVxSimpleImportFormatsArgT, int) \
    P(1026, api_vx_simple_generate_1, ApiVxSimpleGenerateArgT, int) \
    P(1027, api_vx_compare_1, ApiVxCompareArgT, ApiVxCompareRetT) \
    P(1028, api_vx_choose_file_1, ApiVxChooseFileArgT, ApiVxChooseFileRetT) \
    P(1029, api_vx_family_fonts_1, int, ApiVxFamilyFontsRetT) \
    P(1030, api_vx_cut_1, ApiVxCutCopyPasteArgT, int) \
    P(1031, api_vx_clear_1, ApiVxCutCopyPasteArgT, int) \
    P(1032, api_vx_copy_1, ApiVxCutCopyPasteArgT, int) \
    P(1033, api_vx_paste_1, ApiVxCutCopyPasteArgT, int) \
    P(1034, api_vx_update_textinset_1, ApiVxUpdateTextInsetArgT, int) \
    P(1035, api_vx_apply_page_layout_1, ApiVxApplyPageLayoutArgT, int) \
    P(1036, api_vx_delete_textinset_contents_1, ApiVxDeleteTextInsetContentsArgT, int) \
    P(1037, api_vx_export_1, ApiVxExportArgT, ApiVxExportRetT) \
    P(1038, api_vx_scroll_to_text_1, ApiVxGeneralTextRangeArgT, int) \
    P(1039, api_vx_center_on_text_1, ApiVxGeneralTextRangeArgT, int) \
    P(1040, api_vx_restart_pgf_numbering_1, ApiVxGeneralDocArgT, int) \
    P(1041, api_vx_rehyphenate_1, ApiVxGeneralDocArgT, int) \
    P(1042, api_vx_clear_all_changebars_1, ApiVxGeneralDocArgT, int) \
    P(1043, api_vx_reset_eqn_settings_1, ApiVxGeneralDocArgT, int) \
    P(1044, api_vx_reset_reference_frames_1, ApiVxGeneralDocArgT, int) \
    P(1045, api_vx_update_variables_1, ApiVxGeneralDocArgT, int) \
    P(1046, api_vx_update_xrefs_1, ApiVxUpdateXRefsArgT, int) \
    P(1047, api_vx_reformat_1, ApiVxGeneralDocArgT, int) \
    P(1048, api_vx_redisplay_1, ApiVxGeneralDocArgT, int) \
    P(1049, api_vx_combined_family_fonts_1, ApiVxCombinedFamilyFontsArgT, ApiVxCombinedFamilyFontsRetT) \
    P(1050, api_vx_delete_1, ApiVxGeneralObjArgT, int) \
    P(1051, api_vx_get_named_object_1, ApiVxGetNamedObjArgT, ApiVxObjRetT) \
    P(1052, api_vx_new_graphic_object_1, ApiVxNewGraphicObjArgT, ApiVxObjRetT) \
    P(1053, api_vx_new_named_object_1, ApiVxNewNamedObjArgT, ApiVxObjRetT) \
    P(1054, api_vx_new_anchored_object_1, ApiVxNewAnchoredObjArgT, ApiVxObjRetT) \
    P(1055, api_vx_new_series_object_1, ApiVxNewSeriesObjArgT, ApiVxObjRetT) \
    P(1058, api_vx_add_text_1, ApiVxAddTextArgT, ApiVxAddTextRetT) \
    P(1059, api_vx_delete_text_1, ApiVxGeneralTextRangeArgT, int) \
    P(1060, api_vx_get_prop_1, ApiVxGetPropArgT, ApiVxGetPropRetT) \
    P(1061, api_vx_set_prop_1, ApiVxSetPropArgT, int) \
    P(1062, api_vx_get_props_1, ApiVxGeneralObjArgT, ApiVxGetPropsRetT) \
    P(1063, api_vx_set_props_1, ApiVxSetPropsArgT, int) \
    P(1064, api_vx_get_int_1, ApiVxGetPropArgT, ApiVxGetIntRetT) \
    P(1065, api_vx_set_int_1, ApiVxSetIntArgT, int) \
    P(1066, api_vx_get_id_1, ApiVxGetPropArgT, ApiVxGetIdRetT) \
    P(1067, api_vx_set_id_1, ApiVxSetIdArgT, int) \
    P(1068, api_vx_get_metric_1, ApiVxGetPropArgT, ApiVxGetMetricRetT) \
    P(1069, api_vx_set_metric_1, ApiVxSetMetricArgT, int) \
    P(1070, api_vx_get_string_1, ApiVxGetPropArgT, ApiVxGetStringRetT) \
    P(1071, api_vx_set_string_1, ApiVxSetStringArgT, int) \
    P(1072, api_vx_get_strings_1, ApiVxGetPropArgT, ApiVxGetStringsRetT) \
    P(1073, api_vx_set_strings_1, ApiVxSetStringsArgT, int) \
    P(1074, api_vx_get_metrics_1, ApiVxGetPropArgT, ApiVxGetMetricsRetT) \
    P(1075, api_vx_set_metrics_1, ApiVxSetMetricsArgT, int) \
    P(1076, api_vx_get_points_1, ApiVxGetPropArgT, ApiVxGetPointsRetT) \
    P(1077, api_vx_set_points_1, ApiVxSetPointsArgT, int) \
    P(1078, api_vx_get_tabs_1, ApiVxGetPropArgT, ApiVxGetTabsRetT) \
    P(1079, api_vx_set_tabs_1, ApiVxSetTabsArgT, int) \
    P(1080, api_vx_get_text_1, ApiVxGetTextArgT, ApiVxGetTextRetT) \
    P(1081, api_vx_get_text_for_range_1, ApiVxGetTextForRangeArgT, ApiVxGetTextRetT) \
    P(1082, api_vx_delete_prop_1, ApiVxGetPropArgT, int) \
    P(1083, api_vx_get_ubytes_1, ApiVxGetPropArgT, ApiVxGetUBytesRetT) \
    P(1084, api_vx_set_ubytes_1, ApiVxSetUBytesArgT, int) \
    P(1085, api_vx_get_text2_1, ApiVxGetText2ArgT, ApiVxGetTextRetT) \
    P(1086, api_vx_get_text_for_range2_1, ApiVxGetTextForRange2ArgT, ApiVxGetTextRetT) \
    P(1087, api_vx_find_1, ApiVxFindArgT, ApiVxFindRetT) \
    P(1088, api_vx_spell_1, ApiVxSpellArgT, ApiVxSpellRetT) \
    P(1089, api_vx_get_unique_object_1, ApiVxGetUniqueObjArgT, ApiVxObjRetT) \
    P(1090, api_vx_new_anchored_formatted_object_1, ApiVxNewAnchoredFormattedObjArgT, ApiVxObjRetT) \
    P(1091, api_vx_object_valid_1, ApiVxGeneralObjArgT, int) \
    P(1092, api_vx_get_ints_1, ApiVxGetPropArgT, ApiVxGetIntsRetT) \
    P(1093, api_vx_set_ints_1, ApiVxSetIntsArgT, int) \
    P(1098, api_vx_get_val_1, ApiVxGetPropArgT, ApiVxGetValRetT) \
    P(1099, api_vx_set_val_1, ApiVxSetValArgT, int) \
    P(1100, api_vx_merge_into_first_1, ApiVxGeneralDocArgT, int) \
    P(1101, api_vx_merge_into_last_1, ApiVxGeneralDocArgT, int) \
    P(1102, api_vx_split_element_1, ApiVxGeneralDocArgT, int) \
    P(1103, api_vx_wrap_element_1, ApiVxGeneralElementDefArgT, int) \
    P(1104, api_vx_unwrap_element_1, ApiVxGeneralDocArgT, int) \
    P(1105, api_vx_promote_element_1, ApiVxGeneralDocArgT, int) \
    P(1106, api_vx_demote_element_1, ApiVxGeneralDocArgT, int) \
    P(1108, api_vx_new_element_1, ApiVxNewElementArgT, ApiVxObjRetT) \
    P(1109, api_vx_simple_import_element_defs_1, ApiVxSimpleImportElementDefsArgT, int) \
    P(1111, api_vx_new_element_in_hierarchy_1, ApiVxNewElementInHierarchyArgT, ApiVxObjRetT) \
    P(1112, api_vx_new_book_component_in_hierarchy_1, ApiVxNewBookComponentInHierarchyArgT, ApiVxObjRetT) \
    P(1113, api_vx_new_sub_object_1, ApiVxNewSubObjectArgT, ApiVxObjRetT) \
    P(1200, api_vx_add_rows_1, ApiVxAddRowsArgT, int) \
    P(1201, api_vx_add_columns_1, ApiVxAddColumnsArgT, int) \
    P(1202, api_vx_cut_table_parts_1, ApiVxCutTablePartsArgT, int) \
    P(1203, api_vx_make_table_selection_1, ApiVxMakeTableSelectionArgT, int) \
    P(1204, api_vx_straddle_cells_1, ApiVxStraddleCellsArgT, int) \
    P(1205, api_vx_new_table_1, ApiVxNewTableArgT, ApiVxObjRetT) \
    P(1250, api_vx_define_command_1, ApiVxDefineCommandArgT, ApiVxObjRetT) \
    P(1251, api_vx_define_menu_1, ApiVxDefineMenuArgT, ApiVxObjRetT) \
    P(1252, api_vx_add_command_to_menu_1, ApiVxAddCommandToMenuArgT, int) \
    P(1253, api_vx_add_menu_to_menu_1, ApiVxAddMenuToMenuArgT, int) \
    P(1254, api_vx_define_and_add_command_1, ApiVxDefineAndAddCommandArgT, ApiVxObjRetT) \
    P(1255, api_vx_define_and_add_menu_1, ApiVxDefineAndAddMenuArgT, ApiVxObjRetT) \
    P(1256, api_vx_load_menu_customization_file_1, ApiVxLoadMenuCustomizationFileArgT, int) \
    P(1257, api_vx_animate_menu_1, ApiVxAnimateMenuArgT, int) \
    P(1258, api_vx_menu_item_in_menu_1, ApiVxMenuItemInMenuArgT, ApiVxObjRetT) \
    P(1266, api_vx_get_textrange_1, ApiVxGetPropArgT, ApiVxGetTextRangeRetT) \
    P(1267, api_vx_set_textrange_1, ApiVxSetTextRangeArgT, int) \
    P(1268, api_vx_get_textloc_1, ApiVxGetPropArgT, ApiVxGetTextLocRetT) \
    P(1269, api_vx_set_textloc_1, ApiVxSetTextLocArgT, int) \
    P(1285, api_vx_get_element_catalog_1, ApiVxGetPropArgT, ApiVxGetElementCatalogRetT) \
    P(1286, api_vx_elementloc_to_textloc_1, ApiVxElementLocToTextLocArgT, ApiVxElementLocToTextLocRetT) \
    P(1287, api_vx_textloc_to_elementloc_1, ApiVxTextLocToElementLocArgT, ApiVxTextLocToElementLocRetT) \
    P(1298, api_vx_get_text_val_1, ApiVxGetTextPropArgT, ApiVxGetValRetT) \
    P(1299, api_vx_set_text_val_1, ApiVxSetTextValArgT, int) \
    P(1300, api_vx_get_text_prop_1, ApiVxGetTextPropArgT, ApiVxGetPropRetT) \
    P(1301, api_vx_set_text_prop_1, ApiVxSetTextPropArgT, int) \
    P(1302, api_vx_get_text_props_1, ApiVxGetTextPropsArgT, ApiVxGetPropsRetT) \
    P(1303, api_vx_set_text_props_1, ApiVxSetTextPropsArgT, int) \
    P(1304, api_vx_prompt_point_1, ApiVxPromptPointArgT, ApiVxPromptPointRetT) \
    P(1305, api_vx_prompt_rect_1, ApiVxPromptRectArgT, ApiVxPromptRectRetT) \
    P(1310, api_vx_hypertext_command_1, ApiVxHypertextCommandArgT, int) \
    P(1315, api_vx_open_resource_1, ApiVxOpenResourceArgT, ApiVxObjRetT) \
    P(1316, api_vx_modal_dialog_1, ApiVxDoDialogArgT, int) \
    P(1317, api_vx_modeless_dialog_1, ApiVxDoDialogArgT, int) \
    P(1318, api_vx_dialog_item_id_1, ApiVxDialogItemIdArgT, ApiVxObjRetT) \
    P(1340, api_client_number_1, void, int) \
    P(1341, api_client_name_1, void, StringT) \
    P(1342, api_client_directory_1, void, StringT) \
    P(1343, api_vx_take_control_1, void, void) \
    P(1344, api_set_client_directory_1, StringT, int) \
    P(1360, api_vx_push_clipboard_1, void, void) \
    P(1361, api_vx_pop_clipboard_1, void, int) \
    P(1370, api_vx_sleep_1, int, void) \
    P(1371, api_vx_usleep_1, int, void) \
    P(1372, api_vx_user_cancel_1, void, int) \
    P(1373, api_vx_system_shell_1, StringT, int) \
    P(1374, api_vx_fork_and_exec_1, ApiVxForkAndExecArgT, int) \
    P(1375, api_vx_return_value_1, int, int) \
    P(1376, api_vx_disconnect_from_session_1, void, int) \
    P(1377, api_vx_is_encoding_supported_1, StringT, int) \
    P(1378, api_vx_get_supported_encodings_1, void, ApiVxGetStringsRetT) \
    P(1379, api_vx_get_encoding_for_family_1, int, ApiVxGetStringRetT) \
    P(1380, api_vx_get_encoding_for_font_1, ApiVxGetEncodingForFontArgT, ApiVxGetStringRetT) \
    P(1381, api_vx_cache_doc_1, ApiVxSilentPrintDocArgT, ApiVxCustomDocRetT) \
    P(1390, api_vx_update_book_1, ApiVxUpdateBookArgT, ApiVxUpdateBookRetT) \
    P(1400, api_vx_get_attribute_defs_1, ApiVxGetPropArgT, ApiVxGetAttributeDefsRetT) \
    P(1401, api_vx_set_attribute_defs_1, ApiVxSetAttributeDefsArgT, int) \
    P(1402, api_vx_get_attributes_1, ApiVxGetPropArgT, ApiVxGetAttributesRetT) \
    P(1403, api_vx_set_attributes_1, ApiVxSetAttributesArgT, int) \
    P(1404, api_vx_get_element_range_1, ApiVxGetPropArgT, ApiVxGetElementRangeRetT) \
    P(1405, api_vx_set_element_range_1, ApiVxSetElementRangeArgT, int) \
    P(1406, api_vx_delete_undefined_attribute_1, ApiVxDeleteUndefinedAttributeArgT, int) \
    P(1407, api_vx_replace_text_1, ApiVxReplaceTextArgT, ApiVxReplaceTextRetT) \
    P(1408, api_vx_dictionary_1, ApiVxDictionaryArgT, ApiVxDictionaryRetT) \
    P(1409, api_vx_modifydictionary_1, ApiVxModifyDictionaryArgT, ApiVxModifyDictionaryRetT) \
    P(1410, api_vx_resetspelling_1, ApiVxResetSpellingArgT, ApiVxResetSpellingRetT) \
    P(1411, api_vx_thesaurus_1, ApiVxThesaurusArgT, ApiVxThesaurusRetT) \
    P(1412, api_vx_showhyphenation_1, ApiVxShowHyphenationArgT, ApiVxShowHyphenationRetT) \
    P(1413, api_vx_center_on_graphic_object_1, ApiVxGeneralObjArgT, int) \
    P(1414, api_vx_user_interact_selection_1, ApiVxUserInteractSelectionArgT, int) \
    P(1415, api_vx_change_color_palette_1, ApiVxChangeColorPaletteArgT, int)

/** @cond */
#define VAPI_DECLARE_STUB(num, stub, A, R) R *stub(A *argp, CLIENT *clnt);
VAPI_PROCEDURES(VAPI_DECLARE_STUB)
#undef VAPI_DECLARE_STUB
/** @endcond */

/** Releases what decoding allocated inside a result buffer; null is harmless. */
void api_xdrfree(xdrproc_t codec, void *result);

#pragma GCC visibility pop
#ifdef __cplusplus
}
#endif

#endif
