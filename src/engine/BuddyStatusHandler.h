// "buddyStatus": a presence (without a type, or unavailable) from a contact or from another
// of the user's own clients.
//
// The user's own id (Connection::getEmailID) is recognised before any contact lookup, so the
// user's own avatar is followed even when the user is not in their own roster: a new avatar
// hash (or one whose picture never arrived) is stored and the user's vCard requested; an
// empty hash while one is stored removes the avatar (OnMyIconChanged). Nothing else changes
// for the user's own id.
//
// For a stored contact the presence is first merged with what the contact's other resources
// said (PresenceManager::mergeResource), so the contact stays available while any resource
// is and shows its most available one. Then: the presence code (unavailable -1; no show,
// available or chat 0; dnd 2 with the busy flag; away 999; xa and unknown shows keep the
// code), the busy flag cleared by any other code, the status message, and the avatar, as
// the vCard-update element says: a new or changed hash (compared without regard to case),
// or one whose picture never arrived, is stored and the contact's vCard requested, the
// picture itself arriving later as "displayImage"; an empty hash clears a stored one and the
// contact's avatar flag (OnContactImageUpdated with a copy); no element changes nothing. The
// contact is saved and reaches OnContactUpdated. Presences of unknown senders change nothing.
// Threading: the response thread; vCard requests are sent from it. Ownership: disposes of
// the presence; contacts pass to the delegate.
#pragma once

#include "engine/PayloadHandler.h"
#include "xmpp/Presence.h"

class Contact;
class ContactIcon;

class BuddyStatusHandler : public PayloadHandler<Presence> {
public:
    BuddyStatusHandler();
    ~BuddyStatusHandler() override;

protected:
    void handlePayload(Presence& presence) override;

private:
    void trackOwnAvatar(Presence& presence, ContactIcon& avatar);
    void updateContact(Presence& presence, Contact& contact, ContactIcon& avatar);
    static void updatePresenceCode(const Presence& presence, Contact& contact);
    void trackContactAvatar(Presence& presence, Contact& contact, ContactIcon& avatar);
    // Fetches the hash the presence names when needed; answers whether it says there is no
    // avatar at all.
    bool followAvatarHash(Presence& presence, ContactIcon& avatar);
    // Stores `hash` as the avatar's validity and asks for the vCard of its owner.
    void fetchAvatar(ContactIcon& avatar, const IMString& hash);
    static bool hasPicture(ContactIcon& avatar);
};
