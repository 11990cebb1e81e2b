// The real lindrel against the host's editor model over real RPC: every
// call it makes is one the model answers, commands run by their labels,
// function codes go only to a client that asked, and the host keeps its
// trace bounded and its descriptors to itself.
#include "host_with_client.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <memory>

namespace {

using namespace lindrel_test;
using vxhost::EditorService;
using Ran = EditorService::Ran;

// Host procedures the client called that the model has no handler for (the
// control calls aside).
std::vector<uint32_t> outsideTheModel(const HostWithClient &h)
{
    const auto &ours = h.service.procedures();
    std::vector<uint32_t> out;
    for (uint32_t proc : h.host_calls())
        if (proc != 1000 && proc != 1002 && !std::binary_search(ours.begin(), ours.end(), proc))
            out.push_back(proc);
    return out;
}

// Every command by its label and every function code: each call the
// client makes is one the model answers; then the host's quit ends the
// client with status 0 and nothing on standard error (a sanitizer build
// reports any leak there), and the host, gone, leaves no descriptor open.
TEST(Model, EveryCommandByLabelThenQuitEndsCleanly)
{
    int descriptors = open_descriptors();
    auto h_ = std::make_unique<HostWithClient>();
    HostWithClient &h = *h_;
    ASSERT_TRUE(h.start());
    h.open({"1Level", "2Level", "3Level", "2Level", "3Level"});
    for (const char *label : {"Move Right", "Move Left", "Move Up", "Move Down", "Nudge Right", "Nudge Left",
                              "Nudge Up", "Nudge Down", "About Lindrel...", "New Outline"}) {
        h.select({3, 1});
        ASSERT_EQ(h.service.run_label(label), Ran::Done) << label;
    }
    for (int32_t code : {282, 283, 284, 285, 289, 290, 291, 292}) {
        h.select({3, 1});
        ASSERT_EQ(h.service.function_code(code), EditorService::Sent::Done) << code;
    }
    EXPECT_EQ(outsideTheModel(h), std::vector<uint32_t>{});
    EXPECT_EQ(h.generic.store().size(), 0u);
    EXPECT_EQ(h.service.run_label("Move Sideways"), Ran::NoSuchLabel);
    EXPECT_EQ(h.service.run_label(""), Ran::NoSuchLabel);  // separators are no commands to run
    ASSERT_EQ(h.host.call_quit(), RPC_SUCCESS);
    EXPECT_EQ(h.host.wait_exit(20), std::optional<int>(0));
    EXPECT_EQ(h.err(), "");
    h_.reset();
    for (int i = 0; i < 100 && open_descriptors() != descriptors; ++i)  // a closing may lag behind on a busy machine
        usleep(20000);
    EXPECT_EQ(open_descriptors(), descriptors);
}

// A long-running host keeps only the recent part of its trace, and calls in
// progress while older entries go complete in place. The client runs in a
// process group of its own, so that a Ctrl-C at the host's terminal does
// not reach it.
TEST(Model, BoundedTraceAndTheClientsOwnProcessGroup)
{
    HostWithClient::Options options;
    options.host.traceLimit = 8;
    HostWithClient h(options);
    h.open({"1Level", "2Level", "2Level"});
    ASSERT_TRUE(h.start());
    EXPECT_EQ(h.host.acknowledgements(), 1);
    EXPECT_EQ(getpgid(h.host.client_pid()), h.host.client_pid());
    EXPECT_NE(getpgid(h.host.client_pid()), getpgrp());
    h.select({1});
    ASSERT_EQ(h.service.run_label("Move Down"), Ran::Done);
    EXPECT_EQ(h.paragraphs(), (std::vector<std::string>{"1Level P1", "2Level P3", "2Level P2"}));
    const auto &trace = h.host.trace();
    EXPECT_LE(trace.size(), 8u);
    EXPECT_GT(h.host.trace_dropped(), 40u);
    ASSERT_FALSE(trace.empty());
    EXPECT_EQ(trace.back().name + " " + trace.back().outcome, "api_vx_over_1 replied");  // the hand-over is last
    for (const vxhost::TraceEntry &e : trace)
        EXPECT_NE(e.outcome, "") << e.name;
    size_t before = h.host.trace_dropped() + trace.size();
    h.host.clear_trace();
    EXPECT_EQ(h.host.trace_dropped(), before);
}

TEST(Model, AClientInheritsNoDescriptorsOfTheHost)
{
    HostWithClient h;
    vxhost::LaunchOptions launch;
    launch.program = "/bin/sh";
    launch.args = {"-c", "exec ls /proc/self/fd > " + h.dir.file("fds")};
    EXPECT_FALSE(h.host.launch(launch, 5));  // it ends without acknowledging
    h.host.wait_exit(5);
    // ls's own: the three standard ones and the directory it reads.
    EXPECT_EQ(read_lines(h.dir.file("fds")), (std::vector<std::string>{"0", "1", "2", "3"}));
}

}  // namespace
