// Told when the handset's screen is switched on or off.
// Threading: called on the user-interface thread.
#pragma once

namespace Ixa::System {

class IScreenEventListener {
public:
    virtual ~IScreenEventListener() = default;
    virtual void OnScreenOn() = 0;
    virtual void OnScreenOff() = 0;
};

}  // namespace Ixa::System
