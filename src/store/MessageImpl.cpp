#include "store/MessageImpl.h"

MessageImpl::MessageImpl() = default;

MessageImpl::~MessageImpl() = default;

const IMString& MessageImpl::GetMessage() const { return message_; }

void MessageImpl::SetMessage(const IMString& text) { message_ = text; }

void MessageImpl::SetOtherUserId(const IMString& id) { otherUserId_ = id; }

const IMString& MessageImpl::GetOtherUserId() const { return otherUserId_; }

void MessageImpl::SetMessageType(int type) { messageType_ = type; }

int MessageImpl::GetMessageType() const { return messageType_; }

const IMDateTime& MessageImpl::GetTimeStamp() const { return timeStamp_; }

void MessageImpl::SetTimeStamp(const IMDateTime& time) { timeStamp_ = time; }

bool MessageImpl::IsOfflineMessage() const { return offline_; }

void MessageImpl::SetOfflineMessage(bool offline) { offline_ = offline; }

void MessageImpl::SetProtocolId(const IMString& id) { protocolId_ = id; }

const IMString& MessageImpl::GetProtocolId() const { return protocolId_; }

void MessageImpl::SetStanzaId(const IMString& id) { stanzaId_ = id; }

const IMString& MessageImpl::GetStanzaId() const { return stanzaId_; }

void MessageImpl::SetArchiveId(const IMString& id) { archiveId_ = id; }

const IMString& MessageImpl::GetArchiveId() const { return archiveId_; }

long long MessageImpl::GetMessageId() const { return messageId_; }

void MessageImpl::SetMessageId(long long id) { messageId_ = id; }

bool MessageImpl::IsProtected() const { return protected_; }

void MessageImpl::SetIsProtected(bool isProtected) { protected_ = isProtected; }

bool MessageImpl::IsSaved() const { return saved_; }

void MessageImpl::SetIsSaved(bool saved) { saved_ = saved; }

void MessageImpl::SetUserid_TimeStamp(const IMString& key) { useridTimeStamp_ = key; }

const IMString& MessageImpl::GetUserid_TimeStamp() const { return useridTimeStamp_; }
