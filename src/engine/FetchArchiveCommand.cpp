#include "engine/FetchArchiveCommand.h"

#include "engine/EngineAccess.h"
#include "engine/RequestController.h"
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
    auto command = new FetchArchiveCommand();
    command->after_ = messages->GetLastArchiveId();
    if (Connection* connection = EngineAccess::connection(controller)) {
        ArchivePages& pages = connection->archivePages();
        std::lock_guard<std::mutex> guard(pages.lock);
        if (pages.catchUpFrom.IsEmpty()) {
            pages.catchUpFrom = command->after_;
        } else {
            command->after_ = pages.catchUpFrom;
        }
    }
    IMDateTime lastReceived;
    if (messages->GetLastReceivedTime(lastReceived)) {
        command->notBefore_ = IMString(lastReceived.ToString());
    }
    if (command->after_.IsEmpty()) {
        command->start_ = command->notBefore_;
    }
    if (command->after_.IsEmpty() && command->start_.IsEmpty()) {
        delete command;
        return;
    }
    queueCommand(controller, command);
}

void FetchArchiveCommand::queueNextPage(RequestController* controller, const IMString& last)
{
    auto command = new FetchArchiveCommand();
    command->after_ = last;
    queueCommand(controller, command);
}

void FetchArchiveCommand::queueCommand(RequestController* controller, FetchArchiveCommand* command)
{
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
    Connection* connection = EngineAccess::connection(getRequestController());
    if (ArchiveManager* archive = connection != nullptr ? connection->getArchiveManager() : nullptr) {
        archive->query(after_, start_, notBefore_);
    }
}
