// The printf-style formatter behind String::Format. Numbers go through the C library's
// snprintf one conversion at a time; strings and characters are converted here so that
// UTF-8 and wide arguments both come out as exact UTF-16. Stateless; safe from any thread.
#pragma once

#include <cstdarg>
#include <string>

namespace Ixa::Base {

class StringFormatter {
public:
    static std::u16string Format(const wchar_t* format, va_list arguments);

private:
    struct Directive;
    static const wchar_t* ParseDirective(const wchar_t* cursor, Directive& directive, va_list& arguments);
    static void AppendConversion(const Directive& directive, va_list& arguments, std::u16string& out);
    static void AppendNumber(const Directive& directive, va_list& arguments, std::u16string& out);
    static void AppendPadded(const Directive& directive, std::u16string text, std::u16string& out);
};

}  // namespace Ixa::Base
