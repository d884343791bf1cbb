// A map from IMString keys to objects that owns both: clear() and destruction delete every
// key and value, and add() deletes a replaced value. construct() must come first.
// Thread-safety: none; sharers lock around it.
#pragma once

#include "foundation/IMBoolean.h"
#include "foundation/IMHashMapEnumerator.h"
#include "foundation/IMString.h"
#include "platform/HashMap.h"

class IMHashMap : public Ixa::Base::Collection::HashMap {
public:
    IMHashMap();
    ~IMHashMap() override;

    Ixa::result construct();
    Ixa::result construct(int capacity);

    int size() const;
    Ixa::Base::Object* get(IMString* key) const;
    bool ContainsKey(IMString* key) const;
    // Replaces the value of a present key, deleting the old one when asked.
    Ixa::result put(IMString* key, Ixa::Base::Object* value, IMBoolean deleteOld);
    // Inserts the pair or replaces (and deletes) the value of an equal key; the map owns
    // `key` and `value` from here on, so a key that duplicates a present one is deleted.
    Ixa::result add(IMString* key, Ixa::Base::Object* value);
    // A new enumerator over the keys; the caller deletes it.
    IMHashMapEnumerator* keys() const;
    void clear();
};
