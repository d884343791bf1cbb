// Loopback addresses for tests: the address of a port on 127.0.0.1, and a port where nothing
// answers.
// Threading: any thread. Ownership: nothing is kept; the probe socket is closed again.
#pragma once

#include <netinet/in.h>

namespace TestSupport {

// 127.0.0.1:port, ready for bind or connect.
sockaddr_in LoopbackAddress(unsigned short port);

// A loopback port that nothing listens on: the system's pick for a socket bound and closed
// again, so a connection to it is refused (until something else happens to take it).
unsigned short UnusedPort();

}  // namespace TestSupport
