// The editor service: documents, menus, the session's requests, and the
// calls the host makes to its client on a person's behalf.
#include "editor_service_impl.h"

#include <algorithm>
#include <chrono>

namespace vxhost {

EditorService::EditorService(Host &host, Editor &editor, generic::GenericHost &generic)
    : host_(host), editor_(editor), generic_(generic)
{
    serve_properties();
    serve_objects_and_text();
    serve_documents();
    serve_menus_and_requests();
    std::sort(procs_.begin(), procs_.end());
}

EditorService::~EditorService()
{
    for (uint32_t proc : procs_)
        host_.on(proc, nullptr);
}

void EditorService::report(const std::string &message)
{
    if (report_ && !message.empty())
        report_(message);
}

void EditorService::serve_documents()
{
    serve<ApiVxOpenArgT, ApiVxOpenRetT>(1019, [this](ApiVxOpenArgT &a, ApiVxOpenRetT &r, HostCall &) {
        OpenResult opened = editor_.open(wire::text(a.fileName), wire::model(a.props));
        r.status = opened.status;
        r.docId = opened.doc;
        if (opened.status != status::kOk)
            report(opened.message);
    });
    serve<ApiVxSaveArgT, ApiVxSaveRetT>(1020, [this](ApiVxSaveArgT &a, ApiVxSaveRetT &r, HostCall &) {
        std::string message;
        r.status = editor_.save(a.docId, wire::text(a.fileName), &message);
        if (r.status == status::kOk)
            r.docId = a.docId;
        else
            report(message);
    });
    serve<ApiVxCloseDocArgT, int32_t>(1022, [this](ApiVxCloseDocArgT &a, int32_t &r, HostCall &) {
        r = editor_.close(a.docId);
    });
    serve<ApiVxGeneralDocArgT, int32_t>(1048, [this](ApiVxGeneralDocArgT &a, int32_t &r, HostCall &) {
        r = editor_.redisplay(a.docId);
    });
}

void EditorService::serve_menus_and_requests()
{
    Editor &e = editor_;
    serve<ApiVxDefineMenuArgT, ApiVxObjRetT>(1251, [&e](ApiVxDefineMenuArgT &a, ApiVxObjRetT &r, HostCall &) {
        r.objId = e.menus().defineMenu(wire::text(a.name), wire::text(a.label));
        r.status = r.objId != 0 ? status::kOk : status::kLimit;
    });
    serve<ApiVxDefineCommandArgT, ApiVxObjRetT>(1250, [&e](ApiVxDefineCommandArgT &a, ApiVxObjRetT &r, HostCall &) {
        r.objId = e.menus().defineCommand(a.cmdNum, wire::text(a.name), wire::text(a.label), wire::text(a.str3),
                                          kClient);
        r.status = r.objId != 0 ? status::kOk : status::kLimit;
    });
    serve<ApiVxAddCommandToMenuArgT, int32_t>(1252, [&e](ApiVxAddCommandToMenuArgT &a, int32_t &r, HostCall &) {
        r = e.menus().add(a.menuId, a.cmdId);
    });
    serve<ApiVxAddMenuToMenuArgT, int32_t>(1253, [&e](ApiVxAddMenuToMenuArgT &a, int32_t &r, HostCall &) {
        r = e.menus().add(a.menuId, a.subMenuId);
    });
    // Defined, then added: the new item is only answered when both worked.
    serve<ApiVxDefineAndAddCommandArgT, ApiVxObjRetT>(
        1254, [&e](ApiVxDefineAndAddCommandArgT &a, ApiVxObjRetT &r, HostCall &) {
            ObjId id = e.menus().defineCommand(a.cmdNum, wire::text(a.name), wire::text(a.label),
                                               wire::text(a.str3), kClient);
            r.status = id != 0 ? e.menus().add(a.menuId, id) : status::kLimit;
            r.objId = r.status == status::kOk ? id : 0;
        });
    serve<ApiVxDefineAndAddMenuArgT, ApiVxObjRetT>(
        1255, [&e](ApiVxDefineAndAddMenuArgT &a, ApiVxObjRetT &r, HostCall &) {
            ObjId id = e.menus().defineMenu(wire::text(a.name), wire::text(a.label));
            r.status = id != 0 ? e.menus().add(a.menuId, id) : status::kLimit;
            r.objId = r.status == status::kOk ? id : 0;
        });

    serve<ApiVxFcodesArgT, int32_t>(1014, [&e](ApiVxFcodesArgT &a, int32_t &, HostCall &) {
        std::vector<int32_t> codes;
        if (a.fcodes.items != nullptr)
            codes.assign(a.fcodes.items, a.fcodes.items + a.fcodes.count);
        e.fcodes(codes);
    });
    serve<ApiVxNotificationArgT, int32_t>(1015, [&e](ApiVxNotificationArgT &a, int32_t &, HostCall &) {
        e.notification(kClient, a.notification, a.state);
    });
    serve<int32_t, int32_t>(1375, [&e](int32_t &value, int32_t &, HostCall &) { e.returnValue(value); });
    serve<ApiVxAlertArgT, int32_t>(1008, [&e](ApiVxAlertArgT &a, int32_t &, HostCall &) {
        e.alert(wire::text(a.message), a.kind);
    });
}

EditorService::Sent EditorService::function_code(int32_t code, double seconds)
{
    if (!editor_.wantsNotification(kClient, kFunctionCodeNotification))
        return Sent::NotRequested;
    bool back = handed_back(
        [&] { return host_.call_notify(kFunctionCodeNotification, editor_.activeDocument(), "", code); }, seconds);
    return back ? Sent::Done : Sent::NoHandover;
}

EditorService::Ran EditorService::run_label(const std::string &label, double seconds)
{
    const Command *command = editor_.menus().command(editor_.menus().commandByLabel(label));
    if (command == nullptr || command->client != kClient)
        return Ran::NoSuchLabel;
    return handed_back([&] { return host_.call_command(command->number); }, seconds) ? Ran::Done : Ran::NoHandover;
}

bool EditorService::handed_back(const std::function<clnt_stat()> &call, double seconds)
{
    using Clock = std::chrono::steady_clock;
    int before = host_.handovers();
    long calls = host_.calls_served();
    auto start = Clock::now();
    double shown = 0;  // when progress was last told; 0: not yet
    auto elapsed = [&] { return std::chrono::duration<double>(Clock::now() - start).count(); };
    auto back = [&] {
        if (host_.handovers() > before)
            return true;
        double now = elapsed();
        if (progress_ && now >= kQuietSeconds && now - shown >= kProgressSeconds) {
            shown = now;
            progress_({now, host_.calls_served() - calls, false});
        }
        return false;
    };
    bool ok = call() == RPC_SUCCESS && host_.serve_until(back, seconds);
    if (progress_ && shown > 0)
        progress_({elapsed(), host_.calls_served() - calls, true});
    return ok;
}

}  // namespace vxhost
