// Suggestions for a mistyped name (an option, a menu label, a procedure).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vxhost {

// The candidates nearest to `word` by edit distance, nearest first (at most
// `count`, none that differs in more than a third of its letters).
std::vector<std::string> closest(const std::string &word, const std::vector<std::string> &candidates,
                                 size_t count = 3);

// " (did you mean A, B or C?)", each name as `show` writes it; "" without a
// near candidate.
std::string did_you_mean(const std::string &word, const std::vector<std::string> &candidates,
                         std::string (*show)(std::string_view) = nullptr);

}  // namespace vxhost
