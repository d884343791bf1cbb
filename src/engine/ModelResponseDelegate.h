// The half of the response delegate that updates the in-memory models and, through them, the
// screens (implemented on the application side). Ownership as ResponseDelegate: contacts and
// messages pass to the receiver. Threading: called on the request and response threads.
#pragma once

#include "platform/String.h"

class Contact;
class Group;
class Message;

class ModelResponseDelegate {
public:
    virtual ~ModelResponseDelegate() = default;
    virtual void OnListsRefreshed() = 0;
    virtual void OnIgnoreListRefreshed() = 0;
    virtual void OnAllPresenceReceived() = 0;
    virtual void OnContactUpdated(Contact* contact) = 0;
    virtual void onContactDeletedFromServer(Contact* contact, Group* group) = 0;
    virtual void OnMyIconChanged() = 0;
    virtual void OnMessageSentToChat(Message* message) = 0;
    virtual void OnMessageReceivedToChat(Message* message, Contact* contact) = 0;
    virtual void OnMessageSentToChatFailed(Message* message, Ixa::Base::String* text, int code) = 0;
    virtual void OnContactImageUpdated(Contact* contact) = 0;
};
