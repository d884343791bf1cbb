// The process-wide account settings ("PropertiesModel"). It keeps one cached set in memory,
// writes the whole set back on every change, and tells whether the local stores belong to
// another account: the stores belong to the account that last reset them (their holder, kept
// on disk apart from the user name), and only a different account signing in requires a
// reset. The user name is merely what was last typed, so typing, a refused password or a
// restart never changes the holder, and a changed password never requires a reset. Account
// ids arrive here already normalised and compare exactly. The password reaches the disk only
// while save-password is on (PropertiesDatabase).
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
    // Whether the account signing in (the e-mail id) is not the stores' holder.
    virtual bool IsResetDBRequired();
    // Records that the local stores now belong to the account signing in.
    virtual void ResetDBHolder();
    virtual bool IsMyProfileExpanded();
    virtual void SetMyProfileExpanded(bool expanded);

    // Caches the stored set unless a set is cached already.
    void Init();
    Ixa::Base::String GetUserName();
    // The id last typed into the sign-in form (shown there again), saved.
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
    bool IsAvailableState();
    void SetAvailableState(bool available);
    // The stream session of `account` that a later connection or run may resume; false
    // when none is kept. Saving an empty id forgets it.
    bool GetStreamSession(const Ixa::Base::String& account, Ixa::Base::String* id, long long* handled);
    void SaveStreamSession(const Ixa::Base::String& account, const Ixa::Base::String& id, long long handled);
    // The account of the current sign-in (not saved); the own records are found under it.
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
    std::unique_ptr<Properties> savedProperties_;
    Ixa::Base::String currentDBHolder_;
    Ixa::Base::String emailId_;
};
