// The terminal mode's key loop: what each key does to the document, the
// client and the screen.
#include "cli_run.h"
#include "docfile.h"
#include "document_outline.h"
#include "progress_line.h"
#include "tui.h"
#include "tui_capture.h"
#include "tui_dialogs.h"
#include "tui_keys.h"
#include "tui_outline.h"
#include "tui_palette.h"

#include <curses.h>
#include <unistd.h>

#include <csignal>
#include <iostream>
#include <map>

namespace vxhost::cli {
namespace {

using namespace vxhost::tui;

// How long the client is served between two looks at the keyboard.
const char kServeSeconds[] = "0.03";

std::string paragraphs(size_t n) { return std::to_string(n) + (n == 1 ? " paragraph" : " paragraphs"); }

// The output caught by the session running, for an exit that skips it.
CapturedOutput *caught = nullptr;

// An abrupt exit (the "exit" step, an --exit-on fault) gives the terminal
// back and says what was on its way to it.
void leave_at_once()
{
    Screen::restore();
    if (caught == nullptr)
        return;
    for (std::string &line : caught->take()) {
        line += '\n';
        if (write(STDERR_FILENO, line.data(), line.size()) < 0)
            break;
    }
}

class Session {
public:
    explicit Session(Run &run);
    ~Session();
    Session(const Session &) = delete;
    Session &operator=(const Session &) = delete;

    // Until the person quits; false when a signal ended it.
    bool loop();
    // Each document with changes not saved, written beside its file; what
    // was written where.
    std::vector<std::string> keep_unsaved();

private:
    Key next_key();
    void draw();
    void act(const Binding &b);
    void select(Document &d, size_t index, int32_t offset = 0);
    void command(const std::string &label);
    void show_output(std::string &message);
    void search(bool forward, bool ask);
    void travel(bool forward);
    bool save(Document &d, bool ask_name);
    void documents();
    bool may_quit();

