#include "xmpp/VCard.h"

#include "foundation/Base64.h"

VCard::VCard() : avatarImageType_(new IMString("image/png")) {}

VCard::~VCard()
{
    delete name_;
    delete avatarImageType_;
}

IMString* VCard::getDerivedXML() { return new IMString("<vCard xmlns=\"vcard-temp\"/>"); }

IMString* VCard::getName() { return name_; }

void VCard::setName(IMString* name) { OwnedField::replace(name_, name); }

void VCard::setUserAvatar(IMString* avatar)
{
    std::unique_ptr<IMString> text(avatar);
    userAvatar_.reset(text != nullptr && !text->IsEmpty() ? Base64::decode(text.get()) : nullptr);
}

IMString* VCard::getAvatarImageType() { return avatarImageType_; }

void VCard::setAvatarImageType(IMString* type) { OwnedField::replace(avatarImageType_, type); }

Ixa::Base::ByteBuffer* VCard::getUserAvatarData()
{
    if (userAvatar_ == nullptr) {
        return nullptr;
    }
    auto* copy = new Ixa::Base::ByteBuffer;
    if (Ixa::IsFailed(copy->Construct(*userAvatar_))) {
        delete copy;
        return nullptr;
    }
    return copy;
}

IMString* VCard::getUserAvatarHash() { return new IMString(); }
