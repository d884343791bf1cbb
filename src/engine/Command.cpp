#include "engine/Command.h"

Command::Command() = default;

Command::~Command() = default;

void Command::executeCommand(unsigned long*) {}
