// Property procedures: single values of each type the model holds, typed
// values, whole property lists.
#include "editor_service_impl.h"

#include <unordered_set>

namespace vxhost {

int32_t EditorService::untyped_write(uint32_t doc, uint32_t obj, int32_t num) const
{
    int32_t known = editor_.getProp(doc, obj, num).status;
    return known == status::kOk ? status::kBadType : known;
}

// A read and a write of one value type share everything but that type.
template <class Ret, class SetArg>
void EditorService::property_pair(uint32_t getProc, uint32_t setProc)
{
    using W = decltype(Ret::value);
    serve<ApiVxGetPropArgT, Ret>(getProc, [this](ApiVxGetPropArgT &a, Ret &r, HostCall &call) {
        PropResult got{status::kUnknownProperty, {}};
        if (a.propIdent.propNum != 0)
            got = editor_.getProp(a.docId, a.objId, a.propIdent.propNum);
        if (got.status == status::kUnknownProperty)
            return generic_.answer(call);
        r.status = got.status;
        if (r.status == status::kOk && !wire::Property<W>::put(got.value, r.value))
            r.status = status::kBadType;
    });
    serve<SetArg, int32_t>(setProc, [this](SetArg &a, int32_t &r, HostCall &call) {
        int32_t num = a.propIdent.propNum, st = status::kUnknownProperty;
        if (num != 0) {
            std::optional<Value> v = wire::Property<W>::take(a.value);
            st = v ? editor_.setProp(a.docId, a.objId, num, *v) : untyped_write(a.docId, a.objId, num);
        }
        if (st == status::kUnknownProperty)
            return generic_.answer(call);
        r = st;
    });
}

void EditorService::serve_properties()
{
    property_pair<ApiVxGetIntRetT, ApiVxSetIntArgT>(1064, 1065);
    property_pair<ApiVxGetIdRetT, ApiVxSetIdArgT>(1066, 1067);
    property_pair<ApiVxGetStringRetT, ApiVxSetStringArgT>(1070, 1071);
    property_pair<ApiVxGetValRetT, ApiVxSetValArgT>(1098, 1099);
    property_pair<ApiVxGetTextRangeRetT, ApiVxSetTextRangeArgT>(1266, 1267);
    property_pair<ApiVxGetTextLocRetT, ApiVxSetTextLocArgT>(1268, 1269);

    // A property with its identifier: the typed value with the number around it.
    serve<ApiVxGetPropArgT, ApiVxGetPropRetT>(1060, [this](ApiVxGetPropArgT &a, ApiVxGetPropRetT &r,
                                                          HostCall &call) {
        int32_t num = a.propIdent.propNum;
        PropResult got = num ? editor_.getProp(a.docId, a.objId, num) : PropResult{status::kUnknownProperty, {}};
        if (got.status == status::kUnknownProperty)
            return generic_.answer(call);
        r.status = got.status;
        r.propVal.ident.propNum = num;
        if (got.status == status::kOk)
            r.propVal.value = wire::record(got.value);
    });
    serve<ApiVxSetPropArgT, int32_t>(1061, [this](ApiVxSetPropArgT &a, int32_t &r, HostCall &call) {
        int32_t num = a.propVal.ident.propNum, st = status::kUnknownProperty;
        if (num != 0) {
            std::optional<Value> v = wire::model(a.propVal.value);
            st = v ? editor_.setProp(a.docId, a.objId, num, *v) : untyped_write(a.docId, a.objId, num);
        }
        if (st == status::kUnknownProperty)
            return generic_.answer(call);
        r = st;
    });

    // The model's properties of the object (what the generic store holds
    // for it is not listed).
    serve<ApiVxGeneralObjArgT, ApiVxGetPropsRetT>(1062, [this](ApiVxGeneralObjArgT &a, ApiVxGetPropsRetT &r,
                                                               HostCall &) {
        std::vector<PropVal> props;
        r.status = editor_.getProps(a.docId, a.objId, props);
        if (r.status == status::kOk)
            r.props = wire::record(props);
    });
    // The model takes the entries it knows; the others, by name or of value
    // types the model does not hold, go to the generic store.
    serve<ApiVxSetPropsArgT, int32_t>(1063, [this](ApiVxSetPropsArgT &a, int32_t &r, HostCall &call) {
        std::vector<PropVal> unhandled;
        r = editor_.setProps(a.docId, a.objId, wire::model(a.props), &unhandled);
        std::unordered_set<int32_t> refused;
        for (const PropVal &p : unhandled)
            refused.insert(p.num);
        std::vector<V_PropValT> rest;
        for (uint32_t i = 0; a.props.items != nullptr && i < a.props.count; ++i) {
            const V_PropValT &item = a.props.items[i];
            bool modelled = item.ident.propNum != 0 && wire::model(item.value).has_value();
            if (!modelled || refused.count(item.ident.propNum))
                rest.push_back(item);
        }
        if (r != status::kOk && r != status::kUnknownProperty)
            return;
        if (rest.empty()) {
            r = status::kOk;
            return;
        }
        // The generic store answers a call whose list holds only the rest.
        V_PropValsT all = a.props;
        a.props = {static_cast<uint32_t>(rest.size()), rest.data()};
        generic_.answer(call);
        a.props = all;
    });
}

}  // namespace vxhost
