// A model update as the screens receive it: a notification code (NOTIFY_...) and the object
// it concerns. Copies share the object, which goes when the last copy goes, so one update can
// reach several screens on different schedules without being freed twice.
// Threading: a copy may travel to another thread; the object itself is only read there.
#pragma once

#include "platform/Object.h"

#include <memory>

class ModelNotification : public Ixa::Base::Object {
public:
    ModelNotification(int type, std::shared_ptr<void> data);
    ModelNotification(const ModelNotification& other);
    ~ModelNotification() override;

    int getNotificationType() const;
    void* getNotificationData() const;

private:
    int type_;
    std::shared_ptr<void> data_;
};
