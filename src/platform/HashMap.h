// A map from Object keys to Object values; keys are compared with Equals and hashed with
// GetHashCode. The map borrows keys and values: it deletes them only when an operation is
// asked to (`deleteOld`, `deleteKeyValue`). Usable after Construct. Thread-safety: none.
#pragma once

#include "platform/IMapEnumerator.h"

#include <unordered_map>

namespace Ixa::Base::Collection {

class HashMap : public Object {
public:
    HashMap();
    ~HashMap() override;

    result Construct(int capacity = 16, float loadFactor = 0.75f);

    int GetCount() const;
    // E_OBJ_ALREADY_EXIST when an equal key is present; the map is not changed then.
    result Add(Object* key, Object* value);
    // Replaces the value of a present key; E_OBJ_NOT_FOUND when the key is absent.
    result SetValue(const Object& key, Object* value, bool deleteOld = false);
    // The value, or null with E_OBJ_NOT_FOUND in the last-result slot.
    Object* GetValue(const Object& key) const;
    bool ContainsKey(const Object& key) const;
    result Remove(const Object& key, bool deleteKeyValue = false);
    void RemoveAll(bool deleteKeyValue = false);
    IMapEnumerator* GetMapEnumeratorN() const;

    struct KeyHash {
        std::size_t operator()(const Object* key) const;
    };
    struct KeyEqual {
        bool operator()(const Object* left, const Object* right) const;
    };
    using Table = std::unordered_map<Object*, Object*, KeyHash, KeyEqual>;

private:
    Table::iterator Find(const Object& key) const;

    mutable Table entries_;
    bool constructed_ = false;
};

}  // namespace Ixa::Base::Collection
