#include "ChatFixture.h"

#include "VisibleList.h"

#include "app/IMManager.h"
#include "foundation/IMDateTime.h"
#include "platform/Frame.h"
#include "platform/ListView.h"
#include "platform/ScreenProbe.h"
#include "platform/SettingInfo.h"
#include "store/ContactModel.h"
#include "store/MessageModel.h"
#include "store/PropertiesModel.h"

#include <filesystem>
#include <thread>

void ChatFixture::SetUp()
{
    ASSERT_TRUE(app.Launched());
    IMManager::GetPropertiesModel()->Init();
    IMManager::GetPropertiesModel()->SetAlertSettings("melody");
    Ixa::System::SettingInfo::SetValue("24HourFormatSelected", false);
    IMManager::notifyEvent(EVENT_SIGNED_IN);
    app.driver.PumpUntilIdle();
}

void ChatFixture::OpenChat(const std::string& id, const std::string& nick, int presence, bool blocked)
{
    StoreOpened(id, nick, presence, blocked);
    IMManager::notifyEvent(EVENT_SHOW_CHAT, static_cast<void*>(opened.get()));
    app.driver.PumpUntilIdle();
}

void ChatFixture::OpenNotifiedChat(const std::string& id, const std::string& nick)
{
    StoreOpened(id, nick, 0, false);
    IMManager::notifyEvent(EVENT_OPEN_NOTIFIED_CHAT, static_cast<void*>(opened.get()));
    app.driver.PumpUntilIdle();
}

void ChatFixture::StoreOpened(const std::string& id, const std::string& nick, int presence, bool blocked)
{
    ContactModel* contacts = IMManager::GetContactModel();
    opened.reset(contacts->CreateContact());
    opened->SetContactId(id.c_str());
    opened->SetUserName(id.substr(0, id.find('@')).c_str());
    opened->SetNickName(nick.c_str());
    opened->SetPresenceType(presence);
    opened->SetIsBlocked(blocked);
    opened->SetOnBuddyList(true);
    contacts->SaveOrUpdate(opened.get());
}

void ChatFixture::OpenUnstoredChat(const std::string& id, bool buddy)
{
    opened.reset(IMManager::GetContactModel()->CreateContact());
    opened->SetContactId(id.c_str());
    opened->SetNickName(id.c_str());
    opened->SetOnBuddyList(buddy);
    IMManager::notifyEvent(EVENT_SHOW_CHAT, static_cast<void*>(opened.get()));
    app.driver.PumpUntilIdle();
}

void ChatFixture::TypeIntoChat(const std::string& text)
{
    ASSERT_TRUE(TypeIntoChatOf(app, text)) << "no input on screen:\n" << app.driver.Describe();
}

bool ChatFixture::TypeIntoChatOf(AppUnderTest& app, const std::string& text)
{
    return app.driver.TypeWithKeypad("EditArea", text) && app.driver.CloseKeypad();
}

bool ChatFixture::Tap(int actionId)
{
    const bool tapped = app.driver.TapAction(actionId);
    app.driver.PumpUntilIdle();
    return tapped;
}

bool ChatFixture::Enabled(int actionId) const
{
    const auto item = app.driver.FindByActionId(actionId);
    return item && item->enabled;
}

std::string ChatFixture::FirstLabel()
{
    for (const Ixa::Ui::ScreenProbe::Entry& entry : Ixa::Ui::ScreenProbe::ListEntries()) {
        if (entry.kind == "Label") {
            return entry.text;
        }
    }
    return {};
}

std::string ChatFixture::InputText() const
{
    ChatScreen* chat = Chat();
    return chat != nullptr ? chat->GetEditFieldText().ToUtf8() : std::string();
}

ChatScreen* ChatFixture::Chat() const
{
    Ixa::Ui::Controls::Frame* frame = IMManager::getFrame();
    return frame != nullptr ? dynamic_cast<ChatScreen*>(frame->GetCurrentForm()) : nullptr;
}

std::vector<std::string> ChatFixture::Rows() const { return VisibleListRows(); }

ChatBubbleItem* ChatFixture::Bubble(int row) const
{
    Ixa::Ui::Controls::ListView* list = VisibleList();
    return list != nullptr && row < list->GetItemCount() ? dynamic_cast<ChatBubbleItem*>(list->GetItemAt(row)) : nullptr;
}

bool ChatFixture::WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        app.driver.PumpAFrame();
    }
    return true;
}

std::vector<std::unique_ptr<Message>> ChatFixture::Stored(const std::string& user)
{
    std::vector<std::unique_ptr<Message>> messages;
    std::unique_ptr<Ixa::Base::Collection::ArrayList> list(IMManager::GetMessageModel()->GetAllMessagesWithUser(user.c_str(), true));
    for (int i = 0; list != nullptr && i < list->GetCount(); ++i) {
        messages.emplace_back(static_cast<Message*>(list->GetAt(i)));
    }
    if (list != nullptr) {
        list->RemoveAll(false);
    }
    return messages;
}

void ChatFixture::StoreMessage(const std::string& user, const std::string& text, int type, const char* utcTime)
{
    std::unique_ptr<Message> message(IMManager::GetMessageModel()->CreateMessage());
    IMDateTime time;
    Ixa::Base::DateTime::Parse(utcTime, time);
    message->SetOtherUserId(user.c_str());
    message->SetMessage(text.c_str());
    message->SetMessageType(type);
    message->SetTimeStamp(time);
    IMManager::GetMessageModel()->SaveOrUpdate(message.get());
}

void ChatFixture::Screenshot(const std::string& name) { Screenshot(app, name); }

void ChatFixture::Screenshot(AppUnderTest& app, const std::string& name)
{
    std::filesystem::create_directories(VELOIM_SCREENSHOT_DIR);
    EXPECT_TRUE(app.driver.SaveScreenshot(std::string(VELOIM_SCREENSHOT_DIR) + "/" + name + ".png"));
}
