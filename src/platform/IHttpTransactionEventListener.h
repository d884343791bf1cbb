// Receives the events of an HttpTransaction, on the session's thread, in the order they
// happened. A transaction that was submitted ends with exactly one of OnTransactionCompleted
// and OnTransactionAborted, unless it is cancelled or closed first, which raises nothing.
//
// Abort results: E_TIMEOUT (no connection, no handshake, or silence longer than the
// transaction's time-out), E_OVERFLOW (the header or the body beyond its limit),
// E_INVALID_FORMAT (not an HTTP/1.x response), E_UNDERFLOW (the server ended the connection
// before the response was whole), E_SYSTEM (refused, broken, or a failed TLS handshake,
// the server's certificate included).
// Threading: every call on the session's thread. A listener may read the response from inside
// an event, but must not cancel the transaction, close it or delete its session there.
#pragma once

#include "platform/Result.h"
#include "platform/String.h"

namespace Ixa::Net::Http {

class HttpSession;
class HttpTransaction;

class IHttpTransactionEventListener {
public:
    virtual ~IHttpTransactionEventListener() = default;

    // The status line and header fields have arrived: GetResponse answers from now on.
    // `headerLength` counts the header's bytes; `authRequired` is true for 401 and 407.
    virtual void OnTransactionHeaderCompleted(
        HttpSession& session, HttpTransaction& transaction, int headerLength, bool authRequired) = 0;
    // Body bytes wait in the response for ReadBodyN; raised again whenever more arrive.
    virtual void OnTransactionReadyToRead(
        HttpSession& session, HttpTransaction& transaction, int availableBodyLength) = 0;
    // The whole response has arrived; every body byte was announced before.
    virtual void OnTransactionCompleted(HttpSession& session, HttpTransaction& transaction) = 0;
    virtual void OnTransactionAborted(HttpSession& session, HttpTransaction& transaction, result r) = 0;
    // The server's certificate failed verification (its chain, or the name it is for); the
    // handshake is over and the abort follows. `certificateInfo` names the server; the
    // listener owns it.
    virtual void OnTransactionCertVerificationRequiredN(
        HttpSession& session, HttpTransaction& transaction, Base::String* certificateInfo) = 0;
};

}  // namespace Ixa::Net::Http
