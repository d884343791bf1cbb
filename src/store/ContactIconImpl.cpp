#include "store/ContactIconImpl.h"

ContactIconImpl::ContactIconImpl()
    : image_(new IMByteBuffer())
{
    image_->Construct(0);
}

ContactIconImpl::~ContactIconImpl() { delete image_; }

void ContactIconImpl::SetImageByteBuffer(IMByteBuffer* image)
{
    if (image != nullptr) {
        image_->Construct(*image);
    }
}

IMByteBuffer* ContactIconImpl::GetImageByteBuffer() { return image_; }

void ContactIconImpl::SetContactId(const IMString& id) { contactId_ = id; }

const IMString& ContactIconImpl::GetContactId() const { return contactId_; }

const IMString& ContactIconImpl::GetIconValidity() const { return iconValidity_; }

void ContactIconImpl::SetIconValidity(const IMString& hash) { iconValidity_ = hash; }
