#include "engine/FetchArchiveCommand.h"

#include "engine/EngineAccess.h"
#include "engine/RequestController.h"
#include "store/MessageDAO.h"
#include "xmpp/ArchiveManager.h"
#include "xmpp/Connection.h"

FetchArchiveCommand::FetchArchiveCommand() = default;

FetchArchiveCommand::~FetchArchiveCommand() = default;

void FetchArchiveCommand::queue(RequestController* controller) { queueCommand(controller, new FetchArchiveCommand()); }

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
    ArchiveManager* archive = connection != nullptr ? connection->getArchiveManager() : nullptr;
    if (archive == nullptr) {
        return;
    }
    if (!after_.IsEmpty()) {
        archive->query(after_, IMString());
        return;
    }
    MessageDAO* messages = getRequestController()->GetMessageDAO();
    if (messages == nullptr) {
        return;
    }
    IMString last = messages->GetLastArchiveId();
    IMDateTime lastReceived;
    if (!last.IsEmpty()) {
        archive->query(last, IMString());
    } else if (messages->GetLastReceivedTime(lastReceived)) {
        archive->query(IMString(), IMString(lastReceived.ToString()));
    }
}
