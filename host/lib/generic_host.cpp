// The generic answer and the scripted faults.
#include "generic_host.h"

#include "document_types.h"
#include "vapi/records.h"
#include "proctable.h"

#include <cstddef>
#include <cstring>
#include <string>

namespace vxhost::generic {
namespace {

const uint32_t kGetNamedObject = 1051, kNewNamedObject = 1053;

// Where the host's status stands in a result, if it has one: first, except
// in the thesaurus and hyphenation records.
bool status_offset(const ApiProcT &proc, size_t &offset)
{
    std::string type = proc.resType;
    if (type == "void" || type == "StringT")
        return false;
    offset = proc.num == 1411   ? offsetof(ApiVxThesaurusRetT, status)
             : proc.num == 1412 ? offsetof(ApiVxShowHyphenationRetT, status)
                                : 0;
    return true;
}

bool is_object_result(const ApiProcT &proc) { return std::strcmp(proc.resType, "ApiVxObjRetT") == 0; }

}  // namespace

GenericHost::GenericHost(Host &host) : host_(host)
{
    host_.set_fallback([this](HostCall &call) { answer(call); });
}

GenericHost::Script &GenericHost::script(uint32_t proc)
{
    auto it = scripts_.find(proc);
    if (it == scripts_.end()) {
        it = scripts_.emplace(proc, Script{}).first;
        host_.on(proc, [this, proc](HostCall &call) { run(call, scripts_[proc]); });
    }
    return it->second;
}

void GenericHost::script_status(uint32_t proc, int32_t status) { script(proc).status = status; }
void GenericHost::script_result(uint32_t proc, Bytes result) { script(proc).results.push_back(std::move(result)); }
void GenericHost::script_drop(uint32_t proc) { script(proc).drop = true; }
void GenericHost::script_after(uint32_t proc, std::function<void(Host &)> action)
{
    script(proc).after = std::move(action);
}

void GenericHost::clear_scripts()
{
    for (auto &entry : scripts_)
        host_.on(entry.first, [this](HostCall &call) { answer(call); });
    scripts_.clear();
}

void GenericHost::run(HostCall &call, Script &s)
{
    if (s.drop) {
        call.reply = HostCall::Reply::Drop;
        return;
    }
    if (!s.results.empty()) {
        decode(call.proc.resCodec, s.results.front(), call.result);
        if (s.results.size() > 1)
            s.results.pop_front();
    } else if (!s.status || *s.status == 0) {
        answer(call);
    }
    size_t at = 0;
    if (s.status && status_offset(call.proc, at)) {
        int32_t status = *s.status;
        std::memcpy(static_cast<char *>(call.result) + at, &status, sizeof status);
    }
    if (s.after) {
        call.reply_now();
        s.after(host_);
    }
}

void GenericHost::answer(HostCall &call)
{
    const ApiProcT &proc = call.proc;
    if (PropertyStore::handles(proc.num)) {
        Bytes result = store_.answer(proc.num, encode(proc.argCodec, call.arguments));
        if (!decode(proc.resCodec, result, call.result))
            std::memset(call.result, 0, proc.resSize);
        return;
    }
    if (is_object_result(proc)) {
        auto *result = static_cast<ApiVxObjRetT *>(call.result);
        result->objId = object_for(call, result->status);
    }
}

// A named object keeps its identifier; a name never made is not found.
// Every other call that makes or finds an object gets a new one.
uint32_t GenericHost::object_for(HostCall &call, int32_t &status)
{
    if (call.proc.num != kGetNamedObject && call.proc.num != kNewNamedObject)
        return nextId_++;
    // Both procedures take the same record: document, type, name.
    const auto *arg = static_cast<const ApiVxNewNamedObjArgT *>(call.arguments);
    auto key = std::make_tuple(arg->docId, arg->objType, std::string(arg->name ? arg->name : ""));
    auto it = named_.find(key);
    if (it != named_.end())
        return it->second;
    if (call.proc.num == kGetNamedObject) {
        status = status::kNoSuchName;
        return 0;
    }
    const std::string &name = std::get<2>(key);
    if (named_.size() >= kMaxNamedObjects || name.size() > kMaxNamedBytes - namedBytes_) {
        status = status::kLimit;
        return 0;
    }
    namedBytes_ += name.size();
    return named_[key] = nextId_++;
}

}  // namespace vxhost::generic
