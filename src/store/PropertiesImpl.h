// The one implementation of Properties, holding the settings of a fresh installation until
// told otherwise: alert "melody", offline contacts shown, own profile expanded, available
// state on, every other flag off and every other text empty.
// Threading and ownership: as Properties.
#pragma once

#include "store/Properties.h"

class PropertiesImpl : public Properties {
public:
    PropertiesImpl();
    ~PropertiesImpl() override;

    const Ixa::Base::String& GetUserName() const override;
    void SetUserName(const Ixa::Base::String& name) override;
    const Ixa::Base::String& GetPassword() const override;
    void SetPassword(const Ixa::Base::String& password) override;
    bool GetIsInvisible() const override;
    void SetIsInvisible(bool invisible) override;
    bool GetAutoSignIn() const override;
    void SetAutoSignIn(bool autoSignIn) override;
    bool GetSavePassword() const override;
    void SetSavePassword(bool savePassword) override;
    bool GetShowOfflineContactsOrPics() const override;
    void SetShowOfflineContactsOrPics(bool show) override;
    const Ixa::Base::String& GetAlertSettings() const override;
    void SetAlertSettings(const Ixa::Base::String& alert) override;
    const Ixa::Base::String& GetLastStatusMessage() const override;
    void SetLastStatusMessage(const Ixa::Base::String& message) override;
    bool IsResetRequired() const override;
    void SetResetRequired(bool required) override;
    bool IsMyProfileExpanded() const override;
    void SetMyProfileExpanded(bool expanded) override;
    bool IsAvailableState() const override;
    void SetAvailableState(bool available) override;

private:
    Ixa::Base::String userName_;
    Ixa::Base::String password_;
    Ixa::Base::String alertSettings_;
    Ixa::Base::String lastStatusMessage_;
    bool autoSignIn_ = false;
    bool isInvisible_ = false;
    bool savePassword_ = false;
    bool showOfflineContactsOrPics_ = true;
    bool resetRequired_ = false;
    bool myProfileExpanded_ = true;
    bool availableState_ = true;
};
