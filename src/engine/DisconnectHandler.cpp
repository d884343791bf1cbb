#include "engine/DisconnectHandler.h"

DisconnectHandler::DisconnectHandler() = default;

DisconnectHandler::~DisconnectHandler() = default;

void DisconnectHandler::handlePayload(Ixa::Base::Object&) {}
