// Small text helpers: splitting user ids and making the random prefix of packet ids.
// Thread-safety: parseString and friends change only their argument; getRandomString writes
// the two class members and is called once, at start-up, by the stanza layer.
#pragma once

#include "foundation/IMString.h"

class Util {
public:
    static IMString* allChars;
    static int COUNT;

    // Truncates `s` in place before the first `separator`; unchanged when absent or null.
    static IMString* parseString(IMString* s, char separator);
    // The local part of a user id (before the first '@').
    static IMString* parseUserName(IMString* s);
    // The bare user id (before the first '/').
    static IMString* parseUserJID(IMString* s);
    // The text of a string, a boxed integer or a boxed boolean; empty for anything else.
    static IMString getString(Ixa::Base::Object* value);
    // A new string of `length` characters from the 62 letters and digits, or null below 1.
    static IMString* getRandomString(int length);
};
