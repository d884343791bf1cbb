#include "support/ScopedEnvironment.h"

#include <cstdlib>

namespace TestSupport {

ScopedEnvironment::ScopedEnvironment(std::string name, const std::string& value) : name_(std::move(name))
{
    if (const char* previous = std::getenv(name_.c_str()))
        previous_ = previous;
    setenv(name_.c_str(), value.c_str(), 1);
}

ScopedEnvironment::~ScopedEnvironment()
{
    if (previous_)
        setenv(name_.c_str(), previous_->c_str(), 1);
    else
        unsetenv(name_.c_str());
}

}  // namespace TestSupport
