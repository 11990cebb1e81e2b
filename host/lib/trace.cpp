#include "trace.h"

#include "shown_text.h"

#include <algorithm>
#include <cstdio>
#include <ostream>

namespace vxhost {
namespace {

// A JSON string: always valid UTF-8; a byte that is no part of a UTF-8
// sequence stands for the code point of the same number.
std::string json(const std::string &text)
{
    std::string out = "\"";
    for (size_t i = 0; i < text.size();) {
        auto c = static_cast<unsigned char>(text[i]);
        size_t n = utf8_length(std::string_view(text).substr(i));
        char esc[8];
        if (c == '"' || c == '\\') {
            (out += '\\') += static_cast<char>(c);
        } else if (c < 0x20 || c == 0x7f || n == 0) {
            std::snprintf(esc, sizeof esc, "\\u%04x", c);
            out += esc;
        } else {
            out.append(text, i, n);
            i += n;
            continue;
        }
        ++i;
    }
    return out += '"';
}

// What a call came to, after "-> ".
std::string answer(const TraceEntry &e)
{
    if (e.outcome != "replied" && e.outcome != "ok")
        return e.outcome;
    if (e.status && *e.status < 0)
        return "status " + std::to_string(*e.status);
    if (e.result.empty())
        return "ok";
    return e.result;
}

}  // namespace

Trace::Trace(size_t limit) : limit_(limit) {}

void Trace::print_to(std::ostream *out, Format format)
{
    out_ = out;
    format_ = format;
}

size_t Trace::begin(Direction direction, uint32_t proc, std::string name, std::string arguments)
{
    if (limit_ != 0 && entries_.size() >= limit_) {
        size_t drop = (entries_.size() + 1) / 2;
        entries_.erase(entries_.begin(), entries_.begin() + static_cast<std::ptrdiff_t>(drop));
        base_ += drop;
    }
    TraceEntry e{direction, proc, std::move(name), std::move(arguments), "", "", "", std::nullopt, "", 0};
    entries_.push_back(std::move(e));
    open_.push_back(base_ + entries_.size() - 1);
    return open_.back();
}

TraceEntry *Trace::entry(size_t index)
{
    return index < base_ || index - base_ >= entries_.size() ? nullptr : &entries_[index - base_];
}

void Trace::end(size_t index, std::string outcome)
{
    open_.erase(std::remove(open_.begin(), open_.end(), index), open_.end());
    TraceEntry *e = entry(index);
    if (e == nullptr)
        return;  // dropped or cleared while the call was in progress
    e->outcome = std::move(outcome);
    e->ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start_).count();
    if (sink_)
        sink_(*e);
    if (out_ != nullptr)
        *out_ << (format_ == Format::Jsonl ? json_line(*e) : text_line(*e)) << std::endl;
}

void Trace::refused(Direction direction, uint32_t proc, std::string name, std::string why)
{
    size_t at = begin(direction, proc, std::move(name), "");
    if (TraceEntry *e = entry(at))
        e->note = std::move(why);
    end(at, "refused");
}

void Trace::note(const std::string &text)
{
    TraceEntry *e = open_.empty() ? nullptr : entry(open_.back());
    if (e != nullptr)
        e->note += (e->note.empty() ? "" : "; ") + text;
}

void Trace::clear()
{
    base_ += entries_.size();
    entries_.clear();
}

std::string Trace::text_line(const TraceEntry &e)
{
    char head[64];
    std::snprintf(head, sizeof head, "%8.1f ms  %s  %u ", e.ms,
                  e.direction == Direction::ToHost ? "client -> host" : "host -> client", e.proc);
    std::string line = head + e.name + '(' + (e.fields.empty() ? e.arguments : e.fields) + ") -> " + answer(e);
    if (!e.note.empty())
        line += " (" + shown(e.note) + ')';
    return line;
}

std::string Trace::json_line(const TraceEntry &e)
{
    char ms[32];
    std::snprintf(ms, sizeof ms, "%.3f", e.ms);
    bool answered = e.outcome == "replied" || e.outcome == "ok";
    std::string line = std::string("{\"ms\":") + ms + ",\"dir\":\"" +
                       (e.direction == Direction::ToHost ? "to-host" : "to-client") +
                       "\",\"proc\":" + std::to_string(e.proc) + ",\"name\":" + json(e.name) +
                       ",\"args\":" + json(e.fields.empty() ? e.arguments : e.fields) +
                       ",\"result\":" + (answered ? json(e.result) : "null") +
                       ",\"status\":" + (e.status ? std::to_string(*e.status) : "null") +
                       ",\"outcome\":" + json(e.outcome);
    if (!e.note.empty())
        line += ",\"note\":" + json(e.note);
    return line + '}';
}

}  // namespace vxhost
