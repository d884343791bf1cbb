// The rows of the buddy list's search list: both list views of the buddy screen are fed by
// the one controller, and a provider of their own tells the search list's questions apart
// from the main list's.
// Threading: user-interface thread. Ownership: the screen owns the provider and is borrowed.
#pragma once

#include "platform/IListViewItemProvider.h"

class BuddyScreen;

class BuddySearchListProvider : public Ixa::Ui::Controls::IListViewItemProvider {
public:
    explicit BuddySearchListProvider(BuddyScreen& screen);

    int GetItemCount() override;
    Ixa::Ui::Controls::ListItemBase* CreateItem(int index, int itemWidth) override;
    bool DeleteItem(int index, Ixa::Ui::Controls::ListItemBase* item, int itemWidth) override;

private:
    BuddyScreen& screen_;
};
