// A host with a client: the stand-in host in the test process (its editor
// model, the generic answers for everything else), a real client program
// launched against it, and documents of tagged paragraphs P1, P2, ... to run
// commands on.
#pragma once

#include "document_editor.h"
#include "editor_service.h"
#include "generic_host.h"
#include "process.h"
#include "vxhost.h"

#include <optional>
#include <string>
#include <vector>

namespace lindrel_test {

// What the client is asked to run: a menu command, or a function code
// reported through notification 42.
struct Run {
    int32_t command = 0, fcode = 0;
};
inline Run Command(int32_t n) { return {n, 0}; }
inline Run Fcode(int32_t code) { return {0, code}; }

// Where a selection begins (paragraph index from 0, offset) and, for a
// range, the paragraph through whose end it runs.
struct Sel {
    Sel(size_t p, int32_t off = 0, std::optional<size_t> end = std::nullopt) : para(p), offset(off), endPara(end) {}
    size_t para;
    int32_t offset;
    std::optional<size_t> endPara;
};

class HostWithClient {
public:
    struct Options {
        std::string templates = kExamples;  // both template directories
        vxhost::Host::Options host = {};
        std::vector<std::string> environment = {};
        int clientNumber = -1;
        std::string name = "lindrel";
    };
    HostWithClient();
    explicit HostWithClient(const Options &options);
    // The client goes first, while the handlers that may answer it still exist.
    ~HostWithClient();
    HostWithClient(const HostWithClient &) = delete;
    HostWithClient &operator=(const HostWithClient &) = delete;

    // Launches the client (its log in LINDREL_TEST_LOG, its standard error
    // kept) and runs init with its hand-over.
    bool start(const std::string &client = kLindrel, int32_t init = 1);

    const Options options;
    vxhost::Host host;
    vxhost::generic::GenericHost generic{host};
    vxhost::Editor editor;
    vxhost::EditorService service{host, editor, generic};
    TempDir dir;

    std::vector<std::string> log() const { return read_lines(dir.file("client.log")); }
    std::string err() const { return read_file(dir.file("client.err")); }
    bool logged(const std::string &line) const;
    // Host procedures the client called (since the trace was last cleared).
    std::vector<uint32_t> host_calls() const;

    // A document of paragraphs with these tags and the texts P1, P2, ...,
    // declaring the seven default levels, its tags and `formats`; active.
    vxhost::ObjId open(const std::vector<std::string> &tags, const std::vector<std::string> &formats = {});
    vxhost::ObjId document() const { return doc_; }
    vxhost::Document &doc(vxhost::ObjId id = 0) { return *editor.document(id ? id : doc_); }
    vxhost::ObjId para(size_t n, vxhost::ObjId id = 0) { return doc(id).paragraphs().at(n)->id; }
    // "tag text" of every paragraph, in chain order.
    std::vector<std::string> paragraphs(vxhost::ObjId id = 0);
    void select(const Sel &sel, vxhost::ObjId id = 0);
    // The selection as "text@offset" of an insertion point; "range" otherwise.
    std::string caret();

    // Runs one command or function code and waits for the hand-over.
    bool run(const Run &what);
    // The calls of the last run that change the display, the selection, the
    // clipboard or the chain, each as a short word ("off", "on", "select",
    // "push", "cut", "valid", "delete", "paste", "pop", "add", "redisplay",
    // "fcodes", "return -10001").
    std::vector<std::string> edits() const;
    std::vector<vxhost::HostEvent> events(vxhost::HostEvent::Kind kind) const;

private:
    vxhost::ObjId doc_ = 0;
    size_t traceFrom_ = 0;
};

}  // namespace lindrel_test
