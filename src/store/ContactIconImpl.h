// The one implementation of ContactIcon: a new record has an empty picture, contact id and
// hash. Threading and ownership: as ContactIcon.
#pragma once

#include "store/ContactIcon.h"

class ContactIconImpl : public ContactIcon {
public:
    ContactIconImpl();
    ~ContactIconImpl() override;

    ContactIconImpl(const ContactIconImpl&) = delete;
    ContactIconImpl& operator=(const ContactIconImpl&) = delete;

    void SetImageByteBuffer(IMByteBuffer* image) override;
    IMByteBuffer* GetImageByteBuffer() override;
    void SetContactId(const IMString& id) override;
    const IMString& GetContactId() const override;
    const IMString& GetIconValidity() const override;
    void SetIconValidity(const IMString& hash) override;

private:
    IMByteBuffer* image_;
    IMString contactId_;
    IMString iconValidity_;
};
