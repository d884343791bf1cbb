#include "foundation/IMString.h"

#include "foundation/IMByteBuffer.h"

#include <string>

IMString::IMString() = default;

IMString::IMString(const char* utf8) : String(utf8) {}

IMString::IMString(const wchar_t* text) : String(text) {}

IMString::IMString(const Ixa::Base::String& other) : String(other) {}

IMString::IMString(const IMString& other) : String(other) {}

IMString::~IMString() = default;

IMString& IMString::operator=(const IMString& other)
{
    String::operator=(other);
    return *this;
}

bool IMString::Equals(const char* text, bool caseSensitive) const
{
    return String::Equals(Ixa::Base::String(text), caseSensitive);
}

wchar_t IMString::charAt(int index) const
{
    wchar_t ch = 0;
    GetCharAt(index, ch);
    return ch;
}

IMString IMString::ConvertToIMString(Ixa::Base::String& text) { return IMString(text); }

IMString* IMString::ByteBuffertoIMString(IMByteBuffer* buffer)
{
    std::string bytes(reinterpret_cast<const char*>(buffer->GetPointer()), static_cast<std::size_t>(buffer->GetLimit()));
    return new IMString(bytes.c_str());
}
