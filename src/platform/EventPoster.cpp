#include "platform/EventPoster.h"

#include <QCoreApplication>

#include <mutex>

namespace Ixa::Base::Runtime {

namespace {

std::mutex& PostingMutex()
{
    static std::mutex mutex;
    return mutex;
}

}  // namespace

void EventPoster::Post(QObject& receiver, QEvent::Type type)
{
    std::lock_guard lock(PostingMutex());
    QCoreApplication::postEvent(&receiver, new QEvent(type));
}

void EventPoster::DeleteLater(QObject& object)
{
    std::lock_guard lock(PostingMutex());
    object.deleteLater();
}

bool EventPoster::HasType(const QEvent& event, QEvent::Type type)
{
    std::lock_guard lock(PostingMutex());
    return event.type() == type;
}

}  // namespace Ixa::Base::Runtime
