#include "engine/UserCommand.h"

#include "engine/UserId.h"

UserCommand::UserCommand() = default;

UserCommand::~UserCommand() { delete username_; }

void UserCommand::setUsername(IMString* user) { adoptUsername(user != nullptr ? new IMString(*user) : nullptr); }

IMString* UserCommand::getUsername() { return username_; }

void UserCommand::adoptUsername(IMString* user)
{
    if (user != username_) {
        delete username_;
        username_ = user;
    }
}

bool UserCommand::completeUsername()
{
    UserId::complete(username_);
    return username_ != nullptr;
}
