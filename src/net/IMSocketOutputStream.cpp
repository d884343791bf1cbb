#include "net/IMSocketOutputStream.h"

#include "net/SecureSocketThread.h"
#include "net/SendRequest.h"
#include "platform/LinkedList.h"

IMSocketOutputStream::IMSocketOutputStream(Ixa::Base::Runtime::Monitor* sendMonitor) : sendMonitor_(sendMonitor) {}

IMSocketOutputStream::~IMSocketOutputStream() = default;

void IMSocketOutputStream::setSocketThread(Ixa::Base::Runtime::Thread* thread) { thread_ = thread; }

// The monitor is held from before the post until the wait, so the completion cannot slip in
// between; a refused post deletes the request here, which completes it with failure.
void IMSocketOutputStream::write(Ixa::Base::ByteBuffer* data, unsigned long* result)
{
    SendRequest::Completion completion;
    auto list = new Ixa::Base::Collection::LinkedList();
    list->Add(new SendRequest(data, &completion, sendMonitor_));
    sendMonitor_->Enter();
    Ixa::Base::Runtime::Thread* thread = thread_.load();
    if (thread == nullptr || Ixa::IsFailed(thread->SendUserEvent(SecureSocketThread::EVENT_SEND, list))) {
        list->RemoveAll(true);
        delete list;
    }
    while (!completion.done) {
        sendMonitor_->Wait();
    }
    sendMonitor_->Exit();
    *result = completion.result;
}
