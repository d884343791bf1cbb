// The model updates that wait for one screen until the user-interface thread takes them, all
// at once. Only the first update of a batch asks for a wake-up, so a burst of changes costs
// the user-interface thread one delivery however many updates it holds, and the threads that
// add never wait for it.
// Threading: Add from any thread, the rest on the user-interface thread; one mutex guards the
// waiting updates and is never held while anything else runs. Ownership: the queue owns its
// copies of the notifications (which share their objects with the other copies).
#pragma once

#include "app/ModelNotification.h"

#include <mutex>
#include <vector>

class ModelUpdateQueue {
public:
    // True when the update is the first of a batch: the caller then asks for a wake-up.
    bool Add(const ModelNotification& update);
    // Every waiting update, oldest first; the next Add starts a new batch.
    std::vector<ModelNotification> TakeAll();

private:
    std::mutex lock_;
    std::vector<ModelNotification> waiting_;
};
