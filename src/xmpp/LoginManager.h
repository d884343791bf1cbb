// Drives the sign-in on the reader's events: after the SASL success it restarts the stream,
// it asks for the resource binding and the session as the server's features name them (in
// their order, without waiting for either answer), and it keeps the full id of the bind
// result. A refused authentication closes the connection.
// Threading: called on the reader thread, inside the connection lock. Ownership: as
// SubManager.
#pragma once

#include "foundation/IMString.h"
#include "xmpp/SubManager.h"

class LoginManager : public SubManager {
public:
    explicit LoginManager(Connection* connection);
    ~LoginManager() override;

    void onAuthenticationSuccess();
    void onAuthenticationFailed();
    void processResourceBind();
    void processSession();
    // Takes `jid` (null when the result carried none).
    void setJID(IMString* jid);
    void onXMPPError();
    void openStream();
};
