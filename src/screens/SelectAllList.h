// The rules of a check list whose row 0 selects every other row: checking or clearing row 0
// does the same to every row; any other row leaves row 0 checked exactly when all of them are.
// Shared by the screens that delete several entries at once.
// Threading: user-interface thread; stateless (the list is borrowed).
#pragma once

#include "platform/ListView.h"

class SelectAllList {
public:
    // The list's answer to row `index` turning `checked`.
    static void Sync(Ixa::Ui::Controls::ListView& list, int index, bool checked);
    // The rows checked now, row 0 left out.
    static int CheckedCount(const Ixa::Ui::Controls::ListView& list);
    static void UncheckAll(Ixa::Ui::Controls::ListView& list);
    // Whether a tap status is a change of a row's check.
    static bool IsCheckChange(Ixa::Ui::Controls::ListItemStatus status);
};
