// The one implementation of Message. A new message has empty texts, type 0, id 0, the
// default date and no flags. Threading and ownership: as Message.
#pragma once

#include "store/Message.h"

class MessageImpl : public Message {
public:
    MessageImpl();
    ~MessageImpl() override;

    const IMString& GetMessage() const override;
    void SetMessage(const IMString& text) override;
    void SetOtherUserId(const IMString& id) override;
    const IMString& GetOtherUserId() const override;
    void SetMessageType(int type) override;
    int GetMessageType() const override;
    const IMDateTime& GetTimeStamp() const override;
    void SetTimeStamp(const IMDateTime& time) override;
    bool IsOfflineMessage() const override;
    void SetOfflineMessage(bool offline) override;
    void SetProtocolId(const IMString& id) override;
    const IMString& GetProtocolId() const override;
    void SetStanzaId(const IMString& id) override;
    const IMString& GetStanzaId() const override;
    void SetArchiveId(const IMString& id) override;
    const IMString& GetArchiveId() const override;
    long long GetMessageId() const override;
    void SetMessageId(long long id) override;
    bool IsProtected() const override;
    void SetIsProtected(bool isProtected) override;
    bool IsSaved() const override;
    void SetIsSaved(bool saved) override;
    void SetUserid_TimeStamp(const IMString& key) override;
    const IMString& GetUserid_TimeStamp() const override;

private:
    IMString otherUserId_;
    IMString protocolId_;
    IMString stanzaId_;
    IMString archiveId_;
    IMString message_;
    IMString useridTimeStamp_;
    int messageType_ = 0;
    long long messageId_ = 0;
    IMDateTime timeStamp_;
    bool offline_ = false;
    bool saved_ = false;
    bool protected_ = false;
};
