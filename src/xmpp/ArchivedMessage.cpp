#include "xmpp/ArchivedMessage.h"

#include "xmpp/OwnedField.h"

ArchivedMessage::ArchivedMessage() = default;

ArchivedMessage::~ArchivedMessage()
{
    delete source_;
    delete queryId_;
    delete archiveId_;
    delete stamp_;
    delete message_;
}

IMString* ArchivedMessage::getSource() { return source_; }

void ArchivedMessage::setSource(IMString* source) { OwnedField::replace(source_, source); }

IMString* ArchivedMessage::getQueryId() { return queryId_; }

void ArchivedMessage::setQueryId(IMString* queryId) { OwnedField::replace(queryId_, queryId); }

IMString* ArchivedMessage::getArchiveId() { return archiveId_; }

void ArchivedMessage::setArchiveId(IMString* archiveId) { OwnedField::replace(archiveId_, archiveId); }

IMString* ArchivedMessage::getStamp() { return stamp_; }

void ArchivedMessage::setStamp(IMString* stamp) { OwnedField::replace(stamp_, stamp); }



MessagePacket* ArchivedMessage::getMessage() { return message_; }

void ArchivedMessage::setMessage(MessagePacket* message)
{
    if (message != message_) {
        delete message_;
        message_ = message;
    }
}
