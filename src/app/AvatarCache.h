// Decoded avatars, shared by every row and screen that shows them. A contact's picture is
// decoded once, scaled down to at most MaxSide pixels a side (the largest avatar a screen
// draws; a vCard photo may be far larger) and kept; each caller gets a bitmap of its own that
// shares the kept pixels. At most `capacity` pictures are kept, the least recently used one
// going first, so a roster of thousands never holds thousands of decoded pictures at once.
// A picture is known by its contact and its bytes, so a new photo of a contact is decoded
// afresh. The default picture, for contacts without a photo, is loaded once and kept apart.
// Threading: safe from any thread. Ownership: the cache owns what it keeps; every bitmap it
// returns belongs to the caller.
#pragma once

#include "foundation/IMString.h"
#include "platform/Bitmap.h"
#include "platform/ByteBuffer.h"

#include <cstddef>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>

class AvatarCache {
public:
    // Makes a picture of encoded bytes; null when they are not a picture.
    using Decoder = std::function<Ixa::Graphics::Bitmap*(const Ixa::Base::ByteBuffer&)>;
    // Makes the default picture; null when it is missing.
    using Loader = std::function<Ixa::Graphics::Bitmap*()>;

    static constexpr int MaxSide = 96;

    AvatarCache(std::size_t capacity, Decoder decoder);

    // The contact's picture from its encoded bytes; null when they do not decode.
    Ixa::Graphics::Bitmap* GetAvatarN(const IMString& contactId, const Ixa::Base::ByteBuffer& bytes);
    // The default picture, made by `load` the first time.
    Ixa::Graphics::Bitmap* GetDefaultN(const Loader& load);
    std::size_t GetCount() const;

private:
    struct Entry {
        std::string key;
        std::unique_ptr<Ixa::Graphics::Bitmap> picture;
    };

    static std::string keyOf(const IMString& contactId, const Ixa::Base::ByteBuffer& bytes);
    static Ixa::Graphics::Bitmap* shareN(const Ixa::Graphics::Bitmap& picture);
    static void fitInMaxSide(Ixa::Graphics::Bitmap& picture);
    void keep(std::string key, std::unique_ptr<Ixa::Graphics::Bitmap> picture);

    const std::size_t capacity_;
    const Decoder decoder_;
    mutable std::mutex lock_;
    std::list<Entry> entries_;  // the most recently used first
    std::unordered_map<std::string, std::list<Entry>::iterator> index_;
    std::unique_ptr<Ixa::Graphics::Bitmap> default_;
};
