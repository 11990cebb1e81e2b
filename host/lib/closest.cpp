#include "closest.h"

#include <algorithm>
#include <cctype>

namespace vxhost {
namespace {

// Edits to turn one into the other: a letter added, dropped, changed, or
// two neighbours swapped; letters compare without case.
size_t distance(const std::string &a, const std::string &b)
{
    auto same = [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    };
    std::vector<std::vector<size_t>> d(a.size() + 1, std::vector<size_t>(b.size() + 1));
    for (size_t i = 0; i <= a.size(); ++i)
        d[i][0] = i;
    for (size_t j = 0; j <= b.size(); ++j)
        d[0][j] = j;
    for (size_t i = 1; i <= a.size(); ++i)
        for (size_t j = 1; j <= b.size(); ++j) {
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + (same(a[i - 1], b[j - 1]) ? 0 : 1)});
            if (i > 1 && j > 1 && same(a[i - 1], b[j - 2]) && same(a[i - 2], b[j - 1]))
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
        }
    return d[a.size()][b.size()];
}

}  // namespace

std::vector<std::string> closest(const std::string &word, const std::vector<std::string> &candidates, size_t count)
{
    // Names far longer than anyone types are not worth the comparison.
    constexpr size_t kLongest = 256;
    std::vector<std::pair<size_t, std::string>> near;
    for (const std::string &c : candidates) {
        if (c.size() > kLongest || word.size() > kLongest)
            continue;
        size_t d = distance(word, c);
        if (c != word && d * 3 <= std::max(word.size(), c.size()))
            near.emplace_back(d, c);
    }
    std::stable_sort(near.begin(), near.end(), [](const auto &x, const auto &y) { return x.first < y.first; });
    std::vector<std::string> out;
    for (const auto &[d, c] : near)
        if (out.size() < count && std::find(out.begin(), out.end(), c) == out.end())
            out.push_back(c);
    return out;
}

std::string did_you_mean(const std::string &word, const std::vector<std::string> &candidates,
                         std::string (*show)(std::string_view))
{
    std::vector<std::string> near = closest(word, candidates);
    if (near.empty())
        return "";
    std::string out = " (did you mean ";
    for (size_t i = 0; i < near.size(); ++i) {
        out += i == 0 ? "" : i + 1 == near.size() ? " or " : ", ";
        out += show ? show(near[i]) : near[i];
    }
    return out + "?)";
}

}  // namespace vxhost
