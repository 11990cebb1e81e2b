#include "host_with_client.h"

#include <algorithm>
#include <csignal>
#include <map>

namespace lindrel_test {

HostWithClient::HostWithClient() : HostWithClient(Options{}) {}

HostWithClient::HostWithClient(const Options &o) : options(o), host(o.host)
{
    signal(SIGPIPE, SIG_IGN);  // a client that has gone must fail a call, not end the test
    editor.setProp(0, 0, vxhost::prop::kTemplateDir1, o.templates);
    editor.setProp(0, 0, vxhost::prop::kTemplateDir2, o.templates);
}

HostWithClient::~HostWithClient()
{
    if (host.client_running() && host.client_pid() > 0) {
        kill(host.client_pid(), SIGKILL);
        host.wait_exit(5);
    }
}

bool HostWithClient::start(const std::string &client, int32_t init)
{
    vxhost::LaunchOptions launch;
    launch.program = client;
    launch.name = options.name;
    launch.clientNumber = options.clientNumber;
    launch.environment = options.environment;
    launch.environment.push_back("LINDREL_TEST_LOG=" + dir.file("client.log"));
    launch.stderrPath = dir.file("client.err");
    return host.launch(launch, 10) && host.init(init);
}

bool HostWithClient::logged(const std::string &line) const
{
    auto lines = log();
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

std::vector<uint32_t> HostWithClient::host_calls() const
{
    std::vector<uint32_t> procs;
    for (const auto &e : host.trace())
        if (e.direction == vxhost::Direction::ToHost)
            procs.push_back(e.proc);
    return procs;
}

vxhost::ObjId HostWithClient::open(const std::vector<std::string> &tags, const std::vector<std::string> &formats)
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
    return doc_ = editor.addDocument(content, "outline.vx", "", true);
}

std::vector<std::string> HostWithClient::paragraphs(vxhost::ObjId id)
{
    std::vector<std::string> out;
    for (const auto *p : doc(id).paragraphs())
        out.push_back(p->content.tag + " " + p->content.text);
    return out;
}

void HostWithClient::select(const Sel &sel, vxhost::ObjId id)
{
    vxhost::TextLoc start{para(sel.para, id), sel.offset};
    vxhost::TextLoc end = sel.endPara ? vxhost::TextLoc{para(*sel.endPara, id), vxhost::kEndOfParagraph} : start;
    doc(id).setSelection({start, end});
}

std::string HostWithClient::caret()
{
    const vxhost::TextRange &sel = doc().selection();
    const vxhost::Paragraph *p = doc().paragraph(sel.start.obj);
    if (sel.start != sel.end || p == nullptr)
        return "range";
    return p->content.text + "@" + std::to_string(sel.start.offset);
}

bool HostWithClient::run(const Run &what)
{
    traceFrom_ = host.trace_dropped() + host.trace().size();
    if (what.command != 0)
        return host.command(what.command);
    return service.function_code(what.fcode) == vxhost::EditorService::Sent::Done;
}

std::vector<std::string> HostWithClient::edits() const
{
    static const std::map<std::string, std::string> words = {
        {"api_vx_set_textrange_1", "select"}, {"api_vx_push_clipboard_1", "push"}, {"api_vx_cut_1", "cut"},
        {"api_vx_object_valid_1", "valid"},   {"api_vx_delete_1", "delete"},       {"api_vx_paste_1", "paste"},
        {"api_vx_pop_clipboard_1", "pop"},    {"api_vx_add_text_1", "add"},        {"api_vx_redisplay_1", "redisplay"},
        {"api_vx_fcodes_1", "fcodes"},
    };
    std::vector<std::string> out;
    const auto &trace = host.trace();
    for (size_t i = traceFrom_ > host.trace_dropped() ? traceFrom_ - host.trace_dropped() : 0; i < trace.size(); i++) {
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

std::vector<vxhost::HostEvent> HostWithClient::events(vxhost::HostEvent::Kind kind) const
{
    std::vector<vxhost::HostEvent> out;
    for (const auto &e : editor.events())
        if (e.kind == kind)
            out.push_back(e);
    return out;
}

}  // namespace lindrel_test
