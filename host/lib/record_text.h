// Records of the protocol as readable text, for traces: the record's type
// (its name as the procedure table or a declaration spells it) says how to
// walk it; the field names come from the declarations.
#pragma once

#include <cstdint>
#include <string>

namespace vxhost {

// A record as "name=value, ...": strings quoted, nested records in braces,
// lists in brackets (long ones shortened). `type` is "int", "void",
// "StringT" or a record's name; an unknown type gives "?".
std::string record_text(const char *type, const void *record);

// The host's status in a result: the record itself for "int", else its
// field named "status"; null when the result carries none.
int32_t *status_field(const char *type, void *record);

}  // namespace vxhost
