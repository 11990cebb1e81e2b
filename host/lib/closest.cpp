#include "closest.h"

#include <algorithm>
#include <cctype>

namespace vxhost {
namespace {

// Letters compare without case: a wrong case is one more way to mistype.
size_t distance(const std::string &a, const std::string &b)
{
    std::vector<size_t> row(b.size() + 1);
    for (size_t j = 0; j <= b.size(); ++j)
        row[j] = j;
    for (size_t i = 1; i <= a.size(); ++i) {
        size_t diagonal = row[0];
        row[0] = i;
        for (size_t j = 1; j <= b.size(); ++j) {
            bool same = std::tolower(static_cast<unsigned char>(a[i - 1])) ==
                        std::tolower(static_cast<unsigned char>(b[j - 1]));
            size_t next = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (same ? 0 : 1)});
            diagonal = row[j];
            row[j] = next;
        }
    }
    return row[b.size()];
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
