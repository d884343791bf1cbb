// One contact's avatar as the avatar store keeps it: the contact id, the picture bytes as
// received, and the avatar hash ("icon validity") the picture belongs to. Threading and
// ownership: a record value owned by whoever created it; it owns its picture buffer.
#pragma once

#include "foundation/IMByteBuffer.h"
#include "foundation/IMString.h"
#include "platform/Object.h"

class ContactIcon : public Ixa::Base::Object {
public:
    ~ContactIcon() override = default;

    // Makes the record's picture a copy of `image`; null changes nothing.
    virtual void SetImageByteBuffer(IMByteBuffer* image) = 0;
    virtual IMByteBuffer* GetImageByteBuffer() = 0;
    virtual void SetContactId(const IMString& id) = 0;
    virtual const IMString& GetContactId() const = 0;
    virtual const IMString& GetIconValidity() const = 0;
    virtual void SetIconValidity(const IMString& hash) = 0;
};
