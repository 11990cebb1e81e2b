// The host's session service: a UDP RPC program (version 1) through which a
// process that the host did not start attaches itself to the running host.
// Procedure 0 answers at once; procedure 108 hands out the numbers a started
// client would find in "VXAPIX" and adopts the caller as the host's client.
#pragma once

#include "vxhost.h"

#include <rpc/rpc.h>

#include <cstdint>
#include <string>
#include <vector>

namespace vxhost {

class SessionService {
public:
    struct Options {
        int32_t status = 0;         // the connect answer's status; non-zero refuses
        bool failConnect = false;   // answer the connect request with an RPC error
        uint32_t hostProgram = 0;   // the host program announced; 0: the host's own
        std::string hostName;       // the host machine announced; empty: this one's name
        bool initOnAttach = true;   // call the client's init (2) once it acknowledges
        double attachSeconds = 10;  // how long to wait for that acknowledgement
    };

    // One connect request as received.
    struct Request {
        std::string clientName;
        std::string address;
        int32_t pid;
        uint32_t clientProgram;  // 0 when refused
    };

    explicit SessionService(Host &host);
    SessionService(Host &host, const Options &options);
    ~SessionService();
    SessionService(const SessionService &) = delete;
    SessionService &operator=(const SessionService &) = delete;

    uint32_t program() const { return program_; }
    Options &options() { return options_; }
    const std::vector<Request> &requests() const { return requests_; }

    // Internal: the dispatcher of the session program.
    void dispatch(svc_req *request, SVCXPRT *transport);

private:
    void connect(SVCXPRT *transport);

    Host &host_;
    Options options_;
    uint32_t program_ = 0;
    SVCXPRT *transport_ = nullptr;
    std::vector<Request> requests_;
};

}  // namespace vxhost
