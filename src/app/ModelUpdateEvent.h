// What EVENT_MODEL_UPDATE carries to the user-interface thread: the screen's own copy of a
// model notification and the screen to give it to. The screen is not owned (screens live
// until the application ends), so an event dropped undelivered frees only the copy.
// Threading: made on a worker thread, used and deleted on the user-interface thread.
#pragma once

#include "app/ModelNotification.h"

class IMScreen;

class ModelUpdateEvent : public Ixa::Base::Object {
public:
    ModelUpdateEvent(const ModelNotification& notification, IMScreen* screen);
    ~ModelUpdateEvent() override;

    ModelNotification& GetNotification();
    IMScreen* GetScreen() const;

private:
    ModelNotification notification_;
    IMScreen* screen_;
};
