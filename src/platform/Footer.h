// The bottom bar of a form: items (plain buttons or tabs) that report their action ids,
// optional buttons at its left and right ends, and the back button, which asks the form's
// back listener to go back. A tab-style footer keeps one item selected; tapping another tab
// selects it and reports its action id.
// Threading and ownership: user-interface thread; owned by its form.
#pragma once

#include "platform/ActionBar.h"
#include "platform/ButtonItem.h"
#include "platform/FooterItem.h"

#include <optional>
#include <vector>

namespace Ixa::Ui::Controls {

class Form;

enum FooterStyle {
    FOOTER_STYLE_BUTTON_TEXT = 0,
    FOOTER_STYLE_BUTTON_ICON = 1,
    FOOTER_STYLE_BUTTON_ICON_TEXT = 2,
    FOOTER_STYLE_SEGMENTED_TEXT = 3,
    FOOTER_STYLE_TAB = 4,
};

class Footer : public ActionBar {
public:
    static constexpr int BACK_ACTION_ID = -2;

    result SetStyle(FooterStyle style);
    FooterStyle GetStyle() const { return style_; }
    result AddItem(const FooterItem& item);
    result InsertItemAt(int index, const FooterItem& item);
    result SetItemAt(int index, const FooterItem& item);
    result RemoveItemAt(int index);
    void RemoveAllItems();
    int GetItemCount() const { return static_cast<int>(items_.size()); }
    result SetItemEnabled(int index, bool enable);
    bool IsItemEnabled(int index) const;
    result SetItemSelected(int index);
    int GetSelectedItemIndex() const { return selected_; }
    result SetButton(ButtonPosition position, const ButtonItem& button);
    result RemoveButtonAt(ButtonPosition position);
    result SetBackButton();
    result RemoveBackButton();
    result SetBackButtonEnabled(bool enable);
    bool IsBackButtonSet() const { return hasBack_; }

private:
    friend class Form;
    struct Entry {
        FooterItem item;
        bool enabled;
    };

    explicit Footer(Form& form);
    void Construct(const Graphics::Rectangle& bounds);

    void Relayout() override;
    void PaintContent(QPainter& painter) override;
    void OnSlotTapped(const Slot& slot) override;
    Slot MakeButtonSlot(const ButtonItem& button, int x, int width, int tag) const;

    Form& form_;
    FooterStyle style_ = FOOTER_STYLE_BUTTON_TEXT;
    std::vector<Entry> items_;
    std::optional<ButtonItem> buttons_[2];
    bool hasBack_ = false;
    bool backEnabled_ = true;
    int selected_ = -1;
};

}  // namespace Ixa::Ui::Controls
