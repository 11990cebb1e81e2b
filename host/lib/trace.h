// The trace of every call between the host and its client, in both
// directions: kept for tests (entries()) and, when asked, printed as each
// call completes, as text lines or as JSON lines.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace vxhost {

enum class Direction { ToHost, ToClient };

struct TraceEntry {
    Direction direction;
    uint32_t proc;
    std::string name;       // stub name, or the client procedure's name
    std::string arguments;  // the argument's values in wire order: integers, strings quoted
    std::string outcome;    // "replied", "no reply", "dropped", "garbage arguments", "refused", an RPC error...
    // Filled only while the trace is printed: the argument and the result
    // with their field names.
    std::string fields, result;
    std::optional<int32_t> status;  // the host's status in the result, when it carries one
    std::string note;               // what the host said about the call (why an open failed)
    double ms = 0;                  // when the call completed, from the start of the trace
};

class Trace {
public:
    enum class Format { Text, Jsonl };
    using Sink = std::function<void(const TraceEntry &)>;

    // Keeps at most `limit` entries (0: all); beyond that the oldest half is
    // dropped, so that a long run does not grow without bound.
    explicit Trace(size_t limit);

    // Every completed entry is also written to `out` in `format`, or handed
    // to `sink`.
    void print_to(std::ostream *out, Format format);
    void set_sink(Sink sink) { sink_ = std::move(sink); }
    bool printing() const { return out_ != nullptr || sink_; }

    // A call begins; its entry stays addressable by the index returned
    // while older entries are dropped in front of it.
    size_t begin(Direction direction, uint32_t proc, std::string name, std::string arguments);
    // The entry of a call in progress, or null when it was dropped.
    TraceEntry *entry(size_t index);
    // The call completed: time-stamps, keeps and prints the entry.
    void end(size_t index, std::string outcome);
    // A call refused before it was decoded (a caller the host does not serve).
    void refused(Direction direction, uint32_t proc, std::string name, std::string why);
    // A remark on the innermost call in progress (none: nothing happens).
    void note(const std::string &text);

    const std::vector<TraceEntry> &entries() const { return entries_; }
    void clear();
    size_t dropped() const { return base_; }

    // One entry as a text line or a JSON object (no line end).
    static std::string text_line(const TraceEntry &e);
    static std::string json_line(const TraceEntry &e);

private:
    size_t limit_;
    std::vector<TraceEntry> entries_;
    size_t base_ = 0;            // absolute index of entries_.front()
    std::vector<size_t> open_;   // calls in progress, innermost last
    std::ostream *out_ = nullptr;
    Format format_ = Format::Text;
    Sink sink_;
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

}  // namespace vxhost
