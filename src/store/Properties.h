// The account settings as the properties store keeps them: user name and password, sign-in
// options, alert setting, last status message and a few screen states. Threading and
// ownership: a record value owned by whoever created it; no locking.
#pragma once

#include "platform/Object.h"
#include "platform/String.h"

class Properties : public Ixa::Base::Object {
public:
    ~Properties() override = default;

    virtual const Ixa::Base::String& GetUserName() const = 0;
    virtual void SetUserName(const Ixa::Base::String& name) = 0;
    virtual const Ixa::Base::String& GetPassword() const = 0;
    virtual void SetPassword(const Ixa::Base::String& password) = 0;
    virtual bool GetIsInvisible() const = 0;
    virtual void SetIsInvisible(bool invisible) = 0;
    virtual bool GetAutoSignIn() const = 0;
    virtual void SetAutoSignIn(bool autoSignIn) = 0;
    virtual bool GetSavePassword() const = 0;
    virtual void SetSavePassword(bool savePassword) = 0;
    virtual bool GetShowOfflineContactsOrPics() const = 0;
    virtual void SetShowOfflineContactsOrPics(bool show) = 0;
    virtual const Ixa::Base::String& GetAlertSettings() const = 0;
    virtual void SetAlertSettings(const Ixa::Base::String& alert) = 0;
    virtual const Ixa::Base::String& GetLastStatusMessage() const = 0;
    virtual void SetLastStatusMessage(const Ixa::Base::String& message) = 0;
    virtual bool IsResetRequired() const = 0;
    virtual void SetResetRequired(bool required) = 0;
    virtual bool IsMyProfileExpanded() const = 0;
    virtual void SetMyProfileExpanded(bool expanded) = 0;
    virtual bool IsAvailableState() const = 0;
    virtual void SetAvailableState(bool available) = 0;
};
