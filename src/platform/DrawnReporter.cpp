#include "platform/DrawnReporter.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMetaObject>

#include <chrono>
#include <cstdio>

namespace Ixa::Ui {

// Paint events go to each widget that is redrawn, not to the window, so the filter watches the
// whole application and keeps those of this window.
DrawnReporter::DrawnReporter(QWidget& window) : window_(&window) { QCoreApplication::instance()->installEventFilter(this); }

DrawnReporter::~DrawnReporter()
{
    if (QCoreApplication* application = QCoreApplication::instance())
        application->removeEventFilter(this);
}

void DrawnReporter::Expect(const QString& label)
{
    label_ = label;
    expecting_ = true;
}

// A paint pass delivers its paint events one after another without returning to the event
// loop, so a call queued at the first of them runs once the whole pass is on screen.
bool DrawnReporter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::Paint || !expecting_ || queued_ || window_ == nullptr)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget != nullptr && widget->window() == window_) {
        queued_ = true;
        QMetaObject::invokeMethod(this, [this] { Report(); }, Qt::QueuedConnection);
    }
    return false;
}

void DrawnReporter::Report()
{
    queued_ = false;
    expecting_ = false;
    const std::chrono::duration<double, std::milli> now = std::chrono::steady_clock::now().time_since_epoch();
    std::printf("drawn %s %.3f\n", label_.toUtf8().constData(), now.count());
    std::fflush(stdout);
}

}  // namespace Ixa::Ui
