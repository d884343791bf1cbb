#include "xmpp/ChatManager.h"

#include "xmpp/Chat.h"
#include "xmpp/NoSaveItem.h"

ChatManager::ChatManager(Connection* connection)
    : SubManager(connection), chats_(new IMHashMap()), noSaveStatus_(new IMHashMap())
{
    chats_->construct();
    noSaveStatus_->construct();
}

ChatManager::~ChatManager()
{
    delete chats_;
    delete noSaveStatus_;
}

void ChatManager::init()
{
    {
        std::lock_guard<std::mutex> guard(lock_);
        noSaveStatus_->clear();
    }
    auto query = new NoSaveState();
    query->setType(IQ::Type::GET);
    askService(ServiceSupport::NO_SAVE, query);
}

void ChatManager::addChat(Chat* chat)
{
    IMString* participant = chat->getParticipant();
    std::lock_guard<std::mutex> guard(lock_);
    chats_->add(new IMString(participant != nullptr ? *participant : IMString()), chat);
}

Chat* ChatManager::getChat(IMString* participant)
{
    std::lock_guard<std::mutex> guard(lock_);
    return participant != nullptr ? static_cast<Chat*>(chats_->get(participant)) : nullptr;
}

void ChatManager::sendMessage(MessagePacket* message, unsigned long* result) { send(message, result); }

void ChatManager::processNoSaveState(NoSaveState* state)
{
    IMVector* items = state->getSubPackets();
    if (state->getType() != IQ::Type::RESULT || items == nullptr) {
        return;
    }
    std::lock_guard<std::mutex> guard(lock_);
    for (int i = 0; i < items->size(); ++i) {
        Ixa::Base::Object* element = nullptr;
        items->getAt(i, element);
        auto item = dynamic_cast<NoSaveItem*>(element);
        if (item == nullptr || item->getContactsJID() == nullptr) {
            continue;
        }
        noSaveStatus_->add(new IMString(*item->getContactsJID()), new IMBoolean(item->getNoSaveState()));
        auto chat = static_cast<Chat*>(chats_->get(item->getContactsJID()));
        ChatListener* listener = chat != nullptr ? chat->getListener() : nullptr;
        if (listener != nullptr) {
            listener->noSaveStatusChanged(chat, item->getNoSaveState());
        }
    }
}

IMBoolean* ChatManager::getNoSaveStatus(IMString* contact)
{
    std::lock_guard<std::mutex> guard(lock_);
    return contact != nullptr ? static_cast<IMBoolean*>(noSaveStatus_->get(contact)) : nullptr;
}
