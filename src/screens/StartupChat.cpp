#include "screens/StartupChat.h"

#include "app/IMManager.h"
#include "engine/UserId.h"
#include "store/ContactModel.h"

IMString StartupChat::address_;
IMString StartupChat::text_;
bool StartupChat::opened_ = false;
bool StartupChat::due_ = false;

void StartupChat::Set(const std::string& address, const std::string& text)
{
    IMString id(address.c_str());
    if (!id.IsEmpty()) {
        UserId::complete(&id);
        id = UserId::bareLowerCase(id);
    }
    address_ = id;
    text_ = IMString(text.c_str());
    opened_ = false;
    due_ = false;
}

void StartupChat::Clear() { Set(std::string(), std::string()); }

bool StartupChat::IsWaiting() { return !opened_ && !address_.IsEmpty(); }

void StartupChat::SetDue() { due_ = true; }

Contact* StartupChat::TakeContactToOpen()
{
    ContactModel* contacts = IMManager::GetContactModel();
    if (!IsWaiting() || !due_ || contacts == nullptr) {
        return nullptr;
    }
    Contact* contact = contacts->GetContactById(address_);
    opened_ = contact != nullptr;
    return contact;
}

IMString StartupChat::TakeTextFor(const IMString& contactId)
{
    if (!opened_ || text_.IsEmpty() || !UserId::sameIgnoringCase(contactId, address_)) {
        return IMString();
    }
    IMString text = text_;
    text_ = IMString();
    return text;
}
