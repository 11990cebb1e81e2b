#include "cli_run.h"

#include "document_outline.h"

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

volatile std::sig_atomic_t stopping = 0;
void stop(int) { stopping = 1; }

}  // namespace

bool stop_requested() { return stopping != 0; }

namespace {

Host::Options host_options(const Config &c)
{
    Host::Options o;
    if (c.trace)
        o.traceTo = &std::cerr;
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
    : config_(config), out_(out), host_(std::make_unique<Host>(host_options(config))),
      session_(std::make_unique<SessionService>(*host_)),  // lets a process attach itself
      generic_(std::make_unique<generic::GenericHost>(*host_)),  // what the model does not answer
      service_(std::make_unique<EditorService>(*host_, editor_, *generic_))
{
    service_->set_reporter([](const std::string &m) { std::cerr << "vxhost: " << m << '\n'; });
    editor_.setTextItemChunk(config.textChunk);
    editor_.setProp(0, 0, prop::kTemplateDir1, config.templates);
    editor_.setProp(0, 0, prop::kTemplateDir2, config.fallbackTemplates);
    // Faults take the place of whatever answers their procedure.
    for (const auto &[fault, proc] : config.faults) {
        if (fault == "--exit-on")
            host_->on(proc, [](HostCall &) { Host::exit_abruptly(3); });
        else
            host_->on(proc, [](HostCall &call) { call.reply = HostCall::Reply::Drop; });
    }
}

// A client still running is stopped while the handlers that may answer its
// last calls still exist.
Run::~Run()
{
    if (launched_ && host_->client_running() && host_->client_pid() > 0) {
        kill(host_->client_pid(), SIGKILL);
        host_->wait_exit(5);
    }
}

int Run::main()
{
    std::signal(SIGINT, stop);
    std::signal(SIGTERM, stop);
    std::signal(SIGPIPE, SIG_IGN);
    if (config_.printProgram)
        out_ << "program " << host_->program() << " version " << host_->version() << std::endl
             << "session " << session_->program() << " version 1" << std::endl;
    try {
        open_document();
        start_client();
        if (!config_.document.empty() && !config_.quiet)
            print("before");
        for (const Step &s : config_.steps)
            step(s);
        if (config_.interactive)
            interactive(*this);
        // Printed first: saving under another name renames the document.
        if (!config_.document.empty() && !config_.quiet)
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
    // A bare name is looked up on PATH by the launch itself.
    if (config_.client.find('/') != std::string::npos && access(config_.client.c_str(), X_OK) != 0)
        throw Failure(config_.client + ": cannot run the client: " + std::strerror(errno));
    LaunchOptions launch;
    launch.program = config_.client;
    launch.args = config_.clientArgs;
    launch.name = config_.clientName;
    launch.clientNumber = config_.clientNumber;
    launched_ = true;
    if (!host_->launch(launch, config_.timeout)) {
        auto exited = host_->wait_exit(0.5);
        if (exited)
            throw Failure("the client " + config_.client + " did not start (it ended with status " +
                          std::to_string(*exited) + ")");
        throw Failure("the client " + config_.client + " did not start within " + seconds(config_.timeout));
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
    // With a document the client's end is only news when it failed.
    if (config_.document.empty() || *exited != 0)
        std::cerr << "vxhost: client exited with status " << *exited << '\n';
    // A failed client is a failure of the run: its own status could read as
    // vxhost's "bad arguments" (2) or as the --exit-on status (3).
    return *exited == 0 ? 0 : 1;
}

void Run::lost_client(const std::string &during)
{
    auto exited = host_->wait_exit(0.2);
    if (exited)
        throw Failure("the client ended (status " + std::to_string(*exited) + ") during " + during);
    throw Failure("the client did not hand control back within " + seconds(config_.timeout) + " after " + during);
}

void Run::client_call(const std::function<clnt_stat()> &call, const Step &step)
{
    if (!launched_)
        throw Failure(step.where + ": there is no client to call");
    if (!service_->handed_back(call, config_.timeout))
        lost_client(step.verb + (step.value.empty() ? "" : " " + step.value));
    show_events();
}

// Alerts always; with --events also what else the client asked of the host.
void Run::show_events()
{
    for (const HostEvent &e : editor_.events()) {
        using K = HostEvent::Kind;
        if (e.kind == K::Alert) {
            std::string text = e.text;
            for (size_t at = 0; (at = text.find('\n', at)) != std::string::npos; at += 8)
                text.replace(at, 1, "\n       ");
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
            out_ << "redisplay " << (d ? d->name() : "document " + std::to_string(e.doc));
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
    out_ << "--- " << heading << (heading.empty() ? "" : ": ") << d->name() << '\n'
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

void Run::step(const Step &s)
{
    auto f = fields(s.value, s.verb == "notify" ? 4 : 3);
    auto num = [&](size_t i) { return i < f.size() ? integer(f[i], s.where) : 0; };
    if (s.verb == "select") {
        select(s);
    } else if (s.verb == "run") {
        if (!launched_)
            throw Failure(s.where + ": there is no client to run \"" + s.value + "\"");
        EditorService::Ran ran = service_->run_label(s.value, config_.timeout);
        if (ran == EditorService::Ran::NoSuchLabel)
            throw Failure(s.where + ": no menu command labelled \"" + s.value + "\"");
        if (ran == EditorService::Ran::NoHandover)
            lost_client("\"" + s.value + "\"");
        show_events();
    } else if (s.verb == "fcode") {
        if (!launched_)
            throw Failure(s.where + ": there is no client to report function codes to");
        EditorService::Sent sent = service_->function_code(num(0), config_.timeout);
        if (sent == EditorService::Sent::NotRequested)
            throw Failure(s.where + ": the client did not ask for function codes (notification 42)");
        if (sent == EditorService::Sent::NoHandover)
            lost_client("function code " + s.value);
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
        throw Failure(s.where + ": unknown step \"" + s.verb + "\"");
    }
}

}  // namespace vxhost::cli
