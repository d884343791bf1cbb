// A bounded queue of untyped pointers that hands items from producer threads to consumer
// threads. put never blocks: a full queue refuses the item (0x80000000 in `result`) and the
// caller keeps it. take blocks while the queue is empty; one consumer at a time is inside
// take, the others wait on the take lock. The queue never frees its elements.
// Thread-safety: every operation is safe from any thread.
#pragma once

#include "foundation/IMMonitor.h"
#include "foundation/IMMutex.h"
#include "foundation/ImDQueue.h"

class BlockingQueue : public ImDQueue {
public:
    static constexpr int DEFAULT_CAPACITY = 10;

    BlockingQueue();
    explicit BlockingQueue(int capacity);
    ~BlockingQueue() override;

    void put(void* item, unsigned long* result);
    // Queues `item` so that it is the next one taken.
    void putAtHead(void* item, unsigned long* result);
    void* take(unsigned long* result);
    // Like take, but waits at most once, and only when `wait` is 1 or more; null when empty.
    void* take(long wait, unsigned long* result);
    void* takeHelper();

private:
    void insert(void* item, bool atHead, unsigned long* result);
    void* takeLocked(bool waitUntilItem, long wait, unsigned long* result);

    IMMonitor* monitor_;
    IMMutex* takeLock_;
    int capacity_;
};
