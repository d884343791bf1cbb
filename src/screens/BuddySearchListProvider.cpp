#include "screens/BuddySearchListProvider.h"

#include "screens/BuddyController.h"
#include "screens/BuddyScreen.h"

BuddySearchListProvider::BuddySearchListProvider(BuddyScreen& screen)
    : screen_(screen)
{
}

int BuddySearchListProvider::GetItemCount() { return bc.GetSearchResultCount(); }

Ixa::Ui::Controls::ListItemBase* BuddySearchListProvider::CreateItem(int index, int) { return bc.createItemForBuddySearchMode(index, &screen_); }

bool BuddySearchListProvider::DeleteItem(int, Ixa::Ui::Controls::ListItemBase* item, int)
{
    delete item;
    return true;
}
