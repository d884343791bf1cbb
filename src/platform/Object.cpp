#include "platform/Object.h"

#include <cstdint>

namespace Ixa::Base {

Object::~Object() = default;

bool Object::Equals(const Object& other) const { return this == &other; }

int Object::GetHashCode() const
{
    auto address = reinterpret_cast<std::uintptr_t>(this);
    return static_cast<int>(address ^ (address >> 32));
}

}  // namespace Ixa::Base
