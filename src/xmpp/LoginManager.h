// Drives the sign-in on the reader's events, one phase after another: authenticating (the
// stream header and SASL element are out), restarting (after the SASL success it restarts the
// stream and notes the features the server offers), then, at the end of those features,
// either resuming the earlier session (stream management, when the server offers it and the
// session can be resumed) or binding and starting the session (asked for in the order the
// features name them, without waiting for either answer); signed in once the bind result's
// full id is kept, or once the server has resumed the session. A resumption the server
// refuses falls back to binding. On a fresh session stream management is enabled after the
// bind when offered, and the chat messages an unresumable session left unacknowledged go out
// again.
//
// Each step is taken only in the phase it belongs to, and only once: an element that arrives
// outside its phase (a second success, a bind result after sign-in, a bind feature before
// authentication, a <resumed/> nobody asked for) is ignored, and the caller learns so from
// the answer. A refused authentication closes the connection.
// Threading: called on the reader thread, inside the connection lock (authenticate too, from
// the connecting thread under the same lock). Ownership: as SubManager.
#pragma once

#include "foundation/IMString.h"
#include "xmpp/SubManager.h"

#include <cstdint>
#include <vector>

class StreamAnswer;

class LoginManager : public SubManager {
public:
    enum class Phase { CONNECTING, AUTHENTICATING, RESTARTING, RESUMING, BINDING, SIGNED_IN, FAILED };

    explicit LoginManager(Connection* connection);
    ~LoginManager() override;

    // Sends the stream header and the SASL PLAIN element; the strings are only read.
    void authenticate(IMString* userName, IMString* password);
    // Each answers whether the event belonged to the current phase and was acted on.
    bool onAuthenticationSuccess();
    bool onAuthenticationFailed();
    bool processResourceBind();
    bool processSession();
    bool offerStreamManagement();
    bool onFeaturesEnd();
    // Takes `jid` (null when the result carried none) in every case.
    bool setJID(IMString* jid);
    bool onEnabled(const StreamAnswer& answer);
    bool onResumed(const StreamAnswer& answer);
    // A <failed/>: of a resumption (then binding follows) or of the enable.
    bool onStreamManagementFailed(const StreamAnswer& answer);
    void onXMPPError();
    void openStream();
    Phase getPhase() const;

private:
    enum class Feature { BIND, SESSION };

    void startSession();
    void enableStreamManagement();

    Phase phase_ = Phase::CONNECTING;
    std::vector<Feature> offered_;
    bool streamManagementOffered_ = false;
    bool enableSent_ = false;
};
