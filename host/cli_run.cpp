#include "cli_run.h"

#include "closest.h"
#include "document_outline.h"
#include "shown_text.h"
#include "progress_line.h"
#include "tui.h"

#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <cstdio>
#include <iostream>

namespace vxhost::cli {
namespace {

std::string seconds(double s)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g second%s", s, s == 1 ? "" : "s");
    return text;
}

// How a process ended, for a message: "ended with status 2", "was killed
// by signal SIGSEGV (Segmentation fault)".
std::string ended(int status, int signal)
{
    if (signal == 0)
        return "ended with status " + std::to_string(status);
    const char *abbreviation = sigabbrev_np(signal);
    return "was killed by signal " + (abbreviation ? "SIG" + std::string(abbreviation) : std::to_string(signal)) +
           " (" + strsignal(signal) + ")";
}

volatile std::sig_atomic_t stopping = 0;
void stop(int) { stopping = 1; }

}  // namespace

bool stop_requested() { return stopping != 0; }

namespace {

std::unique_ptr<std::ofstream> open_trace(const Config &c)
{
    if (c.traceFile.empty())
        return nullptr;
    auto file = std::make_unique<std::ofstream>(c.traceFile, std::ios::trunc);
    if (!*file)
        throw Failure("--trace-file: " + shown(c.traceFile) + ": " + std::strerror(errno));
    return file;
}

Host::Options host_options(const Config &c, std::ostream *traceFile)
{
    Host::Options o;
    if (c.trace)
        o.traceTo = traceFile ? traceFile : &std::cerr;
    o.traceFormat = c.traceFormat;
    o.callSeconds = c.timeout;
    o.listen = c.listen;
    o.sameUser = c.serve;  // otherwise only the client started here
    // Nothing here reads the trace back (--trace prints it as it goes): a
    // long --serve keeps only the recent entries.
    o.traceLimit = 1024;
    return o;
}

}  // namespace

Run::Run(const Config &config, std::ostream &out)
    : config_(config), out_(out), traceFile_(open_trace(config)),
      host_(std::make_unique<Host>(host_options(config, traceFile_.get()))),
      session_(std::make_unique<SessionService>(*host_)),  // lets a process attach itself
      generic_(std::make_unique<generic::GenericHost>(*host_)),  // what the model does not answer
      service_(std::make_unique<EditorService>(*host_, editor_, *generic_))
{
    // An open or a save that the client asked for is the client's affair:
    // its failure shows in the trace and among the events, not as ours.
    service_->set_reporter([this](const std::string &m) {
        host_->trace_note(m);
        const auto &trace = host_->trace();
        bool save = !trace.empty() && trace.back().name == "api_vx_save_1";
        refusals_.push_back((save ? "save failed: " : "open failed: ") + m);
    });
    if (isatty(STDERR_FILENO))
        service_->set_progress([this](const EditorService::Progress &p) { progress_on_stderr(running_, p); });
    editor_.setTextItemChunk(config.textChunk);
    editor_.setProp(0, 0, prop::kTemplateDir1, config.templates);
    editor_.setProp(0, 0, prop::kTemplateDir2, config.fallbackTemplates);
    inject_faults(*host_, config.faults, [this](const std::string &m) {
        out_.flush();
        std::cerr << "vxhost: " << m << std::endl;
    });
}

// A client still running is stopped while the handlers that may answer its
// last calls still exist.
Run::~Run()
{
    if (launched_)
        host_->stop_client();
}

int Run::main()
{
    std::signal(SIGINT, stop);
    std::signal(SIGTERM, stop);
    std::signal(SIGPIPE, SIG_IGN);
    if (config_.printProgram)
        out_ << "program " << host_->program() << " version " << host_->version() << std::endl
             << "session " << session_->program() << " version 1" << std::endl;
    // The terminal shows the outline itself: no outline before and after.
    bool printing = !config_.document.empty() && !config_.quiet && !config_.interactive;
    try {
        if (config_.interactive)
            require_terminal();
        open_document();
        start_client();
        history_.commit("start-up");
        // The "before" outline shows what the first command acts on.
        size_t first = 0;
        while (first < config_.steps.size() && config_.steps[first].verb == "select")
            step(config_.steps[first++]);
        if (printing)
            print("before");
        for (size_t i = first; i < config_.steps.size(); ++i)
            step(config_.steps[i]);
        if (config_.interactive)
            interactive(*this);
        // Printed first: saving under another name renames the document.
        if (printing)
            print("after");
        if (config_.saveAtEnd)
            save(config_.output, config_.output.empty() ? "--save" : "--output");
        while (config_.serve && !stopping)
            host_->serve_for(0.2);
        return finish();
    } catch (const Failure &f) {
        out_.flush();
        std::cerr << "vxhost: " << f.what() << '\n';
        return 1;
    }
}

