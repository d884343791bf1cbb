#include "xmpp/TypeTable.h"

namespace {

// Exact comparison with an ASCII name, without making a string of it.
bool equalsName(const IMString& text, const char* name)
{
    const char16_t* units = text.GetPointer();
    int length = text.GetLength();
    int i = 0;
    for (; i < length && name[i] != '\0'; ++i) {
        if (units[i] != static_cast<unsigned char>(name[i])) {
            return false;
        }
    }
    return i == length && name[i] == '\0';
}

}  // namespace

int TypeTable::valueOf(const IMString* text, const char* const* names, int count, int first, int unknown)
{
    if (text != nullptr) {
        for (int i = 0; i < count; ++i) {
            if (equalsName(*text, names[i])) {
                return first + i;
            }
        }
    }
    return unknown;
}

IMString TypeTable::textOf(int value, const char* const* names, int count, int first)
{
    int index = value - first;
    return index >= 0 && index < count ? IMString(names[index]) : IMString();
}
