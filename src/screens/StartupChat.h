// A conversation the program was asked on its command line to start once it is signed in:
// "--chat ADDRESS" opens the chat with that contact, and "--send TEXT" sends TEXT in that
// chat as if it had been typed and sent. Scripts (the demo among them) start a conversation
// this way; the chat opens once per run, and the text is sent once.
// The chat opens once the buddy list has been on screen for ListFirstMs and lists the
// contact: by then the presences and avatars that follow the roster have come in, and
// whoever watches has seen the list the conversation was started from.
// Threading: user-interface thread. Ownership: one for the run, set up by main before the
// application starts; it keeps copies of what it is given.
#pragma once

#include "foundation/IMString.h"

#include <string>

class Contact;

class StartupChat {
public:
    static constexpr int ListFirstMs = 2000;

    // An address without "@" gets the service's default domain; an empty address asks for
    // nothing.
    static void Set(const std::string& address, const std::string& text);
    static void Clear();
    // A chat waits to be opened.
    static bool IsWaiting();
    // The buddy list has been shown long enough: the chat may open.
    static void SetDue();
    // The contact whose chat should open now, when it is in the contact store and has not
    // been opened yet (a new contact from the store, the caller's); null otherwise. The chat
    // counts as opened from then on.
    static Contact* TakeContactToOpen();
    // The text to send in the chat with `contactId`, once; empty for any other chat.
    static IMString TakeTextFor(const IMString& contactId);

private:
    static IMString address_;
    static IMString text_;
    static bool opened_;
    static bool due_;
};
