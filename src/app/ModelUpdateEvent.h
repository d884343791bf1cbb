// What EVENT_MODEL_UPDATE carries to the user-interface thread: the screen whose model updates
// are waiting in its queue. One wake-up stands for every update queued until the screen takes
// them. The screen is not owned (screens live until the application ends).
// Threading: made on any thread, used and deleted on the user-interface thread.
#pragma once

#include "platform/Object.h"

class IMScreen;

class ModelUpdateEvent : public Ixa::Base::Object {
public:
    explicit ModelUpdateEvent(IMScreen* screen);
    ~ModelUpdateEvent() override;

    IMScreen* GetScreen() const;

private:
    IMScreen* screen_;
};
