// A list of Object pointers kept in one contiguous array: constant-time indexing.
// The list borrows its elements; see ListBase. Thread-safety: none.
#pragma once

#include "platform/ListBase.h"

#include <vector>

namespace Ixa::Base::Collection {

class ArrayList : public ListBase<std::vector<Object*>> {
public:
    ArrayList();
    ~ArrayList() override;
};

}  // namespace Ixa::Base::Collection
