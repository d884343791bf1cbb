// Walks the entries of a map: GetCurrent and GetValue give the value, GetKey the key.
// Thread-safety: none.
#pragma once

#include "platform/IEnumerator.h"

namespace Ixa::Base::Collection {

class IMapEnumerator : public IEnumerator {
public:
    virtual Object* GetKey() const = 0;
    virtual Object* GetValue() const = 0;
};

}  // namespace Ixa::Base::Collection
