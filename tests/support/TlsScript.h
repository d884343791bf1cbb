// What the scripted TLS server does on one connection, step by step, after the TLS handshake
// (or without one, see WithoutTls). Steps that wait for the client (Expect, WaitFor) give up
// after ScriptedTlsServer::StepTimeout and record a failure; a failed step ends the script
// and the connection. Everything the client sends is recorded all the while. After the last
// step the connection stays open, still recording, until the client closes it or the server
// stops.
//
//   TlsScript().Expect("<stream:stream ...>").Send("<stream:features/>").WaitFor("</auth>")
//
// A protocol exchange is best written as ExpectNext(request) followed by Send(reply), once
// per request: a failure then names the request that broke and what came instead.
//
// Threading and ownership: a plain value, built on one thread and handed to the server.
#pragma once

#include <chrono>
#include <string>
#include <vector>

namespace TestSupport {

class TlsScript {
public:
    enum class Kind { Expect, ExpectNext, WaitFor, Send, SendRaw, Stall, Close, Abort };

    struct Step {
        Kind kind;
        std::string bytes;
        std::chrono::milliseconds duration{0};
    };

    // The next bytes from the client, after those already matched, are exactly these.
    TlsScript& Expect(std::string bytes);
    // The client's next stanza (one whole element after those already matched, white space
    // before it skipped; a stream header or closing tag counts as one) is exactly this. An id
    // the client chooses is written id="#" (or id='#') here and matches any id.
    TlsScript& ExpectNext(std::string stanza);
    // Waits until the client's bytes after those already matched contain the marker; the
    // bytes up to and including it count as matched.
    TlsScript& WaitFor(std::string marker);
    // Sends the bytes through TLS.
    TlsScript& Send(std::string bytes);
    // Writes the bytes straight onto TCP, past TLS: garbage to the client's TLS layer.
    TlsScript& SendRaw(std::string bytes);
    // Says nothing for the duration (still recording).
    TlsScript& Stall(std::chrono::milliseconds duration);
    // An orderly close: TLS close alert, then end of the TCP stream; the client's remaining
    // bytes are still recorded until it closes too.
    TlsScript& Close();
    // Drops the connection at once with a TCP reset.
    TlsScript& Abort();
    // The connection never starts TLS: the server accepts TCP and the steps work on the plain
    // bytes (a silent script is a server that never answers the handshake).
    TlsScript& WithoutTls();

    bool UsesTls() const;
    const std::vector<Step>& Steps() const;

private:
    TlsScript& Add(Kind kind, std::string bytes, std::chrono::milliseconds duration = {});

    std::vector<Step> steps_;
    bool usesTls_ = true;
};

}  // namespace TestSupport
