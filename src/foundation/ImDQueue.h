// A double-ended queue of untyped pointers in doubly linked nodes. It owns its nodes only:
// elements are never touched. Thread-safety: none; BlockingQueue locks around it.
#pragma once

class ImDQueue {
public:
    ImDQueue();
    virtual ~ImDQueue();

    ImDQueue(const ImDQueue&) = delete;
    ImDQueue& operator=(const ImDQueue&) = delete;

    void push_back(void* item);
    void push_front(void* item);
    // The element at the front or back, unlinked; null on an empty queue.
    void* pop_front();
    void* pop_back();
    int size() const;
    bool empty() const;
    void clear();

private:
    struct Node {
        void* item;
        Node* next;
        Node* previous;
    };

    Node* head_ = nullptr;
    Node* tail_ = nullptr;
    int count_ = 0;
};
