// The stand-in host's answer to every procedure that has no handler of its
// own, and the faults that tests script on any procedure.
//
// Property procedures are answered from the generic property store; calls
// that make or find an object answer a new identifier (named objects keep
// theirs); everything else answers status 0 and a zero result. A script
// replaces the answer of one procedure: a given status, a given result (the
// wire form of the result record), a dropped connection, and an action run
// after the reply (for example a dialog event sent to the client).
#pragma once

#include "generic_store.h"
#include "vxhost.h"
#include "proctable.h"

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <tuple>

namespace vxhost::generic {

class GenericHost {
public:
    // Named objects kept at most, and the bytes of their names: past either,
    // a new name is refused (kLimit), so a client in a loop cannot grow the
    // host without bound.
    static constexpr size_t kMaxNamedObjects = 100000;
    static constexpr size_t kMaxNamedBytes = 16u << 20;

    // Becomes `host`'s fall-back; the host must outlive it.
    explicit GenericHost(Host &host);
    GenericHost(const GenericHost &) = delete;
    GenericHost &operator=(const GenericHost &) = delete;

    // A script takes `proc` over from any handler it had (the host keeps one
    // handler per procedure); where the script leaves the answer open (status
    // 0, or an action after the reply) the generic answer fills it.
    void script_status(uint32_t proc, int32_t status);
    // Results are used in order, the last one for every later call.
    void script_result(uint32_t proc, Bytes result);
    // A result record, encoded with the procedure's result codec.
    template <class R>
    void script_record(uint32_t proc, R record)
    {
        const ApiProcT *row = api_proc_find(proc);
        script_result(proc, row ? encode(row->resCodec, &record) : Bytes{});
    }
    void script_drop(uint32_t proc);
    void script_after(uint32_t proc, std::function<void(Host &)> action);
    // Scripted procedures go to the generic answer (not back to a handler
    // they had before their script).
    void clear_scripts();

    PropertyStore &store() { return store_; }
    // The generic answer to one call (what the fall-back runs).
    void answer(HostCall &call);

private:
    struct Script {
        std::optional<int32_t> status;
        std::deque<Bytes> results;
        bool drop = false;
        std::function<void(Host &)> after;
    };
    Script &script(uint32_t proc);
    void run(HostCall &call, Script &s);
    uint32_t object_for(HostCall &call, int32_t &status);

    Host &host_;
    PropertyStore store_;
    std::map<uint32_t, Script> scripts_;
    std::map<std::tuple<uint32_t, int32_t, std::string>, uint32_t> named_;
    size_t namedBytes_ = 0;
    uint32_t nextId_ = 0x40000000;  // clear of the ids the editor model hands out
};

}  // namespace vxhost::generic
