#include "platform/HashMap.h"

#include "platform/HashMapEnumerator.h"

namespace Ixa::Base::Collection {

std::size_t HashMap::KeyHash::operator()(const Object* key) const
{
    return static_cast<std::size_t>(static_cast<unsigned int>(key->GetHashCode()));
}

bool HashMap::KeyEqual::operator()(const Object* left, const Object* right) const { return left->Equals(*right); }

HashMap::HashMap() = default;

HashMap::~HashMap() = default;

result HashMap::Construct(int capacity, float loadFactor)
{
    if (capacity < 0 || loadFactor <= 0.0f) {
        return E_INVALID_ARG;
    }
    entries_.max_load_factor(loadFactor);
    entries_.reserve(static_cast<std::size_t>(capacity));
    constructed_ = true;
    return E_SUCCESS;
}

int HashMap::GetCount() const { return static_cast<int>(entries_.size()); }

HashMap::Table::iterator HashMap::Find(const Object& key) const { return entries_.find(const_cast<Object*>(&key)); }

result HashMap::Add(Object* key, Object* value)
{
    if (!constructed_) {
        return E_INVALID_STATE;
    }
    if (key == nullptr) {
        return E_INVALID_ARG;
    }
    return entries_.emplace(key, value).second ? E_SUCCESS : E_OBJ_ALREADY_EXIST;
}

result HashMap::SetValue(const Object& key, Object* value, bool deleteOld)
{
    auto entry = Find(key);
    if (entry == entries_.end()) {
        return E_OBJ_NOT_FOUND;
    }
    if (deleteOld && entry->second != value) {
        delete entry->second;
    }
    entry->second = value;
    return E_SUCCESS;
}

Object* HashMap::GetValue(const Object& key) const
{
    auto entry = Find(key);
    if (entry == entries_.end()) {
        SetLastResult(E_OBJ_NOT_FOUND);
        return nullptr;
    }
    SetLastResult(E_SUCCESS);
    return entry->second;
}

bool HashMap::ContainsKey(const Object& key) const { return Find(key) != entries_.end(); }

result HashMap::Remove(const Object& key, bool deleteKeyValue)
{
    auto entry = Find(key);
    if (entry == entries_.end()) {
        return E_OBJ_NOT_FOUND;
    }
    Object* storedKey = entry->first;
    Object* value = entry->second;
    entries_.erase(entry);
    if (deleteKeyValue) {
        delete storedKey;
        delete value;
    }
    return E_SUCCESS;
}

void HashMap::RemoveAll(bool deleteKeyValue)
{
    if (deleteKeyValue) {
        for (auto& [key, value] : entries_) {
            delete key;
            delete value;
        }
    }
    entries_.clear();
}

IMapEnumerator* HashMap::GetMapEnumeratorN() const
{
    SetLastResult(E_SUCCESS);
    return new HashMapEnumerator(entries_);
}

}  // namespace Ixa::Base::Collection
