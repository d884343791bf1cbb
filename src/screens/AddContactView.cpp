#include "screens/AddContactView.h"

AddContactView::AddContactView()
    : TitledScreen("ADDCONTACT_SCREEN", "IDS_ADD", EVENT_SHOW_BUDDY_LIST)
{
}
