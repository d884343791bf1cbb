#include "app/ModelUpdateQueue.h"

bool ModelUpdateQueue::Add(const ModelNotification& update)
{
    std::lock_guard<std::mutex> guard(lock_);
    waiting_.push_back(update);
    return waiting_.size() == 1;
}

std::vector<ModelNotification> ModelUpdateQueue::TakeAll()
{
    std::vector<ModelNotification> taken;
    std::lock_guard<std::mutex> guard(lock_);
    taken.swap(waiting_);
    return taken;
}
