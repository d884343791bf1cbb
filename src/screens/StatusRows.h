// The two rows the user picks a status from, on the status screen and the own profile:
// row 0 available, row 1 busy, each with its presence picture, the chosen one marked with a
// tick; and what choosing one does to a status.
// Threading: user-interface thread. Ownership: a row made here belongs to the caller (the list
// that asked for it).
#pragma once

#include "app/IMController.h"

class PresenceStatus;

namespace Ixa::Ui::Controls {
class ListView;
}

class StatusRows {
public:
    static constexpr int COUNT = 2;
    static constexpr int AVAILABLE = 0;
    static constexpr int BUSY = 1;
    static constexpr int ROW_HEIGHT = 88;

    // The row that stands for `status`: available for the available code, busy for any other.
    static int RowOf(const PresenceStatus& status);
    // Makes `status` what the row stands for: available, or busy with do-not-disturb; never
    // invisible. False, and nothing changed, for any other row.
    static bool Apply(int row, PresenceStatus& status);
    // The name of the status, as the settings show it.
    static Ixa::Base::String NameOf(const PresenceStatus& status);
    static IMController::ListItemBase* MakeRow(int row, bool chosen, int width);
    // Remakes the list's rows with `chosen` ticked; the chosen row also counts as the list's
    // checked row, so the tick can be read back.
    static void Show(Ixa::Ui::Controls::ListView& list, int chosen);
};
