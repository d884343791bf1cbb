#include "engine/ArchiveEndHandler.h"

#include "engine/EngineAccess.h"
#include "engine/FetchArchiveCommand.h"
#include "xmpp/Connection.h"

ArchiveEndHandler::ArchiveEndHandler() = default;

ArchiveEndHandler::~ArchiveEndHandler() = default;

void ArchiveEndHandler::handlePayload(ArchiveFin& fin)
{
    if (fin.getType() == IQ::Type::ERROR) {
        goOnByTime();
        return;
    }
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
        connection->archivePages().finishCatchUp();
    }
}

// Once only: a page by time refused as well ends the catch-up rather than ask forever.
void ArchiveEndHandler::goOnByTime()
{
    Connection* connection = EngineAccess::connection(getRequestController());
    IMString since;
    if (connection != nullptr && connection->archivePages().fallBackToTime(since)) {
        FetchArchiveCommand::queueByTime(getRequestController(), since);
    }
}
