// A platform worker thread whose body is the subclass's Run(). The constructor only builds
// the object; the subclass calls a construct form and later Start(). Every form asks for the
// same small stack. Thread-safety: as the platform thread.
#pragma once

#include "foundation/IMString.h"
#include "platform/Thread.h"

using IMThreadPriority = Ixa::Base::Runtime::ThreadPriority;
using IMRunnable = Ixa::Base::Runtime::IRunnable;

class IMThread : public Ixa::Base::Runtime::Thread {
public:
    static constexpr long STACK_SIZE = 65536;

    IMThread();
    ~IMThread() override;

    Ixa::result construct();
    Ixa::result construct(IMString* name, IMThreadPriority priority);
    Ixa::result construct(IMRunnable* body, IMThreadPriority priority);
    Ixa::result construct(IMString* name, IMRunnable* body, IMThreadPriority priority);

    Ixa::Base::Object* Run() override = 0;
};
