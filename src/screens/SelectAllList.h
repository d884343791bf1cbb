// The rules of a check list whose row 0 selects every other row: checking or clearing row 0
// does the same to every row; any other row leaves row 0 checked exactly when all of them are.
// Shared by the screens that delete several entries at once, which show how many rows are
// checked (Counter).
// Threading: user-interface thread; stateless (the list and the view are borrowed).
#pragma once

#include "platform/ListView.h"

class IMView;

class SelectAllList {
public:
    // A screen that shows how many rows are checked.
    class Counter {
    public:
        virtual ~Counter() = default;
        virtual void ShowSelection(int checked) = 0;
    };

    // A tap on row `index` with `status`: a change of a check follows the select-all rules,
    // and the view, when it is a Counter, shows the new count.
    static void Answer(Ixa::Ui::Controls::ListView& list, int index, Ixa::Ui::Controls::ListItemStatus status, IMView* view);
    // The list's answer to row `index` turning `checked`.
    static void Sync(Ixa::Ui::Controls::ListView& list, int index, bool checked);
    // The rows checked now, row 0 left out.
    static int CheckedCount(const Ixa::Ui::Controls::ListView& list);
    static void UncheckAll(Ixa::Ui::Controls::ListView& list);
    // Whether a tap status is a change of a row's check.
    static bool IsCheckChange(Ixa::Ui::Controls::ListItemStatus status);
};
