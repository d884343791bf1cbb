// The unread-message badge of a row: the count in white on a red rounded box 44 high at the
// right of a 100-high row (centred, or lower where the row has more to show at its right),
// 44 wide for one or two digits and wider for longer counts.
// Threading: user-interface thread. Ownership: the row keeps copies of what is added.
#pragma once

#include "platform/CustomItem.h"
#include "platform/Rectangle.h"

class CustomMessageAlert {
public:
    // How much wider than 44 the box is for `count`.
    static int ExtraWidth(int count);
    // Where the box's top is unless a row says otherwise: centred in the row.
    static constexpr int CENTRED_TOP = 30;
    // The box in row coordinates, its top at `top`.
    static Ixa::Graphics::Rectangle GetBounds(int count, int top = CENTRED_TOP);
    // Adds the box as element `boxId` and the count over it as element `countId`.
    static Ixa::result AddTo(Ixa::Ui::Controls::CustomItem& row, int boxId, int countId, int count, int top = CENTRED_TOP);
};
