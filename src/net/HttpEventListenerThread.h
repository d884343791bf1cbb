// The HTTP connection's private event-driven thread: it makes every call on the platform's
// HTTP session and transaction (the connection's events 0 to 3, handled in posting order)
// and receives the transaction's events. After its start, after every user event and after
// the transaction's completion or abort it enters the connection's monitor, lets the
// connection latch what happened, notifies all waiters and leaves it, so a caller that
// armed its wait before posting cannot miss the answer.
//
// Threading and ownership: constructed, started, joined and destroyed on the connection's
// owner thread; everything else runs on the thread itself. It borrows the connection and its
// monitor, which outlive it. The destructor stops and joins a thread still running.
#pragma once

#include "foundation/IMMonitor.h"
#include "foundation/IMThread.h"
#include "platform/IHttpTransactionEventListener.h"

class HttpConnection;

class HttpEventListenerThread : public IMThread, public Ixa::Net::Http::IHttpTransactionEventListener {
public:
    HttpEventListenerThread(HttpConnection* connection, IMMonitor* monitor);
    ~HttpEventListenerThread() override;

    HttpEventListenerThread(const HttpEventListenerThread&) = delete;
    HttpEventListenerThread& operator=(const HttpEventListenerThread&) = delete;

    // Prepares the event-driven thread, named " HTTP EVENT LISTENER THREAD ".
    Ixa::result construct();

    // An event-driven thread runs its loop, never a body.
    Ixa::Base::Object* Run() override;
    bool OnStart() override;
    void OnUserEventReceivedN(int requestId, Ixa::Base::Collection::IList* args) override;

    void OnTransactionHeaderCompleted(Ixa::Net::Http::HttpSession& session,
        Ixa::Net::Http::HttpTransaction& transaction, int headerLength, bool authRequired) override;
    void OnTransactionReadyToRead(Ixa::Net::Http::HttpSession& session,
        Ixa::Net::Http::HttpTransaction& transaction, int availableBodyLength) override;
    void OnTransactionCompleted(
        Ixa::Net::Http::HttpSession& session, Ixa::Net::Http::HttpTransaction& transaction) override;
    void OnTransactionAborted(Ixa::Net::Http::HttpSession& session,
        Ixa::Net::Http::HttpTransaction& transaction, Ixa::result r) override;
    void OnTransactionCertVerificationRequiredN(Ixa::Net::Http::HttpSession& session,
        Ixa::Net::Http::HttpTransaction& transaction, Ixa::Base::String* certificateInfo) override;

private:
    // Lets the connection latch `happening` inside the monitor and wakes every waiter.
    void announce(int happening);

    HttpConnection* connection_;
    IMMonitor* monitor_;
};
