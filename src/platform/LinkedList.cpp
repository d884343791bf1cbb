#include "platform/LinkedList.h"

namespace Ixa::Base::Collection {

LinkedList::LinkedList() = default;

LinkedList::~LinkedList() = default;

}  // namespace Ixa::Base::Collection
