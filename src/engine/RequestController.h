// The one door between the screens and the protocol engine. Every request is wrapped in a
// command and run on the request thread; every protocol event comes back as a notification
// handled on the response thread. Everything outside the engine holds the controller through
// this interface. Thread-safety: see GtalkRequestController.
//
// A pure interface defined in this header alone, so the protocol layer below the engine can
// post to it without a link dependency on the engine.
#pragma once

#include "engine/Command.h"
#include "engine/GtalkNotification.h"
#include "foundation/IMString.h"
#include "platform/Mutex.h"

class ContactDAO;
class ContactIconDAO;
class GroupDAO;
class MessageDAO;

class RequestController {
public:
    virtual ~RequestController() = default;

    virtual void init() = 0;
    virtual void uninit() = 0;
    virtual void reset() = 0;

    virtual void SetUsername(IMString* username) = 0;
    virtual void SetPassword(IMString* password) = 0;
    virtual IMString* GetUsername() = 0;
    virtual IMString* GetPassword() = 0;

    virtual void SetContactDAO(ContactDAO* contacts) = 0;
    virtual void SetGroupDAO(GroupDAO* groups) = 0;
    virtual void setContactIconDAO(ContactIconDAO* icons) = 0;
    virtual void SetMessageDAO(MessageDAO* messages) = 0;
    virtual ContactDAO* GetContactDAO() = 0;
    virtual GroupDAO* GetGroupDAO() = 0;
    virtual ContactIconDAO* GetContactIconDAO() = 0;
    virtual MessageDAO* GetMessageDAO() = 0;

    virtual Ixa::Base::Runtime::Mutex* GetMutex() = 0;
    virtual void SetSignInCancel(bool cancel) = 0;
    virtual bool GetSignInCancel() = 0;
    // Both queues take ownership of what they are given, posted or not.
    virtual void addToCommandQueue(Command* command) = 0;
    virtual void addToResponseQueue(GtalkNotification* notification) = 0;
};
