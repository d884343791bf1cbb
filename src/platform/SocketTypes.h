// The values that the socket calls take and report. The numbers are the platform's own and
// are fixed: programs pass them as plain integers (a stream socket with the secure protocol is
// "type 1, protocol 3"; keep-alive is "level 3, option 12"; mask 0x17 asks for every event a
// client socket can raise).
// Thread-safety: constants only.
#pragma once

namespace Ixa::Net::Sockets {

enum NetSocketType { NET_SOCKET_TYPE_STREAM = 1 };

enum NetSocketProtocol { NET_SOCKET_PROTOCOL_SSL = 3 };

enum NetSocketOptLevel { NET_SOCKET_SOL_SOCKET = 3 };

enum NetSocketOptName { NET_SOCKET_SO_KEEPALIVE = 12 };

// Bits of the mask given to AsyncSelectByListener; each bit lets one listener event through.
enum NetSocketEventType : unsigned long {
    NET_SOCKET_EVENT_WRITE = 0x01,    // OnSecureSocketReadyToSend
    NET_SOCKET_EVENT_READ = 0x02,     // OnSecureSocketReadyToReceive
    NET_SOCKET_EVENT_CLOSE = 0x04,    // OnSecureSocketClosed
    NET_SOCKET_EVENT_CONNECT = 0x10,  // OnSecureSocketConnected
};

enum NetSocketIoctlCmd { NET_SOCKET_FIONREAD = 1 };

// Why a socket's connection ended, as reported with OnSecureSocketClosed.
enum NetSocketClosedReason {
    NET_SOCKET_CLOSED_REASON_REMOTE_HOST = 0,     // the server ended an established connection
    NET_SOCKET_CLOSED_REASON_NETWORK = 1,         // an established connection broke
    NET_SOCKET_CLOSED_REASON_CONNECT_FAILED = 2,  // refused or unreachable
    NET_SOCKET_CLOSED_REASON_TIMEOUT = 3,         // no connection or no handshake in time
    NET_SOCKET_CLOSED_REASON_HANDSHAKE_FAILED = 4,  // the server does not speak TLS properly
    NET_SOCKET_CLOSED_REASON_SERVER_CERT_FAILED = 5,  // chain or name verification failed
};

}  // namespace Ixa::Net::Sockets
