// Loopback ports for tests that need an address where nothing answers.
// Threading: any thread. Ownership: nothing is kept; the probe socket is closed again.
#pragma once

namespace TestSupport {

// A loopback port that nothing listens on: the system's pick for a socket bound and closed
// again, so a connection to it is refused (until something else happens to take it).
unsigned short UnusedPort();

}  // namespace TestSupport
