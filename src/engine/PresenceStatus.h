// How a user is shown to others: a presence type code, a status message and two flags.
// The same codes serve the user's own status and every contact's presence:
//   -2 never seen, -1 offline or invisible, 0 available, 2 busy,
//   9 away (from the shared status), 999 away (from a contact's presence).
// Thread-safety: a value type; one instance is not shared between threads without a lock.
#pragma once

#include "foundation/IMString.h"

class PresenceStatus : public Ixa::Base::Object {
public:
    static constexpr int NEVER_SEEN = -2;
    static constexpr int OFFLINE = -1;
    static constexpr int AVAILABLE = 0;
    static constexpr int BUSY = 2;
    static constexpr int AWAY = 9;
    static constexpr int AWAY_IDLE = 999;

    PresenceStatus();
    explicit PresenceStatus(int type);
    PresenceStatus(int type, Ixa::Base::String message, bool doNotDisturb, int deviceType);
    // A copy of `other`, or an available status without a message when `other` is null.
    explicit PresenceStatus(PresenceStatus* other);
    PresenceStatus(const PresenceStatus& other);
    ~PresenceStatus() override;

    PresenceStatus& operator=(const PresenceStatus& other) = default;

    int GetPresenceStatus() const;
    void SetPresenceStatus(int type);
    Ixa::Base::String& GetCustomStatusMessage();
    void SetCustomStatusMessage(Ixa::Base::String& message);
    bool GetDoNotDisturb() const;
    void SetDoNotDisturb(bool doNotDisturb);
    bool GetInvisible() const;
    void SetInvisible(bool invisible);
    int GetDeviceType() const;
    void SetDeviceType(int deviceType);

    // Copies all five fields; `other` must not be null.
    void SetStatus(PresenceStatus* other);
    // Type, both flags and the message (case-sensitive) agree; the device type is ignored.
    bool Equals(PresenceStatus* other) const;
    using Ixa::Base::Object::Equals;

private:
    int presenceType_ = NEVER_SEEN;
    Ixa::Base::String customStatusMessage_;
    bool doNotDisturb_ = false;
    bool invisible_ = false;
    int deviceType_ = 0;
};
