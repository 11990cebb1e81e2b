// The library's one way to end the process on a broken precondition.
#include "vsupport/memory.h"

#include <cstdlib>

extern "C" void V_Abort(void) {
    // No message and no exit handlers: the abort signal is the report.
    std::abort();
}
