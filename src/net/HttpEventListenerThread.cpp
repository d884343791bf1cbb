#include "net/HttpEventListenerThread.h"

#include "net/HttpConnection.h"

using namespace Ixa::Base::Runtime;

HttpEventListenerThread::HttpEventListenerThread(HttpConnection* connection, IMMonitor* monitor)
    : connection_(connection), monitor_(monitor)
{
}

HttpEventListenerThread::~HttpEventListenerThread()
{
    Stop();
    Join();
}

Ixa::result HttpEventListenerThread::construct()
{
    return Construct(IMString(" HTTP EVENT LISTENER THREAD "), THREAD_TYPE_EVENT_DRIVEN, STACK_SIZE,
        THREAD_PRIORITY_MID);
}

Ixa::Base::Object* HttpEventListenerThread::Run() { return nullptr; }

bool HttpEventListenerThread::OnStart()
{
    announce(HttpConnection::HAPPENED_START);
    return true;
}

void HttpEventListenerThread::OnUserEventReceivedN(int requestId, Ixa::Base::Collection::IList* args)
{
    if (args != nullptr) {
        args->RemoveAll(true);
        delete args;
    }
    connection_->handleEvent(requestId);
    announce(requestId);
}

void HttpEventListenerThread::OnTransactionHeaderCompleted(
    Ixa::Net::Http::HttpSession&, Ixa::Net::Http::HttpTransaction&, int, bool)
{
}

void HttpEventListenerThread::OnTransactionReadyToRead(
    Ixa::Net::Http::HttpSession&, Ixa::Net::Http::HttpTransaction& transaction, int)
{
    connection_->takeBody(transaction);
}

void HttpEventListenerThread::OnTransactionCompleted(
    Ixa::Net::Http::HttpSession&, Ixa::Net::Http::HttpTransaction&)
{
    announce(HttpConnection::HAPPENED_COMPLETION);
}

void HttpEventListenerThread::OnTransactionAborted(
    Ixa::Net::Http::HttpSession&, Ixa::Net::Http::HttpTransaction&, Ixa::result)
{
    announce(HttpConnection::HAPPENED_ABORT);
}

void HttpEventListenerThread::OnTransactionCertVerificationRequiredN(
    Ixa::Net::Http::HttpSession&, Ixa::Net::Http::HttpTransaction&, Ixa::Base::String* certificateInfo)
{
    // The platform has refused the certificate already; the abort follows.
    delete certificateInfo;
}

void HttpEventListenerThread::announce(int happening)
{
    monitor_->Enter();
    connection_->latch(happening);
    monitor_->NotifyAll();
    monitor_->Exit();
}
