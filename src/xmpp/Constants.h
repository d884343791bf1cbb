// The connection's fixed values. The server host, the service's default domain and the
// authentication-extension namespace are configuration: their defaults are set when the
// program is built (CMake cache variables VELOIM_HOST, VELOIM_DOMAIN, VELOIM_AUTH_NAMESPACE),
// and the environment variables VELOIM_HOST, VELOIM_DOMAIN and VELOIM_PORT replace the host,
// the domain and the port when the program starts, so that a local server can stand in for
// the service. Thread-safety: set before main runs and never changed; read from any thread.
#pragma once

#include "foundation/IMString.h"

class Constants {
public:
    static const IMString HOST;
    static const int PORT;
    static const IMString DOMAIN;
    static const IMString AUTH_NAMESPACE;
    static const IMString RESOURCE;
    static const IMString AT;
    static const IMString COLON;
    static const IMString PROTOCOL;
};
