#include "screens/ContactInfoView.h"

ContactInfoView::ContactInfoView()
    : TitledScreen("CONTACTINFO_SCREEN", "IDS_IM_HEADER_FRIENDS_DETAILS", EVENT_SHOW_BUDDY_LIST)
{
}
