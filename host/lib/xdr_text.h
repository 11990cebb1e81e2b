// Any XDR record as readable text, for traces: the record is encoded into a
// stream that writes integers in decimal and strings quoted.
#pragma once

#include <rpc/rpc.h>

#include <string>

namespace vxhost {

// For example "42, 7, \"a title\", 0". Strings and integers appear in wire
// order; an empty string shows as its length, 0.
std::string xdr_text(xdrproc_t codec, void *record);

}  // namespace vxhost
