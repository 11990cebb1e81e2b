// The real outline client against the editor model over real RPC: every
// call it makes is answered by the model, and the document comes out as the
// outline commands promise.
#include "editor_host.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>

using namespace vxhost;
using vxhost_test::EditorHost;

namespace {

using Ran = EditorService::Ran;
using Sent = EditorService::Sent;

// Procedures the client called that the model has no handler for (the
// control calls aside).
std::vector<uint32_t> outside_the_model(const EditorHost &h)
{
    const auto &ours = h.service.procedures();
    std::vector<uint32_t> out;
    for (const TraceEntry &e : h.host.trace())
        if (e.direction == Direction::ToHost && e.proc != 1000 && e.proc != 1002 &&
            !std::binary_search(ours.begin(), ours.end(), e.proc))
            out.push_back(e.proc);
    return out;
}

std::vector<std::string> labels(const MenuSet &menus, ObjId menu)
{
    std::vector<std::string> out;
    for (ObjId item : menus.menu(menu)->items)
        out.push_back(*menus.label(item));
    return out;
}

TEST(LindrelRpc, StartUpBuildsItsMenusAndAsksForFunctionCodes)
{
    EditorHost h;
    ASSERT_TRUE(h.start());
    const MenuSet &menus = h.editor.menus();
    ObjId tools = menus.find(objtype::kMenu, "DovraTools");
    ObjId outlining = menus.find(objtype::kMenu, "Lindrel");
    ASSERT_NE(tools, 0u);
    ASSERT_NE(outlining, 0u);
    EXPECT_EQ(labels(menus, outlining),
              (std::vector<std::string>{"New Outline", "", "Move Right", "Move Left", "Move Up", "Move Down", "",
                                        "Nudge Right", "Nudge Left", "Nudge Up", "Nudge Down", "",
                                        "About Lindrel..."}));
    EXPECT_EQ(labels(menus, tools), std::vector<std::string>{"Outlining"});
    for (const char *main : {MenuSet::kMainMenu, MenuSet::kQuickMenu}) {
        const auto &items = menus.menu(menus.find(objtype::kMenu, main))->items;
        EXPECT_NE(std::find(items.begin(), items.end(), tools), items.end()) << main;
    }
    EXPECT_TRUE(h.editor.wantsNotification(EditorService::kClient, 42));
    // Everything the client asked for was answered by the model.
    EXPECT_EQ(outside_the_model(h), std::vector<uint32_t>{});
    EXPECT_EQ(h.generic.store().size(), 0u);
}

TEST(LindrelRpc, BlockCommandsByLabel)
{
    EditorHost h;
    ObjId d = h.document({{"1Level", "P1"}, {"2Level", "P2"}, {"3Level", "P3"}, {"2Level", "P4"}, {"3Level", "P5"}});
    ASSERT_TRUE(h.start());

    h.caret(d, 1, 1);
    ASSERT_EQ(h.service.run_label("Move Right"), Ran::Done);
    EXPECT_EQ(h.texts(d), (std::vector<std::string>{"1Level P1", "3Level P2", "4Level P3", "2Level P4", "3Level P5"}));
    ASSERT_EQ(h.service.run_label("Move Left"), Ran::Done);

    // Move Up passes the sibling's subordinate and keeps the caret's offset.
    ObjId p4 = h.para(d, 3);
    h.caret(d, 3, 2);
    ASSERT_EQ(h.service.run_label("Move Up"), Ran::Done);
    EXPECT_EQ(h.texts(d), (std::vector<std::string>{"1Level P1", "2Level P4", "3Level P5", "2Level P2", "3Level P3"}));
    const TextRange &sel = h.doc(d).selection();
    EXPECT_EQ(sel.start, sel.end);
    EXPECT_EQ(h.doc(d).paragraph(sel.start.obj)->content.text, "P4");
    EXPECT_EQ(sel.start.offset, 2);
    EXPECT_NE(sel.start.obj, p4);  // pasted paragraphs are new objects

    // Moving the block back down past the end of the chain: the host adds a
    // paragraph, the client pastes before it and deletes it.
    ASSERT_EQ(h.service.run_label("Move Down"), Ran::Done);
    EXPECT_EQ(h.texts(d), (std::vector<std::string>{"1Level P1", "2Level P2", "3Level P3", "2Level P4", "3Level P5"}));
    EXPECT_EQ(h.doc(d).paragraph(h.doc(d).selection().start.obj)->content.text, "P4");
    EXPECT_EQ(h.editor.clipboardDepth(), 0u);
    EXPECT_EQ(h.editor.display(), 1);
    EXPECT_EQ(outside_the_model(h), std::vector<uint32_t>{});
    EXPECT_EQ(h.generic.store().size(), 0u);
}

TEST(LindrelRpc, AboutNewOutlineAndUnknownLabels)
{
    EditorHost h;
    ASSERT_TRUE(h.start());
    ASSERT_EQ(h.service.run_label("About Lindrel..."), Ran::Done);
    auto alerts = h.events(HostEvent::Kind::Alert);
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_EQ(alerts[0].value, 2);
    EXPECT_EQ(alerts[0].text.rfind("Lindrel \nVersion 1.0  Build 103 \n", 0), 0u) << alerts[0].text;

    // New Outline needs no open document: it makes an untitled one.
    ASSERT_EQ(h.editor.activeDocument(), 0u);
    ASSERT_EQ(h.service.run_label("New Outline"), Ran::Done);
    ObjId made = h.editor.activeDocument();
    ASSERT_NE(made, 0u);
    EXPECT_EQ(h.doc(made).path(), "");
    EXPECT_EQ(h.texts(made).front(), "1Level Topic");

    EXPECT_EQ(outside_the_model(h), std::vector<uint32_t>{});
    EXPECT_EQ(h.service.run_label("Move Sideways"), Ran::NoSuchLabel);
    EXPECT_EQ(h.service.run_label(""), Ran::NoSuchLabel);  // separators are no commands to run
}

TEST(LindrelRpc, MissingTemplateIsReportedAndOpensNothing)
{
    lindrel_test::TempDir empty;
    EditorHost h(empty.path());
    std::vector<std::string> reports;
    h.service.set_reporter([&](const std::string &m) { reports.push_back(m); });
    ASSERT_TRUE(h.start());
    ASSERT_EQ(h.service.run_label("New Outline"), Ran::Done);
    EXPECT_EQ(h.editor.activeDocument(), 0u);
    ASSERT_FALSE(reports.empty());
    EXPECT_NE(reports.back().find("Outline.vx"), std::string::npos) << reports.back();
}

TEST(LindrelRpc, FunctionCodesGoOnlyToAClientThatAskedForThem)
{
    EditorHost h;
    ASSERT_TRUE(h.start(vxhost_test::kTestClient, 0));
    EXPECT_EQ(h.service.function_code(285), Sent::NotRequested);
    EXPECT_EQ(h.service.run_label("Move Right"), Ran::NoSuchLabel);
}

// A long-running host keeps only the recent part of its trace, and the
// calls in progress while older entries go still complete in place. The
// client runs in a process group of its own, so that a Ctrl-C at the host's
// terminal does not reach it.
TEST(LindrelRpc, BoundedTraceAndTheClientsOwnProcessGroup)
{
    Host::Options options;
    options.traceLimit = 8;
    EditorHost h(vxhost_test::kExamples, options);
    ObjId d = h.document({{"1Level", "A"}, {"2Level", "B"}, {"2Level", "C"}});
    ASSERT_TRUE(h.start());
    EXPECT_EQ(h.host.acknowledgements(), 1);
    ASSERT_GT(h.host.client_pid(), 0);
    EXPECT_EQ(getpgid(h.host.client_pid()), h.host.client_pid());
    EXPECT_NE(getpgid(h.host.client_pid()), getpgrp());

    h.caret(d, 1);
    ASSERT_EQ(h.service.run_label("Move Down"), Ran::Done);
    EXPECT_EQ(h.texts(d), (std::vector<std::string>{"1Level A", "2Level C", "2Level B"}));
    const auto &trace = h.host.trace();
    EXPECT_LE(trace.size(), 8u);
    EXPECT_GT(h.host.trace_dropped(), 40u);
    ASSERT_FALSE(trace.empty());
    // The command went out before the entries kept; the hand-over that
    // ended it is last and was answered.
    EXPECT_EQ(trace.back().name, "api_vx_over_1");
    EXPECT_EQ(trace.back().outcome, "replied");
    for (const TraceEntry &e : trace)
        EXPECT_NE(e.outcome, "") << e.name;

    size_t before = h.host.trace_dropped() + trace.size();
    h.host.clear_trace();
    EXPECT_EQ(h.host.trace_dropped(), before);
    ASSERT_EQ(h.service.run_label("Move Up"), Ran::Done);
    EXPECT_EQ(h.texts(d), (std::vector<std::string>{"1Level A", "2Level B", "2Level C"}));
    EXPECT_EQ(h.host.trace().back().outcome, "replied");
}

// A started client gets standard input, output and error from the host and
// none of its sockets or files.
TEST(LindrelRpc, AClientInheritsNoDescriptorsOfTheHost)
{
    EditorHost h;
    std::string listing = h.dir.file("fds");
    LaunchOptions launch;
    launch.program = "/bin/sh";
    launch.args = {"-c", "exec ls /proc/self/fd > " + listing};
    EXPECT_FALSE(h.host.launch(launch, 5));  // it ends without acknowledging
    h.host.wait_exit(5);
    // ls's own: the three standard ones and the directory it reads.
    EXPECT_EQ(lindrel_test::read_lines(listing), (std::vector<std::string>{"0", "1", "2", "3"}));
}

}  // namespace
