#include "platform/ArrayList.h"

namespace Ixa::Base::Collection {

ArrayList::ArrayList() = default;

ArrayList::~ArrayList() = default;

}  // namespace Ixa::Base::Collection
