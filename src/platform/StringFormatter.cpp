#include "platform/StringFormatter.h"

#include "platform/Utf8Codec.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <cwchar>

namespace Ixa::Base {

struct StringFormatter::Directive {
    std::string flags;
    int width = -1;
    int precision = -1;
    int longs = 0;
    wchar_t conversion = 0;
};

namespace {

int ReadNumber(const wchar_t*& cursor)
{
    int value = 0;
    while (*cursor >= L'0' && *cursor <= L'9') {
        value = value * 10 + (*cursor - L'0');
        ++cursor;
    }
    return value;
}

}  // namespace

std::u16string StringFormatter::Format(const wchar_t* format, va_list arguments)
{
    va_list remaining;
    va_copy(remaining, arguments);
    std::u16string out;
    for (const wchar_t* cursor = format; *cursor != 0;) {
        if (*cursor != L'%') {
            Utf8Codec::AppendCodePoint(static_cast<char32_t>(*cursor++), out);
            continue;
        }
        Directive directive;
        cursor = ParseDirective(cursor + 1, directive, remaining);
        if (directive.conversion == 0) {
            break;
        }
        AppendConversion(directive, remaining, out);
    }
    va_end(remaining);
    return out;
}

const wchar_t* StringFormatter::ParseDirective(const wchar_t* cursor, Directive& directive, va_list& arguments)
{
    while (*cursor != 0 && std::wcschr(L"-+ #0", *cursor) != nullptr) {
        directive.flags.push_back(static_cast<char>(*cursor++));
    }
    if (*cursor == L'*') {
        directive.width = va_arg(arguments, int);
        ++cursor;
    } else if (*cursor >= L'0' && *cursor <= L'9') {
        directive.width = ReadNumber(cursor);
    }
    if (*cursor == L'.') {
        ++cursor;
        if (*cursor == L'*') {
            directive.precision = va_arg(arguments, int);
            ++cursor;
        } else {
            directive.precision = ReadNumber(cursor);
        }
    }
    while (*cursor == L'l' || *cursor == L'h') {
        directive.longs += *cursor == L'l' ? 1 : 0;
        ++cursor;
    }
    directive.conversion = *cursor;
    return *cursor != 0 ? cursor + 1 : cursor;
}

void StringFormatter::AppendConversion(const Directive& directive, va_list& arguments, std::u16string& out)
{
    std::u16string text;
    switch (directive.conversion) {
    case L'%':
        out.push_back(u'%');
        return;
    case L'c':
        if (directive.longs > 0) {
            Utf8Codec::AppendCodePoint(static_cast<char32_t>(va_arg(arguments, wint_t)), text);
        } else {
            char ch = static_cast<char>(va_arg(arguments, int));
            Utf8Codec::AppendUtf8ToUtf16(&ch, 1, text);
        }
        break;
    case L'S':
    case L's':
        if (directive.conversion == L'S' || directive.longs > 0) {
            const wchar_t* wide = va_arg(arguments, const wchar_t*);
            Utf8Codec::AppendWideToUtf16(wide != nullptr ? wide : L"(null)", text);
        } else {
            const char* narrow = va_arg(arguments, const char*);
            narrow = narrow != nullptr ? narrow : "(null)";
            Utf8Codec::AppendUtf8ToUtf16(narrow, std::strlen(narrow), text);
        }
        if (directive.precision >= 0 && text.size() > static_cast<std::size_t>(directive.precision)) {
            text.resize(static_cast<std::size_t>(directive.precision));
        }
        break;
    default:
        AppendNumber(directive, arguments, out);
        return;
    }
    AppendPadded(directive, std::move(text), out);
}

void StringFormatter::AppendNumber(const Directive& directive, va_list& arguments, std::u16string& out)
{
    std::string pattern = "%" + directive.flags;
    if (directive.width >= 0) {
        pattern += std::to_string(directive.width);
    }
    if (directive.precision >= 0) {
        pattern += "." + std::to_string(directive.precision);
    }
    char buffer[512];
    int written = 0;
    auto conversion = static_cast<char>(directive.conversion);
    if (std::strchr("diuxXo", conversion) != nullptr) {
        pattern += std::string("ll") + conversion;
        bool isSigned = conversion == 'd' || conversion == 'i';
        long long value = 0;
        if (directive.longs >= 2) {
            value = va_arg(arguments, long long);
        } else if (directive.longs == 1) {
            value = isSigned ? va_arg(arguments, long) : static_cast<long long>(va_arg(arguments, unsigned long));
        } else {
            value = isSigned ? va_arg(arguments, int) : static_cast<long long>(va_arg(arguments, unsigned int));
        }
        written = std::snprintf(buffer, sizeof buffer, pattern.c_str(), value);
    } else if (std::strchr("feEgG", conversion) != nullptr) {
        pattern += conversion;
        written = std::snprintf(buffer, sizeof buffer, pattern.c_str(), va_arg(arguments, double));
    } else if (conversion == 'p') {
        pattern += 'p';
        written = std::snprintf(buffer, sizeof buffer, pattern.c_str(), va_arg(arguments, void*));
    }
    if (written > 0) {
        std::size_t length = std::min(static_cast<std::size_t>(written), sizeof buffer - 1);
        out.append(buffer, buffer + length);
    }
}

void StringFormatter::AppendPadded(const Directive& directive, std::u16string text, std::u16string& out)
{
    std::size_t width = directive.width > 0 ? static_cast<std::size_t>(directive.width) : 0;
    std::size_t padding = width > text.size() ? width - text.size() : 0;
    bool leftAlign = directive.flags.find('-') != std::string::npos;
    if (!leftAlign) {
        out.append(padding, u' ');
    }
    out += text;
    if (leftAlign) {
        out.append(padding, u' ');
    }
}

}  // namespace Ixa::Base
