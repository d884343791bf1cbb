// A vCard iq. The client only requests vCards; a reply fills the picture's Base64 text
// (from "BINVAL"), which is decoded at once and kept as bytes: replies to a large roster's
// requests can wait in the queues by the thousand, and the text as read (two bytes a
// character, a third longer than the picture) takes nearly three times the picture's size.
// Ownership: as Packet; the vCard owns its name, picture and image type.
// Thread-safety: as Packet.
#pragma once

#include "platform/ByteBuffer.h"
#include "xmpp/IQ.h"

#include <memory>

class VCard : public IQ {
public:
    VCard();
    ~VCard() override;

    IMString* getDerivedXML() override;

    IMString* getName();
    void setName(IMString* name);
    // Takes the picture's Base64 text (null for none) and decodes it.
    void setUserAvatar(IMString* avatar);
    IMString* getAvatarImageType();
    void setAvatarImageType(IMString* type);
    // The decoded picture as a new buffer owned by the caller; null without a picture text
    // (or an empty one) or when it is not Base64.
    Ixa::Base::ByteBuffer* getUserAvatarData();
    // A new empty string: no hash is computed here.
    IMString* getUserAvatarHash();

private:
    IMString* name_ = nullptr;
    // Null without a picture text, an empty one or one that is not Base64.
    std::unique_ptr<Ixa::Base::ByteBuffer> userAvatar_;
    IMString* avatarImageType_;
};
