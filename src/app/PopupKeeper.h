// The popups of one screen, by kind: at most one popup of each kind is up at a time, and
// showing another of a kind closes the one before. A popup is usually closed from its own
// button's callback, while the platform is still inside that button, so a closed popup is
// hidden and set aside, and deleted at the next safe point: a call the keeper posts to the
// user-interface thread's loop, which runs once every callback in progress has returned.
// Whatever is still held when the keeper goes is deleted with it, so its owner must not go
// from inside one of the popups' callbacks (screens are deleted by the frame, from its loop).
// Threading: user-interface thread only. Ownership: owns every popup it was given, shown or
// set aside; the posted clean-up holds only a weak reference, so it may outlive the keeper.
#pragma once

#include <map>
#include <memory>
#include <vector>

namespace Ixa::Ui::Controls {
class Popup;
}

class PopupKeeper {
public:
    PopupKeeper();
    ~PopupKeeper();

    PopupKeeper(const PopupKeeper&) = delete;
    PopupKeeper& operator=(const PopupKeeper&) = delete;

    // Takes `popup` as the one of `kind` and shows it; the one of that kind before is closed.
    // Answers the popup (lent), or null when there was none to take.
    Ixa::Ui::Controls::Popup* Show(int kind, std::unique_ptr<Ixa::Ui::Controls::Popup> popup);
    // The same, but the popup stays hidden until ShowAgain (a screen in the background).
    Ixa::Ui::Controls::Popup* Keep(int kind, std::unique_ptr<Ixa::Ui::Controls::Popup> popup);
    // Shows the kept popup of `kind` again; false when there is none.
    bool ShowAgain(int kind);
    // Hides the popup of `kind` and sets it aside; false when there was none.
    bool Close(int kind);
    void CloseAll();
    // Deletes every popup now, shown or set aside: for an owner that is going and whose
    // popups call back into it. Never from inside a popup's callback.
    void DeleteAll();
    bool Has(int kind) const;
    // The popup of `kind` (lent), or null.
    Ixa::Ui::Controls::Popup* Find(int kind) const;

private:
    // The popups set aside, shared with the posted clean-up, which empties the list if the
    // keeper is still there when it runs.
    struct Aside {
        std::vector<std::unique_ptr<Ixa::Ui::Controls::Popup>> popups;
        bool cleanUpPosted = false;
    };

    void setAside(std::unique_ptr<Ixa::Ui::Controls::Popup> popup);
    Ixa::Ui::Controls::Popup* take(int kind, std::unique_ptr<Ixa::Ui::Controls::Popup> popup);

    std::map<int, std::unique_ptr<Ixa::Ui::Controls::Popup>> popups_;
    std::shared_ptr<Aside> aside_;
};
