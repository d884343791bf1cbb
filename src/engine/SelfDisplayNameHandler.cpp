#include "engine/SelfDisplayNameHandler.h"

#include "engine/ResponseDelegate.h"

SelfDisplayNameHandler::SelfDisplayNameHandler() = default;

SelfDisplayNameHandler::~SelfDisplayNameHandler() = default;

void SelfDisplayNameHandler::handlePayload(UserSettings& settings)
{
    if (ResponseDelegate* delegate = getResponseDelegate()) {
        delegate->OnMyDisplayNameChanged(settings.getDisplayName());
    }
}
