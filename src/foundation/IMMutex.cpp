#include "foundation/IMMutex.h"

IMMutex::IMMutex() = default;

IMMutex::~IMMutex() = default;

Ixa::result IMMutex::Create() { return Mutex::Create(); }

Ixa::result IMMutex::Create(const IMString& name) { return Mutex::Create(name); }

Ixa::result IMMutex::Acquire() { return Mutex::Acquire(); }

Ixa::result IMMutex::Release() { return Mutex::Release(); }
