#include "engine/ContactBatch.h"

#include "store/ContactModel.h"

ContactBatch::ContactBatch(ContactDAO* contacts)
{
    auto model = dynamic_cast<ContactModel*>(contacts);
    if (model != nullptr && model->BeginBatch()) {
        model_ = model;
    }
}

ContactBatch::~ContactBatch()
{
    if (model_ != nullptr) {
        model_->EndBatch();
    }
}
