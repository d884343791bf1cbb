// The model side of the engine's response delegate: turns protocol results into store
// updates and model notifications, which subscribed screens carry on to the user-interface
// thread. Every notification is a ModelNotification whose object is shared by all the
// screens that took it, and freed when the last of them is done (or at once when none did).
//
// Threading: the callbacks run on the request and response threads; set-up and deletion on
// the user-interface thread while those threads are stopped. Ownership: contacts and
// messages handed to a callback belong to it; the models are borrowed.
#pragma once

#include "engine/ModelResponseDelegate.h"

#include <atomic>
#include <memory>
#include <mutex>

class ContactModel;
class GroupModel;
class MessageModel;
class IMModel;

class ModelResponseImpl : public ModelResponseDelegate {
public:
    static constexpr int MESSAGE_SENT = 2;
    static constexpr int MESSAGE_FAILED = 4;

    static ModelResponseImpl* GetInstance();
    static void DeleteInstance();

    void SetModels(ContactModel* contacts, GroupModel* groups, MessageModel* messages);
    void SetReady(bool ready);
    bool IsReady() const;

    void OnListsRefreshed() override;
    void OnIgnoreListRefreshed() override;
    void OnAllPresenceReceived() override;
    void OnContactUpdated(Contact* contact) override;
    void onContactDeletedFromServer(Contact* contact, Group* group) override;
    void OnMyIconChanged() override;
    void OnMessageSentToChat(Message* message) override;
    void OnMessageReceivedToChat(Message* message, Contact* contact) override;
    void OnMessageSentToChatFailed(Message* message, Ixa::Base::String* text, int code) override;
    void OnContactImageUpdated(Contact* contact) override;

private:
    ModelResponseImpl();
    ~ModelResponseImpl() override;

    // True when some view took the notification.
    static bool tell(IMModel* model, int code, std::shared_ptr<void> data = nullptr);
    void contactListChanged();
    void storeSentState(Message* message, int type);

    ContactModel* contacts_ = nullptr;
    GroupModel* groups_ = nullptr;
    MessageModel* messages_ = nullptr;
    std::atomic<bool> ready_{false};
    // Makes a sent state's store and its notification one step: the request thread reports a
    // message gone out while the response thread may report the server's error reply to it,
    // and the screens must hear the two in the order the store took them.
    std::mutex sentStateLock_;
};
