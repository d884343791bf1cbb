#include "foundation/ImDQueue.h"

ImDQueue::ImDQueue() = default;

ImDQueue::~ImDQueue() { clear(); }

void ImDQueue::push_back(void* item)
{
    auto node = new Node{item, nullptr, tail_};
    if (tail_ != nullptr) {
        tail_->next = node;
    } else {
        head_ = node;
    }
    tail_ = node;
    ++count_;
}

void ImDQueue::push_front(void* item)
{
    auto node = new Node{item, head_, nullptr};
    if (head_ != nullptr) {
        head_->previous = node;
    } else {
        tail_ = node;
    }
    head_ = node;
    ++count_;
}

void* ImDQueue::pop_front()
{
    if (head_ == nullptr) {
        return nullptr;
    }
    Node* node = head_;
    head_ = node->next;
    if (head_ != nullptr) {
        head_->previous = nullptr;
    } else {
        tail_ = nullptr;
    }
    void* item = node->item;
    delete node;
    --count_;
    return item;
}

void* ImDQueue::pop_back()
{
    if (tail_ == nullptr) {
        return nullptr;
    }
    Node* node = tail_;
    tail_ = node->previous;
    if (tail_ != nullptr) {
        tail_->next = nullptr;
    } else {
        head_ = nullptr;
    }
    void* item = node->item;
    delete node;
    --count_;
    return item;
}

int ImDQueue::size() const { return count_; }

bool ImDQueue::empty() const { return head_ == nullptr || tail_ == nullptr; }

void ImDQueue::clear()
{
    while (tail_ != nullptr) {
        Node* previous = tail_->previous;
        delete tail_;
        tail_ = previous;
    }
    head_ = nullptr;
    count_ = 0;
}
