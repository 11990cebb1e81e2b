// Scenario harness for the outline commands: a stand-in host with the editor
// model, the real lindrel binary, one document of tagged paragraphs named
// P1, P2, ..., and the host calls that shape an edit, read from the trace.
#pragma once

#include "../vxhost/editor_host.h"

#include <algorithm>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace outline_test {

// What the client is asked to run: a menu command, or a function code
// reported through notification 42.
struct Run {
    int32_t command = 0;
    int32_t fcode = 0;
};
inline Run Command(int32_t n) { return {n, 0}; }
inline Run Fcode(int32_t code) { return {0, code}; }

// Where the selection lies: paragraph index (from 0) and offset, and the
// paragraph where it ends (the same one when omitted).
struct Sel {
    Sel(size_t p, int32_t off, std::optional<size_t> end = std::nullopt) : para(p), offset(off), endPara(end) {}
    size_t para;
    int32_t offset;
    std::optional<size_t> endPara;
};

struct Caret {
    std::string paragraph;  // its text, "P4"
    int32_t offset = 0;
};

class OutlineHost : public vxhost_test::EditorHost {
public:
    using EditorHost::EditorHost;

    // The paragraphs get the texts P1, P2, ... in order. The document
    // declares the seven default levels, every tag it uses and `formats`.
    vxhost::ObjId open(const std::vector<std::string> &tags, const std::vector<std::string> &formats = {});
    void select(const Sel &sel);
    // Runs one command or function code and waits for the hand-over.
    bool run(const Run &what);

    // "tag text" of every paragraph, in chain order.
    std::vector<std::string> paragraphs() { return texts(doc_); }
    // The selection as an insertion point, or nothing when it is a range.
    std::optional<Caret> insertionPoint();
    // The calls of the last run that change the display, the selection, the
    // clipboard or the chain, each as a short word ("off", "on", "select",
    // "push", "cut", "valid", "delete", "paste", "pop", "add", "redisplay",
    // "fcodes", "return -10001").
    std::vector<std::string> edits() const;

    vxhost::ObjId document() const { return doc_; }

private:
    vxhost::ObjId doc_ = 0;
    size_t traceFrom_ = 0;
};

inline vxhost::ObjId OutlineHost::open(const std::vector<std::string> &tags,
                                       const std::vector<std::string> &formats)
{
    vxhost::DocContent content;
    auto declare = [&content](const std::string &name) {
        if (std::find(content.formats.begin(), content.formats.end(), name) == content.formats.end())
            content.formats.push_back(name);
    };
    for (int i = 1; i <= 7; ++i)
        declare(std::to_string(i) + "Level");
    for (const std::string &name : formats)
        declare(name);
    for (size_t i = 0; i < tags.size(); i++) {
        declare(tags[i]);
        content.paras.push_back({tags[i], "P" + std::to_string(i + 1), 0});
    }
    doc_ = editor.addDocument(content, "outline.vx", "", true);
    return doc_;
}

inline void OutlineHost::select(const Sel &sel)
{
    vxhost::ObjId start = para(doc_, sel.para);
    if (!sel.endPara) {
        caret(doc_, sel.para, sel.offset);
        return;
    }
    vxhost::ObjId end = para(doc_, *sel.endPara);
    doc(doc_).setSelection({{start, sel.offset}, {end, vxhost::kEndOfParagraph}});
}

inline bool OutlineHost::run(const Run &what)
{
    traceFrom_ = host.trace().size();
    if (what.command != 0)
        return host.command(what.command);
    return service.function_code(what.fcode) == vxhost::EditorService::Sent::Done;
}

inline std::optional<Caret> OutlineHost::insertionPoint()
{
    const vxhost::TextRange &sel = doc(doc_).selection();
    if (sel.start != sel.end)
        return std::nullopt;
    const vxhost::Paragraph *p = doc(doc_).paragraph(sel.start.obj);
    return Caret{p != nullptr ? p->content.text : "?", sel.start.offset};
}

inline std::vector<std::string> OutlineHost::edits() const
{
    static const std::map<std::string, std::string> words = {
        {"api_vx_set_textrange_1", "select"}, {"api_vx_push_clipboard_1", "push"},
        {"api_vx_cut_1", "cut"},              {"api_vx_object_valid_1", "valid"},
        {"api_vx_delete_1", "delete"},        {"api_vx_paste_1", "paste"},
        {"api_vx_pop_clipboard_1", "pop"},    {"api_vx_add_text_1", "add"},
        {"api_vx_redisplay_1", "redisplay"},  {"api_vx_fcodes_1", "fcodes"},
    };
    std::vector<std::string> out;
    const auto &trace = host.trace();
    for (size_t i = traceFrom_; i < trace.size(); i++) {
        const vxhost::TraceEntry &e = trace[i];
        if (e.direction != vxhost::Direction::ToHost)
            continue;
        if (e.name == "api_vx_set_int_1" && e.arguments.rfind("0, 0, 92, ", 0) == 0)
            out.push_back(e.arguments.back() == '0' ? "off" : "on");
        else if (e.name == "api_vx_return_value_1")
            out.push_back("return " + e.arguments);
        else if (auto w = words.find(e.name); w != words.end())
            out.push_back(w->second);
    }
    return out;
}

}  // namespace outline_test
