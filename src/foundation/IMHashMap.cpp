#include "foundation/IMHashMap.h"

IMHashMap::IMHashMap() = default;

IMHashMap::~IMHashMap() { clear(); }

Ixa::result IMHashMap::construct() { return Construct(16, 0.75f); }

Ixa::result IMHashMap::construct(int capacity) { return Construct(capacity, 0.75f); }

int IMHashMap::size() const { return GetCount(); }

Ixa::Base::Object* IMHashMap::get(IMString* key) const { return key != nullptr ? GetValue(*key) : nullptr; }

bool IMHashMap::ContainsKey(IMString* key) const { return key != nullptr && HashMap::ContainsKey(*key); }

Ixa::result IMHashMap::put(IMString* key, Ixa::Base::Object* value, IMBoolean deleteOld)
{
    return SetValue(*key, value, deleteOld.ToBool());
}

Ixa::result IMHashMap::add(IMString* key, Ixa::Base::Object* value)
{
    if (HashMap::ContainsKey(*key)) {
        Ixa::result replaced = SetValue(*key, value, true);
        delete key;
        return replaced;
    }
    return Add(key, value);
}

IMHashMapEnumerator* IMHashMap::keys() const { return new IMHashMapEnumerator(GetMapEnumeratorN()); }

void IMHashMap::clear() { RemoveAll(true); }
