#include "net/IMSocketInputStream.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>

namespace {

Ixa::Base::ByteBuffer* Buffer(const std::string& bytes, int position = 0)
{
    auto buffer = new Ixa::Base::ByteBuffer();
    buffer->Construct(static_cast<int>(bytes.size()) + 1);
    buffer->SetArray(reinterpret_cast<const Ixa::byte*>(bytes.data()), 0, static_cast<int>(bytes.size()));
    buffer->Flip();
    buffer->SetPosition(position);
    return buffer;
}

void Put(IMSocketInputStream& stream, Ixa::Base::ByteBuffer* buffer)
{
    unsigned long result = Ixa::E_FAILURE;
    stream.getBlockingQueue()->put(buffer, &result);
    ASSERT_EQ(result, Ixa::E_SUCCESS);
}

std::string ReadAll(IMSocketInputStream& stream)
{
    std::string bytes;
    for (int value = stream.read(); value != -1; value = stream.read()) {
        bytes.push_back(static_cast<char>(value));
    }
    return bytes;
}

template <typename Condition>
bool Eventually(Condition condition)
{
    for (int i = 0; i < 2000 && !condition(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return condition();
}

// Counts the room notices and lets a sender wait for the next one, as the socket thread
// waits for its resume event.
class RoomRecorder : public ReceiveRoomListener {
public:
    void onReceiveRoomAvailable() override
    {
        std::lock_guard lock(mutex_);
        ++notices_;
        noticed_.notify_all();
    }

    int notices()
    {
        std::lock_guard lock(mutex_);
        return notices_;
    }

    // False when no notice beyond `seen` comes within a generous limit (a lost notice).
    bool waitBeyond(int seen)
    {
        std::unique_lock lock(mutex_);
        return noticed_.wait_for(lock, std::chrono::seconds(20), [&] { return notices_ > seen; });
    }

private:
    std::mutex mutex_;
    std::condition_variable noticed_;
    int notices_ = 0;
};

void Fill(IMSocketInputStream& stream, int count)
{
    for (int i = 0; i < count; ++i) {
        ASSERT_EQ(stream.offer(Buffer("f")), Ixa::E_SUCCESS);
    }
}

}  // namespace

TEST(IMSocketInputStreamTest, ServesBuffersInOrderSkippingZeroBytesUntilTheMarker)
{
    IMSocketInputStream stream;
    std::int32_t markerValue = IMSocketInputStream::END_OF_STREAM_VALUE;
    std::string lookalike(reinterpret_cast<const char*>(&markerValue), sizeof(markerValue));

    Put(stream, Buffer("<a>"));
    Put(stream, Buffer(std::string("\0\0", 2)));
    Put(stream, Buffer(std::string("x\0y\0", 4)));
    Put(stream, Buffer(lookalike));
    Put(stream, Buffer("skip-me|kept", 8));
    Put(stream, Buffer(std::string("\xC3\xA9\xFF", 3)));
    ASSERT_EQ(stream.putEndOfStream(), Ixa::E_SUCCESS);
    Put(stream, Buffer("after the end"));

    // The look-alike buffer is data: 0xE7 0x03, its two zero bytes skipped.
    EXPECT_EQ(ReadAll(stream), std::string("<a>xy\xE7\x03kept\xC3\xA9\xFF"));
    EXPECT_EQ(stream.read(), -1);
    EXPECT_EQ(stream.read(), -1);
    EXPECT_FALSE(stream.isWaitingToRead());
    // The buffer queued behind the marker is freed with the stream (the leak check sees it).
}

TEST(IMSocketInputStreamTest, QueueRefusesTheHundredAndFiftyFirstBuffer)
{
    IMSocketInputStream stream;
    for (int i = 0; i < IMSocketInputStream::QUEUE_CAPACITY; ++i) {
        Put(stream, Buffer(std::string(1, static_cast<char>('a' + i % 26))));
    }
    auto refused = Buffer("z");
    unsigned long result = Ixa::E_SUCCESS;
    stream.getBlockingQueue()->put(refused, &result);
    EXPECT_EQ(result, Ixa::E_FAILURE);
    EXPECT_EQ(stream.putEndOfStream(), Ixa::E_FAILURE);
    EXPECT_EQ(stream.read(), 'a');
    stream.getBlockingQueue()->put(refused, &result);
    EXPECT_EQ(result, Ixa::E_SUCCESS);
    EXPECT_EQ(stream.putEndOfStream(), Ixa::E_FAILURE);
    EXPECT_EQ(stream.read(), 'b');
    EXPECT_EQ(stream.putEndOfStream(), Ixa::E_SUCCESS);
    std::string rest = ReadAll(stream);
    ASSERT_EQ(rest.size(), static_cast<std::size_t>(IMSocketInputStream::QUEUE_CAPACITY - 1));
    EXPECT_EQ(rest.back(), 'z');
}

TEST(IMSocketInputStreamTest, BlockedReadWakesForDataAndForTheMarker)
{
    IMSocketInputStream stream;
    std::atomic<int> first{-2};
    std::atomic<int> second{-2};
    std::thread reader([&] {
        first = stream.read();
        second = stream.read();
    });
    ASSERT_TRUE(Eventually([&] { return stream.isWaitingToRead(); }));
    EXPECT_EQ(first.load(), -2);
    Put(stream, Buffer("q"));
    ASSERT_TRUE(Eventually([&] { return first.load() == 'q' && stream.isWaitingToRead(); }));
    EXPECT_EQ(second.load(), -2);
    EXPECT_EQ(stream.putEndOfStream(), Ixa::E_SUCCESS);
    reader.join();
    EXPECT_EQ(second.load(), -1);
    EXPECT_FALSE(stream.isWaitingToRead());
}

TEST(IMSocketInputStreamTest, TellsTheListenerOnceWhenTheReaderMakesRoomAfterARefusal)
{
    IMSocketInputStream stream;
    RoomRecorder recorder;
    stream.setReceiveRoomListener(&recorder);
    Fill(stream, IMSocketInputStream::QUEUE_CAPACITY);
    // Takes from a queue that refused nothing bring no notice.
    EXPECT_EQ(stream.read(), 'f');
    ASSERT_EQ(stream.offer(Buffer("g")), Ixa::E_SUCCESS);
    auto held = Buffer("h");
    EXPECT_EQ(stream.offer(held), Ixa::E_FAILURE);
    EXPECT_EQ(stream.offer(held), Ixa::E_FAILURE);
    EXPECT_EQ(recorder.notices(), 0);

    EXPECT_EQ(stream.read(), 'f');
    EXPECT_EQ(recorder.notices(), 1);
    EXPECT_EQ(stream.read(), 'f');
    EXPECT_EQ(recorder.notices(), 1);
    ASSERT_EQ(stream.offer(held), Ixa::E_SUCCESS);
    ASSERT_EQ(stream.offer(Buffer("i")), Ixa::E_SUCCESS);

    // Without a listener a refusal is still served, just not told.
    auto unheard = Buffer("u");
    EXPECT_EQ(stream.offer(unheard), Ixa::E_FAILURE);
    stream.setReceiveRoomListener(nullptr);
    EXPECT_EQ(stream.read(), 'f');
    EXPECT_EQ(recorder.notices(), 1);
    ASSERT_EQ(stream.offer(unheard), Ixa::E_SUCCESS);

    std::string rest;
    for (int i = 0; i < IMSocketInputStream::QUEUE_CAPACITY; ++i) {
        rest.push_back(static_cast<char>(stream.read()));
    }
    EXPECT_EQ(rest, std::string(IMSocketInputStream::QUEUE_CAPACITY - 4, 'f') + "ghiu");
}

// A sender that, like the socket thread, keeps a refused buffer and offers it again only when
// told: every byte of a burst far larger than the queue reaches a slow reader, in order.
TEST(IMSocketInputStreamTest, NoticesCarryABurstToASlowReaderWithoutLossOrPolling)
{
    constexpr int Buffers = 4 * IMSocketInputStream::QUEUE_CAPACITY;
    IMSocketInputStream stream;
    RoomRecorder recorder;
    stream.setReceiveRoomListener(&recorder);
    std::atomic<bool> noticeLost{false};
    std::thread sender([&] {
        for (int i = 0; i < Buffers && !noticeLost; ++i) {
            auto buffer = Buffer(std::string(1, static_cast<char>(1 + i % 255)));
            int seen = recorder.notices();
            while (Ixa::IsFailed(stream.offer(buffer))) {
                if (!recorder.waitBeyond(seen)) {
                    noticeLost = true;
                    delete buffer;
                    break;
                }
                seen = recorder.notices();
            }
        }
        while (Ixa::IsFailed(stream.putEndOfStream())) {
            recorder.waitBeyond(recorder.notices());
        }
    });
    std::string received;
    for (int value = stream.read(); value != -1; value = stream.read()) {
        received.push_back(static_cast<char>(value));
        if (received.size() % 16 == 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }
    sender.join();
    ASSERT_FALSE(noticeLost.load());
    ASSERT_EQ(received.size(), static_cast<std::size_t>(Buffers));
    for (int i = 0; i < Buffers; ++i) {
        ASSERT_EQ(static_cast<unsigned char>(received[i]), 1 + i % 255) << "at " << i;
    }
    EXPECT_GT(recorder.notices(), 0);
}
