#include "platform/PlatformSession.h"

#include "platform/UiThreadCalls.h"

#include <QCoreApplication>

namespace Ixa {

namespace {

std::unique_ptr<QCoreApplication> MakeConsoleApplication(int& argc, char** argv)
{
    if (QCoreApplication::instance() != nullptr)
        return nullptr;
    return std::make_unique<QCoreApplication>(argc, argv);
}

}  // namespace

PlatformSession::PlatformSession(int& argc, char** argv) : PlatformSession(MakeConsoleApplication(argc, argv)) {}

PlatformSession::PlatformSession(std::unique_ptr<QCoreApplication> application) : application_(std::move(application))
{
    if (application_ != nullptr)
        Ui::UiThreadCalls::Open();
}

PlatformSession::~PlatformSession() = default;

}  // namespace Ixa
