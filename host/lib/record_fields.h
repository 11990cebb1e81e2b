// The field names of the protocol's records, read from their declarations
// when the host is built.
#pragma once

#include <string>
#include <vector>

namespace vxhost {

// The fields of a record by its type name, in declaration order; empty for
// a name that is no record, or a record whose fields have no plain names.
const std::vector<std::string> &record_fields(const std::string &record);

}  // namespace vxhost
