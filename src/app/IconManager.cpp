#include "app/IconManager.h"

#include "app/IMManager.h"
#include "platform/Image.h"

namespace {

std::mutex instanceLock;
IconManager* instance = nullptr;

const char* const iconNames[] = {"available.png", "busy.png", "away.png", "invisible.png", "65_IM_yahoo_status_mobile.png"};

// A vCard photo does not say how it is encoded, so every format the handset decodes is tried
// in turn.
Ixa::Graphics::Bitmap* decodeAvatarN(const Ixa::Base::ByteBuffer& bytes)
{
    Ixa::Media::Image decoder;
    if (bytes.GetLimit() <= 0 || Ixa::IsFailed(decoder.Construct())) {
        return nullptr;
    }
    for (Ixa::Media::ImageFormat format : {Ixa::Media::IMG_FORMAT_JPG, Ixa::Media::IMG_FORMAT_PNG, Ixa::Media::IMG_FORMAT_GIF, Ixa::Media::IMG_FORMAT_BMP}) {
        const auto pixels = format == Ixa::Media::IMG_FORMAT_PNG ? Ixa::Graphics::BITMAP_PIXEL_FORMAT_ARGB8888 : Ixa::Graphics::BITMAP_PIXEL_FORMAT_RGB565;
        if (Ixa::Graphics::Bitmap* bitmap = decoder.DecodeN(bytes, format, pixels)) {
            return bitmap;
        }
    }
    return nullptr;
}

}  // namespace

IconManager* IconManager::GetInstance()
{
    std::lock_guard<std::mutex> guard(instanceLock);
    if (instance == nullptr) {
        instance = new IconManager;
    }
    return instance;
}

void IconManager::DeleteInstance()
{
    std::lock_guard<std::mutex> guard(instanceLock);
    delete instance;
    instance = nullptr;
}

IconManager::IconManager() : avatars_(AvatarsKept, decodeAvatarN) {}

IconManager::~IconManager() = default;

Ixa::Graphics::Bitmap* IconManager::GetPresenceIconByType(int type, bool, int device)
{
    if (device == 1) {
        return icon(MOBILE);
    }
    switch (type) {
    case 0:
    case 99:
        return icon(AVAILABLE);
    case 2:
        return icon(BUSY);
    case 9:
    case 999:
        return icon(AWAY);
    default:
        return icon(INVISIBLE);
    }
}

Ixa::Graphics::Bitmap* IconManager::icon(Icon which)
{
    std::lock_guard<std::mutex> guard(lock_);
    if (icons_[which] == nullptr) {
        icons_[which].reset(IMManager::GetBitmapN(iconNames[which]));
    }
    return icons_[which].get();
}
