#include "engine/UnignoreUserCommand.h"

UnignoreUserCommand::UnignoreUserCommand() : BlockingCommand(false) {}

UnignoreUserCommand::~UnignoreUserCommand() = default;
