#include "net/IMSocketInputStream.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstring>
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
