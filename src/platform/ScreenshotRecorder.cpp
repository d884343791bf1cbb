#include "platform/ScreenshotRecorder.h"

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QMetaObject>
#include <QPainter>

namespace Ixa::Ui {

ScreenshotRecorder::ScreenshotRecorder(QWidget& window) : window_(&window) {}

void ScreenshotRecorder::SetDirectory(const QString& directory)
{
    directory_ = directory;
    if (!directory_.isEmpty())
        QDir().mkpath(directory_);
}

void ScreenshotRecorder::Request(const QString& label)
{
    if (directory_.isEmpty())
        return;
    const QString path = QDir(directory_).filePath(
        QStringLiteral("%1-%2.png").arg(++sequence_, 4, 10, QLatin1Char('0')).arg(label.isEmpty() ? QStringLiteral("form") : label));
    QPointer<QWidget> window = window_;
    QMetaObject::invokeMethod(QCoreApplication::instance(), [this, window, path] {
        if (window != nullptr && Save(*window, path))
            ++saved_;
    }, Qt::QueuedConnection);
}

bool ScreenshotRecorder::Save(QWidget& window, const QString& path)
{
    // Rendering into an image works with and without a display.
    QImage image(window.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::black);
    QPainter painter(&image);
    window.render(&painter);
    painter.end();
    return image.save(path, "PNG");
}

}  // namespace Ixa::Ui
