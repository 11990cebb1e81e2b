// What the parts of the editor service share: the typed registration of a
// handler. Internal to editor_service*.cpp.
#pragma once

#include "editor_service.h"
#include "editor_service_wire.h"
#include "proctable.h"

#include <cstdio>
#include <cstdlib>

namespace vxhost {

// Stands for a void argument or result (the table counts those one byte).
struct Nothing {
    char unused;
};

template <class A, class R, class F>
void EditorService::serve(uint32_t proc, F handler)
{
    const ApiProcT *row = api_proc_find(proc);
    // A record type that does not match the table would be read past its end.
    if (row == nullptr || row->argSize != sizeof(A) || row->resSize != sizeof(R)) {
        std::fprintf(stderr, "vxhost: editor handler for %u does not match the procedure table\n", proc);
        std::abort();
    }
    procs_.push_back(proc);
    host_.on(proc, [handler](HostCall &call) {
        handler(*static_cast<A *>(call.arguments), *static_cast<R *>(call.result), call);
    });
}

}  // namespace vxhost
