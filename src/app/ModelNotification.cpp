#include "app/ModelNotification.h"

#include <utility>

ModelNotification::ModelNotification(int type, std::shared_ptr<void> data)
    : type_(type)
    , data_(std::move(data))
{
}

ModelNotification::ModelNotification(const ModelNotification& other)
    : Ixa::Base::Object()
    , type_(other.type_)
    , data_(other.data_)
{
}

ModelNotification::~ModelNotification() = default;

int ModelNotification::getNotificationType() const { return type_; }

void* ModelNotification::getNotificationData() const { return data_.get(); }
