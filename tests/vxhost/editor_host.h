// The stand-in host as an editor, in the test process: the model, its RPC
// service, and a real client launched against it.
#pragma once

#include "document_editor.h"
#include "document_outline.h"
#include "editor_service.h"
#include "generic_host.h"
#include "runtime_fixture.h"
#include "vxhost.h"

#include <csignal>
#include <string>
#include <vector>

namespace vxhost_test {

inline const std::string kLindrel = LINDREL_BINARY_DIR "/outline/lindrel";
inline const std::string kTestClient = LINDREL_BINARY_DIR "/tests/clients/testclient";
inline const std::string kExamples = LINDREL_SOURCE_DIR "/examples";

struct EditorHost {
    vxhost::Host host;
    vxhost::generic::GenericHost generic{host};
    vxhost::Editor editor;
    vxhost::EditorService service{host, editor, generic};
    lindrel_test::TempDir dir;

    // Template directories: the examples unless told otherwise.
    explicit EditorHost(const std::string &templates = kExamples, const vxhost::Host::Options &options = {})
        : host(options)
    {
        signal(SIGPIPE, SIG_IGN);  // a client that has gone must fail a call, not end the test
        editor.setProp(0, 0, vxhost::prop::kTemplateDir1, templates);
        editor.setProp(0, 0, vxhost::prop::kTemplateDir2, templates);
    }

    // The client goes first, while the handlers that may answer it still exist.
    ~EditorHost()
    {
        if (host.client_running() && host.client_pid() > 0) {
            kill(host.client_pid(), SIGKILL);
            host.wait_exit(5);
        }
    }
    EditorHost(const EditorHost &) = delete;
    EditorHost &operator=(const EditorHost &) = delete;

    bool start(const std::string &client = kLindrel, int32_t init = 1)
    {
        vxhost::LaunchOptions launch;
        launch.program = client;
        launch.name = "lindrel";
        launch.stderrPath = dir.file("client.err");
        return host.launch(launch, 10) && host.init(init);
    }

    // A document of (tag, text) paragraphs declaring the seven default
    // levels, made active.
    vxhost::ObjId document(const std::vector<std::pair<std::string, std::string>> &paras)
    {
        vxhost::DocContent content;
        for (int i = 1; i <= 7; ++i)
            content.formats.push_back(std::to_string(i) + "Level");
        for (const auto &[tag, text] : paras)
            content.paras.push_back({tag, text, 0});
        return editor.addDocument(content, "test.vx", "", true);
    }

    vxhost::Document &doc(vxhost::ObjId id) { return *editor.document(id); }
    // The id of the n-th paragraph (from 0) in chain order.
    vxhost::ObjId para(vxhost::ObjId id, size_t n) { return doc(id).paragraphs().at(n)->id; }
    std::vector<std::string> texts(vxhost::ObjId id)
    {
        std::vector<std::string> out;
        for (const auto *p : doc(id).paragraphs())
            out.push_back(p->content.tag + " " + p->content.text);
        return out;
    }
    void caret(vxhost::ObjId id, size_t n, int32_t offset = 0)
    {
        vxhost::ObjId p = para(id, n);
        doc(id).setSelection({{p, offset}, {p, offset}});
    }
    std::vector<vxhost::HostEvent> events(vxhost::HostEvent::Kind kind) const
    {
        std::vector<vxhost::HostEvent> out;
        for (const auto &e : editor.events())
            if (e.kind == kind)
                out.push_back(e);
        return out;
    }
};

}  // namespace vxhost_test
