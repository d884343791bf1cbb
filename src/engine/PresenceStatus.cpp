#include "engine/PresenceStatus.h"

PresenceStatus::PresenceStatus() = default;

PresenceStatus::PresenceStatus(int type) : presenceType_(type) {}

PresenceStatus::PresenceStatus(int type, Ixa::Base::String message, bool doNotDisturb, int deviceType)
    : presenceType_(type), customStatusMessage_(message), doNotDisturb_(doNotDisturb), deviceType_(deviceType)
{
}

PresenceStatus::PresenceStatus(PresenceStatus* other) : presenceType_(AVAILABLE)
{
    if (other != nullptr) {
        SetStatus(other);
    }
}

PresenceStatus::PresenceStatus(const PresenceStatus& other) = default;

PresenceStatus::~PresenceStatus() = default;

int PresenceStatus::GetPresenceStatus() const { return presenceType_; }

void PresenceStatus::SetPresenceStatus(int type) { presenceType_ = type; }

Ixa::Base::String& PresenceStatus::GetCustomStatusMessage() { return customStatusMessage_; }

void PresenceStatus::SetCustomStatusMessage(Ixa::Base::String& message) { customStatusMessage_ = message; }

bool PresenceStatus::GetDoNotDisturb() const { return doNotDisturb_; }

void PresenceStatus::SetDoNotDisturb(bool doNotDisturb) { doNotDisturb_ = doNotDisturb; }

bool PresenceStatus::GetInvisible() const { return invisible_; }

void PresenceStatus::SetInvisible(bool invisible) { invisible_ = invisible; }

int PresenceStatus::GetDeviceType() const { return deviceType_; }

void PresenceStatus::SetDeviceType(int deviceType) { deviceType_ = deviceType; }

void PresenceStatus::SetStatus(PresenceStatus* other) { *this = *other; }

bool PresenceStatus::Equals(PresenceStatus* other) const
{
    return other != nullptr && presenceType_ == other->presenceType_ && doNotDisturb_ == other->doNotDisturb_ &&
           invisible_ == other->invisible_ && customStatusMessage_.Equals(other->customStatusMessage_, true);
}
