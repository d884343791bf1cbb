#include "engine/Notification.h"

Notification::Notification(int type, void* data) : type_(type), data_(data) {}

Notification::~Notification() = default;

int Notification::getNotificationType() const { return type_; }

void* Notification::getNotificationData() const { return data_; }
