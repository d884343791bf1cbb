// The add-contact and group screens as their tests work them, through the screen driver only:
// opening the screen from the buddy list, typing into the one field on screen the way a user
// does (touch it, type on the keypad, hide the keypad), and choosing a group through the
// group list, creating it first when asked.
// Threading and ownership: the test's main thread; borrows the application under test.
#pragma once

#include "support/AppUnderTest.h"

#include <string>

class AddContactForm {
public:
    explicit AddContactForm(AppUnderTest& app) : app_(app) {}

    // Taps add on the buddy list; true once the add-contact screen shows.
    bool Open();
    bool TypeInField(const std::string& text);
    // Types with the keypad and leaves it open.
    bool TypeWithKeypad(const std::string& text);
    // Types with the keypad open and taps one of its command buttons.
    bool TypeThenTapKeypadButton(const std::string& text, int actionId);
    // The text of the field on screen; "(no field)" without one.
    std::string FieldText() const;
    // From the add-contact screen: the group list, optionally the group screen to create
    // `group`, then the group's row; true once the add-contact screen shows again.
    bool ChooseGroup(const std::string& group, bool create);
    bool TapBack();

private:
    AppUnderTest& app_;
};
