// Asks for contacts' vCards (and the user's own), whose pictures are the avatars; the answer
// comes back as a reader event.
// Threading: from the request and response threads. Ownership: as SubManager; the jid stays
// with the caller.
#pragma once

#include "foundation/IMString.h"
#include "xmpp/SubManager.h"

class VCardManager : public SubManager {
public:
    explicit VCardManager(Connection* connection);
    ~VCardManager() override;

    void requestVCard(IMString* jid);
};
