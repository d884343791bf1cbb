// The root of every platform and program object that lives in collections, events and
// notifications. Equality and hashing default to identity; value types override both.
// Thread-safety: none of its own.
#pragma once

namespace Ixa::Base {

class Object {
public:
    Object() = default;
    Object(const Object&) = default;
    Object& operator=(const Object&) = default;
    virtual ~Object();

    virtual bool Equals(const Object& other) const;
    virtual int GetHashCode() const;
};

}  // namespace Ixa::Base
