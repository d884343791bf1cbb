// The program's re-entrant mutex: the platform mutex as is. Create() before use.
// Thread-safety: that is its purpose.
#pragma once

#include "foundation/IMString.h"
#include "platform/Mutex.h"

class IMMutex : public Ixa::Base::Runtime::Mutex {
public:
    IMMutex();
    ~IMMutex() override;

    Ixa::result Create();
    Ixa::result Create(const IMString& name);
    Ixa::result Acquire();
    Ixa::result Release();
};
