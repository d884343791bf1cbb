#include "net/IMSocketInputStream.h"

#include <cstdint>
#include <cstring>

namespace {

// The marker keeps the historical form of the end-of-stream buffer (four bytes holding the
// integer 999), although only its identity counts.
Ixa::Base::ByteBuffer* NewMarker()
{
    auto marker = new Ixa::Base::ByteBuffer();
    marker->Construct(sizeof(std::int32_t));
    std::int32_t value = IMSocketInputStream::END_OF_STREAM_VALUE;
    Ixa::byte bytes[sizeof(value)];
    std::memcpy(bytes, &value, sizeof(value));
    marker->SetArray(bytes, 0, sizeof(value));
    marker->Flip();
    return marker;
}

}  // namespace

IMSocketInputStream::IMSocketInputStream()
    : queue_(new BlockingQueue(QUEUE_CAPACITY)), marker_(NewMarker()), lossMarker_(NewMarker()),
      lastReceived_(std::chrono::steady_clock::now().time_since_epoch().count())
{
}

std::chrono::steady_clock::time_point IMSocketInputStream::lastReceived() const
{
    return std::chrono::steady_clock::time_point(std::chrono::steady_clock::duration(lastReceived_.load()));
}

IMSocketInputStream::~IMSocketInputStream()
{
    forgetCurrent();
    unsigned long result = Ixa::E_SUCCESS;
    while (void* item = queue_->take(0, &result)) {
        if (!isMarker(item)) {
            delete static_cast<Ixa::Base::ByteBuffer*>(item);
        }
    }
    delete queue_;
    delete marker_;
    delete lossMarker_;
}

bool IMSocketInputStream::isMarker(void* item) const { return item == marker_ || item == lossMarker_; }

Ixa::result IMSocketInputStream::offer(Ixa::Base::ByteBuffer* buffer)
{
    lastReceived_ = std::chrono::steady_clock::now().time_since_epoch().count();
    std::lock_guard lock(roomMutex_);
    unsigned long result = Ixa::E_FAILURE;
    queue_->put(buffer, &result);
    if (Ixa::IsFailed(result)) {
        roomWanted_ = true;
    }
    return result;
}

Ixa::result IMSocketInputStream::offerEnd(bool lost) { return offer(lost ? lossMarker_ : marker_); }

bool IMSocketInputStream::endedByLoss() const { return lost_; }

void IMSocketInputStream::setReceiveRoomListener(ReceiveRoomListener* listener)
{
    std::lock_guard lock(roomMutex_);
    roomListener_ = listener;
}

BlockingQueue* IMSocketInputStream::getBlockingQueue() { return queue_; }

bool IMSocketInputStream::isWaitingToRead() const { return waitingToRead_.load(); }

Ixa::Base::ByteBuffer* IMSocketInputStream::getEndOfStreamMarker() { return marker_; }

Ixa::result IMSocketInputStream::putEndOfStream()
{
    unsigned long result = Ixa::E_FAILURE;
    queue_->put(marker_, &result);
    return result;
}

int IMSocketInputStream::readFromNextBuffer()
{
    while (!ended_) {
        forgetCurrent();
        unsigned long result = Ixa::E_SUCCESS;
        waitingToRead_ = true;
        void* item = queue_->take(&result);
        waitingToRead_ = false;
        noticeRoom();
        if (Ixa::IsFailed(result) || item == nullptr || isMarker(item)) {
            ended_ = true;
            lost_ = item == lossMarker_;
            break;
        }
        current_ = static_cast<Ixa::Base::ByteBuffer*>(item);
        data_ = current_->GetPointer();
        position_ = current_->GetPosition();
        limit_ = current_->GetLimit();
        while (position_ < limit_) {
            Ixa::byte value = data_[position_++];
            if (value != 0) {
                return value;
            }
        }
    }
    return -1;
}

void IMSocketInputStream::forgetCurrent()
{
    delete current_;
    current_ = nullptr;
    data_ = nullptr;
    position_ = 0;
    limit_ = 0;
}

// A take that follows a refused offer always sees its mark: the offer sets it under the lock
// after the queue said full, and the take happened after that refusal or it would have made
// room for the offer.
void IMSocketInputStream::noticeRoom()
{
    std::lock_guard lock(roomMutex_);
    if (!roomWanted_) {
        return;
    }
    roomWanted_ = false;
    if (roomListener_ != nullptr) {
        roomListener_->onReceiveRoomAvailable();
    }
}
