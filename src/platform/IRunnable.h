// A body of work that a worker Thread runs.
// Thread-safety: none of its own; Run is called once per start on the thread that runs it.
#pragma once

#include "platform/Object.h"

namespace Ixa::Base::Runtime {

class IRunnable {
public:
    virtual ~IRunnable() = default;

    // The platform does not use the returned object; bodies return null.
    virtual Object* Run() = 0;
};

}  // namespace Ixa::Base::Runtime
