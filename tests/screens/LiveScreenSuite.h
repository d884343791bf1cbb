// What the screen tests against the local Prosody share: per test, a new user and a new peer
// account (the server keeps rosters between tests), the peer signed in with a slixmpp client,
// and the application launched against the server and signed in as the user through the
// sign-in screen, waiting until the buddy list shows.
// Threading: the test thread only. Ownership: owns the peer and the application.
#pragma once

#include "support/AppUnderTest.h"
#include "support/PeerClient.h"
#include "support/ProsodySuite.h"

#include <functional>
#include <memory>
#include <string>

class LiveScreenSuite : public TestSupport::ProsodySuite {
protected:
    // Registers "<userBase>N" and "<peerBase>N" with `password` (N new per test) and signs the
    // peer in; false when the suite is skipped.
    bool SetUpAccounts(const std::string& userBase, const std::string& peerBase, const std::string& password);
    // Launches the application afresh (new stores) and signs the user in; `ready` tells when
    // the buddy list is there.
    void LaunchSignedIn(const std::function<bool()>& ready);

    static std::string Jid(const std::string& user) { return user + "@localhost"; }

    std::string user_;
    std::string peerUser_;
    std::string password_;
    std::unique_ptr<TestSupport::PeerClient> peer_;
    std::unique_ptr<AppUnderTest> app_;
};