    Run &run_;
    CapturedOutput captured_;
    Screen screen_;
    Ui ui_;
    std::vector<std::string> levels_;
    std::map<ObjId, Viewport> views_;
    std::vector<const Paragraph *> paras_;  // of the active document, as last drawn
    size_t selected_ = 0;                   // index of the selection's paragraph in paras_
    std::string message_, pattern_, running_;
};

Session::Session(Run &run)
    : run_(run), ui_{screen_, [this] { return next_key(); }, [this] { draw(); }},
      levels_(outlineLevels(run.editor()))
{
    run_.service().set_progress([this](const EditorService::Progress &p) {
        if (p.done)
            return;
        screen_.row(screen_.rows() - 1, progress_line(running_, p));
        screen_.show();
    });
    message_ = "? lists the keys";
    run_.show_refusals();
    caught = &captured_;
    Host::set_exit_hook(leave_at_once);
}

Session::~Session()
{
    Host::set_exit_hook(nullptr);
    caught = nullptr;
    run_.service().set_progress(nullptr);
}

Key Session::next_key()
{
    for (;;) {
        if (std::optional<Key> k = screen_.key())
            return *k;
        // A signal cancels whatever question is open; the loop then ends.
        if (stop_requested())
            return control('G');
        run_.step({"wait", kServeSeconds, "terminal"});
        if (run_.last_change().changed()) {
            message_ = "the client changed " + paragraphs(run_.last_change().paragraphs);
            draw();
            screen_.show();
        }
    }
}

void Session::draw()
{
    int rows = screen_.rows();
    size_t outline = static_cast<size_t>(std::max(rows - 2, 0));
    Document *d = run_.document();
    paras_ = d != nullptr ? d->paragraphs() : std::vector<const Paragraph *>{};
    selected_ = 0;
    for (size_t i = 0; d != nullptr && i < paras_.size(); ++i)
        if (paras_[i]->id == d->selection().start.obj)
            selected_ = i;
    Viewport &view = views_[d != nullptr ? d->id() : 0];
    view.follow(selected_, paras_.size(), outline);
    for (size_t r = 0; r < outline; ++r) {
        size_t at = view.top + r;
        if (at >= paras_.size()) {
            screen_.row(static_cast<int>(r), "");
            continue;
        }
        const Paragraph &p = *paras_[at];
        bool selected = at == selected_;
        bool level = std::find(levels_.begin(), levels_.end(), p.content.tag) != levels_.end();
        screen_.row(static_cast<int>(r), outline_row(p, levels_, selected),
                    selected ? Screen::Style::Selected : level ? Screen::Style::Plain : Screen::Style::Dim);
    }
    if (rows >= 2)
        screen_.row(rows - 2,
                    d != nullptr ? status_line(*d, selected_, run_.history().modified(d->id()),
                                               run_.editor().documents().size())
                                 : " no open document   ? help",
                    Screen::Style::Bar);
    screen_.row(rows - 1, message_);
}

bool Session::loop()
{
    for (;;) {
        draw();
        screen_.show();
        Key k = next_key();
        if (stop_requested())
            return false;
        if (k == function_key(KEY_RESIZE))
            continue;
        const Binding *b = binding(k);
        message_.clear();
        if (b == nullptr) {
            message_ = "nothing on " + key_name(k) + " (? lists the keys)";
        } else if (b->action == Action::Quit) {
            if (may_quit())
                return true;
        } else {
            act(*b);
        }
    }
}

void Session::select(Document &d, size_t index, int32_t offset)
{
    if (index >= paras_.size())
        return;
    ObjId p = paras_[index]->id;
    d.setSelection({{p, offset}, {p, offset}});
    // The selection a later step starts from, for its undo.
    run_.history().commit("select");
}

void Session::act(const Binding &b)
{
    Document *d = run_.document();
    size_t screenful = static_cast<size_t>(std::max(screen_.rows() - 3, 1));
    using A = Action;
    switch (b.action) {
    case A::Command: return command(b.label);
    case A::Palette: {
        std::vector<Choice> commands = client_commands(run_.editor().menus());
        if (std::optional<size_t> picked = choose(ui_, ":", commands))
            command(commands[*picked].name);
        return;
    }
    case A::Help: {
        std::vector<std::string> lines = key_help();
        lines.insert(lines.end(), {"", "In a question: Enter takes it, Escape cancels, Tab completes,",
                                   "Up and Down pick from the list."});
        page(ui_, "Keys", lines);
        return;
    }
    case A::Redraw: screen_.repaint(); return;
    case A::Documents: return documents();
    default: break;
    }
    if (d == nullptr) {
        message_ = "there is no open document";
        return;
    }
    int32_t offset = d->selection().start.offset;
    const Paragraph *p = d->paragraph(d->selection().start.obj);
    int32_t length = p != nullptr ? static_cast<int32_t>(p->content.text.size()) : 0;
    Viewport &view = views_[d->id()];
    switch (b.action) {
    case A::Up: select(*d, selected_ > 0 ? selected_ - 1 : 0); break;
    case A::Down: select(*d, selected_ + 1); break;
    case A::Left: select(*d, selected_, std::clamp(offset - 1, 0, length)); break;
    case A::Right: select(*d, selected_, std::clamp(offset + 1, 0, length)); break;
    case A::Home: select(*d, 0); break;
    case A::End: select(*d, paras_.empty() ? 0 : paras_.size() - 1); break;
    case A::PageUp:
        view.top = view.top > screenful ? view.top - screenful : 0;
        select(*d, selected_ > screenful ? selected_ - screenful : 0);
        break;
    case A::PageDown:
        view.top += screenful;
        select(*d, std::min(selected_ + screenful, paras_.empty() ? 0 : paras_.size() - 1));
        break;
    case A::Search: search(true, true); break;
    case A::NextMatch: search(true, false); break;
    case A::PreviousMatch: search(false, false); break;
    case A::Undo: travel(false); break;
    case A::Redo: travel(true); break;
    case A::Save: save(*d, false); break;
    case A::SaveAs: save(*d, true); break;
    default: break;
    }
}

void Session::command(const std::string &label)
{
    const Command *c = run_.editor().menus().command(run_.editor().menus().commandByLabel(label));
    if (c == nullptr || c->client != EditorService::kClient) {
        message_ = "the client has no menu command labelled \"" + label + "\" (: lists its commands)";
        return;
    }
    running_ = label;
    std::string message;
    try {
        run_.step({"run", label, "terminal"});
        const StepResult &r = run_.last_change();
        message = label + ": ";
        for (ObjId opened : r.opened)
            if (const Document *d = run_.editor().document(opened))
                message += "opened " + d->name() + ", ";
        if (r.paragraphs > 0)
            message += paragraphs(r.paragraphs) + " changed";
        else if (r.formats)
            message += "formats changed";
        else if (!r.closed.empty())
            message += "closed " + std::to_string(r.closed.size()) + " document(s)";
        else if (r.opened.empty())
            message += "nothing changed";
        if (message.size() > 2 && message.compare(message.size() - 2, 2, ", ") == 0)
            message.resize(message.size() - 2);
    } catch (const Failure &f) {
        // A lost client ends no session: what is open can still be saved.
        message = f.what();
    }
    levels_ = outlineLevels(run_.editor());
    show_output(message);
    message_ = message;
    // Whatever the client wrote on the terminal goes.
    screen_.repaint();
}

// What the step printed: alerts to read, other lines after the message.
void Session::show_output(std::string &message)
{
    std::vector<std::string> alert;
    auto show_alert = [&] {
        if (!alert.empty())
            page(ui_, "Alert", alert);
        alert.clear();
    };
    for (std::string &line : captured_.take()) {
        if (line.rfind("alert: ", 0) == 0) {
            show_alert();
            alert.push_back(line.substr(7));
        } else if (!alert.empty() && line.rfind("       ", 0) == 0) {
            alert.push_back(line.substr(7));
        } else if (!line.empty()) {
            message += (message.empty() ? "" : "; ") + line;
        }
    }
    show_alert();
}

void Session::search(bool forward, bool ask)
{
    if (ask || pattern_.empty()) {
        std::optional<std::string> typed = ask_line(ui_, "/");
        if (!typed || typed->empty())
            return;
        pattern_ = *typed;
    }
    bool wrapped = false;
    std::optional<size_t> found = find_text(paras_, pattern_, selected_, forward, &wrapped);
    if (!found) {
        message_ = "\"" + pattern_ + "\" is not in the document";
        return;
    }
    select(*run_.document(), *found);
    message_ = "/" + pattern_ + (wrapped ? (forward ? ": went on from the top" : ": went on from the end") : "");
}

void Session::travel(bool forward)
{
    Document &d = *run_.document();
    std::optional<History::Undone> done = forward ? run_.history().redo(d) : run_.history().undo(d);
    if (!done)
        message_ = forward ? "nothing to redo" : "nothing to undo";
    else
        message_ = std::string(forward ? "redone: " : "undone: ") + done->label + " (" +
                   paragraphs(done->paragraphs) + ")";
}

bool Session::save(Document &d, bool ask_name)
{
    std::string file;
    if (ask_name || d.path().empty()) {
        std::optional<std::string> typed = ask_line(ui_, "Save " + d.name() + " as: ");
        if (!typed || typed->empty()) {
            message_ = "not saved";
            return false;
        }
        file = *typed;
        if (access(file.c_str(), F_OK) == 0 && canonicalPath(file) != d.path() &&
            ask_key(ui_, file + " exists: replace it? y or n ", "yn") != 'y') {
            message_ = "not saved";
            return false;
        }
    }
    std::string why;
    if (run_.editor().save(d.id(), file, &why) != status::kOk) {
        message_ = "not saved: " + why;
        return false;
    }
    run_.history().commit("save");
    message_ = "saved " + d.name() + ", " + paragraphs(d.paragraphCount());
    return true;
}

void Session::documents()
{
    std::vector<ObjId> ids = run_.editor().documents();
    std::vector<Choice> choices;
    for (ObjId id : ids) {
        const Document &d = *run_.editor().document(id);
        std::string note = d.path().empty() ? "(no file yet)" : d.path();
        if (run_.history().modified(id))
            note += " [modified]";
        if (id == run_.editor().activeDocument())
            note += " (shown)";
        choices.push_back({d.name(), note});
    }
    if (std::optional<size_t> picked = choose(ui_, "document: ", choices)) {
        run_.editor().activate(ids[*picked]);
        message_ = "showing " + run_.editor().document(ids[*picked])->name();
    }
}

// Each document with unsaved changes is asked about; the one that --save or
// --output will save at the end is not.
bool Session::may_quit()
{
    for (ObjId id : run_.editor().documents()) {
        Document *d = run_.editor().document(id);
        if (!run_.history().modified(id) || (run_.config().saveAtEnd && id == run_.editor().activeDocument()))
            continue;
        char answer = ask_key(ui_, d->name() + " has unsaved changes: y save, n discard, c or Escape cancel ", "ync");
        if (answer == 'y' && save(*d, false))
            continue;
        if (answer == 'n')
            continue;
        if (answer != 'y')
            message_ = "not quitting";
        return false;
    }
    return true;
}

std::vector<std::string> Session::keep_unsaved()
{
    std::vector<std::string> notes;
    for (ObjId id : run_.editor().documents()) {
        const Document &d = *run_.editor().document(id);
        if (!run_.history().modified(id))
            continue;
        std::string base = (d.path().empty() ? d.name() : d.path()) + ".save";
        std::string file = base;
        for (int n = 1; access(file.c_str(), F_OK) == 0 && n < 100; ++n)
            file = base + "." + std::to_string(n);
        std::string why;
        if (access(file.c_str(), F_OK) != 0 && saveDocument(file, d.content(), why) == status::kOk)
            notes.push_back(d.name() + ": unsaved changes kept in " + file);
        else
            notes.push_back(d.name() + ": unsaved changes lost: " + (why.empty() ? file + " exists" : why));
    }
    return notes;
}

}  // namespace

void require_terminal()
{
    if (!isatty(STDIN_FILENO) || !isatty(STDOUT_FILENO))
        throw Failure("--interactive needs a terminal on standard input and output");
}


void interactive(Run &run)
{
    // A hang-up ends the session the way SIGTERM does.
    struct sigaction stop, hangup;
    sigaction(SIGTERM, nullptr, &stop);
    sigaction(SIGHUP, &stop, &hangup);
    std::vector<std::string> notes;
    try {
        Session session(run);
        if (!session.loop())
            notes = session.keep_unsaved();
    } catch (const std::runtime_error &e) {
        sigaction(SIGHUP, &hangup, nullptr);
        if (dynamic_cast<const Failure *>(&e) != nullptr)
            throw;
        throw Failure(std::string("--interactive: ") + e.what());
    }
    sigaction(SIGHUP, &hangup, nullptr);
    for (const std::string &note : notes)
        std::cerr << "vxhost: " << note << '\n';
}

}  // namespace vxhost::cli
