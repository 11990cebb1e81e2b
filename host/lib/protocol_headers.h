// Every header that declares records of the protocol: the build reads their
// field names from here (tools/gen_record_fields.pl).
#include "callbacks.h"
#include "vapi/records.h"
