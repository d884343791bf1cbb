// A vCard iq. The client only requests vCards; a reply fills the picture's Base64 text
// (from "BINVAL"), which getUserAvatarData() decodes.
// Ownership: as Packet; the vCard owns its name, picture text and image type.
// Thread-safety: as Packet.
#pragma once

#include "platform/ByteBuffer.h"
#include "xmpp/IQ.h"

class VCard : public IQ {
public:
    VCard();
    ~VCard() override;

    IMString* getDerivedXML() override;

    IMString* getName();
    void setName(IMString* name);
    IMString* getUserAvatar();
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
    IMString* userAvatar_ = nullptr;
    IMString* avatarImageType_;
};
