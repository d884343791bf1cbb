// What the quick-text, add-contact, group, block-list and send-message screens build alike:
// the form with its title and back button, footer items, a list with its "No items" picture,
// a one-line field at the top whose overlay keypad carries two command buttons, and the
// count of a selection screen.
// Threading: user-interface thread. Ownership: the controls made belong to the screen's form.
#pragma once

#include "app/IMScreen.h"

#include "platform/EditField.h"
#include "platform/Label.h"
#include "platform/ListView.h"

class QuickTextScreenKit {
public:
    static bool ConstructForm(IMScreen& screen, const char* formName, const char* titleId);
    static void AddFooterItem(IMScreen& screen, const char* textId, int actionId);
    // A list filling the client area, fed by the screen.
    static Ixa::Ui::Controls::ListView* AddList(IMScreen& screen, int top = 0);
    // What the list shows while it is empty, instead of "No items": a text id and a picture.
    static void SetEmptyList(Ixa::Ui::Controls::ListView& list, const char* textId, const char* picture);
    // A field across the top of the client area; each keypad button is a text id and the
    // action it posts to the screen.
    struct KeypadButton {
        const char* textId;
        int actionId;
    };
    static Ixa::Ui::Controls::EditField* AddField(IMScreen& screen, const char* guideId, KeypadButton left,
        KeypadButton right, Ixa::Ui::Controls::EditFieldStyle style = Ixa::Ui::Controls::EDIT_FIELD_STYLE_NORMAL);
    // A selection screen's count label across the top of the client area; the list goes
    // below it, from SELECTION_BOTTOM.
    static Ixa::Ui::Controls::Label* AddSelectionLabel(IMScreen& screen);
    static constexpr int SELECTION_BOTTOM = 56;
    // A selection screen's count: "N item(s) selected" in the label, and the footer's first
    // item (the action on the selection) enabled while N is above 0.
    static void ShowSelection(IMScreen& screen, Ixa::Ui::Controls::Label& label, int checked);
    // Where the space below that field starts.
    static constexpr int FIELD_BOTTOM = 104;
};
