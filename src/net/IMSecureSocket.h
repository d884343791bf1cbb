// The TLS socket as the XMPP connection holds it: a blocking Connect, a byte stream in and a
// byte stream out, over the event-driven socket thread (SecureSocketThread) that alone talks
// to the platform socket.
//
// Connect starts the socket thread, has it resolve a host name (text with a letter) and then
// connect, and waits for each outcome. Each wait is armed inside the connect monitor before
// its event is posted, and every outcome is latched there, so an answer that comes before
// the caller waits is not lost; Close wakes a waiting Connect with failure, which is how a
// logout cuts a slow connect short.
//
// Close ends the socket thread after the events already posted (sends before a Close still
// go out), closes the platform socket there and joins the thread; it may be called from any
// thread but the socket thread, more than once, and before or without a Connect. After it,
// writes fail at once and no loss is reported. The end of an established connection that
// was not closed here, not marked with setlogOutRequest(true) and not a refused sign-in ends
// the input stream with its loss marker, behind every byte received before it
// (IMSocketInputStream::endedByLoss); the registered connection is asked for its sign-in
// state first.
//
// Threading and ownership: Connect from one thread (the connection's), once per socket;
// Close and the setters from any thread; the streams as their headers say. The socket owns
// its monitors, streams and thread, and borrows the registered connection, which must
// outlive it. No write may still be under way when the socket is destroyed.
#pragma once

#include "foundation/IMString.h"
#include "net/ConnectionLossListener.h"
#include "net/IMSocketInputStream.h"
#include "net/IMSocketOutputStream.h"
#include "platform/Monitor.h"

#include <atomic>

class SecureSocketThread;

class IMSecureSocket {
public:
    static constexpr int FAILURE = static_cast<int>(Ixa::E_FAILURE);

    IMSecureSocket();
    ~IMSecureSocket();

    IMSecureSocket(const IMSecureSocket&) = delete;
    IMSecureSocket& operator=(const IMSecureSocket&) = delete;

    // 0 once the TLS connection stands and the server is verified, FAILURE otherwise.
    int Connect(IMString host, int port);
    void Close();

    IMSocketInputStream* getSocketInputStream();
    IMSocketOutputStream* getSocketOutputStream();
    void setlogOutRequest(bool logOutRequest);
    bool isLogOutRequested() const;
    bool isConnected() const;
    void setConnectionObject(ConnectionLossListener* connection);
    ConnectionLossListener* getConnectionObject() const;

    // Reports of the socket thread.
    void setConnected(bool connected);
    // Latches the outcome of the step Connect waits for and wakes it.
    void completeConnectStep(Ixa::result outcome);

private:
    // Inside the connect monitor: posts the event (none for the thread start), waits for its
    // outcome and answers it; failure once Close has begun.
    int runConnectStep(int event);
    bool startThread(const IMString& host, int port);
    static bool isHostName(const IMString& host);

    Ixa::Base::Runtime::Monitor* connectMonitor_;
    Ixa::Base::Runtime::Monitor* sendMonitor_;
    IMSocketInputStream* inputStream_;
    IMSocketOutputStream* outputStream_;
    // Inside the connect monitor.
    SecureSocketThread* thread_ = nullptr;
    int result_ = -1;
    bool stepDone_ = false;
    bool closing_ = false;
    std::atomic<bool> connected_{false};
    std::atomic<bool> logOutRequest_{false};
    std::atomic<ConnectionLossListener*> connection_{nullptr};
};
