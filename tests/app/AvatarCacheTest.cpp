// The decoded avatars that rows share: a picture is decoded once per contact and photo and
// handed out as separate bitmaps, a new photo is decoded afresh, the bound on kept pictures
// evicts the least recently used one, large photos are scaled down to the largest avatar
// drawn, and the default picture is loaded once.
#include "app/AvatarCache.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

using Ixa::Graphics::Bitmap;

class AvatarCacheTest : public testing::Test {
protected:
    Bitmap* Decode(const Ixa::Base::ByteBuffer& bytes)
    {
        decoded.emplace_back(reinterpret_cast<const char*>(bytes.GetPointer()), static_cast<size_t>(bytes.GetLimit()));
        int width = 0, height = 0;
        if (std::sscanf(decoded.back().c_str(), "%d %d", &width, &height) != 2) {
            return nullptr;
        }
        auto* picture = new Bitmap;
        picture->Construct(Ixa::Graphics::Dimension(width, height), Ixa::Graphics::BITMAP_PIXEL_FORMAT_ARGB8888);
        return picture;
    }

    // Photo bytes "W H tag" decode to a picture of W x H pixels; anything else is no picture.
    std::unique_ptr<Bitmap> Get(const char* contact, const std::string& photo)
    {
        Ixa::Base::ByteBuffer bytes;
        bytes.Construct(static_cast<int>(photo.size()));
        bytes.SetArray(reinterpret_cast<const Ixa::byte*>(photo.data()), 0, static_cast<int>(photo.size()));
        bytes.Flip();
        return std::unique_ptr<Bitmap>(cache.GetAvatarN(IMString(contact), bytes));
    }

    std::vector<std::string> decoded;
    AvatarCache cache{3, [this](const Ixa::Base::ByteBuffer& bytes) { return Decode(bytes); }};
};

TEST_F(AvatarCacheTest, APhotoIsDecodedOnceAndANewPhotoAfresh)
{
    std::unique_ptr<Bitmap> first = Get("bob@localhost", "40 40 a");
    std::unique_ptr<Bitmap> second = Get("bob@localhost", "40 40 a");
    ASSERT_NE(nullptr, first);
    ASSERT_NE(nullptr, second);
    EXPECT_NE(first.get(), second.get());
    EXPECT_EQ(40, second->GetWidth());
    EXPECT_EQ(std::vector<std::string>({"40 40 a"}), decoded);

    // The same bytes of another contact, and a new photo of the same contact.
    Get("carol@localhost", "40 40 a");
    Get("bob@localhost", "40 40 b");
    EXPECT_EQ(std::vector<std::string>({"40 40 a", "40 40 a", "40 40 b"}), decoded);
    EXPECT_EQ(3u, cache.GetCount());

    // What does not decode is not kept, and is tried again.
    EXPECT_EQ(nullptr, Get("dave@localhost", "not a picture"));
    EXPECT_EQ(nullptr, Get("dave@localhost", "not a picture"));
    EXPECT_EQ(5u, decoded.size());
    EXPECT_EQ(3u, cache.GetCount());
}

TEST_F(AvatarCacheTest, TheBoundEvictsTheLeastRecentlyUsedPicture)
{
    Get("a@localhost", "10 10 a");
    Get("b@localhost", "10 10 b");
    Get("c@localhost", "10 10 c");
    Get("a@localhost", "10 10 a");  // a is now the most recently used; b the least
    Get("d@localhost", "10 10 d");
    EXPECT_EQ(3u, cache.GetCount());
    decoded.clear();

    Get("a@localhost", "10 10 a");
    Get("c@localhost", "10 10 c");
    Get("d@localhost", "10 10 d");
    EXPECT_TRUE(decoded.empty());
    Get("b@localhost", "10 10 b");
    EXPECT_EQ(std::vector<std::string>({"10 10 b"}), decoded);
    EXPECT_EQ(3u, cache.GetCount());
}

TEST_F(AvatarCacheTest, LargePhotosAreScaledDownAndTheDefaultIsLoadedOnce)
{
    std::unique_ptr<Bitmap> wide = Get("bob@localhost", "960 480 a");
    ASSERT_NE(nullptr, wide);
    EXPECT_EQ(AvatarCache::MaxSide, wide->GetWidth());
    EXPECT_EQ(AvatarCache::MaxSide / 2, wide->GetHeight());
    std::unique_ptr<Bitmap> small = Get("carol@localhost", "20 30 a");
    EXPECT_EQ(20, small->GetWidth());
    EXPECT_EQ(30, small->GetHeight());

    int loads = 0;
    const auto load = [&loads] {
        ++loads;
        auto* picture = new Bitmap;
        picture->Construct(Ixa::Graphics::Dimension(72, 72), Ixa::Graphics::BITMAP_PIXEL_FORMAT_ARGB8888);
        return picture;
    };
    std::unique_ptr<Bitmap> first(cache.GetDefaultN(load));
    std::unique_ptr<Bitmap> second(cache.GetDefaultN(load));
    ASSERT_NE(nullptr, second);
    EXPECT_NE(first.get(), second.get());
    EXPECT_EQ(72, second->GetWidth());
    EXPECT_EQ(1, loads);
}

}  // namespace
