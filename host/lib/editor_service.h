// The editor model over RPC: handlers on a Host for every procedure that the
// model (documents, text, clipboard, menus, session requests) covers. Each
// handler turns the wire record into the model's types, asks the Editor, and
// writes the answer back; property calls the model has no property for (and
// calls by property name) go on to the generic store, so that nothing a
// client sets is lost.
//
// Every handler costs what its model operation costs: the arguments are
// decoded once by the dispatcher and converted field by field, with no walk
// over the document.
#pragma once

#include "document_editor.h"
#include "generic_host.h"
#include "vxhost.h"

#include <functional>
#include <string>
#include <vector>

namespace vxhost {

class EditorService {
public:
    // The number under which the one client of the host asks for
    // notifications and owns its commands.
    static constexpr int32_t kClient = 0;
    static constexpr int32_t kFunctionCodeNotification = 42;

    // Installs the handlers on `host`; `generic` answers what the model does
    // not. All three must outlive the service.
    EditorService(Host &host, Editor &editor, generic::GenericHost &generic);
    ~EditorService();
    EditorService(const EditorService &) = delete;
    EditorService &operator=(const EditorService &) = delete;

    Editor &editor() { return editor_; }
    // The procedures answered here, in ascending order.
    const std::vector<uint32_t> &procedures() const { return procs_; }

    // Why an open or a save failed, as the host would tell its user.
    void set_reporter(std::function<void(const std::string &)> reporter) { report_ = std::move(reporter); }

    // Reports function code `code` to the client through notification 42
    // for the active document, and serves until the client hands control
    // back. Only a client that asked for notification 42 is told.
    enum class Sent { Done, NotRequested, NoHandover };
    Sent function_code(int32_t code, double seconds = 10);
    // Runs the client command of that label, serving until the hand-over.
    enum class Ran { Done, NoSuchLabel, NoHandover };
    Ran run_label(const std::string &label, double seconds = 10);
    // A call to the client, then serving until it hands control back.
    bool handed_back(const std::function<clnt_stat()> &call, double seconds = 10);

    // While the client holds control longer than kQuietSeconds, `watcher` is
    // told every kProgressSeconds how long it has been and how many host
    // calls were served meanwhile, and once more with `done` at the end.
    static constexpr double kQuietSeconds = 0.5, kProgressSeconds = 0.1;
    struct Progress {
        double seconds = 0;
        long calls = 0;
        bool done = false;
    };
    void set_progress(std::function<void(const Progress &)> watcher) { progress_ = std::move(watcher); }

private:
    // Registers a handler taking the decoded argument A and filling the
    // result R of procedure `proc` (whose table row must have those sizes).
    template <class A, class R, class F>
    void serve(uint32_t proc, F handler);
    template <class Ret, class SetArg>
    void property_pair(uint32_t getProc, uint32_t setProc);
    // The status of a write whose value has no model form.
    int32_t untyped_write(uint32_t doc, uint32_t obj, int32_t num) const;
    void report(const std::string &message);

    void serve_properties();
    void serve_objects_and_text();
    void serve_documents();
    void serve_menus_and_requests();

    Host &host_;
    Editor &editor_;
    generic::GenericHost &generic_;
    std::vector<uint32_t> procs_;
    std::function<void(const std::string &)> report_;
    std::function<void(const Progress &)> progress_;
};

}  // namespace vxhost
