#include "platform/ScreenshotRecorder.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QMetaObject>
#include <QPainter>
#include <QSaveFile>

namespace Ixa::Ui {

ScreenshotRecorder::ScreenshotRecorder(QWidget& window) : window_(&window)
{
    settle_.setSingleShot(true);
    QObject::connect(&settle_, &QTimer::timeout, this, [this] { Capture(); });
    window.installEventFilter(this);
}

ScreenshotRecorder::~ScreenshotRecorder()
{
    if (window_ != nullptr)
        window_->removeEventFilter(this);
}

void ScreenshotRecorder::SetDirectory(const QString& directory)
{
    directory_ = directory;
    if (!directory_.isEmpty())
        QDir().mkpath(directory_);
}

void ScreenshotRecorder::Request(const QString& label)
{
    label_ = label.isEmpty() ? QStringLiteral("form") : label;
    if (directory_.isEmpty())
        return;
    QPointer<ScreenshotRecorder> self(this);
    QMetaObject::invokeMethod(QCoreApplication::instance(), [self] {
        if (self != nullptr)
            self->Capture();
    }, Qt::QueuedConnection);
}

// Widgets ask their top-level window to repaint through an update request, so one filter on
// the window sees every redraw of every control on it.
bool ScreenshotRecorder::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == window_ && event->type() == QEvent::UpdateRequest && !directory_.isEmpty())
        OnRedrawn();
    return false;
}

void ScreenshotRecorder::OnRedrawn()
{
    if (!settle_.isActive())
        waitingSince_.start();
    else if (waitingSince_.elapsed() >= MaxWaitMs)
        return;
    settle_.start(SettleMs);
}

void ScreenshotRecorder::Capture()
{
    settle_.stop();
    if (window_ == nullptr || directory_.isEmpty())
        return;
    QImage image = Render(*window_);
    if (image == last_)
        return;
    const QString path = QDir(directory_).filePath(
        QStringLiteral("%1-%2.png").arg(++sequence_, 4, 10, QLatin1Char('0')).arg(label_));
    if (Write(image, path))
        ++saved_;
    last_ = std::move(image);
}

bool ScreenshotRecorder::Save(QWidget& window, const QString& path) { return Write(Render(window), path); }

// Rendering into an image works with and without a display.
QImage ScreenshotRecorder::Render(QWidget& window)
{
    QImage image(window.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::black);
    QPainter painter(&image);
    window.render(&painter);
    painter.end();
    return image;
}

bool ScreenshotRecorder::Write(const QImage& image, const QString& path)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && image.save(&file, "PNG") && file.commit();
}

}  // namespace Ixa::Ui
