// The process-wide account settings ("PropertiesModel"). It keeps one cached set in memory,
// writes the whole set back on every change, and tells whether the local stores belong to
// another account: the stores belong to the account id (user name) that last reset them,
// so signing in under a different user name requires a reset, while a changed password never
// does. The password reaches the disk only while save-password is on (PropertiesDatabase).
// Threading: safe from any thread; the model's lock guards the cached set and the table.
// Ownership: see StoreModel; results of CreateProperties and GetProperties are the caller's.
#pragma once

#include "store/PropertiesDatabase.h"
#include "store/StoreModel.h"

#include <memory>

class PropertiesModel : public StoreModel<PropertiesModel, PropertiesDatabase> {
public:
    static const char* const modelName;

    ~PropertiesModel() override;

    IMString getModelName() const override;

    // A new set with the defaults.
    virtual Properties* CreateProperties();
    // Writes `properties` as the stored set (the cached set is not changed).
    virtual bool SaveProperties(Properties* properties);
    // A new set read from the file.
    virtual Properties* GetProperties();
    // Empties the table and caches the defaults again.
    virtual bool DeleteDatabase();
    virtual bool IsResetDBRequired();
    // Records that the local stores now belong to the cached user name.
    virtual void ResetDBHolder();
    virtual bool IsMyProfileExpanded();
    virtual void SetMyProfileExpanded(bool expanded);

    // Caches the stored set unless a set is cached already.
    void Init();
    Ixa::Base::String GetUserName();
    // A different non-empty name replaces the cached one, an empty name empties it; a
    // non-empty name other than the stores' holder requires a reset.
    void SetUserName(const Ixa::Base::String& name);
    Ixa::Base::String GetPassword();
    // Cached; written only while save-password is on.
    void SetPassword(const Ixa::Base::String& password);
    bool GetSavePassword();
    // Turning it off also forgets the password and turns auto sign-in off.
    void SavePassword(bool on);
    bool GetIsAutoSignIn();
    // Turning it on also turns save-password on.
    void SetIsAutoSignIn(bool on);
    bool GetIsSignInInvisible();
    void SetIsSignInAsInvisible(bool on);
    bool GetShowOfflineContactsOrPics();
    void SetShowOfflineContactsOrPics(bool on);
    Ixa::Base::String GetAlertSettings();
    void SetAlertSettings(const Ixa::Base::String& alert);
    Ixa::Base::String GetCustomMessage();
    void SetCustomMessage(const Ixa::Base::String& message);
    void SetResetRequired(bool required);
    bool IsAvailableState();
    void SetAvailableState(bool available);
    Ixa::Base::String GetEmailId();
    void SetEmailId(const Ixa::Base::String& id);

private:
    friend class StoreModel<PropertiesModel, PropertiesDatabase>;
    PropertiesModel();

    // `read(cached set)` under the lock; `fallback` when there is no cached set.
    template <typename Result, typename Read>
    Result Cached(Result fallback, Read read)
    {
        return Locked(
            fallback, [&](PropertiesDatabase&) { return savedProperties_ ? read(*savedProperties_) : fallback; });
    }
    // `change(cached set)` under the lock; the set is written when `change` answers true.
    template <typename Change>
    void Update(Change change)
    {
        Locked(false, [&](PropertiesDatabase& table) {
            return savedProperties_ && change(*savedProperties_) && table.SaveProperties(savedProperties_.get());
        });
    }
    void SetRequiresReset(bool required);

    std::unique_ptr<Properties> savedProperties_;
    Ixa::Base::String currentDBHolder_;
    Ixa::Base::String emailId_;
    bool resetDBRequired_ = false;
};
