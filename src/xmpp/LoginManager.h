// Drives the sign-in on the reader's events, one phase after another: authenticating (the
// stream header and SASL element are out), restarting (after the SASL success it restarts the
// stream), binding and starting the session (it asks for each as the server's features name
// it, in their order, without waiting for either answer), signed in (the bind result's full
// id is kept). Each step is taken only in the phase it belongs to, and only once: an element
// that arrives outside its phase (a second success, a bind result after sign-in, a bind
// feature before authentication) is ignored, and the caller learns so from the answer. A
// refused authentication closes the connection.
// Threading: called on the reader thread, inside the connection lock (authenticate too, from
// the connecting thread under the same lock). Ownership: as SubManager.
#pragma once

#include "foundation/IMString.h"
#include "xmpp/SubManager.h"

class LoginManager : public SubManager {
public:
    enum class Phase { CONNECTING, AUTHENTICATING, RESTARTING, BINDING, STARTING_SESSION, SIGNED_IN, FAILED };

    explicit LoginManager(Connection* connection);
    ~LoginManager() override;

    // Sends the stream header and the SASL PLAIN element; the strings are only read.
    void authenticate(IMString* userName, IMString* password);
    // Each answers whether the event belonged to the current phase and was acted on.
    bool onAuthenticationSuccess();
    bool onAuthenticationFailed();
    bool processResourceBind();
    bool processSession();
    // Takes `jid` (null when the result carried none) in every case.
    bool setJID(IMString* jid);
    void onXMPPError();
    void openStream();
    Phase getPhase() const;

private:
    Phase phase_ = Phase::CONNECTING;
    bool sessionRequested_ = false;
};
