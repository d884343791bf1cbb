#include "xmpp/VCard.h"

#include "foundation/Base64.h"

VCard::VCard() : avatarImageType_(new IMString("image/png")) {}

VCard::~VCard()
{
    delete name_;
    delete userAvatar_;
    delete avatarImageType_;
}

IMString* VCard::getDerivedXML() { return new IMString("<vCard xmlns=\"vcard-temp\"/>"); }

IMString* VCard::getName() { return name_; }

void VCard::setName(IMString* name) { OwnedField::replace(name_, name); }

IMString* VCard::getUserAvatar() { return userAvatar_; }

void VCard::setUserAvatar(IMString* avatar) { OwnedField::replace(userAvatar_, avatar); }

IMString* VCard::getAvatarImageType() { return avatarImageType_; }

void VCard::setAvatarImageType(IMString* type) { OwnedField::replace(avatarImageType_, type); }

Ixa::Base::ByteBuffer* VCard::getUserAvatarData()
{
    return userAvatar_ != nullptr && !userAvatar_->IsEmpty() ? Base64::decode(userAvatar_) : nullptr;
}

IMString* VCard::getUserAvatarHash() { return new IMString(); }
