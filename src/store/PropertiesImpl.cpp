#include "store/PropertiesImpl.h"

PropertiesImpl::PropertiesImpl()
    : alertSettings_("melody")
{
}

PropertiesImpl::~PropertiesImpl() = default;

const Ixa::Base::String& PropertiesImpl::GetUserName() const { return userName_; }

void PropertiesImpl::SetUserName(const Ixa::Base::String& name) { userName_ = name; }

const Ixa::Base::String& PropertiesImpl::GetPassword() const { return password_; }

void PropertiesImpl::SetPassword(const Ixa::Base::String& password) { password_ = password; }

bool PropertiesImpl::GetIsInvisible() const { return isInvisible_; }

void PropertiesImpl::SetIsInvisible(bool invisible) { isInvisible_ = invisible; }

bool PropertiesImpl::GetAutoSignIn() const { return autoSignIn_; }

void PropertiesImpl::SetAutoSignIn(bool autoSignIn) { autoSignIn_ = autoSignIn; }

bool PropertiesImpl::GetSavePassword() const { return savePassword_; }

void PropertiesImpl::SetSavePassword(bool savePassword) { savePassword_ = savePassword; }

bool PropertiesImpl::GetShowOfflineContactsOrPics() const { return showOfflineContactsOrPics_; }

void PropertiesImpl::SetShowOfflineContactsOrPics(bool show) { showOfflineContactsOrPics_ = show; }

const Ixa::Base::String& PropertiesImpl::GetAlertSettings() const { return alertSettings_; }

void PropertiesImpl::SetAlertSettings(const Ixa::Base::String& alert) { alertSettings_ = alert; }

const Ixa::Base::String& PropertiesImpl::GetLastStatusMessage() const { return lastStatusMessage_; }

void PropertiesImpl::SetLastStatusMessage(const Ixa::Base::String& message) { lastStatusMessage_ = message; }

bool PropertiesImpl::IsResetRequired() const { return resetRequired_; }

void PropertiesImpl::SetResetRequired(bool required) { resetRequired_ = required; }

bool PropertiesImpl::IsMyProfileExpanded() const { return myProfileExpanded_; }

void PropertiesImpl::SetMyProfileExpanded(bool expanded) { myProfileExpanded_ = expanded; }

bool PropertiesImpl::IsAvailableState() const { return availableState_; }

void PropertiesImpl::SetAvailableState(bool available) { availableState_ = available; }
