#include "platform/WidgetSession.h"

#include <QApplication>
#include <QDir>

#include <sys/stat.h>
#include <unistd.h>

namespace Ixa {

namespace {

// Widgets need a display; a machine without one draws into memory instead.
void ChooseOffscreenWithoutDisplay()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")
        && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

// Qt's widget start-up wants a private runtime directory and warns (fatally under
// QT_FATAL_WARNINGS) when the session has none, as under CI.
void EnsureRuntimeDirectory()
{
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        return;
    const QByteArray directory = QDir::tempPath().toUtf8() + "/veloim-runtime-" + QByteArray::number(getuid());
    mkdir(directory.constData(), 0700);
    chmod(directory.constData(), 0700);
    qputenv("XDG_RUNTIME_DIR", directory);
}

std::unique_ptr<QCoreApplication> MakeWidgetApplication(int& argc, char** argv)
{
    if (QCoreApplication::instance() != nullptr)
        return nullptr;
    ChooseOffscreenWithoutDisplay();
    EnsureRuntimeDirectory();
    return std::make_unique<QApplication>(argc, argv);
}

}  // namespace

WidgetSession::WidgetSession(int& argc, char** argv) : PlatformSession(MakeWidgetApplication(argc, argv)) {}

}  // namespace Ixa
