#include "app/ModelUpdateEvent.h"

ModelUpdateEvent::ModelUpdateEvent(IMScreen* screen)
    : screen_(screen)
{
}

ModelUpdateEvent::~ModelUpdateEvent() = default;

IMScreen* ModelUpdateEvent::GetScreen() const { return screen_; }
