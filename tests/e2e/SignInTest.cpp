// The client's connection against a real Prosody on 127.0.0.1 (with the service extensions
// of testing/prosody): a sign-in reaches "signin" with success and the bound full id and its
// follow-up queries are answered, a wrong password reaches "signin" with failure, and a
// server that dies under a signed-in client gives "connectionError".
#include "support/LocalProsody.h"
#include "support/ProsodySuite.h"
#include "support/RecordingController.h"
#include "xmpp/Connection.h"

#include "foundation/IMBoolean.h"
#include "foundation/IMHashMap.h"

#include <algorithm>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

using namespace std::chrono_literals;
using TestSupport::LocalProsody;
using TestSupport::ProsodySuite;
using TestSupport::RecordingController;
using Names = std::vector<std::string>;

namespace {

const std::string User = "alice";
const std::string Password = "wonderland";
// The server's certificate is for the domain, which the client reaches as "localhost".
const char* const Host = "localhost";

class ProsodySignInTest : public ProsodySuite {
protected:
    static void SetUpTestSuite()
    {
        ProsodySuite::SetUpTestSuite();
        if (server_ != nullptr) {
            server_->Register(User, Password);
        }
    }

    void SetUp() override
    {
        ProsodySuite::SetUp();
        if (IsSkipped()) {
            return;
        }
        setenv("VELOIM_CA_FILE", server_->CaFile().c_str(), 1);
    }

    void TearDown() override
    {
        connection_.reset();
        unsetenv("VELOIM_CA_FILE");
    }

    void login(const LocalProsody& server, const std::string& password)
    {
        connection_->setServerAddress(IMString(Host), server.Port());
        IMString user(User.c_str());
        IMString secret(password.c_str());
        connection_->login(&user, &secret);
    }

    bool signInSucceeded(size_t index)
    {
        auto outcome = dynamic_cast<IMHashMap*>(controller_.ObjectOf("signin", index));
        IMString key("isSignInSuccess");
        auto success = outcome != nullptr ? dynamic_cast<IMBoolean*>(outcome->get(&key)) : nullptr;
        return success != nullptr && success->ToBool();
    }

    RecordingController controller_;
    std::unique_ptr<Connection> connection_ = std::make_unique<Connection>(&controller_);
};

TEST_F(ProsodySignInTest, SignsInWithTheBoundIdAsksForTheAccountsDataAndLogsOutQuietly)
{
    login(*server_, Password);
    ASSERT_TRUE(controller_.WaitFor("signin", 1, 30s)) << server_->LogFile();
    EXPECT_TRUE(signInSucceeded(0));
    ASSERT_NE(connection_->getUserJID(), nullptr);
    EXPECT_EQ(connection_->getUserJID()->ToUtf8(), User + "@" + Host + "/Mobile");
    EXPECT_TRUE(connection_->isInitialized());

    // The account's own queries go to the bare id, where the server answers them.
    connection_->init();
    EXPECT_TRUE(controller_.WaitFor("sharedstatus", 1, 30s));
    EXPECT_TRUE(controller_.WaitFor("myDisplayName", 1, 30s));
    connection_->logout();
    EXPECT_FALSE(connection_->isInitialized());
    EXPECT_EQ(controller_.Count("connectionError"), 0u);
}

TEST_F(ProsodySignInTest, AWrongPasswordIsAFailedSignInAndTheRightOneThenWorks)
{
    login(*server_, "looking-glass");
    ASSERT_TRUE(controller_.WaitFor("signin", 1, 30s));
    EXPECT_FALSE(signInSucceeded(0));
    EXPECT_FALSE(connection_->isInitialized());

    login(*server_, Password);
    ASSERT_TRUE(controller_.WaitFor("signin", 2, 30s));
    EXPECT_TRUE(signInSucceeded(1));
    connection_->logout();
    // Sign-out handles what the server still sends while closing (the user's own presence going
    // unavailable among it); what matters is two sign-in outcomes and no loss.
    EXPECT_EQ(controller_.Count("signin"), 2u);
    EXPECT_EQ(controller_.Count("connectionError"), 0u);
}

TEST_F(ProsodySignInTest, AServerThatDiesUnderTheClientIsAConnectionError)
{
    LocalProsody doomed(Host);
    doomed.Start();
    doomed.Register(User, Password);
    setenv("VELOIM_CA_FILE", doomed.CaFile().c_str(), 1);

    login(doomed, Password);
    ASSERT_TRUE(controller_.WaitFor("signin", 1, 30s));
    ASSERT_TRUE(signInSucceeded(0));
    doomed.Kill();
    ASSERT_TRUE(controller_.WaitFor("connectionError", 1, 30s));
    EXPECT_FALSE(connection_->isInitialized());
    connection_->closeConnection();
    // The server's requests for acknowledgements come between the two.
    Names names = controller_.Names();
    names.erase(std::remove(names.begin(), names.end(), "streamHandled"), names.end());
    EXPECT_EQ(names, (Names{"signin", "connectionError"}));
}

}  // namespace
