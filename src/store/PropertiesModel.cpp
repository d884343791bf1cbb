#include "store/PropertiesModel.h"

#include "store/PropertiesImpl.h"

#include <memory>

const char* const PropertiesModel::modelName = "PropertiesModel";

PropertiesModel::PropertiesModel() { Init(); }

PropertiesModel::~PropertiesModel() = default;

IMString PropertiesModel::getModelName() const { return IMString(modelName); }

// A file written before the holder had a table of its own names no holder: there the user
// name was the holder unless a reset was still pending when the set was written.
void PropertiesModel::Init()
{
    Locked(false, [&](PropertiesDatabase& table) {
        if (!savedProperties_) {
            savedProperties_.reset(table.GetSavedProperties());
            std::unique_ptr<IMString> holder(table.GetStoresHolder());
            if (holder != nullptr) {
                currentDBHolder_ = *holder;
            } else if (!savedProperties_->IsResetRequired()) {
                currentDBHolder_ = savedProperties_->GetUserName();
            }
        }
        return true;
    });
}

Properties* PropertiesModel::CreateProperties() { return new PropertiesImpl(); }

bool PropertiesModel::SaveProperties(Properties* properties)
{
    return Locked(false, [&](PropertiesDatabase& table) { return table.SaveProperties(properties); });
}

Properties* PropertiesModel::GetProperties()
{
    return Locked<Properties*>(nullptr, [](PropertiesDatabase& table) { return table.GetSavedProperties(); });
}

bool PropertiesModel::DeleteDatabase()
{
    bool emptied = Locked(false, [&](PropertiesDatabase& table) {
        savedProperties_.reset();
        currentDBHolder_.Clear();
        return table.DeleteDatabase();
    });
    Init();
    return emptied;
}

bool PropertiesModel::IsResetDBRequired()
{
    return Locked(false, [&](PropertiesDatabase&) { return !emailId_.IsEmpty() && emailId_ != currentDBHolder_; });
}

// Called once the local stores have been emptied for the account that has just signed in.
void PropertiesModel::ResetDBHolder()
{
    Locked(false, [&](PropertiesDatabase& table) {
        currentDBHolder_ = emailId_;
        if (!table.SaveStoresHolder(currentDBHolder_) || !savedProperties_) {
            return false;
        }
        savedProperties_->SetResetRequired(false);
        savedProperties_->SetMyProfileExpanded(true);
        return table.SaveProperties(savedProperties_.get());
    });
}

bool PropertiesModel::IsMyProfileExpanded()
{
    return Cached(true, [](Properties& cached) { return cached.IsMyProfileExpanded(); });
}

void PropertiesModel::SetMyProfileExpanded(bool expanded)
{
    Update([&](Properties& cached) {
        cached.SetMyProfileExpanded(expanded);
        return true;
    });
}

Ixa::Base::String PropertiesModel::GetUserName()
{
    return Cached(Ixa::Base::String(), [](Properties& cached) { return cached.GetUserName(); });
}

void PropertiesModel::SetUserName(const Ixa::Base::String& name)
{
    Update([&](Properties& cached) {
        cached.SetUserName(name);
        return true;
    });
}

Ixa::Base::String PropertiesModel::GetPassword()
{
    return Cached(Ixa::Base::String(), [](Properties& cached) { return cached.GetPassword(); });
}

void PropertiesModel::SetPassword(const Ixa::Base::String& password)
{
    Update([&](Properties& cached) {
        cached.SetPassword(password);
        return cached.GetSavePassword();
    });
}

bool PropertiesModel::GetSavePassword()
{
    return Cached(false, [](Properties& cached) { return cached.GetSavePassword(); });
}

void PropertiesModel::SavePassword(bool on)
{
    Update([&](Properties& cached) {
        if (cached.GetSavePassword() == on) {
            return false;
        }
        cached.SetSavePassword(on);
        if (!on) {
            cached.SetPassword(Ixa::Base::String());
            cached.SetAutoSignIn(false);
        }
        return true;
    });
}

bool PropertiesModel::GetIsAutoSignIn()
{
    return Cached(false, [](Properties& cached) { return cached.GetAutoSignIn(); });
}

void PropertiesModel::SetIsAutoSignIn(bool on)
{
    Update([&](Properties& cached) {
        if (cached.GetAutoSignIn() == on) {
            return false;
        }
        cached.SetAutoSignIn(on);
        if (on) {
            cached.SetSavePassword(true);
        }
        return true;
    });
}

bool PropertiesModel::GetIsSignInInvisible()
{
    return Cached(false, [](Properties& cached) { return cached.GetIsInvisible(); });
}

void PropertiesModel::SetIsSignInAsInvisible(bool on)
{
    Update([&](Properties& cached) {
        if (cached.GetIsInvisible() == on) {
            return false;
        }
        cached.SetIsInvisible(on);
        return true;
    });
}

bool PropertiesModel::GetShowOfflineContactsOrPics()
{
    return Cached(true, [](Properties& cached) { return cached.GetShowOfflineContactsOrPics(); });
}

void PropertiesModel::SetShowOfflineContactsOrPics(bool on)
{
    Update([&](Properties& cached) {
        if (cached.GetShowOfflineContactsOrPics() == on) {
            return false;
        }
        cached.SetShowOfflineContactsOrPics(on);
        return true;
    });
}

Ixa::Base::String PropertiesModel::GetAlertSettings()
{
    return Cached(Ixa::Base::String(), [](Properties& cached) { return cached.GetAlertSettings(); });
}

void PropertiesModel::SetAlertSettings(const Ixa::Base::String& alert)
{
    Update([&](Properties& cached) {
        cached.SetAlertSettings(alert);
        return true;
    });
}

Ixa::Base::String PropertiesModel::GetCustomMessage()
{
    return Cached(Ixa::Base::String(), [](Properties& cached) { return cached.GetLastStatusMessage(); });
}

void PropertiesModel::SetCustomMessage(const Ixa::Base::String& message)
{
    Update([&](Properties& cached) {
        cached.SetLastStatusMessage(message);
        return true;
    });
}

bool PropertiesModel::IsAvailableState()
{
    return Cached(true, [](Properties& cached) { return cached.IsAvailableState(); });
}

void PropertiesModel::SetAvailableState(bool available)
{
    Update([&](Properties& cached) {
        cached.SetAvailableState(available);
        return true;
    });
}

Ixa::Base::String PropertiesModel::GetEmailId()
{
    return Locked(Ixa::Base::String(), [&](PropertiesDatabase&) { return emailId_; });
}

void PropertiesModel::SetEmailId(const Ixa::Base::String& id)
{
    Locked(false, [&](PropertiesDatabase&) {
        emailId_ = id;
        return true;
    });
}

bool PropertiesModel::GetStreamSession(const Ixa::Base::String& account, Ixa::Base::String* id, long long* handled)
{
    return Locked(false, [&](PropertiesDatabase& table) { return table.GetStreamSession(account, id, handled); });
}

void PropertiesModel::SaveStreamSession(const Ixa::Base::String& account, const Ixa::Base::String& id, long long handled)
{
    Locked(false, [&](PropertiesDatabase& table) { return table.SaveStreamSession(account, id, handled); });
}
