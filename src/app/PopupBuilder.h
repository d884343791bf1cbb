// Builds the message boxes every screen shows: an optional icon (question or warning) at the
// top, the text centred under it, and one row of equally wide buttons (OK, or Yes and No)
// that report their action ids to a listener. Titled popups with contents of their own use
// AddButtonRow for their buttons, so every popup's buttons look alike.
// Threading: user-interface thread (popups need the application frame). Ownership: the
// caller owns the popup it answers (a PopupKeeper, as a rule); the listener is borrowed and
// must outlive the popup.
#pragma once

#include "platform/Popup.h"
#include "platform/String.h"

#include <memory>
#include <vector>

namespace Ixa::Ui {
class IActionEventListener;
}

class PopupBuilder {
public:
    enum Icon { ICON_NONE, ICON_QUESTION, ICON_WARNING };
    struct ButtonText {
        const char* textId;
        int actionId;
    };

    static constexpr int WIDTH = 464;
    static constexpr int MARGIN = 12;
    static constexpr int BUTTON_HEIGHT = 72;
    static constexpr int TEXT_SIZE = 32;

    // The question box: the question icon, the text, Yes and No.
    static std::unique_ptr<Ixa::Ui::Controls::Popup> Question(const Ixa::Base::String& text, int yesAction, int noAction,
        Ixa::Ui::IActionEventListener& listener);
    // A box with one OK button, with or without an icon.
    static std::unique_ptr<Ixa::Ui::Controls::Popup> Notice(Icon icon, const Ixa::Base::String& text, int okAction,
        Ixa::Ui::IActionEventListener& listener);
    // Null when the popup cannot be made (no application frame).
    static std::unique_ptr<Ixa::Ui::Controls::Popup> Build(Icon icon, const Ixa::Base::String& text,
        const std::vector<ButtonText>& buttons, Ixa::Ui::IActionEventListener& listener);
    // A titled box with one button per row, top to bottom.
    static std::unique_ptr<Ixa::Ui::Controls::Popup> Menu(const char* titleId, const std::vector<ButtonText>& rows,
        Ixa::Ui::IActionEventListener& listener);
    // A titled box with the text and no button, for a notice that goes by itself.
    static std::unique_ptr<Ixa::Ui::Controls::Popup> TitledNotice(const char* titleId, const Ixa::Base::String& text);
    // Adds the buttons side by side across the popup's client area at `y`; answers the y
    // below them.
    static int AddButtonRow(Ixa::Ui::Controls::Popup& popup, int y, const std::vector<ButtonText>& buttons,
        Ixa::Ui::IActionEventListener& listener);
};
