#include "engine/BaseCommand.h"

BaseCommand::BaseCommand() = default;

BaseCommand::~BaseCommand() = default;

void BaseCommand::setRequestController(RequestController* controller) { requestController_ = controller; }

RequestController* BaseCommand::getRequestController() { return requestController_; }

void BaseCommand::setResponseDelegate(ResponseDelegate* delegate) { responseDelegate_ = delegate; }

ResponseDelegate* BaseCommand::getResponseDelegate() { return responseDelegate_; }

void BaseCommand::executeCommand(unsigned long*) {}

bool BaseCommand::verifyConnectionState() { return true; }

bool BaseCommand::shouldDelay() { return false; }
