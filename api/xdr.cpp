// Codecs of the callback records, derived from their declarations: each
// codes the fields in declaration order and stops at the first that fails.
#include "callbacks.h"

#include "codec.hpp"

VAPI_DEFINE_CODEC(VxApiInitArgT)
VAPI_DEFINE_CODEC(VxApiCommandArgT)
VAPI_DEFINE_CODEC(VxApiNotifyArgT)
VAPI_DEFINE_CODEC(Vx4ApiNotifyArgT)
VAPI_DEFINE_CODEC(VxApiMessageArgT)
VAPI_DEFINE_CODEC(VxApiDialogEventArgT)
