// Faults injected into the host's answers, for testing a client against a
// host that refuses, lags, drops or dies.
#pragma once

#include "vxhost.h"

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace vxhost {

struct Fault {
    enum class Kind { Fail, Delay, Exit, Drop };
    Kind kind;
    uint32_t proc = 0;
    uint32_t nth = 0;    // only the Nth call of the procedure; 0: every call
    int32_t value = 0;   // Fail: the status answered; Delay: milliseconds
};

// A fault as its option gives it: "PROC[@N]" (Exit, Drop) or
// "PROC[@N]=VALUE" (Fail, Delay), PROC a procedure number or name (the
// stub's, or it without "api_vx_" and "_1"). Throws std::invalid_argument
// with a one-line reason; an unknown name is answered with the nearest.
Fault parse_fault(Fault::Kind kind, const std::string &text);

// A procedure number by its number or name; throws as parse_fault.
uint32_t procedure_number(const std::string &text);

// Puts the faults in front of whatever answers their procedures. Each one,
// when it strikes, says what it did through `report` and in the trace.
void inject_faults(Host &host, std::vector<Fault> faults, std::function<void(const std::string &)> report);

}  // namespace vxhost
