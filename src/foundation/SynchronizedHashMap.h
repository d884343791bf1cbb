// A platform hash map whose Add and GetValue each hold the map's own mutex, for a map filled
// and read from several threads. Like the platform map it borrows keys and values; RemoveAll
// deletes them all and is meant for teardown, when no other thread uses the map. Thread-safety: Add and GetValue only.
#pragma once

#include "foundation/IMMutex.h"
#include "platform/HashMap.h"

class SynchronizedHashMap : public Ixa::Base::Collection::HashMap {
public:
    SynchronizedHashMap();
    ~SynchronizedHashMap() override;

    SynchronizedHashMap(const SynchronizedHashMap&) = delete;
    SynchronizedHashMap& operator=(const SynchronizedHashMap&) = delete;

    Ixa::result Add(Ixa::Base::Object* key, Ixa::Base::Object* value);
    Ixa::Base::Object* GetValue(const Ixa::Base::Object& key);
    void RemoveAll();
    Ixa::result GetLastAddResult() const;

private:
    IMMutex* mutex_;
    Ixa::result lastAddResult_ = Ixa::E_SUCCESS;
};
