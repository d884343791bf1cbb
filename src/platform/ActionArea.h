// One tappable part of a bar that is drawn as a whole (header buttons, footer items, keypad
// command buttons): where it is, what it shows and what it reports. The bars use these for
// drawing and hit-testing, and the ScreenProbe for describing and tapping them.
// Thread-safety: a plain value.
#pragma once

#include "platform/Rectangle.h"
#include "platform/String.h"

namespace Ixa::Ui {

struct ActionArea {
    Graphics::Rectangle rect;  // relative to the bar's control
    int actionId = -1;
    Base::String text;
    bool enabled = true;
    bool selected = false;
    bool hasIcon = false;
};

}  // namespace Ixa::Ui
