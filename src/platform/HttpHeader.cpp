#include "platform/HttpHeader.h"

#include "platform/HttpFieldValueEnumerator.h"

#include <cstring>

namespace Ixa::Net::Http {

namespace {

bool IsTokenCharacter(char16_t c)
{
    if ((c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'))
        return true;
    return c < 0x80 && c != 0 && std::strchr("!#$%&'*+-.^_`|~", static_cast<char>(c)) != nullptr;
}

bool IsToken(const Base::String& text)
{
    const char16_t* units = text.GetPointer();
    for (int i = 0; i < text.GetLength(); ++i) {
        if (!IsTokenCharacter(units[i]))
            return false;
    }
    return !text.IsEmpty();
}

bool HasLineBreak(const Base::String& text)
{
    const char16_t* units = text.GetPointer();
    for (int i = 0; i < text.GetLength(); ++i) {
        if (units[i] == u'\r' || units[i] == u'\n' || units[i] == 0)
            return true;
    }
    return false;
}

}  // namespace

HttpHeader::HttpHeader() = default;

HttpHeader::~HttpHeader() = default;

result HttpHeader::AddField(const Base::String& name, const Base::String& value)
{
    if (!IsToken(name) || HasLineBreak(value))
        return E_INVALID_ARG;
    fields_.emplace_back(name, value);
    return E_SUCCESS;
}

int HttpHeader::GetFieldCount() const { return static_cast<int>(fields_.size()); }

result HttpHeader::GetFieldAt(int index, Base::String& name, Base::String& value) const
{
    if (index < 0 || index >= GetFieldCount())
        return E_OUT_OF_RANGE;
    name = fields_[static_cast<size_t>(index)].first;
    value = fields_[static_cast<size_t>(index)].second;
    return E_SUCCESS;
}

bool HttpHeader::HasField(const Base::String& name) const
{
    for (const auto& field : fields_) {
        if (field.first.Equals(name, false))
            return true;
    }
    return false;
}

Base::Collection::IEnumerator* HttpHeader::GetFieldValuesN(const Base::String& name) const
{
    std::vector<Base::String> values;
    for (const auto& field : fields_) {
        if (field.first.Equals(name, false))
            values.push_back(field.second);
    }
    if (values.empty()) {
        SetLastResult(E_OBJ_NOT_FOUND);
        return nullptr;
    }
    SetLastResult(E_SUCCESS);
    return new HttpFieldValueEnumerator(values);
}

std::string HttpHeader::ToWire() const
{
    std::string wire;
    for (const auto& field : fields_)
        wire += field.first.ToUtf8() + ": " + field.second.ToUtf8() + "\r\n";
    return wire;
}

}  // namespace Ixa::Net::Http
