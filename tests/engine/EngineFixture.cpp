#include "EngineFixture.h"

#include "engine/BaseCommand.h"
#include "engine/ResourceText.h"
#include "xmpp/Connection.h"
#include "xmpp/Constants.h"

#include <cstdlib>
#include <future>
#include <map>

using namespace std::chrono_literals;

namespace {

// Tells its promise when the handler that disposes of it is done with it.
class Barrier : public Ixa::Base::Object {
public:
    explicit Barrier(std::promise<void>& reached) : reached_(reached) {}
    ~Barrier() override { reached_.set_value(); }

private:
    std::promise<void>& reached_;
};

class BarrierCommand : public BaseCommand {
public:
    explicit BarrierCommand(std::promise<void>& reached) : reached_(reached) {}
    void executeCommand(unsigned long* result) override
    {
        *result = Ixa::E_SUCCESS;
        reached_.set_value();
    }

private:
    std::promise<void>& reached_;
};

GtalkNotification* notification(const char* name, Ixa::Base::Object* object)
{
    auto notification = new GtalkNotification();
    notification->setNotificationName(new IMString(name));
    notification->setXMPPObject(object);
    return notification;
}

}  // namespace

TestSupport::TestCertificates* EngineFixture::certificates_ = nullptr;

void EngineFixture::SetUpTestSuite() { certificates_ = new TestSupport::TestCertificates("localhost"); }

void EngineFixture::TearDownTestSuite()
{
    delete certificates_;
    certificates_ = nullptr;
}

void EngineFixture::SetUp()
{
    ResourceText::setLookup([](const IMString& id, IMString& text) {
        static const std::map<std::string, std::string> texts = {
            {"IDS_CHECK_USERNAME_PASSWORD", CHECK_PASSWORD_TEXT},
            {"IDS_SIGNIN_ERROR", SIGNIN_ERROR_TEXT},
            {"IDS_NETWORK_NOT_AVAILABLE", NO_NETWORK_TEXT},
            {"IDS_INVITED", INVITED_TEXT},
        };
        auto found = texts.find(id.ToUtf8());
        if (found == texts.end()) {
            return false;
        }
        text = IMString(found->second.c_str());
        return true;
    });
}

void EngineFixture::TearDown()
{
    controller_.uninit();
    ResourceText::setLookup(nullptr);
}

void EngineFixture::deliver(const char* name, Ixa::Base::Object* object)
{
    controller_.addToResponseQueue(notification(name, object));
    std::promise<void> reached;
    controller_.addToResponseQueue(notification("disconnect", new Barrier(reached)));
    ASSERT_EQ(reached.get_future().wait_for(10s), std::future_status::ready) << "the response thread is stuck";
}

void EngineFixture::settleRequests()
{
    std::promise<void> reached;
    controller_.addToCommandQueue(new BarrierCommand(reached));
    ASSERT_EQ(reached.get_future().wait_for(30s), std::future_status::ready) << "the request thread is stuck";
}

void EngineFixture::signIn(TestSupport::TlsScript script)
{
    server_ = std::make_unique<TestSupport::ScriptedTlsServer>(
        *certificates_, std::vector<TestSupport::TlsScript>{std::move(script)});
    engine_.StartSignIn(server_->Port(), ScriptedSignIn::USER, ScriptedSignIn::PASSWORD);
    ASSERT_TRUE(delegate_.WaitFor("OnSignInSuccess")) << testing::PrintToString(delegate_.Names());
}

std::string EngineFixture::sentAfterSignIn(const std::string& marker)
{
    EXPECT_TRUE(server_->WaitUntilReceived(marker)) << ScriptedSignIn::normalized(server_->Received());
    std::string sent = ScriptedSignIn::normalized(server_->Received());
    std::string signIn = ScriptedSignIn::clientSignIn();
    EXPECT_EQ(sent.substr(0, signIn.size()), signIn);
    return sent.size() > signIn.size() ? sent.substr(signIn.size()) : std::string();
}

std::string EngineFixture::idOf(const std::string& user) { return user + "@" + Constants::DOMAIN.ToUtf8(); }

void EngineFixture::storeContact(const std::string& id, int presence)
{
    std::unique_ptr<Contact> contact(contacts_->CreateContact());
    contact->SetContactId(IMString(id.c_str()));
    contact->SetUserName(IMString(id.c_str()));
    contact->SetPresenceType(presence);
    contact->SetOnBuddyList(true);
    contacts_->SaveOrUpdate(contact.get());
}
