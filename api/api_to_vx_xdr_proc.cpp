// The codecs of the per-procedure argument and result records.
#include "codec.hpp"

VAPI_PROC_RECORDS(VAPI_DEFINE_CODEC)
