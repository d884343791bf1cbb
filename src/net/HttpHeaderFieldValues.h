// The values of one response header field, as HttpConnection::getHeaderFields hands them
// out: a walk over the platform's enumerator of those values.
// Threading and ownership: one thread at a time; owns the enumerator it is given. The
// strings GetCurrentString returns belong to the caller.
#pragma once

#include "foundation/IMString.h"
#include "platform/IEnumerator.h"

class HttpHeaderFieldValues {
public:
    HttpHeaderFieldValues();
    ~HttpHeaderFieldValues();

    HttpHeaderFieldValues(const HttpHeaderFieldValues&) = delete;
    HttpHeaderFieldValues& operator=(const HttpHeaderFieldValues&) = delete;

    // Takes ownership of `enumerator` (which may be null), deleting the one held before.
    void setEnumerator(Ixa::Base::Collection::IEnumerator* enumerator);
    // 0 when it moved to the next value, 0x80000000 past the last one (or without values).
    unsigned long MoveNext();
    // Back to before the first value.
    void ReSet();
    // The value moved to; null with failure before the first MoveNext or past the end.
    IMString* GetCurrentString(unsigned long* error);

private:
    Ixa::Base::Collection::IEnumerator* enumerator_ = nullptr;
};
