#include "engine/ArchiveEndHandler.h"

#include "engine/FetchArchiveCommand.h"

ArchiveEndHandler::ArchiveEndHandler() = default;

ArchiveEndHandler::~ArchiveEndHandler() = default;

void ArchiveEndHandler::handlePayload(ArchiveFin& fin)
{
    if (fin.getType() != IQ::Type::RESULT || fin.isComplete() || fin.getLast() == nullptr || fin.getLast()->IsEmpty()) {
        return;
    }
    FetchArchiveCommand::queueNextPage(getRequestController(), *fin.getLast());
}
