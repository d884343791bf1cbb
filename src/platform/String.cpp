#include "platform/String.h"

#include "platform/StringFormatter.h"
#include "platform/Utf8Codec.h"

#include <QString>
#include <QStringView>

#include <cstdarg>
#include <cstring>
#include <utility>

namespace Ixa::Base {

namespace {

QStringView View(const std::u16string& units) { return QStringView(units.data(), static_cast<qsizetype>(units.size())); }

std::u16string FromQString(const QString& text)
{
    return std::u16string(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size()));
}

bool InRange(int start, int length, std::size_t size)
{
    return start >= 0 && length >= 0 && static_cast<std::size_t>(start) + static_cast<std::size_t>(length) <= size;
}

}  // namespace

String::String() = default;

String::String(const char* utf8)
{
    if (utf8 != nullptr) {
        Utf8Codec::AppendUtf8ToUtf16(utf8, std::strlen(utf8), units_);
    }
}

String::String(const wchar_t* text)
{
    if (text != nullptr) {
        Utf8Codec::AppendWideToUtf16(text, units_);
    }
}

String::String(const char16_t* utf16)
{
    if (utf16 != nullptr) {
        units_ = utf16;
    }
}

String::String(const char16_t* utf16, int length)
{
    if (utf16 != nullptr && length > 0) {
        units_.assign(utf16, static_cast<std::size_t>(length));
    }
}

String::String(wchar_t ch) : units_(1, static_cast<char16_t>(ch)) {}

String::String(const String& other) : Object(other), units_(other.units_) {}

String::String(String&& other) noexcept : units_(std::move(other.units_)) {}

String::~String() = default;

String& String::operator=(const String& other)
{
    units_ = other.units_;
    return *this;
}

String& String::operator=(String&& other) noexcept
{
    units_ = std::move(other.units_);
    return *this;
}

String& String::operator+=(const String& other)
{
    units_ += other.units_;
    return *this;
}

int String::GetLength() const { return static_cast<int>(units_.size()); }

bool String::IsEmpty() const { return units_.empty(); }

void String::Clear() { units_.clear(); }

result String::Append(const String& text)
{
    units_ += text.units_;
    return E_SUCCESS;
}

result String::Append(const wchar_t* text)
{
    if (text == nullptr) {
        return E_INVALID_ARG;
    }
    Utf8Codec::AppendWideToUtf16(text, units_);
    return E_SUCCESS;
}

result String::Append(char ch)
{
    Utf8Codec::AppendUtf8ToUtf16(&ch, 1, units_);
    return E_SUCCESS;
}

result String::Append(wchar_t ch)
{
    units_.push_back(static_cast<char16_t>(ch));
    return E_SUCCESS;
}

result String::Append(char16_t ch)
{
    units_.push_back(ch);
    return E_SUCCESS;
}

result String::Append(int value) { return Append(static_cast<long long>(value)); }

result String::Append(long value) { return Append(static_cast<long long>(value)); }

result String::Append(long long value)
{
    std::string digits = std::to_string(value);
    units_.append(digits.begin(), digits.end());
    return E_SUCCESS;
}

result String::Insert(const String& text, int index)
{
    if (!InRange(index, 0, units_.size())) {
        return E_OUT_OF_RANGE;
    }
    units_.insert(static_cast<std::size_t>(index), text.units_);
    return E_SUCCESS;
}

result String::Insert(wchar_t ch, int index) { return Insert(String(ch), index); }

bool String::Equals(const Object& other) const
{
    auto text = dynamic_cast<const String*>(&other);
    return text != nullptr && text->units_ == units_;
}

bool String::Equals(const String& other, bool caseSensitive) const
{
    if (caseSensitive) {
        return units_ == other.units_;
    }
    return View(units_).compare(View(other.units_), Qt::CaseInsensitive) == 0;
}

int String::GetHashCode() const
{
    unsigned int hash = 0;
    for (char16_t unit : units_) {
        hash = hash * 31 + unit;
    }
    return static_cast<int>(hash);
}

int String::CompareTo(const String& other) const
{
    int order = units_.compare(other.units_);
    return (order > 0) - (order < 0);
}

bool String::operator==(const String& other) const { return units_ == other.units_; }

bool String::operator!=(const String& other) const { return units_ != other.units_; }

result String::IndexOf(wchar_t ch, int start, int& index) const
{
    return IndexOf(String(ch), start, index);
}

result String::IndexOf(const String& text, int start, int& index) const
{
    if (!InRange(start, 0, units_.size())) {
        return E_OUT_OF_RANGE;
    }
    std::size_t found = units_.find(text.units_, static_cast<std::size_t>(start));
    if (found == std::u16string::npos) {
        return E_OBJ_NOT_FOUND;
    }
    index = static_cast<int>(found);
    return E_SUCCESS;
}

result String::LastIndexOf(wchar_t ch, int start, int& index) const
{
    return LastIndexOf(String(ch), start, index);
}

