#include "net/IMSecureSocket.h"

#include "net/SecureSocketThread.h"

namespace {

// A step that starts the thread rather than posting an event.
constexpr int START_STEP = 0;

}  // namespace

IMSecureSocket::IMSecureSocket()
    : connectMonitor_(new Ixa::Base::Runtime::Monitor()),
      sendMonitor_(new Ixa::Base::Runtime::Monitor()),
      inputStream_(new IMSocketInputStream()),
      outputStream_(new IMSocketOutputStream(sendMonitor_))
{
    connectMonitor_->Construct();
    sendMonitor_->Construct();
}

IMSecureSocket::~IMSecureSocket()
{
    Close();
    delete thread_;
    delete outputStream_;
    delete inputStream_;
    delete sendMonitor_;
    delete connectMonitor_;
}

int IMSecureSocket::Connect(IMString host, int port)
{
    connectMonitor_->Enter();
    int outcome = startThread(host, port) ? 0 : FAILURE;
    if (outcome == 0 && isHostName(host)) {
        outcome = runConnectStep(SecureSocketThread::EVENT_RESOLVE);
    }
    if (outcome == 0) {
        outcome = runConnectStep(SecureSocketThread::EVENT_CONNECT);
    }
    connectMonitor_->Exit();
    return outcome;
}

bool IMSecureSocket::startThread(const IMString& host, int port)
{
    if (thread_ != nullptr) {
        return !closing_;
    }
    if (closing_) {
        return false;
    }
    thread_ = new SecureSocketThread(this, host, port);
    if (Ixa::IsFailed(thread_->construct())) {
        return false;
    }
    outputStream_->setSocketThread(thread_);
    return runConnectStep(START_STEP) == 0;
}

int IMSecureSocket::runConnectStep(int event)
{
    stepDone_ = false;
    Ixa::result posted = event == START_STEP ? thread_->Start() : thread_->SendUserEvent(event, nullptr);
    if (Ixa::IsFailed(posted)) {
        return FAILURE;
    }
    while (!stepDone_ && !closing_) {
        connectMonitor_->Wait();
    }
    return closing_ ? FAILURE : result_;
}

void IMSecureSocket::completeConnectStep(Ixa::result outcome)
{
    connectMonitor_->Enter();
    result_ = Ixa::IsFailed(outcome) ? FAILURE : 0;
    stepDone_ = true;
    connectMonitor_->NotifyAll();
    connectMonitor_->Exit();
}

bool IMSecureSocket::isHostName(const IMString& host)
{
    for (int i = 0; i < host.GetLength(); ++i) {
        wchar_t low = host.charAt(i) & 0xFF;
        if ((low >= L'A' && low <= L'Z') || (low >= L'a' && low <= L'z')) {
            return true;
        }
    }
    return false;
}

void IMSecureSocket::Close()
{
    connectMonitor_->Enter();
    closing_ = true;
    SecureSocketThread* thread = thread_;
    if (thread != nullptr) {
        thread->setClosing();
    }
    connectMonitor_->NotifyAll();
    connectMonitor_->Exit();
    if (thread != nullptr) {
        thread->SendUserEvent(SecureSocketThread::EVENT_END, nullptr);
        thread->Join();
    }
}

IMSocketInputStream* IMSecureSocket::getSocketInputStream() { return inputStream_; }

IMSocketOutputStream* IMSecureSocket::getSocketOutputStream() { return outputStream_; }

void IMSecureSocket::setlogOutRequest(bool logOutRequest) { logOutRequest_ = logOutRequest; }

bool IMSecureSocket::isLogOutRequested() const { return logOutRequest_; }

bool IMSecureSocket::isConnected() const { return connected_; }

void IMSecureSocket::setConnected(bool connected) { connected_ = connected; }

void IMSecureSocket::setConnectionObject(ConnectionLossListener* connection) { connection_ = connection; }

ConnectionLossListener* IMSecureSocket::getConnectionObject() const { return connection_; }
