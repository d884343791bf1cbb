// The fields of a request's or a response's header, in the order they were added or received;
// a name may appear several times. Names compare without regard to ASCII case.
// Threading and ownership: none; used by one thread at a time. Owned by its request or
// response; the strings it hands out with a trailing N belong to the caller.
#pragma once

#include "platform/IEnumerator.h"
#include "platform/Object.h"
#include "platform/Result.h"
#include "platform/String.h"

#include <string>
#include <utility>
#include <vector>

namespace Ixa::Net::Http {

class HttpHeader : public Base::Object {
public:
    HttpHeader();
    ~HttpHeader() override;

    // E_INVALID_ARG for an empty name, a name that is not an HTTP token, or a line break in
    // the value (which would let the value forge fields of its own).
    result AddField(const Base::String& name, const Base::String& value);
    int GetFieldCount() const;
    // E_OUT_OF_RANGE outside 0 .. count-1.
    result GetFieldAt(int index, Base::String& name, Base::String& value) const;
    bool HasField(const Base::String& name) const;
    // The values of every field with that name, in order; null with E_OBJ_NOT_FOUND in the
    // last-result slot when there is none. The enumerator owns copies of the values.
    Base::Collection::IEnumerator* GetFieldValuesN(const Base::String& name) const;
    // Every field as "Name: value" and CR LF, in UTF-8, as it goes on the wire.
    std::string ToWire() const;

private:
    std::vector<std::pair<Base::String, Base::String>> fields_;
};

}  // namespace Ixa::Net::Http
