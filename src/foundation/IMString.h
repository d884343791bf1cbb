// The string type the whole program passes around: the platform's UTF-16 string with the few
// operations the program wants beyond it. It adds no storage, so a platform string converts
// by copy. Functions elsewhere that return IMString* hand the new string to the caller.
// Thread-safety: a value type.
#pragma once

#include "platform/String.h"

class IMByteBuffer;

class IMString : public Ixa::Base::String {
public:
    IMString();
    IMString(const char* utf8);
    IMString(const wchar_t* text);
    IMString(const Ixa::Base::String& other);
    IMString(const IMString& other);
    ~IMString() override;

    IMString& operator=(const IMString& other);

    using Ixa::Base::String::Equals;
    bool Equals(const char* text, bool caseSensitive) const;
    // The UTF-16 code unit at `index`, which must lie in 0 .. length-1.
    wchar_t charAt(int index) const;

    static IMString ConvertToIMString(Ixa::Base::String& text);
    // The bytes from 0 to the buffer's limit read as UTF-8 text; a 0 byte ends the text.
    static IMString* ByteBuffertoIMString(IMByteBuffer* buffer);
};
