// How a user is shown to others: a presence type code, a status message and two flags.
// The same codes serve the user's own status and every contact's presence:
//   -2 never seen, -1 offline or invisible, 0 available, 2 busy,
//   9 away (from the shared status), 999 away (from a contact's presence).
// Header-only, since the protocol layer beneath the engine builds these too and must not
// depend on the engine library for them.
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

    PresenceStatus() = default;
    explicit PresenceStatus(int type) : presenceType_(type) {}
    PresenceStatus(int type, Ixa::Base::String message, bool doNotDisturb, int deviceType)
        : presenceType_(type), customStatusMessage_(message), doNotDisturb_(doNotDisturb), deviceType_(deviceType)
    {
    }
    // A copy of `other`, or an available status without a message when `other` is null.
    explicit PresenceStatus(PresenceStatus* other) : presenceType_(AVAILABLE)
    {
        if (other != nullptr) {
            SetStatus(other);
        }
    }
    PresenceStatus(const PresenceStatus& other) = default;
    ~PresenceStatus() override = default;

    PresenceStatus& operator=(const PresenceStatus& other) = default;

    int GetPresenceStatus() const { return presenceType_; }
    void SetPresenceStatus(int type) { presenceType_ = type; }
    Ixa::Base::String& GetCustomStatusMessage() { return customStatusMessage_; }
    const Ixa::Base::String& GetCustomStatusMessage() const { return customStatusMessage_; }
    void SetCustomStatusMessage(Ixa::Base::String& message) { customStatusMessage_ = message; }
    bool GetDoNotDisturb() const { return doNotDisturb_; }
    void SetDoNotDisturb(bool doNotDisturb) { doNotDisturb_ = doNotDisturb; }
    bool GetInvisible() const { return invisible_; }
    void SetInvisible(bool invisible) { invisible_ = invisible; }
    int GetDeviceType() const { return deviceType_; }
    void SetDeviceType(int deviceType) { deviceType_ = deviceType; }

    // Copies all five fields; `other` must not be null.
    void SetStatus(PresenceStatus* other) { *this = *other; }
    // Type, both flags and the message (case-sensitive) agree; the device type is ignored.
    bool Equals(PresenceStatus* other) const
    {
        return other != nullptr && presenceType_ == other->presenceType_ && doNotDisturb_ == other->doNotDisturb_ &&
               invisible_ == other->invisible_ && customStatusMessage_.Equals(other->customStatusMessage_, true);
    }
    using Ixa::Base::Object::Equals;

private:
    int presenceType_ = NEVER_SEEN;
    Ixa::Base::String customStatusMessage_;
    bool doNotDisturb_ = false;
    bool invisible_ = false;
    int deviceType_ = 0;
};
