#include "xmpp/UserSettings.h"

#include "xmpp/XMLEscape.h"

UserSettings::UserSettings() = default;

UserSettings::~UserSettings()
{
    clean();
    delete displayName_;
}

IMString* UserSettings::getDerivedXML()
{
    auto xml = new IMString("<usersetting xmlns=\"google:setting\"");
    if (getType() != Type::SET) {
        xml->Append("/>");
        return xml;
    }
    xml->Append(">");
    appendFlag(*xml, "<archivingenabled value=\"", archivingEnabled_);
    appendFlag(*xml, "<mailnotifications value=\"", mailNotifications_);
    appendFlag(*xml, "<autoacceptsuggestions value=\"", autoAcceptSuggestions_);
    XMLEscape::appendField(*xml, "<displayname value=\"", displayName_, "\"/>");
    xml->Append("</usersetting>");
    return xml;
}

void UserSettings::appendFlag(IMString& xml, const char* opening, IMBoolean* flag)
{
    if (flag != nullptr) {
        xml.Append(opening);
        xml.Append(flag->ToBool() ? "true" : "false");
        xml.Append("\"/>");
    }
}

IMBoolean* UserSettings::isAutoAcceptSuggestions() { return autoAcceptSuggestions_; }

void UserSettings::setAutoAcceptSuggestions(bool value)
{
    OwnedField::replace(autoAcceptSuggestions_, new IMBoolean(value));
}

IMBoolean* UserSettings::isGmailNotifications() { return mailNotifications_; }

void UserSettings::setGmailNotifications(bool value) { OwnedField::replace(mailNotifications_, new IMBoolean(value)); }

IMBoolean* UserSettings::isArchivingEnabled() { return archivingEnabled_; }

void UserSettings::setArchivingEnabled(bool value) { OwnedField::replace(archivingEnabled_, new IMBoolean(value)); }

IMString* UserSettings::getDisplayName() { return displayName_; }

void UserSettings::setDisplayName(IMString* name) { OwnedField::replace(displayName_, name); }

void UserSettings::clean()
{
    OwnedField::replace<IMBoolean>(autoAcceptSuggestions_, nullptr);
    OwnedField::replace<IMBoolean>(mailNotifications_, nullptr);
    OwnedField::replace<IMBoolean>(archivingEnabled_, nullptr);
    Packet::clean();
}

bool UserSettings::sameFlag(const IMBoolean* left, const IMBoolean* right)
{
    if (left == nullptr || right == nullptr) {
        return left == right;
    }
    return left->ToBool() == right->ToBool();
}

bool UserSettings::Equals(const Ixa::Base::Object& other) const
{
    auto settings = dynamic_cast<const UserSettings*>(&other);
    if (settings == nullptr) {
        return false;
    }
    bool sameName = displayName_ == nullptr || settings->displayName_ == nullptr
                        ? displayName_ == settings->displayName_
                        : displayName_->Equals(*settings->displayName_, true);
    return sameName && sameFlag(autoAcceptSuggestions_, settings->autoAcceptSuggestions_) &&
           sameFlag(mailNotifications_, settings->mailNotifications_) &&
           sameFlag(archivingEnabled_, settings->archivingEnabled_);
}

bool UserSettings::Equals(Ixa::Base::Object* other) const { return other != nullptr && Equals(*other); }
