// IMManager's helpers for the screens: resource texts and pictures, avatars, times and the
// user's display name. Called on the user-interface thread; see IMManager.h.
#include "app/IMManager.h"

#include "app/IconManager.h"
#include "engine/ResourceText.h"
#include "engine/UserId.h"
#include "platform/EnrichedText.h"
#include "platform/Font.h"
#include "platform/SettingInfo.h"
#include "platform/TextElement.h"
#include "store/ContactIcon.h"
#include "store/ContactIconModel.h"
#include "store/PropertiesModel.h"

#include <memory>

namespace {

constexpr int FormatLimit = 255;
const char* const DefaultAvatar = "no_contacts.png";

Ixa::Base::String twoDigits(int value)
{
    Ixa::Base::String text;
    if (value < 10) {
        text.Append('0');
    }
    text.Append(value);
    return text;
}

}  // namespace

Ixa::Base::String IMManager::GetStringFromResource(const Ixa::Base::String& id)
{
    if (appResource == nullptr) {
        return "(Error)";
    }
    return ResourceText::text(id);
}

// The resource texts hold one "%ls" for their argument; replacing it, rather than running a
// formatter, keeps text from the server (user ids) from ever acting as a format.
Ixa::Base::String IMManager::GetFormatString(const Ixa::Base::String& format, const Ixa::Base::String& arg)
{
    Ixa::Base::String text(format);
    text.Replace("%ls", arg);
    if (text.GetLength() > FormatLimit) {
        text.Remove(FormatLimit, text.GetLength() - FormatLimit);
    }
    return text;
}

Ixa::Graphics::Bitmap* IMManager::GetBitmapN(const Ixa::Base::String& name)
{
    return appResource != nullptr ? appResource->GetBitmapN(name) : nullptr;
}

// Rows and screens share the decoded pictures through the icon manager's avatar cache.
Ixa::Graphics::Bitmap* IMManager::GetBitmapFromContactIcon(ContactIcon* icon)
{
    IMByteBuffer* bytes = icon != nullptr ? icon->GetImageByteBuffer() : nullptr;
    if (iconManager != nullptr && bytes != nullptr && bytes->GetLimit() > 0) {
        if (Ixa::Graphics::Bitmap* avatar = iconManager->GetAvatars().GetAvatarN(icon->GetContactId(), *bytes)) {
            return avatar;
        }
    }
    return GetDefaultAvatar();
}

Ixa::Graphics::Bitmap* IMManager::GetDefaultAvatar()
{
    if (iconManager == nullptr) {
        return GetBitmapN(DefaultAvatar);
    }
    return iconManager->GetAvatars().GetDefaultN([] { return GetBitmapN(DefaultAvatar); });
}

Ixa::Graphics::Bitmap* IMManager::GetSelfIcon()
{
    ContactIconModel* icons = GetContactIconModel();
    if (icons == nullptr) {
        return GetDefaultAvatar();
    }
    std::unique_ptr<ContactIcon> icon(icons->GetImage(UserId::normalised(GetPropertiesModel()->GetUserName())));
    return GetBitmapFromContactIcon(icon.get());
}

Ixa::Graphics::Bitmap* IMManager::GetPresenceIconByType(int type, bool flag, int device)
{
    return iconManager != nullptr ? iconManager->GetPresenceIconByType(type, flag, device) : nullptr;
}

Ixa::Base::String IMManager::GetTimeAsString(const Ixa::Base::DateTime* time)
{
    if (time == nullptr) {
        return Ixa::Base::String();
    }
    bool twentyFour = false;
    if (Ixa::IsFailed(Ixa::System::SettingInfo::GetValue("24HourFormatSelected", twentyFour))) {
        twentyFour = false;
    }
    int hour = time->GetHour();
    Ixa::Base::String suffix;
    if (!twentyFour) {
        suffix = hour < 12 ? " AM" : " PM";
        hour = hour % 12 == 0 ? 12 : hour % 12;
    }
    Ixa::Base::String text = twoDigits(hour);
    text.Append(':');
    text.Append(twoDigits(time->GetMinute()));
    text.Append(suffix);
    return text;
}

Ixa::Base::String IMManager::GetDisplayName()
{
    {
        std::lock_guard<std::mutex> guard(selfLock);
        if (!displayName.IsEmpty()) {
            return displayName;
        }
    }
    return GetPropertiesModel()->GetUserName();
}

int IMManager::GetLabelHeightBasedOnText(const Ixa::Base::String* text, int size, int width, int)
{
    if (text == nullptr) {
        return 0;
    }
    constexpr int Inset = 15;
    constexpr int BoxHeight = 800;
    Ixa::Graphics::Font font;
    font.Construct(Ixa::Graphics::FONT_STYLE_PLAIN, size);
    Ixa::Graphics::TextElement element;
    element.Construct(*text);
    element.SetFont(font);
    Ixa::Graphics::EnrichedText layout;
    layout.Construct(Ixa::Graphics::Dimension(width - Inset, BoxHeight));
    layout.SetHorizontalAlignment(Ixa::Graphics::TEXT_ALIGNMENT_CENTER);
    layout.SetTextWrapStyle(Ixa::Graphics::TEXT_WRAP_WORD_WRAP);
    layout.Add(element);
    const int height = layout.GetTotalLineHeight();
    layout.RemoveAll(false);
    return height;
}
