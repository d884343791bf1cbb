#include "platform/ThreadBoundObject.h"

#include "platform/ThreadBoundHandle.h"
#include "platform/ThreadEventReceiver.h"

#include <QEvent>

namespace Ixa::Base::Runtime {

ThreadBoundObject::ThreadBoundObject()
    : QObject(ThreadEventReceiver::ForCurrentThread()),
      handle_(std::make_shared<ThreadBoundHandle>(*this))
{
}

ThreadBoundObject::~ThreadBoundObject() { handle_->Detach(); }

bool ThreadBoundObject::CallerHasEventLoop()
{
    return ThreadEventReceiver::ForCurrentThread() != nullptr;
}

const std::shared_ptr<ThreadBoundHandle>& ThreadBoundObject::Handle() const { return handle_; }

bool ThreadBoundObject::event(QEvent* event)
{
    if (!ThreadBoundHandle::IsWakeUp(*event))
        return QObject::event(event);
    handle_->RunPosted();
    return true;
}

}  // namespace Ixa::Base::Runtime
