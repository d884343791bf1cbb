// The presence icons of the buddy list and the chat: five pictures from the resources
// (available, busy, away, invisible, mobile), each loaded on first use and kept. It also keeps
// the decoded avatars that rows and screens share (see AvatarCache).
// Threading: safe from any thread. Ownership: the bitmaps belong to the icon manager, which
// lives from GetInstance until DeleteInstance (the application's termination).
#pragma once

#include "app/AvatarCache.h"
#include "platform/Bitmap.h"

#include <memory>
#include <mutex>

class IconManager {
public:
    static IconManager* GetInstance();
    static void DeleteInstance();

    // The icon of a presence type; `flag` is not used. Null when the picture is missing.
    Ixa::Graphics::Bitmap* GetPresenceIconByType(int type, bool flag, int device);
    AvatarCache& GetAvatars() { return avatars_; }

    // Decoded avatars kept for rows to share: about two screens of rows of the buddy list.
    static constexpr std::size_t AvatarsKept = 32;

private:
    enum Icon { AVAILABLE, BUSY, AWAY, INVISIBLE, MOBILE, ICON_COUNT };

    IconManager();
    ~IconManager();

    Ixa::Graphics::Bitmap* icon(Icon which);

    std::mutex lock_;
    std::unique_ptr<Ixa::Graphics::Bitmap> icons_[ICON_COUNT];
    AvatarCache avatars_;
};
