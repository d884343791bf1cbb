// What the buddy list shows, read the way a user sees it: the texts of every row of the list
// on view (scrolled or not), a row's context buttons and where an element of a row is; and
// the stores seeded the way the engine fills them.
// Threading: the test's main thread (the user-interface thread).
#pragma once

#include "screens/BuddyScreen.h"
#include "store/Message.h"

#include <string>
#include <vector>

class BuddyListProbe {
public:
    // The visible buddy screen, or null.
    static BuddyScreen* Screen();
    // Every row of the main list (or the search list), its texts joined with " | ".
    static std::vector<std::string> Rows(bool search = false);
    // The first row whose text starts with `prefix`, or -1.
    static int RowOf(const std::string& prefix, bool search = false);
    static std::vector<int> ContextIds(int row, bool search = false);
    static Ixa::Graphics::Rectangle ElementBounds(int row, int elementId);

    // The signed-in account, as the sign-in stores it.
    static void SetOwnAccount(const std::string& user);
    static void AddGroup(const std::string& name, bool expanded);
    static void AddContact(const std::string& user, const std::string& nick, const std::string& group, int presence,
        const std::string& status = "", bool blocked = false);
    static void SetPresence(const std::string& user, int presence);
    // Stores a picture file as the contact's avatar.
    static void SetAvatar(const std::string& user, const std::string& file);
    // Stores a received message from `user`, as the engine does before it reports it.
    static Message* StoreReceivedMessage(const std::string& user, const std::string& text);
};
