// The service's user settings ("google:setting"): three optional flags and the display
// name. A query (any type but set) writes an empty element; a set writes the settings that
// are present. The display name is escaped when written.
// Ownership: as Packet; the settings own their boxes (each setter deletes the old box) and
// the display name. Thread-safety: as Packet.
#pragma once

#include "foundation/IMBoolean.h"
#include "xmpp/IQ.h"

class UserSettings : public IQ {
public:
    UserSettings();
    ~UserSettings() override;

    IMString* getDerivedXML() override;

    // Each getter answers the setting's box, owned by the settings, or null when not given.
    IMBoolean* isAutoAcceptSuggestions();
    void setAutoAcceptSuggestions(bool value);
    IMBoolean* isGmailNotifications();
    void setGmailNotifications(bool value);
    IMBoolean* isArchivingEnabled();
    void setArchivingEnabled(bool value);
    IMString* getDisplayName();
    void setDisplayName(IMString* name);
    // Deletes the three boxes (and, as for every packet, the sub-packets).
    void clean();

    // Both are settings with the same flags and display name (absent equals only absent).
    bool Equals(const Ixa::Base::Object& other) const override;
    bool Equals(Ixa::Base::Object* other) const;

private:
    static void appendFlag(IMString& xml, const char* opening, IMBoolean* flag);
    static bool sameFlag(const IMBoolean* left, const IMBoolean* right);

    IMBoolean* autoAcceptSuggestions_ = nullptr;
    IMBoolean* mailNotifications_ = nullptr;
    IMBoolean* archivingEnabled_ = nullptr;
    IMString* displayName_ = nullptr;
};
