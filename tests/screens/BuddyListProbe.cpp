#include "BuddyListProbe.h"

#include "app/IMManager.h"
#include "app/ScreenStates.h"
#include "store/ContactIcon.h"
#include "store/ContactIconModel.h"
#include "store/ContactModel.h"
#include "store/GroupModel.h"
#include "store/Message.h"
#include "store/MessageModel.h"
#include "store/PropertiesModel.h"

#include "platform/ListContextItem.h"
#include "platform/ListView.h"

#include <fstream>
#include <iterator>
#include <memory>

namespace {

Ixa::Ui::Controls::ListView* List(bool search)
{
    BuddyScreen* screen = BuddyListProbe::Screen();
    if (screen == nullptr) {
        return nullptr;
    }
    return search ? screen->GetSearchListView() : screen->GetMainListView();
}

}  // namespace

BuddyScreen* BuddyListProbe::Screen()
{
    ScreenStates* states = IMManager::GetScreenStatesObj();
    return states != nullptr ? dynamic_cast<BuddyScreen*>(states->getCurrentScreen()) : nullptr;
}

std::vector<std::string> BuddyListProbe::Rows(bool search)
{
    std::vector<std::string> rows;
    Ixa::Ui::Controls::ListView* list = List(search);
    for (int row = 0; list != nullptr && row < list->GetItemCount(); ++row) {
        std::string text;
        const Ixa::Ui::Controls::ListItemBase* item = list->GetItemAt(row);
        for (const Ixa::Base::String& part : item != nullptr ? item->GetTexts() : std::vector<Ixa::Base::String>()) {
            text += (text.empty() ? "" : " | ") + part.ToUtf8();
        }
        rows.push_back(text);
    }
    return rows;
}

int BuddyListProbe::RowOf(const std::string& prefix, bool search)
{
    const std::vector<std::string> rows = Rows(search);
    for (size_t row = 0; row < rows.size(); ++row) {
        if (rows[row].rfind(prefix, 0) == 0) {
            return static_cast<int>(row);
        }
    }
    return -1;
}

std::vector<int> BuddyListProbe::ContextIds(int row, bool search)
{
    std::vector<int> ids;
    Ixa::Ui::Controls::ListView* list = List(search);
    const Ixa::Ui::Controls::ListItemBase* item = list != nullptr ? list->GetItemAt(row) : nullptr;
    if (item != nullptr && item->GetContextItem() != nullptr) {
        for (const auto& element : item->GetContextItem()->GetElements()) {
            ids.push_back(element.id);
        }
    }
    return ids;
}

Ixa::Graphics::Rectangle BuddyListProbe::ElementBounds(int row, int elementId)
{
    Ixa::Ui::Controls::ListView* list = List(false);
    const Ixa::Ui::Controls::ListItemBase* item = list != nullptr ? list->GetItemAt(row) : nullptr;
    return item != nullptr ? item->GetElementBounds(elementId) : Ixa::Graphics::Rectangle();
}

void BuddyListProbe::SetOwnAccount(const std::string& user)
{
    PropertiesModel* properties = IMManager::GetPropertiesModel();
    properties->SetUserName(IMString(user.c_str()));
    properties->SetEmailId(IMString(user.c_str()));
}

void BuddyListProbe::AddGroup(const std::string& name, bool expanded)
{
    std::unique_ptr<Group> group(IMManager::GetGroupModel()->CreateGroup());
    group->SetGroupId(IMString(name.c_str()));
    group->SetGroupName(IMString(name.c_str()));
    group->SetHasContacts(true);
    group->SetIsExpanded(expanded);
    IMManager::GetGroupModel()->SaveOrUpdate(group.get());
}

void BuddyListProbe::AddContact(const std::string& user, const std::string& nick, const std::string& group, int presence,
    const std::string& status, bool blocked)
{
    std::unique_ptr<Contact> contact(IMManager::GetContactModel()->CreateContact());
    contact->SetContactId(IMString(user.c_str()));
    contact->SetUserName(IMString(user.c_str()));
    contact->SetNickName(IMString(nick.c_str()));
    contact->SetGroupName(IMString(group.c_str()));
    contact->SetPresenceType(presence);
    contact->SetCustomMessage(IMString(status.c_str()));
    contact->SetIsBlocked(blocked);
    contact->SetOnBuddyList(true);
    IMManager::GetContactModel()->SaveOrUpdate(contact.get());
}

void BuddyListProbe::SetPresence(const std::string& user, int presence)
{
    std::unique_ptr<Contact> contact(IMManager::GetContactModel()->GetContactById(IMString(user.c_str())));
    contact->SetPresenceType(presence);
    IMManager::GetContactModel()->SaveOrUpdate(contact.get());
}

void BuddyListProbe::SetAvatar(const std::string& user, const std::string& file)
{
    std::ifstream in(file, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    IMByteBuffer buffer;
    buffer.Construct(static_cast<int>(bytes.size()));
    buffer.SetArray(reinterpret_cast<const Ixa::byte*>(bytes.data()), 0, static_cast<int>(bytes.size()));
    buffer.Flip();
    std::unique_ptr<ContactIcon> icon(IMManager::GetContactIconModel()->CreateContactIcon());
    icon->SetContactId(IMString(user.c_str()));
    icon->SetIconValidity(IMString("hash"));
    icon->SetImageByteBuffer(&buffer);
    IMManager::GetContactIconModel()->SaveOrUpdate(icon.get());
    std::unique_ptr<Contact> contact(IMManager::GetContactModel()->GetContactById(IMString(user.c_str())));
    if (contact != nullptr) {
        contact->SetIsHavingAvatar(true);
        IMManager::GetContactModel()->SaveOrUpdate(contact.get());
    }
}

Message* BuddyListProbe::StoreReceivedMessage(const std::string& user, const std::string& text)
{
    Message* message = IMManager::GetMessageModel()->CreateMessage();
    message->SetOtherUserId(IMString(user.c_str()));
    message->SetMessage(IMString(text.c_str()));
    message->SetMessageType(0);
    IMManager::GetMessageModel()->SaveOrUpdate(message);
    return message;
}
