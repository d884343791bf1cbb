#include "foundation/SynchronizedHashMap.h"

SynchronizedHashMap::SynchronizedHashMap() : mutex_(new IMMutex())
{
    mutex_->Create();
    Construct();
}

SynchronizedHashMap::~SynchronizedHashMap() { delete mutex_; }

Ixa::result SynchronizedHashMap::Add(Ixa::Base::Object* key, Ixa::Base::Object* value)
{
    mutex_->Acquire();
    lastAddResult_ = HashMap::Add(key, value);
    Ixa::result added = lastAddResult_;
    mutex_->Release();
    return added;
}

Ixa::Base::Object* SynchronizedHashMap::GetValue(const Ixa::Base::Object& key)
{
    mutex_->Acquire();
    Ixa::Base::Object* value = HashMap::GetValue(key);
    mutex_->Release();
    return value;
}

void SynchronizedHashMap::RemoveAll() { HashMap::RemoveAll(true); }

Ixa::result SynchronizedHashMap::GetLastAddResult() const { return lastAddResult_; }
