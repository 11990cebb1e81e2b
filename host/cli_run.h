// One run of vxhost: the host with its editor, the document, the client, and
// the steps between them.
#pragma once

#include "cli_options.h"
#include "document_editor.h"
#include "document_history.h"
#include "editor_service.h"
#include "generic_host.h"
#include "session_service.h"
#include "vxhost.h"

#include <fstream>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

namespace vxhost::cli {

class Run {
public:
    Run(const Config &config, std::ostream &out);
    ~Run();
    Run(const Run &) = delete;
    Run &operator=(const Run &) = delete;

    // Everything the configuration asks for; the exit status. Failures are
    // reported on standard error as one line each.
    int main();

    // One step; throws Failure.
    void step(const Step &step);
    // The active document's outline, under a heading line.
    void print(const std::string &heading);
    Document *document() const { return editor_.document(editor_.activeDocument()); }
    // The selection's paragraph, counted from 1 (0 without a selection).
    size_t selected_paragraph() const;
    bool client_running() { return launched_ && host_->client_running(); }
    std::ostream &out() { return out_; }
    void save(const std::string &file, const std::string &where);

    const Config &config() const { return config_; }
    Editor &editor() { return editor_; }
    EditorService &service() { return *service_; }
    // Every step is one step of the documents' histories; what the last one
    // changed.
    History &history() { return history_; }
    const StepResult &last_change() const { return lastChange_; }
    // Failed opens and saves that the client asked for are shown as events
    // even without --events (the terminal mode says why nothing changed).
    void show_refusals() { showRefusals_ = true; }

private:
    void open_document();
    void start_client();
    int finish();
    void client_call(const std::function<clnt_stat()> &call, const Step &step);
    [[noreturn]] void lost_client(const std::string &during, long callsBefore);
    void run_label(const Step &step);
    void show_events();
    void select(const Step &step);
    void run_step(const Step &step);

    const Config &config_;
    std::ostream &out_;
    std::unique_ptr<std::ofstream> traceFile_;  // before the host, which writes to it
    std::unique_ptr<Host> host_;
    std::unique_ptr<SessionService> session_;
    std::unique_ptr<generic::GenericHost> generic_;
    Editor editor_;
    History history_{editor_};
    StepResult lastChange_;
    std::string running_;  // what the current step is called, for progress
    std::unique_ptr<EditorService> service_;
    bool launched_ = false;
    std::vector<std::string> refusals_;  // opens and saves the client asked for that failed
    bool showRefusals_ = false;
};

// Whether SIGINT or SIGTERM asked vxhost to end.
bool stop_requested();

}  // namespace vxhost::cli
