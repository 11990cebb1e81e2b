// The terminal mode: the outline redrawn after every key, the arrow keys
// moving the insertion point, one key per outline command.
#include "cli_run.h"

#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <ostream>

namespace vxhost::cli {
namespace {

struct Key {
    const char *keys;
    const char *label;  // the client's menu label
};

const Key kCommands[] = {
    {"r", "Move Right"},  {"l", "Move Left"},   {"u", "Move Up"},   {"d", "Move Down"},
    {"R", "Nudge Right"}, {"L", "Nudge Left"},  {"U", "Nudge Up"},  {"D", "Nudge Down"},
    {"n", "New Outline"}, {"a", "About Lindrel..."},
};

const char kHelp[] =
    "Up/Down: paragraph  Left/Right: offset  r/l/u/d: Move Right/Left/Up/Down\n"
    "R/L/U/D: Nudge Right/Left/Up/Down  n: New Outline  a: About  s: save  q: quit\n";

// Raw keys from a terminal for as long as it lives; nothing to do for a pipe.
class RawTerminal {
public:
    RawTerminal()
    {
        raw_ = isatty(STDIN_FILENO) && tcgetattr(STDIN_FILENO, &saved_) == 0;
        if (!raw_)
            return;
        termios t = saved_;
        t.c_lflag &= static_cast<tcflag_t>(~(ICANON | ECHO));
        t.c_cc[VMIN] = 1;
        t.c_cc[VTIME] = 0;
        tcsetattr(STDIN_FILENO, TCSANOW, &t);
    }
    ~RawTerminal()
    {
        if (raw_)
            tcsetattr(STDIN_FILENO, TCSANOW, &saved_);
    }
    RawTerminal(const RawTerminal &) = delete;
    RawTerminal &operator=(const RawTerminal &) = delete;

private:
    bool raw_ = false;
    termios saved_{};
};

// The next key; arrows come as "up", "down", "left", "right". Empty at the
// end of the input. The client is served while nobody types.
std::string next_key(Run &run)
{
    pollfd in{STDIN_FILENO, POLLIN, 0};
    for (;;) {
        int ready = poll(&in, 1, 50);
        if (stop_requested())
            return "";
        if (ready > 0)
            break;
        run.step({"wait", "0", "terminal"});
    }
    char c;
    // Ctrl-C and Ctrl-D end the session like "q", whatever the terminal's
    // signal settings.
    if (read(STDIN_FILENO, &c, 1) != 1 || c == '\x03' || c == '\x04')
        return "";
    if (c != '\x1b')
        return std::string(1, c);
    char seq[2];
    if (read(STDIN_FILENO, seq, 2) != 2 || seq[0] != '[')
        return "escape";
    switch (seq[1]) {
    case 'A': return "up";
    case 'B': return "down";
    case 'C': return "right";
    case 'D': return "left";
    default: return "escape";
    }
}

// A new screen on a terminal: what the next step shows (its alerts) stays
// above the outline drawn after it.
void clear(Run &run)
{
    if (isatty(STDOUT_FILENO))
        run.out() << "\x1b[H\x1b[2J";
}

void redraw(Run &run, const std::string &message)
{
    run.print("");
    const Document *d = run.document();
    if (d != nullptr)
        run.out() << "paragraph " << run.selected_paragraph() << ", offset " << d->selection().start.offset
                  << '\n';
    run.out() << kHelp;
    if (!message.empty())
        run.out() << message << '\n';
    run.out() << std::flush;
}

}  // namespace

void interactive(Run &run)
{
    RawTerminal terminal;
    std::string message;
    clear(run);
    for (;;) {
        redraw(run, message);
        message.clear();
        std::string key = next_key(run);
        if (key.empty() || key == "q")
            return;
        const Document *d = run.document();
        size_t paragraph = run.selected_paragraph();
        int32_t offset = d != nullptr ? d->selection().start.offset : 0;
        Step step{"", "", "key " + key};
        if (key == "up" || key == "down")
            step = {"select", std::to_string(paragraph == 0 ? 1 : key == "up" ? paragraph - 1 : paragraph + 1),
                    step.where};
        else if (key == "left" || key == "right")
            step = {"select", std::to_string(paragraph) + "," + std::to_string(offset + (key == "left" ? -1 : 1)),
                    step.where};
        else if (key == "s")
            step = {"save", "", step.where};
        for (const Key &k : kCommands)
            if (key == k.keys)
                step = {"run", k.label, step.where};
        clear(run);
        if (step.verb.empty()) {
            message = "(no command on that key)";
            continue;
        }
        try {
            run.step(step);
        } catch (const Failure &f) {
            // A lost client ends the session; the rest is only shown.
            if (!run.client_running())
                throw;
            message = f.what();
        }
    }
}

}  // namespace vxhost::cli
