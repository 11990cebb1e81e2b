// While the outliner has the screen, what vxhost would print on it (the
// client's alerts, event lines, reports on standard error) is caught line by
// line instead, for the outliner to show in its own way.
#pragma once

#include <deque>
#include <ostream>
#include <streambuf>
#include <string>
#include <vector>

namespace vxhost::tui {

class CapturedOutput : private std::streambuf {
public:
    // Lines kept until taken; older ones give way (a --trace to the screen
    // during a long command).
    static constexpr size_t kMaxLines = 200, kMaxLineBytes = 4096;

    // Catches standard output, and standard error when it is the terminal.
    CapturedOutput();
    ~CapturedOutput() override;
    CapturedOutput(const CapturedOutput &) = delete;
    CapturedOutput &operator=(const CapturedOutput &) = delete;

    // The lines written since the last call; an unfinished line as well.
    std::vector<std::string> take();

private:
    int_type overflow(int_type c) override;

    std::deque<std::string> lines_;
    std::string partial_;
    std::streambuf *out_ = nullptr, *err_ = nullptr;
};

}  // namespace vxhost::tui
