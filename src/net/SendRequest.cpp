#include "net/SendRequest.h"

SendRequest::SendRequest(Ixa::Base::ByteBuffer* data, Completion* completion, Ixa::Base::Runtime::Monitor* monitor)
    : data_(data), completion_(completion), monitor_(monitor)
{
}

SendRequest::~SendRequest()
{
    complete(Ixa::E_FAILURE);
    delete data_;
}

void SendRequest::sendOn(Ixa::Net::Sockets::SecureSocket* socket)
{
    Ixa::result sent = socket != nullptr ? socket->Send(*data_) : Ixa::E_FAILURE;
    complete(Ixa::IsFailed(sent) ? Ixa::E_FAILURE : Ixa::E_SUCCESS);
}

void SendRequest::complete(unsigned long result)
{
    if (completion_ == nullptr) {
        return;
    }
    monitor_->Enter();
    completion_->result = result;
    completion_->done = true;
    completion_ = nullptr;
    monitor_->NotifyAll();
    monitor_->Exit();
}
