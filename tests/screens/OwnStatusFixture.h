// What the tests of the user's own profile share, against the local Prosody: a new user with
// a slixmpp peer as friend ("Dodo"), signed in on the sign-in screen until the buddy list shows
// the friend and the peer has seen the user arrive; and ways to watch the user's presence at the
// peer and the user's own status in the application. A suite against a server with Prosody's
// stock modules alone derives a fixture whose SetUpTestSuite calls SetUpStockSuite.
// Threading: the test's main thread.
#pragma once

#include "support/AppUnderTest.h"
#include "support/PeerClient.h"
#include "support/ProsodySuite.h"

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class OwnStatusFixture : public TestSupport::ProsodySuite {
protected:
    static constexpr std::chrono::seconds Wait{20};

    void SetUp() override;
    // Called with a client of the user's own before the application signs in, to give the
    // account what a test needs on the server.
    virtual void PrepareAccount(TestSupport::PeerClient& own);

    static std::string Jid(const std::string& user);
    // Waits for the user's next presence at the peer and expects that type, show and status.
    bool SeenByPeer(const std::string& type, const std::string& show, const std::string& status = {});
    // The user's next presence at the peer, from the application's resource.
    std::optional<TestSupport::PeerEvent> NextPresence();
    // Shows the screen through the settings, the way the buddy list's settings button does.
    void ShowThroughSettings(int event, const std::string& form);
    // Waits until the service has reported the user's own status with that code.
    bool SelfStatusIs(int code);
    // Sends the user's own status with that code and message, as a screen does, and waits until
    // the service has reported it back.
    void SetSelfStatus(int code, const char* text);
    int UnreadFromFriend();
    // The text of the newest message stored in the conversation with the friend.
    std::string LastFromFriend();
    // Types into the screen's (first) edit field.
    void TypeIntoField(const std::string& text);
    // Kills the server and starts it again over its data; the peer signs in anew, and the
    // client comes back by itself in a fresh session.
    void RestartServer();
    // Whether the client has taken each of the service's extensions (shared status, no-save,
    // settings) as refused.
    std::vector<bool> Refused();

    std::string user_;
    std::string friend_;
    std::unique_ptr<TestSupport::PeerClient> peer_;
    std::unique_ptr<AppUnderTest> app_;
};
