// Walks the keys of an IMHashMap. Owns the platform enumerator it is given; borrows the map,
// which must not change while it is walked. Thread-safety: none.
#pragma once

#include "platform/IMapEnumerator.h"

class IMHashMapEnumerator {
public:
    explicit IMHashMapEnumerator(Ixa::Base::Collection::IMapEnumerator* enumerator);
    virtual ~IMHashMapEnumerator();

    IMHashMapEnumerator(const IMHashMapEnumerator&) = delete;
    IMHashMapEnumerator& operator=(const IMHashMapEnumerator&) = delete;

    bool moveToNextElement();
    Ixa::Base::Object* getCurrentKey();

private:
    Ixa::Base::Collection::IMapEnumerator* enumerator_;
};
