// Walks a collection one element at a time. MoveNext answers E_SUCCESS while it reached an
// element and E_OUT_OF_RANGE past the last one. An enumerator is valid while its collection
// is not changed. Thread-safety: none.
#pragma once

#include "platform/Object.h"
#include "platform/Result.h"

namespace Ixa::Base::Collection {

class IEnumerator {
public:
    virtual ~IEnumerator() = default;
    virtual result MoveNext() = 0;
    virtual Object* GetCurrent() const = 0;
    virtual result Reset() = 0;
};

}  // namespace Ixa::Base::Collection
