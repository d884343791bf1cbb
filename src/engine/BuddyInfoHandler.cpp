#include "engine/BuddyInfoHandler.h"

BuddyInfoHandler::BuddyInfoHandler() = default;

BuddyInfoHandler::~BuddyInfoHandler() = default;

void BuddyInfoHandler::handlePayload(Ixa::Base::Object&) {}
