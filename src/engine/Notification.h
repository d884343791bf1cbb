// What the model-side delegate hands to the screens through a model's notify: a type code
// (the model side's NOTIFY_ codes) and the data it concerns. The record does not own the
// data; the model side decides its fate. Thread-safety: a value, used by one thread at a time.
#pragma once

class Notification {
public:
    Notification(int type, void* data);
    ~Notification();

    int getNotificationType() const;
    void* getNotificationData() const;

private:
    int type_;
    void* data_;
};
