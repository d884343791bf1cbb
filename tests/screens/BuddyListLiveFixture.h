// The live screen suites whose user starts with a friend: the peer is the user's friend "Ben"
// (filed under "Work" on the server, subscribed both ways), the application is launched
// against the server, and SignInAndShowBuddyList signs in on the sign-in screen up to the
// buddy list with Ben on it.
// Threading: the test's main thread (the user-interface thread).
#pragma once

#include "LiveScreenSuite.h"

#include <chrono>
#include <functional>
#include <memory>
#include <string>

class BuddyListLiveFixture : public LiveScreenSuite {
protected:
    static constexpr std::chrono::seconds Wait{20};
    static const std::string Password;

    static std::unique_ptr<TestSupport::PeerClient> Online(const std::string& user, const std::string& resource);

    void SetUp() override;
    bool PumpUntil(const std::function<bool()>& check) { return app_->PumpUntil(check); }
    // Signs in on the sign-in screen, which shows the buddy list once the roster is in.
    void SignInAndShowBuddyList();
};
