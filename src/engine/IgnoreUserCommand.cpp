#include "engine/IgnoreUserCommand.h"

IgnoreUserCommand::IgnoreUserCommand() : BlockingCommand(true) {}

IgnoreUserCommand::~IgnoreUserCommand() = default;

void IgnoreUserCommand::setUsername(IMString* user) { adoptUsername(user); }
