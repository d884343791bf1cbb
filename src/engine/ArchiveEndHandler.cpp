#include "engine/ArchiveEndHandler.h"

#include "engine/EngineAccess.h"
#include "engine/FetchArchiveCommand.h"
#include "xmpp/Connection.h"

ArchiveEndHandler::ArchiveEndHandler() = default;

ArchiveEndHandler::~ArchiveEndHandler() = default;

void ArchiveEndHandler::handlePayload(ArchiveFin& fin)
{
    if (fin.getType() != IQ::Type::RESULT) {
        return;
    }
    if (fin.isComplete() || fin.getLast() == nullptr || fin.getLast()->IsEmpty()) {
        finishCatchUp();
        return;
    }
    FetchArchiveCommand::queueNextPage(getRequestController(), *fin.getLast());
}

void ArchiveEndHandler::finishCatchUp()
{
    if (Connection* connection = EngineAccess::connection(getRequestController())) {
        ArchivePages& pages = connection->archivePages();
        std::lock_guard<std::mutex> guard(pages.lock);
        pages.catchUpFrom = IMString();
    }
}