void Run::open_document()
{
    if (config_.document.empty())
        return;
    OpenResult opened = editor_.open(config_.document, {});
    if (opened.status != status::kOk)
        throw Failure(opened.message);
}

void Run::start_client()
{
    if (config_.client.empty())
        return;
    LaunchOptions launch;
    launch.program = config_.client;
    launch.args = config_.clientArgs;
    launch.name = config_.clientName;
    launch.clientNumber = config_.clientNumber;
    launched_ = true;
    if (!host_->launch(launch, config_.timeout)) {
        std::string client = shown(config_.client);
        if (int why = host_->launch_error())
            throw Failure(client + ": cannot run the client: " +
                          (why == ENOENT && config_.client.find('/') == std::string::npos
                               ? std::string("no such program on PATH")
                               : std::strerror(why)));
        if (auto exited = host_->wait_exit(0.5))
            throw Failure("the client " + client + " did not start (it " + ended(*exited, host_->exit_signal()) + ")");
        throw Failure("the client " + client + " did not start within " + seconds(config_.timeout));
    }
    Step init{"init", std::to_string(config_.initCode), "start-up"};
    client_call([&] { return host_->call_init(config_.initCode); }, init);
}

int Run::finish()
{
    if (!launched_)
        return 0;
    if (host_->client_running())
        host_->call_quit();
    auto exited = host_->wait_exit(config_.timeout);
    if (!exited)
        throw Failure("the client did not end after quit");
    // A client that ended well is no news.
    if (*exited != 0)
        std::cerr << "vxhost: the client " << ended(*exited, host_->exit_signal()) << '\n';
    // A failed client is a failure of the run: its own status could read as
    // vxhost's "bad arguments" (2) or as the --exit-on status (3).
    return *exited == 0 ? 0 : 1;
}

void Run::lost_client(const std::string &during, long callsBefore)
{
    if (auto exited = host_->wait_exit(0.2))
        throw Failure("the client " + ended(*exited, host_->exit_signal()) + " during " + during);
    long calls = host_->calls_served() - callsBefore;
    throw Failure("the client did not hand control back within " + seconds(config_.timeout) + " after " + during +
                  " (it made " + std::to_string(calls) + " host call" + (calls == 1 ? "" : "s") +
                  " meanwhile; --timeout raises the limit)");
}

void Run::client_call(const std::function<clnt_stat()> &call, const Step &step)
{
    if (!launched_)
        throw Failure(step.where + ": there is no client to call");
    long before = host_->calls_served();
    if (!service_->handed_back(call, config_.timeout))
        lost_client(step.verb + (step.value.empty() ? "" : " " + shown(step.value)), before);
    show_events();
}

void Run::run_label(const Step &s)
{
    if (!launched_)
        throw Failure(s.where + ": there is no client to run " + quoted(s.value));
    long before = host_->calls_served();
    EditorService::Ran ran = service_->run_label(s.value, config_.timeout);
    if (ran == EditorService::Ran::NoSuchLabel) {
        std::vector<std::string> labels;
        const MenuSet &menus = editor_.menus();
        for (ObjId id : menus.commands())
            if (const Command *c = menus.command(id); c->client == EditorService::kClient && !c->label.empty())
                labels.push_back(c->label);
        throw Failure(s.where + ": no menu command labelled " + quoted(s.value) +
                      did_you_mean(s.value, labels, quoted));
    }
    if (ran == EditorService::Ran::NoHandover)
        lost_client(quoted(s.value), before);
    show_events();
}

// Alerts always; with --events also what else the client asked of the host.
void Run::show_events()
{
    if (config_.events || showRefusals_)
        for (const std::string &refused : refusals_)
            out_ << "event: " << refused << '\n';
    refusals_.clear();
    for (const HostEvent &e : editor_.events()) {
        using K = HostEvent::Kind;
        if (e.kind == K::Alert) {
            // Each line of the alert shown on its own, under the first.
            std::string text;
            size_t from = 0;
            for (size_t nl; (nl = e.text.find('\n', from)) != std::string::npos; from = nl + 1)
                text += shown(std::string_view(e.text).substr(from, nl - from)) + "\n       ";
            text += shown(std::string_view(e.text).substr(from));
            out_ << "alert: " << text << '\n';
            continue;
        }
        if (!config_.events)
            continue;
        out_ << "event: ";
        switch (e.kind) {
        case K::DisplaySwitch: out_ << "display " << (e.value ? "on" : "off"); break;
        case K::Progress: out_ << "progress " << e.value; break;
        case K::Redisplay: {
            const Document *d = editor_.document(e.doc);
            out_ << "redisplay " << (d ? shown(d->name()) : "document " + std::to_string(e.doc));
            break;
        }
        case K::ReturnValue: out_ << "return value " << e.value; break;
        case K::Notification: out_ << "notification " << e.value << (e.state ? " requested" : " dropped"); break;
        case K::Fcodes:
            out_ << "function codes";
            for (int32_t code : e.codes)
                out_ << ' ' << code;
            break;
        case K::Alert: break;
        }
        out_ << '\n';
    }
    editor_.clearEvents();
}

