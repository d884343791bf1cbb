#include "platform/PlatformSession.h"

#include <QCoreApplication>

namespace Ixa {

PlatformSession::PlatformSession(int& argc, char** argv)
{
    if (QCoreApplication::instance() == nullptr)
        application_ = std::make_unique<QCoreApplication>(argc, argv);
}

PlatformSession::~PlatformSession() = default;

}  // namespace Ixa
