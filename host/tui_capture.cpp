#include "tui_capture.h"

#include <unistd.h>

#include <iostream>

namespace vxhost::tui {

CapturedOutput::CapturedOutput()
{
    out_ = std::cout.rdbuf(this);
    if (isatty(STDERR_FILENO))
        err_ = std::cerr.rdbuf(this);
}

CapturedOutput::~CapturedOutput()
{
    std::cout.rdbuf(out_);
    if (err_ != nullptr)
        std::cerr.rdbuf(err_);
}

CapturedOutput::int_type CapturedOutput::overflow(int_type c)
{
    if (traits_type::eq_int_type(c, traits_type::eof()))
        return traits_type::not_eof(c);
    if (traits_type::to_char_type(c) != '\n') {
        if (partial_.size() < kMaxLineBytes)
            partial_ += traits_type::to_char_type(c);
        return c;
    }
    lines_.push_back(std::move(partial_));
    partial_.clear();
    if (lines_.size() > kMaxLines)
        lines_.pop_front();
    return c;
}

std::vector<std::string> CapturedOutput::take()
{
    std::vector<std::string> taken(lines_.begin(), lines_.end());
    lines_.clear();
    if (!partial_.empty())
        taken.push_back(std::move(partial_));
    partial_.clear();
    return taken;
}

}  // namespace vxhost::tui
