#include "LiveScreenSuite.h"

#include "LoginForm.h"

bool LiveScreenSuite::SetUpAccounts(const std::string& userBase, const std::string& peerBase, const std::string& password)
{
    ProsodySuite::SetUp();
    if (IsSkipped()) {
        return false;
    }
    static int serial = 0;
    ++serial;
    user_ = userBase + std::to_string(serial);
    peerUser_ = peerBase + std::to_string(serial);
    password_ = password;
    server_->Register(user_, password_);
    server_->Register(peerUser_, password_);
    peer_ = SignInPeer(*server_, peerUser_, password_, "peer");
    return true;
}

void LiveScreenSuite::LaunchSignedIn(const std::function<bool()>& ready)
{
    app_.reset();
    app_ = std::make_unique<AppUnderTest>(AppUnderTest::ServerOf(*server_));
    ASSERT_TRUE(app_->Launched());
    LoginForm login(*app_);
    ASSERT_TRUE(login.SubmitSignIn(user_, password_));
    ASSERT_TRUE(app_->PumpUntil(ready)) << app_->driver.Describe();
}
