// The application's small key-value store of preferences that the platform hands to the
// life-cycle callbacks. It lives for one run (the program keeps its settings in its own
// databases).
// Threading: user-interface thread.
#pragma once

#include "platform/String.h"

#include <map>
#include <string>

namespace Ixa::App {

class AppRegistry : public Base::Object {
public:
    result Add(const Base::String& key, const Base::String& value);
    result Set(const Base::String& key, const Base::String& value);
    // E_OBJ_NOT_FOUND for a missing key.
    result Get(const Base::String& key, Base::String& value) const;

private:
    std::map<std::string, Base::String> values_;
};

}  // namespace Ixa::App
