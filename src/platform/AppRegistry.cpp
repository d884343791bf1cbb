#include "platform/AppRegistry.h"

namespace Ixa::App {

result AppRegistry::Add(const Base::String& key, const Base::String& value)
{
    return values_.emplace(key.ToUtf8(), value).second ? E_SUCCESS : E_OBJ_ALREADY_EXIST;
}

result AppRegistry::Set(const Base::String& key, const Base::String& value)
{
    values_[key.ToUtf8()] = value;
    return E_SUCCESS;
}

result AppRegistry::Get(const Base::String& key, Base::String& value) const
{
    const auto found = values_.find(key.ToUtf8());
    if (found == values_.end())
        return E_OBJ_NOT_FOUND;
    value = found->second;
    return E_SUCCESS;
}

}  // namespace Ixa::App
