#include "screens/TabScreenParts.h"

#include "app/IMManager.h"

#include "platform/ButtonItem.h"
#include "platform/Footer.h"
#include "platform/FooterItem.h"
#include "platform/Header.h"

#include <memory>
#include <utility>

void TabScreenParts::BuildHeader(IMScreen& screen, int signOutAction, int settingsAction)
{
    using namespace Ixa::Ui::Controls;
    Header* header = screen.GetHeader();
    header->SetTitleText(IMManager::GetStringFromResource("IDS_GTALK_TITLE"));
    std::unique_ptr<Ixa::Graphics::Bitmap> icon(IMManager::GetBitmapN("65_IM_info_gtalk_icon.png"));
    header->SetTitleIcon(icon.get());
    ButtonItem signOut;
    signOut.Construct(BUTTON_ITEM_STYLE_TEXT, signOutAction);
    signOut.SetText(IMManager::GetStringFromResource("IDS_LOGOUT"));
    header->SetButton(BUTTON_POSITION_LEFT, signOut);
    ButtonItem settings;
    settings.Construct(BUTTON_ITEM_STYLE_ICON, settingsAction);
    std::unique_ptr<Ixa::Graphics::Bitmap> gear(IMManager::GetBitmapN("touchkey_settings.png"));
    settings.SetIcon(BUTTON_ITEM_STATUS_NORMAL, gear.get());
    header->SetButton(BUTTON_POSITION_RIGHT, settings);
    header->AddActionEventListener(screen);
}

void TabScreenParts::AddTabs(IMScreen& screen, int friendsAction, int conversationsAction, int selected)
{
    using namespace Ixa::Ui::Controls;
    Footer* footer = screen.GetFooter();
    footer->SetStyle(FOOTER_STYLE_TAB);
    for (const auto& [textId, actionId] : {std::pair{"IDS_IM_BODY_FRIENDS", friendsAction}, std::pair{"IDS_CONVERSATIONS", conversationsAction}}) {
        FooterItem tab;
        tab.Construct(actionId);
        tab.SetText(IMManager::GetStringFromResource(textId));
        footer->AddItem(tab);
    }
    footer->SetItemSelected(selected);
}
