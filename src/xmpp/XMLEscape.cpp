#include "xmpp/XMLEscape.h"

void XMLEscape::append(IMString& out, const Ixa::Base::String* text)
{
    if (text == nullptr) {
        return;
    }
    const char16_t* units = text->GetPointer();
    int length = text->GetLength();
    for (int i = 0; i < length; ++i) {
        switch (units[i]) {
        case u'&':
            out.Append(L"&amp;");
            break;
        case u'<':
            out.Append(L"&lt;");
            break;
        case u'>':
            out.Append(L"&gt;");
            break;
        case u'"':
            out.Append(L"&quot;");
            break;
        case u'\'':
            out.Append(L"&#39;");
            break;
        default:
            out.Append(units[i]);
            break;
        }
    }
}

void XMLEscape::appendField(IMString& out, const char* before, const Ixa::Base::String* text, const char* after)
{
    if (text != nullptr) {
        out.Append(before);
        append(out, text);
        out.Append(after);
    }
}

IMString* XMLEscape::escape(const Ixa::Base::String* text)
{
    auto escaped = new IMString();
    append(*escaped, text);
    return escaped;
}
