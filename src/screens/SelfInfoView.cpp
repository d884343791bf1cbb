#include "screens/SelfInfoView.h"

SelfInfoView::SelfInfoView()
    : TitledScreen("SELFINFO_SCREEN", "IDS_MY_PROFILE", EVENT_SHOW_BUDDY_LIST)
{
}
