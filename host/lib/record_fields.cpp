#include "record_fields.h"

#include <sstream>
#include <unordered_map>

namespace vxhost {

const std::vector<std::string> &record_fields(const std::string &record)
{
    static const auto table = [] {
        const std::pair<const char *, const char *> rows[] = {
#include "record_fields.inc"
        };
        std::unordered_map<std::string, std::vector<std::string>> out;
        for (const auto &[name, fields] : rows) {
            std::istringstream words(fields);
            auto &list = out[name];
            for (std::string w; words >> w;)
                list.push_back(w);
        }
        return out;
    }();
    static const std::vector<std::string> none;
    auto found = table.find(record);
    return found == table.end() ? none : found->second;
}

}  // namespace vxhost
