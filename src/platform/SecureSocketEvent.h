// What a SecureSocketChannel reports to its SecureSocket, which turns each into the listener
// event of the same name.
// Thread-safety: constants only.
#pragma once

namespace Ixa::Net::Sockets {

enum class SecureSocketEvent { Connected, ReadyToReceive, ReadyToSend, ServCertFailed, Closed };

}  // namespace Ixa::Net::Sockets
