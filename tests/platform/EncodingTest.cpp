#include "platform/ByteBuffer.h"
#include "platform/Math.h"
#include "platform/StringUtil.h"
#include "platform/UrlEncoder.h"

#include <gtest/gtest.h>

#include <memory>

using Ixa::Base::ByteBuffer;
using Ixa::Base::String;
using Ixa::Base::Utility::StringUtil;

namespace {

std::string Bytes(const ByteBuffer& buffer)
{
    return std::string(reinterpret_cast<const char*>(buffer.GetPointer()) + buffer.GetPosition(),
                       static_cast<std::size_t>(buffer.GetRemaining()));
}

String Base64Of(const std::string& bytes)
{
    ByteBuffer buffer;
    buffer.Construct(static_cast<int>(bytes.size()));
    buffer.SetArray(reinterpret_cast<const Ixa::byte*>(bytes.data()), 0, static_cast<int>(bytes.size()));
    buffer.Flip();
    String text;
    StringUtil::EncodeToBase64String(buffer, text);
    return text;
}

std::unique_ptr<ByteBuffer> Decode(const char* text)
{
    return std::unique_ptr<ByteBuffer>(StringUtil::DecodeBase64StringN(String(text)));
}

}  // namespace

TEST(Base64Test, EncodesWithPaddingAndRoundTripsEveryByte)
{
    EXPECT_EQ(Base64Of(""), String(""));
    EXPECT_EQ(Base64Of("M"), String("TQ=="));
    EXPECT_EQ(Base64Of("Ma"), String("TWE="));
    EXPECT_EQ(Base64Of("Man"), String("TWFu"));
    EXPECT_EQ(Base64Of(std::string("\0user\0pass", 10)), String("AHVzZXIAcGFzcw=="));

    std::string all;
    for (int i = 0; i < 256; ++i) {
        all.push_back(static_cast<char>(i));
    }
    auto decoded = Decode(Base64Of(all).ToUtf8().c_str());
    ASSERT_NE(decoded, nullptr);
    EXPECT_EQ(Bytes(*decoded), all);
}

TEST(Base64Test, DecodingSkipsLineBreaksButRejectsJunk)
{
    std::string photo(300, '\0');
    for (std::size_t i = 0; i < photo.size(); ++i) {
        photo[i] = static_cast<char>(i * 7);
    }
    std::string flat = Base64Of(photo).ToUtf8();
    std::string wrapped;
    for (std::size_t i = 0; i < flat.size(); i += 76) {
        wrapped += flat.substr(i, 76) + "\r\n  ";
    }
    auto decoded = Decode(wrapped.c_str());
    ASSERT_NE(decoded, nullptr);
    EXPECT_EQ(Bytes(*decoded), photo);

    for (const char* junk : {"TW*u", "TWFu!", "T===", "TW=u", "TWFuT", "TQ==TQ==", "TQ=\xC3\xA9"}) {
        Ixa::ClearLastResult();
        EXPECT_EQ(Decode(junk), nullptr) << junk;
        EXPECT_EQ(Ixa::GetLastResult(), Ixa::E_INVALID_ARG) << junk;
    }
    auto unpadded = Decode("TWE");
    ASSERT_NE(unpadded, nullptr);
    EXPECT_EQ(Bytes(*unpadded), "Ma");
}

TEST(UrlEncoderTest, EncodesUtf8BytesForForms)
{
    String encoded;
    ASSERT_EQ(Ixa::Base::Utility::UrlEncoder::Encode(String("a b&c=\xC3\xBC-_.*~"), String("utf-8"), encoded),
              Ixa::E_SUCCESS);
    EXPECT_EQ(encoded, String("a+b%26c%3D%C3%BC-_.*%7E"));
    EXPECT_EQ(Ixa::Base::Utility::UrlEncoder::Encode(String("x"), String("EUC-KR"), encoded), Ixa::E_INVALID_ARG);
}

TEST(ByteBufferTest, PositionLimitAndBulkTransfersStayInBounds)
{
    ByteBuffer buffer;
    ASSERT_EQ(buffer.Construct(4), Ixa::E_SUCCESS);
    const Ixa::byte data[] = {1, 2, 3, 4, 5};
    EXPECT_EQ(buffer.SetArray(data, 0, 5), Ixa::E_OVERFLOW);
    EXPECT_EQ(buffer.GetPosition(), 0);
    ASSERT_EQ(buffer.SetArray(data, 1, 3), Ixa::E_SUCCESS);
    buffer.Flip();
    EXPECT_EQ(buffer.GetLimit(), 3);
    Ixa::byte value = 0;
    EXPECT_EQ(buffer.GetByte(3, value), Ixa::E_OUT_OF_RANGE);
    ASSERT_EQ(buffer.GetByte(value), Ixa::E_SUCCESS);
    EXPECT_EQ(value, 2);

    ByteBuffer target;
    target.Construct(8);
    ASSERT_EQ(target.CopyFrom(buffer), Ixa::E_SUCCESS);
    EXPECT_FALSE(buffer.HasRemaining());
    target.Flip();
    EXPECT_EQ(Bytes(target), std::string("\x03\x04", 2));
}

TEST(MathTest, SameSeedGivesSameSequence)
{
    using Ixa::Base::Utility::Math;
    Math::Srand(61);
    int first[3] = {Math::Rand(), Math::Rand(), Math::Rand()};
    Math::Srand(61);
    for (int value : first) {
        EXPECT_EQ(Math::Rand(), value);
        EXPECT_GE(value, 0);
    }
    EXPECT_FALSE(first[0] == first[1] && first[1] == first[2]);
}
