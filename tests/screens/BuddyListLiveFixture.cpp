#include "BuddyListLiveFixture.h"

#include "BuddyListProbe.h"
#include "LoginForm.h"

const std::string BuddyListLiveFixture::Password = "down the rabbit hole";

std::unique_ptr<TestSupport::PeerClient> BuddyListLiveFixture::Online(const std::string& user, const std::string& resource)
{
    return SignInPeer(*server_, user, Password, resource);
}

void BuddyListLiveFixture::SetUp()
{
    if (!SetUpAccounts("ann", "ben", Password)) {
        return;
    }
    MakeFriends(*Online(user_, "setup"), {{peer_.get(), "Ben"}});
    app_ = std::make_unique<AppUnderTest>(AppUnderTest::ServerOf(*server_));
    ASSERT_TRUE(app_->Launched());
}

void BuddyListLiveFixture::SignInAndShowBuddyList()
{
    LoginForm form(*app_);
    ASSERT_TRUE(form.SubmitSignIn(user_, Password));
    ASSERT_TRUE(PumpUntil([] { return BuddyListProbe::RowOf("Ben") >= 0; })) << app_->driver.Describe();
}
