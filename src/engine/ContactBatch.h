// Runs the contact-store writes of one scope as one transaction, so that merging a roster of
// thousands of contacts costs one commit. It batches only when the store is the process-wide
// contact model; any other store is written call by call.
// While the batch is open the response thread holds the model's lock, so nothing that may
// wait for another thread (delegate callbacks, which reach the screens) may run inside it.
// Threading: begin and end on one thread. Ownership: borrows the store.
#pragma once

class ContactDAO;
class ContactModel;

class ContactBatch {
public:
    explicit ContactBatch(ContactDAO* contacts);
    ~ContactBatch();

    ContactBatch(const ContactBatch&) = delete;
    ContactBatch& operator=(const ContactBatch&) = delete;

private:
    ContactModel* model_ = nullptr;
};
