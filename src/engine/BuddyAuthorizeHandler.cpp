#include "engine/BuddyAuthorizeHandler.h"

#include "engine/ResponseDelegate.h"

BuddyAuthorizeHandler::BuddyAuthorizeHandler() = default;

BuddyAuthorizeHandler::~BuddyAuthorizeHandler() = default;

void BuddyAuthorizeHandler::handlePayload(Presence& presence)
{
    ResponseDelegate* delegate = getResponseDelegate();
    if (presence.getPresenceType() == Presence::Type::SUBSCRIBE && presence.getFrom() != nullptr && delegate != nullptr) {
        delegate->OnPresenceSubscriptionRequested(presence.getFrom(), nullptr, nullptr);
    }
}
