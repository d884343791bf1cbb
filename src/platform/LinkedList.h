// A list of Object pointers kept in linked nodes: constant-time insertion anywhere.
// The list borrows its elements; see ListBase. Thread-safety: none.
#pragma once

#include "platform/ListBase.h"

#include <list>

namespace Ixa::Base::Collection {

class LinkedList : public ListBase<std::list<Object*>> {
public:
    LinkedList();
    ~LinkedList() override;
};

}  // namespace Ixa::Base::Collection
