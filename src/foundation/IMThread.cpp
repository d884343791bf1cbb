#include "foundation/IMThread.h"

using namespace Ixa::Base::Runtime;

IMThread::IMThread() = default;

IMThread::~IMThread() = default;

Ixa::result IMThread::construct() { return Construct(THREAD_TYPE_WORKER, STACK_SIZE, THREAD_PRIORITY_MID); }

Ixa::result IMThread::construct(IMString* name, IMThreadPriority priority)
{
    return Construct(*name, THREAD_TYPE_WORKER, STACK_SIZE, priority);
}

Ixa::result IMThread::construct(IMRunnable* body, IMThreadPriority priority)
{
    return Construct(*body, STACK_SIZE, priority);
}

Ixa::result IMThread::construct(IMString* name, IMRunnable* body, IMThreadPriority priority)
{
    return Construct(*name, *body, STACK_SIZE, priority);
}