size_t Run::selected_paragraph() const
{
    const Document *d = document();
    if (d == nullptr)
        return 0;
    size_t n = 1;
    for (ObjId p = d->first(); p != 0; p = d->paragraph(p)->next, ++n)
        if (p == d->selection().start.obj)
            return n;
    return 0;
}

void Run::print(const std::string &heading)
{
    const Document *d = document();
    if (d == nullptr)
        throw Failure("there is no open document to print");
    out_ << "--- " << heading << (heading.empty() ? "" : ": ") << shown(d->name()) << '\n'
         << outlineTree(*d, outlineLevels(editor_)) << std::flush;
}

void Run::save(const std::string &file, const std::string &where)
{
    Document *d = document();
    if (d == nullptr)
        throw Failure(where + ": there is no open document to save");
    std::string message;
    if (editor_.save(d->id(), file, &message) != status::kOk)
        throw Failure(where + ": " + message);
}

void Run::select(const Step &step)
{
    Document *d = document();
    if (d == nullptr)
        throw Failure(step.where + ": there is no open document");
    auto parts = fields(step.value, 2);
    int32_t wanted = integer(parts[0], step.where), offset = parts.size() > 1 ? integer(parts[1], step.where) : 0;
    ObjId p = d->first();
    for (int32_t n = 1; p != 0 && n < wanted; ++n)
        p = d->paragraph(p)->next;
    if (wanted < 1 || p == 0)
        throw Failure(step.where + ": there is no paragraph " + parts[0] + " (the document has " +
                      std::to_string(d->paragraphCount()) + ")");
    if (d->setSelection({{p, offset}, {p, offset}}) != status::kOk)
        throw Failure(step.where + ": offset " + std::to_string(offset) + " lies outside paragraph " + parts[0]);
}

namespace {

// What a step is called in progress lines and in the history.
std::string step_label(const Step &s)
{
    if (s.verb == "run")
        return s.value;
    if (s.verb == "fcode")
        return "function code " + s.value;
    if (s.verb == "wait")
        return "client edit";
    return s.verb + (s.value.empty() ? "" : " " + s.value);
}

bool calls_client(const std::string &verb)
{
    for (const char *v : {"run", "fcode", "command", "notify", "message", "dialog"})
        if (verb == v)
            return true;
    return false;
}

}  // namespace

void Run::step(const Step &s)
{
    running_ = step_label(s);
    run_step(s);
    lastChange_ = history_.commit(running_);
    if (config_.events && calls_client(s.verb) && !lastChange_.changed())
        out_ << "event: nothing changed\n";
}

void Run::run_step(const Step &s)
{
    auto f = fields(s.value, s.verb == "notify" ? 4 : 3);
    auto num = [&](size_t i) { return i < f.size() ? integer(f[i], s.where) : 0; };
    if (s.verb == "select") {
        select(s);
    } else if (s.verb == "run") {
        run_label(s);
    } else if (s.verb == "fcode") {
        if (!launched_)
            throw Failure(s.where + ": there is no client to report function codes to");
        long before = host_->calls_served();
        EditorService::Sent sent = service_->function_code(num(0), config_.timeout);
        if (sent == EditorService::Sent::NotRequested)
            throw Failure(s.where + ": the client did not ask for function codes (notification 42)");
        if (sent == EditorService::Sent::NoHandover)
            lost_client("function code " + s.value, before);
        show_events();
    } else if (s.verb == "print") {
        print("");
    } else if (s.verb == "save") {
        save(s.value, s.where);
    } else if (s.verb == "command") {
        client_call([&] { return host_->call_command(num(0)); }, s);
    } else if (s.verb == "notify") {
        client_call([&] { return host_->call_notify(num(0), static_cast<uint32_t>(num(1)), f.size() > 3 ? f[3] : "", num(2)); }, s);
    } else if (s.verb == "message") {
        client_call([&] { return host_->call_message(f[0], static_cast<uint32_t>(num(1)), static_cast<uint32_t>(num(2))); }, s);
    } else if (s.verb == "dialog") {
        client_call([&] { return host_->call_dialog_event(num(0), num(1), num(2)); }, s);
    } else if (s.verb == "wait") {
        host_->serve_for(std::atof(s.value.c_str()));
    } else if (s.verb == "drop") {
        host_->drop_connection();
    } else if (s.verb == "exit") {
        out_.flush();
        Host::exit_abruptly(num(0));
    } else {
        throw Failure(s.where + ": unknown step " + quoted(s.verb));
    }
}

}  // namespace vxhost::cli
