// The user's settings on the service ("google:setting"): asks for them once signed in, unless
// the server has refused them before; the answer comes back as a reader event.
// Threading: from the request thread. Ownership: as SubManager.
#pragma once

#include "xmpp/SubManager.h"

class SettingsManager : public SubManager {
public:
    explicit SettingsManager(Connection* connection);
    ~SettingsManager() override;

    // A settings query to the user's bare id, from the full id.
    void init();
};
