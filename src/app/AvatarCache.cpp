#include "app/AvatarCache.h"

#include <cstdint>
#include <utility>

AvatarCache::AvatarCache(std::size_t capacity, Decoder decoder) : capacity_(capacity), decoder_(std::move(decoder)) {}

Ixa::Graphics::Bitmap* AvatarCache::GetAvatarN(const IMString& contactId, const Ixa::Base::ByteBuffer& bytes)
{
    std::string key = keyOf(contactId, bytes);
    {
        std::lock_guard<std::mutex> guard(lock_);
        auto found = index_.find(key);
        if (found != index_.end()) {
            entries_.splice(entries_.begin(), entries_, found->second);
            return shareN(*found->second->picture);
        }
    }
    // Decoding takes a while, so it runs unlocked; two threads decoding the same picture at
    // once both keep theirs, the later one replacing the earlier.
    std::unique_ptr<Ixa::Graphics::Bitmap> picture(decoder_(bytes));
    if (picture == nullptr || !picture->IsConstructed()) {
        return nullptr;
    }
    fitInMaxSide(*picture);
    Ixa::Graphics::Bitmap* shared = shareN(*picture);
    keep(std::move(key), std::move(picture));
    return shared;
}

Ixa::Graphics::Bitmap* AvatarCache::GetDefaultN(const Loader& load)
{
    std::lock_guard<std::mutex> guard(lock_);
    if (default_ == nullptr) {
        default_.reset(load());
    }
    return default_ != nullptr ? shareN(*default_) : nullptr;
}

std::size_t AvatarCache::GetCount() const
{
    std::lock_guard<std::mutex> guard(lock_);
    return entries_.size();
}

// The contact and a 64-bit FNV-1a hash of the bytes with their length.
std::string AvatarCache::keyOf(const IMString& contactId, const Ixa::Base::ByteBuffer& bytes)
{
    std::uint64_t hash = 14695981039346656037ULL;
    const auto* data = bytes.GetPointer();
    for (int i = 0; i < bytes.GetLimit(); ++i) {
        hash = (hash ^ data[i]) * 1099511628211ULL;
    }
    return contactId.ToUtf8() + '\n' + std::to_string(bytes.GetLimit()) + ':' + std::to_string(hash);
}

Ixa::Graphics::Bitmap* AvatarCache::shareN(const Ixa::Graphics::Bitmap& picture)
{
    auto* copy = new Ixa::Graphics::Bitmap;
    if (Ixa::IsFailed(copy->Construct(picture))) {
        delete copy;
        return nullptr;
    }
    return copy;
}

void AvatarCache::fitInMaxSide(Ixa::Graphics::Bitmap& picture)
{
    const int width = picture.GetWidth();
    const int height = picture.GetHeight();
    if (width <= MaxSide && height <= MaxSide) {
        return;
    }
    const int longer = width > height ? width : height;
    const int scaledWidth = width * MaxSide / longer;
    const int scaledHeight = height * MaxSide / longer;
    picture.Scale(Ixa::Graphics::Dimension(scaledWidth > 0 ? scaledWidth : 1, scaledHeight > 0 ? scaledHeight : 1));
}

void AvatarCache::keep(std::string key, std::unique_ptr<Ixa::Graphics::Bitmap> picture)
{
    std::lock_guard<std::mutex> guard(lock_);
    auto found = index_.find(key);
    if (found != index_.end()) {
        entries_.erase(found->second);
        index_.erase(found);
    }
    entries_.push_front(Entry{key, std::move(picture)});
    index_[std::move(key)] = entries_.begin();
    while (entries_.size() > capacity_) {
        index_.erase(entries_.back().key);
        entries_.pop_back();
    }
}
