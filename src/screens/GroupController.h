// The controller of the group creation screen: save creates the typed group unless its
// trimmed name is blank or a group of that name exists in any letter case (each with its
// popup); the group is stored under the name as typed (trimmed), with that name in lower
// case as its id, and the field empties for the next one. Back empties the field and goes
// to the group list.
// Threading: user-interface thread. Ownership: owned by its screen.
#pragma once

#include "app/IMController.h"

class GroupScreen;

class GroupController : public IMController {
public:
    enum Action { ACTION_CREATE = 101, ACTION_HIDE_KEYPAD = 104 };

    void processAction(const Control& source, int actionId, IMView* view) override;
    void processOrientation(const Control& source, Ixa::Ui::OrientationStatus status, IMView* view) override;
    void processFormBackRequested(Ixa::Ui::Controls::Form& source, IMView* view) override;

private:
    static void create(GroupScreen& screen);
};
