#include "engine/FetchArchiveCommand.h"

#include "engine/EngineAccess.h"
#include "engine/Reconnector.h"
#include "engine/RequestController.h"
#include "foundation/IMDateTime.h"
#include "foundation/IMSystemTime.h"
#include "store/MessageDAO.h"
#include "xmpp/ArchiveManager.h"
#include "xmpp/Connection.h"

FetchArchiveCommand::FetchArchiveCommand() = default;

FetchArchiveCommand::~FetchArchiveCommand() = default;

void FetchArchiveCommand::queue(RequestController* controller)
{
    MessageDAO* messages = controller != nullptr ? controller->GetMessageDAO() : nullptr;
    if (messages == nullptr) {
        return;
    }
    IMString after = messages->GetLastArchiveId();
    IMString gapBegan = lastReceived(*messages);
    if (Connection* connection = EngineAccess::connection(controller)) {
        after = connection->archivePages().startCatchUp(after, gapBegan);
    }
    queueCommand(controller, startingAt(after, gapBegan));
}

void FetchArchiveCommand::queueByTime(RequestController* controller, const IMString& since)
{
    queueCommand(controller, startingAt(IMString(), since));
}

void FetchArchiveCommand::poll(RequestController* controller)
{
    Connection* connection = EngineAccess::connection(controller);
    MessageDAO* messages = controller != nullptr ? controller->GetMessageDAO() : nullptr;
    if (connection == nullptr || messages == nullptr || !connection->archivePages().unfinishedCatchUp().IsEmpty()) {
        return;
    }
    if (messages->GetLastArchiveId().IsEmpty() && lastReceived(*messages).IsEmpty()) {
        queueByTime(controller, pollWindowStart());
        return;
    }
    queue(controller);
}

IMString FetchArchiveCommand::pollWindowStart()
{
    IMDateTime start;
    IMSystemTime::GetCurrentTime(Ixa::System::UTC_TIME, start);
    start.AddMinutes(-POLL_WINDOW_MINUTES);
    return IMString(start.ToString());
}

FetchArchiveCommand* FetchArchiveCommand::startingAt(const IMString& after, const IMString& gapBegan)
{
    if (after.IsEmpty() && gapBegan.IsEmpty()) {
        return nullptr;
    }
    auto command = new FetchArchiveCommand();
    command->after_ = after;
    command->notBefore_ = gapBegan;
    if (after.IsEmpty()) {
        command->start_ = gapBegan;
    }
    return command;
}

IMString FetchArchiveCommand::lastReceived(MessageDAO& messages)
{
    IMDateTime time;
    return messages.GetLastReceivedTime(time) ? IMString(time.ToString()) : IMString();
}

void FetchArchiveCommand::resumeCatchUp(RequestController* controller)
{
    Connection* connection = EngineAccess::connection(controller);
    if (connection == nullptr) {
        return;
    }
    const IMString from = connection->archivePages().unfinishedCatchUp();
    if (!from.IsEmpty()) {
        queueNextPage(controller, from);
    }
}

void FetchArchiveCommand::queueNextPage(RequestController* controller, const IMString& last)
{
    auto command = new FetchArchiveCommand();
    command->after_ = last;
    queueCommand(controller, command);
}

void FetchArchiveCommand::queueCommand(RequestController* controller, FetchArchiveCommand* command)
{
    if (command == nullptr) {
        return;
    }
    if (controller == nullptr) {
        delete command;
        return;
    }
    command->setRequestController(controller);
    controller->addToCommandQueue(command);
}

void FetchArchiveCommand::executeCommand(unsigned long* result)
{
    *result = Ixa::E_SUCCESS;
    // A query sent while a reconnect signs in would reach a stream not yet ready for it and be
    // lost; the catch-up goes on once the session is back (resumeCatchUp, or the fresh
    // session's own catch-up), from where it started.
    Reconnector* reconnector = getRequestController()->GetReconnector();
    if (reconnector != nullptr && reconnector->isActive()) {
        return;
    }
    Connection* connection = EngineAccess::connection(getRequestController());
    if (ArchiveManager* archive = connection != nullptr ? connection->getArchiveManager() : nullptr) {
        archive->query(after_, start_, notBefore_);
    }
}
