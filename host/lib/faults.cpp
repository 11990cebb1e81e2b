#include "faults.h"

#include "closest.h"
#include "record_text.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <map>
#include <memory>

namespace vxhost {
namespace {

const char kPrefix[] = "api_vx_", kSuffix[] = "_1";

// "api_vx_open_1" is also "open".
std::string short_name(const std::string &stub)
{
    size_t p = sizeof kPrefix - 1, s = sizeof kSuffix - 1;
    if (stub.size() > p + s && stub.compare(0, p, kPrefix) == 0 && stub.compare(stub.size() - s, s, kSuffix) == 0)
        return stub.substr(p, stub.size() - p - s);
    return stub;
}

long number(const std::string &text, long low, long high, const std::string &what)
{
    errno = 0;
    char *end = nullptr;
    long v = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || errno != 0 || v < low || v > high)
        throw std::invalid_argument("\"" + text + "\" is not " + what);
    return v;
}

std::string described(const ApiProcT &row) { return std::string(row.stubName) + " (" + std::to_string(row.num) + ")"; }

void pause_for(int32_t milliseconds)
{
    timespec left{milliseconds / 1000, static_cast<long>(milliseconds % 1000) * 1000000L};
    while (nanosleep(&left, &left) != 0 && errno == EINTR) {
    }
}

}  // namespace

uint32_t procedure_number(const std::string &text)
{
    if (!text.empty() && text.find_first_not_of("0123456789") == std::string::npos) {
        auto num = static_cast<uint32_t>(number(text, 0, UINT32_MAX, "a procedure number"));
        if (api_proc_find(num) == nullptr)
            throw std::invalid_argument("there is no host procedure " + text);
        return num;
    }
    std::vector<std::string> names;
    for (uint32_t i = 0; i < api_proc_count; ++i) {
        const ApiProcT &row = api_procs[i];
        if (text == row.stubName || text == short_name(row.stubName))
            return row.num;
        names.push_back(short_name(row.stubName));
    }
    throw std::invalid_argument("unknown procedure \"" + text + "\"" + did_you_mean(text, names));
}

Fault parse_fault(Fault::Kind kind, const std::string &text)
{
    bool valued = kind == Fault::Kind::Fail || kind == Fault::Kind::Delay;
    size_t equals = text.find('=');
    if (valued != (equals != std::string::npos))
        throw std::invalid_argument(valued ? "\"" + text + "\" needs PROC=" + (kind == Fault::Kind::Fail ? "STATUS" : "MS")
                                           : "\"" + text + "\" takes no value (PROC or PROC@N)");
    std::string proc = text.substr(0, equals);
    Fault f{kind};
    size_t at = proc.find('@');
    if (at != std::string::npos) {
        f.nth = static_cast<uint32_t>(number(proc.substr(at + 1), 1, INT32_MAX, "a call number (1 or more)"));
        proc.erase(at);
    }
    f.proc = procedure_number(proc);
    const ApiProcT &row = *api_proc_find(f.proc);
    if (kind == Fault::Kind::Fail) {
        f.value = static_cast<int32_t>(number(text.substr(equals + 1), INT32_MIN, INT32_MAX, "a status"));
        std::unique_ptr<char[]> result(new char[row.resSize]());
        if (status_field(row.resType, result.get()) == nullptr)
            throw std::invalid_argument(described(row) + " answers nothing that carries a status");
    } else if (kind == Fault::Kind::Delay) {
        f.value = static_cast<int32_t>(number(text.substr(equals + 1), 0, 3600000, "a delay in milliseconds (0 to 3600000)"));
    }
    return f;
}

void inject_faults(Host &host, std::vector<Fault> faults, std::function<void(const std::string &)> report)
{
    if (faults.empty())
        return;
    auto calls = std::make_shared<std::map<uint32_t, uint32_t>>();
    host.set_interceptor([&host, faults = std::move(faults), report = std::move(report), calls](HostCall &call) {
        uint32_t n = ++(*calls)[call.proc.num];
        for (const Fault &f : faults) {
            if (f.proc != call.proc.num || (f.nth != 0 && f.nth != n))
                continue;
            std::string what;
            switch (f.kind) {
            case Fault::Kind::Fail:
                *status_field(call.proc.resType, call.result) = f.value;
                what = "answered with status " + std::to_string(f.value);
                break;
            case Fault::Kind::Delay:
                what = "delayed by " + std::to_string(f.value) + " ms";
                break;
            case Fault::Kind::Drop:
                call.reply = HostCall::Reply::Drop;
                what = "dropped the connection";
                break;
            case Fault::Kind::Exit:
                what = "vxhost ends (status 3)";
                break;
            }
            report("fault: " + described(call.proc) + " call " + std::to_string(n) + ": " + what);
            host.trace_note("fault: " + what);
            if (f.kind == Fault::Kind::Exit)
                Host::exit_abruptly(3);
            if (f.kind == Fault::Kind::Delay)
                pause_for(f.value);
            else
                return true;
        }
        return false;
    });
}

}  // namespace vxhost
