// Objects, text and the clipboard.
#include "editor_service_impl.h"

namespace vxhost {
namespace {

bool model_type(int32_t type)
{
    return type == objtype::kParagraphFormat || type == objtype::kMenu || type == objtype::kCommand;
}

}  // namespace

void EditorService::serve_objects_and_text()
{
    // Named objects of the model's types; other types stay generic.
    serve<ApiVxGetNamedObjArgT, ApiVxObjRetT>(1051, [this](ApiVxGetNamedObjArgT &a, ApiVxObjRetT &r,
                                                           HostCall &call) {
        if (!model_type(a.objType))
            return generic_.answer(call);
        r.status = editor_.namedObject(a.docId, a.objType, wire::text(a.name), r.objId);
    });
    serve<ApiVxNewNamedObjArgT, ApiVxObjRetT>(1053, [this](ApiVxNewNamedObjArgT &a, ApiVxObjRetT &r,
                                                           HostCall &call) {
        if (!model_type(a.objType))
            return generic_.answer(call);
        r.status = editor_.newNamedObject(a.docId, a.objType, wire::text(a.name), r.objId);
    });
    serve<ApiVxGeneralObjArgT, int32_t>(1091, [this](ApiVxGeneralObjArgT &a, int32_t &r, HostCall &) {
        r = editor_.objectValid(a.docId, a.objId);
    });
    serve<ApiVxGeneralObjArgT, int32_t>(1050, [this](ApiVxGeneralObjArgT &a, int32_t &r, HostCall &) {
        r = editor_.deleteObject(a.docId, a.objId);
    });

    // Text as items: of an object, or of a range.
    auto of_object = [this](uint32_t doc, uint32_t obj, uint32_t flags, ApiVxGetTextRetT &r) {
        std::vector<TextItem> items;
        r.status = editor_.objectText(doc, obj, flags, items);
        r.textItems = wire::record(items);
    };
    auto of_range = [this](uint32_t doc, const V_TextRangeT &range, uint32_t flags, ApiVxGetTextRetT &r) {
        std::vector<TextItem> items;
        r.status = editor_.textItems(doc, wire::model(range), flags, items);
        r.textItems = wire::record(items);
    };
    serve<ApiVxGetTextArgT, ApiVxGetTextRetT>(
        1080, [of_object](ApiVxGetTextArgT &a, ApiVxGetTextRetT &r, HostCall &) { of_object(a.docId, a.objId, a.flags, r); });
    serve<ApiVxGetTextForRangeArgT, ApiVxGetTextRetT>(
        1081, [of_range](ApiVxGetTextForRangeArgT &a, ApiVxGetTextRetT &r, HostCall &) {
            of_range(a.docId, a.textRange, a.flags, r);
        });
    // The second set of item kinds names kinds this host does not keep.
    serve<ApiVxGetText2ArgT, ApiVxGetTextRetT>(
        1085, [of_object](ApiVxGetText2ArgT &a, ApiVxGetTextRetT &r, HostCall &) { of_object(a.docId, a.objId, a.flags, r); });
    serve<ApiVxGetTextForRange2ArgT, ApiVxGetTextRetT>(
        1086, [of_range](ApiVxGetTextForRange2ArgT &a, ApiVxGetTextRetT &r, HostCall &) {
            of_range(a.docId, a.textRange, a.flags, r);
        });

    serve<ApiVxAddTextArgT, ApiVxAddTextRetT>(1058, [this](ApiVxAddTextArgT &a, ApiVxAddTextRetT &r, HostCall &) {
        TextLoc after;
        r.status = editor_.addText(a.docId, wire::model(a.textLoc), wire::text(a.text), &after);
        if (r.status == status::kOk)
            r.textLoc = wire::record(after);
    });
    serve<ApiVxGeneralTextRangeArgT, int32_t>(1059, [this](ApiVxGeneralTextRangeArgT &a, int32_t &r, HostCall &) {
        r = editor_.deleteText(a.docId, wire::model(a.textRange));
    });
    serve<ApiVxReplaceTextArgT, ApiVxReplaceTextRetT>(
        1407, [this](ApiVxReplaceTextArgT &a, ApiVxReplaceTextRetT &r, HostCall &) {
            r.status = editor_.replaceText(a.docId, wire::model(a.textRange), wire::text(a.text), nullptr);
        });

    // Cut, clear, copy and paste work on the document's selection.
    using Edit = int32_t (Editor::*)(ObjId);
    const std::pair<uint32_t, Edit> edits[] = {
        {1030, &Editor::cut}, {1031, &Editor::clear}, {1032, &Editor::copy}, {1033, &Editor::paste}};
    for (const auto &[proc, edit] : edits)
        serve<ApiVxCutCopyPasteArgT, int32_t>(proc, [this, edit = edit](ApiVxCutCopyPasteArgT &a, int32_t &r,
                                                                        HostCall &) { r = (editor_.*edit)(a.docId); });
    // A push has no result to refuse with: past the stack's limit the oldest
    // entry goes.
    serve<Nothing, Nothing>(1360, [this](Nothing &, Nothing &, HostCall &) { editor_.pushClipboard(); });
    serve<Nothing, int32_t>(1361, [this](Nothing &, int32_t &r, HostCall &) { r = editor_.popClipboard(); });
}

}  // namespace vxhost
