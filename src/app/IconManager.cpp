#include "app/IconManager.h"

#include "app/IMManager.h"

namespace {

std::mutex instanceLock;
IconManager* instance = nullptr;

const char* const iconNames[] = {"available.png", "busy.png", "away.png", "invisible.png", "65_IM_yahoo_status_mobile.png"};

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

IconManager::IconManager() = default;

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