result String::LastIndexOf(const String& text, int start, int& index) const
{
    if (start < 0 || static_cast<std::size_t>(start) >= units_.size()) {
        return E_OUT_OF_RANGE;
    }
    std::size_t found = units_.rfind(text.units_, static_cast<std::size_t>(start));
    if (found == std::u16string::npos) {
        return E_OBJ_NOT_FOUND;
    }
    index = static_cast<int>(found);
    return E_SUCCESS;
}

bool String::StartsWith(const String& text, int start) const
{
    return InRange(start, text.GetLength(), units_.size()) &&
           units_.compare(static_cast<std::size_t>(start), text.units_.size(), text.units_) == 0;
}

bool String::EndsWith(const String& text) const
{
    return text.units_.size() <= units_.size() && StartsWith(text, GetLength() - text.GetLength());
}

bool String::Contains(const String& text) const { return units_.find(text.units_) != std::u16string::npos; }

result String::SubString(int start, String& out) const { return SubString(start, GetLength() - start, out); }

result String::SubString(int start, int length, String& out) const
{
    if (!InRange(start, length, units_.size())) {
        return E_OUT_OF_RANGE;
    }
    out.units_ = units_.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(length));
    return E_SUCCESS;
}

result String::Remove(int start, int count)
{
    if (!InRange(start, count, units_.size())) {
        return E_OUT_OF_RANGE;
    }
    units_.erase(static_cast<std::size_t>(start), static_cast<std::size_t>(count));
    return E_SUCCESS;
}

result String::Replace(wchar_t original, wchar_t replacement)
{
    for (char16_t& unit : units_) {
        if (unit == static_cast<char16_t>(original)) {
            unit = static_cast<char16_t>(replacement);
        }
    }
    return E_SUCCESS;
}

result String::Replace(const String& original, const String& replacement)
{
    if (original.IsEmpty()) {
        return E_INVALID_ARG;
    }
    std::u16string replaced;
    std::size_t from = 0;
    for (std::size_t at = units_.find(original.units_); at != std::u16string::npos;
         at = units_.find(original.units_, from)) {
        replaced.append(units_, from, at - from);
        replaced += replacement.units_;
        from = at + original.units_.size();
    }
    replaced.append(units_, from, std::u16string::npos);
    units_ = std::move(replaced);
    return E_SUCCESS;
}

result String::SetCharAt(wchar_t ch, int index)
{
    if (!InRange(index, 1, units_.size())) {
        return E_OUT_OF_RANGE;
    }
    units_[static_cast<std::size_t>(index)] = static_cast<char16_t>(ch);
    return E_SUCCESS;
}

result String::GetCharAt(int index, wchar_t& ch) const
{
    if (!InRange(index, 1, units_.size())) {
        return E_OUT_OF_RANGE;
    }
    ch = units_[static_cast<std::size_t>(index)];
    return E_SUCCESS;
}

wchar_t String::operator[](int index) const
{
    wchar_t ch = 0;
    SetLastResult(GetCharAt(index, ch));
    return ch;
}

String String::ToLower() const
{
    String lower;
    lower.units_ = FromQString(View(units_).toString().toLower());
    return lower;
}

String String::ToUpper() const
{
    String upper;
    upper.units_ = FromQString(View(units_).toString().toUpper());
    return upper;
}

result String::ToLower(String& out) const
{
    out = ToLower();
    return E_SUCCESS;
}

result String::ToUpper(String& out) const
{
    out = ToUpper();
    return E_SUCCESS;
}

result String::ToLowerCase(String& out) const { return ToLower(out); }

result String::ToUpperCase(String& out) const { return ToUpper(out); }

void String::ToLowerCase() { *this = ToLower(); }

void String::ToUpperCase() { *this = ToUpper(); }

void String::Trim()
{
    QStringView trimmed = View(units_).trimmed();
    auto start = static_cast<std::size_t>(trimmed.data() - View(units_).data());
    units_ = units_.substr(start, static_cast<std::size_t>(trimmed.size()));
}

result String::Format(int maxLength, const wchar_t* format, ...)
{
    if (format == nullptr || maxLength < 0) {
        return E_INVALID_ARG;
    }
    va_list arguments;
    va_start(arguments, format);
    std::u16string formatted = StringFormatter::Format(format, arguments);
    va_end(arguments);
    if (formatted.size() > static_cast<std::size_t>(maxLength)) {
        formatted.resize(static_cast<std::size_t>(maxLength));
    }
    units_ = std::move(formatted);
    return E_SUCCESS;
}

const char16_t* String::GetPointer() const { return units_.c_str(); }

std::string String::ToUtf8() const
{
    std::string utf8;
    Utf8Codec::AppendUtf16ToUtf8(units_.data(), units_.size(), utf8);
    return utf8;
}

}  // namespace Ixa::Base
