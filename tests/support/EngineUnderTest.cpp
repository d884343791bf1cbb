#include "EngineUnderTest.h"

#include "store/Message.h"
#include "xmpp/Connection.h"

#include <thread>

namespace TestSupport {

EngineUnderTest::EngineUnderTest()
    : contacts_(ContactModel::GetInstance()), icons_(ContactIconModel::GetInstance()),
      groups_(GroupModel::GetInstance()), messages_(MessageModel::GetInstance()),
      properties_(PropertiesModel::GetInstance())
{
    controller_.init();
    controller_.SetContactDAO(contacts_.get());
    controller_.setContactIconDAO(icons_.get());
    controller_.SetGroupDAO(groups_.get());
    controller_.SetMessageDAO(messages_.get());
    controller_.SetModelResponseDelegate(&delegate_);
    controller_.SetNonModelResponseDelegate(&delegate_);
}

// The controller stops its threads and closes its connection before the stores go.
EngineUnderTest::~EngineUnderTest() { controller_.uninit(); }

void EngineUnderTest::StartSignIn(unsigned short port, const std::string& user, const std::string& password)
{
    controller_.GetConnection()->setServerAddress(IMString("localhost"), port);
    IMString name(user.c_str());
    IMString secret(password.c_str());
    controller_.SetUsername(&name);
    controller_.SetPassword(&secret);
    controller_.SignIn(nullptr);
}

bool EngineUnderTest::SignIn(
    unsigned short port, const std::string& user, const std::string& password, std::chrono::milliseconds timeout)
{
    size_t signedIn = delegate_.Count("OnSignInSuccess");
    size_t loaded = delegate_.Count("OnAllPresenceReceived");
    controller_.SetInitialListReceived(false);
    StartSignIn(port, user, password);
    if (!delegate_.WaitFor("OnSignInSuccess", signedIn + 1, timeout)) {
        return false;
    }
    controller_.refreshLists(false);
    return delegate_.WaitFor("OnAllPresenceReceived", loaded + 1, timeout);
}

void EngineUnderTest::SendChat(const std::string& to, const std::string& text)
{
    std::unique_ptr<Message> shown(messages_->CreateMessage());
    shown->SetOtherUserId(IMString(to.c_str()));
    shown->SetMessage(IMString(text.c_str()));
    shown->SetMessageType(Message::TYPE_SENDING);
    messages_->SaveOrUpdate(shown.get());
    Message* copy = messages_->CreateMessage();
    copy->SetOtherUserId(shown->GetOtherUserId());
    copy->SetMessage(shown->GetMessage());
    copy->SetMessageType(Message::TYPE_SENDING);
    copy->SetMessageId(shown->GetMessageId());
    controller_.SendMessage(copy);
}

GtalkRequestController& EngineUnderTest::Controller() { return controller_; }

RecordingDelegate& EngineUnderTest::Delegate() { return delegate_; }

ContactModel& EngineUnderTest::Contacts() { return *contacts_; }

ContactIconModel& EngineUnderTest::Icons() { return *icons_; }

GroupModel& EngineUnderTest::Groups() { return *groups_; }

MessageModel& EngineUnderTest::Messages() { return *messages_; }

PropertiesModel& EngineUnderTest::Properties() { return *properties_; }

std::unique_ptr<Contact> EngineUnderTest::ContactById(const std::string& id)
{
    return std::unique_ptr<Contact>(contacts_->GetContactById(IMString(id.c_str())));
}

std::unique_ptr<ContactIcon> EngineUnderTest::AvatarOf(const std::string& id)
{
    return std::unique_ptr<ContactIcon>(icons_->GetImage(IMString(id.c_str())));
}

bool EngineUnderTest::Eventually(const std::function<bool()>& check, std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!check()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return check();
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

}  // namespace TestSupport
