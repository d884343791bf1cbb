// What the screen suites that run against the local Prosody share: a user and a slixmpp peer
// as the user's friend "Ben" (filed under "Work" on the server, subscribed both ways), the
// application launched against the server, and signing in on the sign-in screen up to the
// buddy list with Ben on it. Every user name is new per test, since the server keeps rosters
// between tests.
// Threading: the test's main thread (the user-interface thread).
#pragma once

#include "support/AppUnderTest.h"
#include "support/PeerClient.h"
#include "support/ProsodySuite.h"

#include <chrono>
#include <functional>
#include <memory>
#include <string>

class BuddyListLiveFixture : public TestSupport::ProsodySuite {
protected:
    static constexpr std::chrono::seconds Wait{20};
    static const std::string Password;

    static std::string Jid(const std::string& user) { return user + "@localhost"; }
    static std::unique_ptr<TestSupport::PeerClient> Online(const std::string& user, const std::string& resource);

    void SetUp() override;
    bool PumpUntil(const std::function<bool()>& check) { return app_->PumpUntil(check); }
    // Signs in on the sign-in screen, which shows the buddy list once the roster is in.
    void SignInAndShowBuddyList();

    std::string user_;
    std::string friend_;
    std::unique_ptr<TestSupport::PeerClient> peer_;
    std::unique_ptr<AppUnderTest> app_;
};
