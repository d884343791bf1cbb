// The platform's text type: a growable, length-counted sequence of UTF-16 code units.
//
// Lengths and indexes count code units, so a character outside the Basic Multilingual Plane
// (an emoji) takes two. `const char*` input is UTF-8 and `const wchar_t*` input is converted
// to UTF-16 (surrogate pairs above U+FFFF); a `wchar_t` argument or result holds one UTF-16
// code unit. Case mapping is locale-independent. Invalid UTF-8 becomes U+FFFD.
// Thread-safety: a value type; one instance is not shared between threads without a lock.
#pragma once

#include "platform/Object.h"
#include "platform/Result.h"

#include <string>

namespace Ixa::Base {

class String : public Object {
public:
    String();
    String(const char* utf8);
    String(const wchar_t* text);
    String(const char16_t* utf16);
    String(const char16_t* utf16, int length);
    explicit String(wchar_t ch);
    String(const String& other);
    String(String&& other) noexcept;
    ~String() override;

    String& operator=(const String& other);
    String& operator=(String&& other) noexcept;
    String& operator+=(const String& other);

    int GetLength() const;
    bool IsEmpty() const;
    void Clear();

    result Append(const String& text);
    result Append(const wchar_t* text);
    result Append(char ch);
    result Append(wchar_t ch);
    result Append(char16_t ch);
    result Append(int value);
    result Append(long value);
    result Append(long long value);
    result Insert(const String& text, int index);
    result Insert(wchar_t ch, int index);

    bool Equals(const Object& other) const override;
    bool Equals(const String& other, bool caseSensitive) const;
    int GetHashCode() const override;
    int CompareTo(const String& other) const;
    bool operator==(const String& other) const;
    bool operator!=(const String& other) const;

    result IndexOf(wchar_t ch, int start, int& index) const;
    result IndexOf(const String& text, int start, int& index) const;
    result LastIndexOf(wchar_t ch, int start, int& index) const;
    result LastIndexOf(const String& text, int start, int& index) const;
    bool StartsWith(const String& text, int start) const;
    bool EndsWith(const String& text) const;
    bool Contains(const String& text) const;

    result SubString(int start, String& out) const;
    result SubString(int start, int length, String& out) const;
    result Remove(int start, int count);
    result Replace(wchar_t original, wchar_t replacement);
    result Replace(const String& original, const String& replacement);
    result SetCharAt(wchar_t ch, int index);
    result GetCharAt(int index, wchar_t& ch) const;
    wchar_t operator[](int index) const;

    String ToLower() const;
    String ToUpper() const;
    result ToLower(String& out) const;
    result ToUpper(String& out) const;
    result ToLowerCase(String& out) const;
    result ToUpperCase(String& out) const;
    void ToLowerCase();
    void ToUpperCase();
    void Trim();

    // printf-style formatting into this string, at most maxLength code units. Understands
    // %d %i %u %x %X %o %c %lc %s (UTF-8 char*) %ls %S (wchar_t*) %f %e %g %p %%, the l and ll
    // length modifiers, flags - + 0 space #, width and precision (also as *).
    result Format(int maxLength, const wchar_t* format, ...);

    // NUL-terminated UTF-16 code units; valid until the string is next changed.
    const char16_t* GetPointer() const;

    // The text as UTF-8 (invalid surrogates become U+FFFD); for the platform layer and tests.
    std::string ToUtf8() const;

private:
    std::u16string units_;
};

}  // namespace Ixa::Base
