#include "foundation/BlockingQueue.h"

BlockingQueue::BlockingQueue() : BlockingQueue(DEFAULT_CAPACITY) {}

BlockingQueue::BlockingQueue(int capacity) : monitor_(new IMMonitor()), takeLock_(new IMMutex()), capacity_(capacity)
{
    takeLock_->Create();
}

BlockingQueue::~BlockingQueue()
{
    delete monitor_;
    delete takeLock_;
}

void BlockingQueue::put(void* item, unsigned long* result) { insert(item, false, result); }

void BlockingQueue::putAtHead(void* item, unsigned long* result) { insert(item, true, result); }

// Items go in at the front and leave from the back, so they leave in the order they came;
// an item put at the head goes in at the back and leaves next.
void BlockingQueue::insert(void* item, bool atHead, unsigned long* result)
{
    Ixa::result entered = monitor_->Enter();
    if (Ixa::IsFailed(entered)) {
        *result = entered;
        return;
    }
    if (size() >= capacity_) {
        monitor_->Exit();
        *result = Ixa::E_FAILURE;
        return;
    }
    *result = Ixa::E_SUCCESS;
    if (atHead) {
        push_back(item);
    } else {
        push_front(item);
    }
    if (size() == 1) {
        *result = monitor_->NotifyAll();
    }
    monitor_->Exit();
}

void* BlockingQueue::take(unsigned long* result) { return takeLocked(true, 0, result); }

void* BlockingQueue::take(long wait, unsigned long* result) { return takeLocked(false, wait, result); }

void* BlockingQueue::takeLocked(bool waitUntilItem, long wait, unsigned long* result)
{
    takeLock_->Acquire();
    *result = monitor_->Enter();
    if (Ixa::IsFailed(*result)) {
        takeLock_->Release();
        return nullptr;
    }
    bool mayWait = waitUntilItem || wait >= 1;
    while (size() == 0 && mayWait) {
        *result = monitor_->Wait();
        if (Ixa::IsFailed(*result)) {
            monitor_->Exit();
            takeLock_->Release();
            return nullptr;
        }
        mayWait = waitUntilItem;
    }
    void* item = takeHelper();
    *result = monitor_->Exit();
    takeLock_->Release();
    return item;
}

void* BlockingQueue::takeHelper() { return pop_back(); }
