// "displayImage": a vCard whose picture is a contact's avatar, or the user's own. The
// picture is stored in the avatar store under the sender's bare id (a new record gets the
// vCard's avatar hash as its validity); then the user hears OnMyIconChanged, or the contact
// is marked as having an avatar and reaches the delegate. A vCard without a sender or
// without a picture that decodes changes nothing.
// Threading: the response thread. Ownership: disposes of the vCard; the contact passes to
// the delegate.
#pragma once

#include "engine/PayloadHandler.h"
#include "xmpp/VCard.h"

class DisplayImageChangedHandler : public PayloadHandler<VCard> {
public:
    DisplayImageChangedHandler();
    ~DisplayImageChangedHandler() override;

protected:
    void handlePayload(VCard& vCard) override;

private:
    // Stores the picture in the id's avatar record (made when missing); false without a store.
    bool storePicture(VCard& vCard, const IMString& id, const Ixa::Base::ByteBuffer& picture);
    void contactHasAvatar(const IMString& id);
};
