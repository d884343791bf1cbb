#include "app/SubscriptionQueue.h"

#include "app/IMManager.h"

#include <algorithm>

bool SubscriptionQueue::Add(const Ixa::Base::String& user)
{
    if (std::find(users_.begin(), users_.end(), user) == users_.end()) {
        users_.push_back(user);
    }
    return users_.front() == user;
}

Ixa::Base::String SubscriptionQueue::Oldest() const { return users_.empty() ? Ixa::Base::String() : users_.front(); }

void SubscriptionQueue::AnswerOldest(bool allow)
{
    if (users_.empty()) {
        return;
    }
    IMString user(users_.front());
    users_.pop_front();
    RequestController* requests = IMManager::GetRequestController();
    if (requests == nullptr) {
        return;
    }
    IMString reason("test");
    if (allow) {
        requests->AllowPresenceSubscription(&user, &reason);
    } else {
        requests->DenyPresenceSubscription(&user, &reason);
    }
}
