// One chat message as the message stores keep it: the other party's user id, text, type,
// time stamp, offline flag, the protocol layer's id text, and for saved copies the
// conversation key and protect flag. A received message also keeps the ids it came with: the
// sender's own id of the stanza, and the id under which the user's server archived it; both
// are empty when unknown, and they are what tells a message delivered twice from a new one.
//
// Ids: a message made by MessageModel::CreateMessage carries a new 64-bit id, unique among
// the stored messages whatever the clock does; the store files the message under it, and the
// protocol sends it as the id of an outgoing chat message, so that an error reply finds it.
// Threading and ownership: a record value owned by whoever created it (store results belong
// to the caller); no locking.
#pragma once

#include "foundation/IMDateTime.h"
#include "foundation/IMString.h"
#include "platform/Object.h"

class Message : public Ixa::Base::Object {
public:
    static constexpr int TYPE_RECEIVED_UNREAD = 0;
    static constexpr int TYPE_SENDING = 1;
    static constexpr int TYPE_SENT = 2;
    static constexpr int TYPE_RECEIVED_READ = 3;
    static constexpr int TYPE_SEND_FAILED = 4;

    ~Message() override = default;

    virtual const IMString& GetMessage() const = 0;
    virtual void SetMessage(const IMString& text) = 0;
    virtual void SetOtherUserId(const IMString& id) = 0;
    virtual const IMString& GetOtherUserId() const = 0;
    virtual void SetMessageType(int type) = 0;
    virtual int GetMessageType() const = 0;
    virtual const IMDateTime& GetTimeStamp() const = 0;
    virtual void SetTimeStamp(const IMDateTime& time) = 0;
    virtual bool IsOfflineMessage() const = 0;
    virtual void SetOfflineMessage(bool offline) = 0;
    virtual void SetProtocolId(const IMString& id) = 0;
    virtual const IMString& GetProtocolId() const = 0;
    virtual void SetStanzaId(const IMString& id) = 0;
    virtual const IMString& GetStanzaId() const = 0;
    virtual void SetArchiveId(const IMString& id) = 0;
    virtual const IMString& GetArchiveId() const = 0;
    virtual long long GetMessageId() const = 0;
    virtual void SetMessageId(long long id) = 0;
    virtual bool IsProtected() const = 0;
    virtual void SetIsProtected(bool isProtected) = 0;
    virtual bool IsSaved() const = 0;
    virtual void SetIsSaved(bool saved) = 0;
    virtual void SetUserid_TimeStamp(const IMString& key) = 0;
    virtual const IMString& GetUserid_TimeStamp() const = 0;
};
