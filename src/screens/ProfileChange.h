// What the personal-message screen and the own profile do alike when the user saves: the
// user's own status with the new message (and, on the profile, the chosen row), the message
// kept in the account's properties, and the status sent to the service only when it differs
// from what the service last reported, so a save that changes nothing sends nothing.
// Threading: user-interface thread. Ownership: none kept.
#pragma once

#include "platform/String.h"

class PresenceStatus;

class ProfileChange {
public:
    // Sends `changed` (taken) unless it equals the user's own status; answers whether it went.
    static bool Send(PresenceStatus* changed);
    // Keeps `message` as the account's custom message and puts it into `status`.
    static void SetMessage(PresenceStatus& status, const Ixa::Base::String& message);
};
