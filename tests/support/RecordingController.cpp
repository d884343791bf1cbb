#include "RecordingController.h"

#include <algorithm>

namespace TestSupport {

RecordingController::RecordingController() = default;

RecordingController::~RecordingController() { Clear(); }

// Like the response thread, which hands a nameless notification to nobody: it goes unseen.
void RecordingController::addToResponseQueue(GtalkNotification* notification)
{
    IMString* name = notification->getNotificationName();
    if (name == nullptr) {
        delete notification;
        return;
    }
    std::lock_guard lock(mutex_);
    records_.push_back(Record{name->ToUtf8(), notification, Clock::now()});
    posted_.notify_all();
}

void RecordingController::addToCommandQueue(Command* command) { delete command; }

std::vector<std::string> RecordingController::Names()
{
    std::lock_guard lock(mutex_);
    std::vector<std::string> names;
    for (const Record& record : records_)
        names.push_back(record.name);
    return names;
}

size_t RecordingController::Count(const std::string& name)
{
    std::lock_guard lock(mutex_);
    return static_cast<size_t>(std::count_if(records_.begin(), records_.end(),
        [&name](const Record& record) { return record.name == name; }));
}

bool RecordingController::WaitFor(
    const std::string& name, size_t count, std::chrono::milliseconds timeout)
{
    std::unique_lock lock(mutex_);
    return posted_.wait_for(lock, timeout, [&] {
        return static_cast<size_t>(std::count_if(records_.begin(), records_.end(),
                   [&name](const Record& record) { return record.name == name; }))
            >= count;
    });
}

Ixa::Base::Object* RecordingController::ObjectOf(const std::string& name, size_t index)
{
    std::lock_guard lock(mutex_);
    const Record* record = Find(name, index);
    return record != nullptr ? record->notification->getXMPPObject() : nullptr;
}

RecordingController::Clock::time_point RecordingController::ArrivalOf(
    const std::string& name, size_t index)
{
    std::lock_guard lock(mutex_);
    const Record* record = Find(name, index);
    return record != nullptr ? record->arrival : Clock::time_point();
}

void RecordingController::Clear()
{
    std::lock_guard lock(mutex_);
    ClearLocked();
}

const RecordingController::Record* RecordingController::Find(const std::string& name, size_t index)
{
    for (const Record& record : records_) {
        if (record.name == name && index-- == 0)
            return &record;
    }
    return nullptr;
}

void RecordingController::ClearLocked()
{
    for (const Record& record : records_) {
        delete record.notification;
    }
    records_.clear();
}

}  // namespace TestSupport
