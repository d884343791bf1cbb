// Enumerations shared by the list, search bar and form classes.
#pragma once

namespace Ixa::Ui::Controls {

enum ListItemStatus {
    LIST_ITEM_STATUS_SELECTED = 0,
    LIST_ITEM_STATUS_HIGHLIGHTED = 1,
    LIST_ITEM_STATUS_CHECKED = 2,
    LIST_ITEM_STATUS_UNCHECKED = 3,
    LIST_ITEM_STATUS_MORE = 4,
};

enum ListContextItemStatus { LIST_CONTEXT_ITEM_STATUS_SELECTED = 0 };

enum SweepDirection { SWEEP_DIRECTION_LEFT = 0, SWEEP_DIRECTION_RIGHT = 1 };

// What a row shows at its right edge: nothing, a check box (the row is checkable), an on/off
// switch or a detail arrow.
enum ListAnnexStyle {
    LIST_ANNEX_STYLE_NORMAL = 0,
    LIST_ANNEX_STYLE_MARK = 1,
    LIST_ANNEX_STYLE_ONOFF_SLIDING = 2,
    LIST_ANNEX_STYLE_DETAILED = 3,
    LIST_ANNEX_STYLE_RADIO = 4,
};

enum ListItemDrawingStatus {
    LIST_ITEM_DRAWING_STATUS_NORMAL = 0,
    LIST_ITEM_DRAWING_STATUS_PRESSED = 1,
    LIST_ITEM_DRAWING_STATUS_HIGHLIGHTED = 2,
};

enum ListRefreshType {
    LIST_REFRESH_TYPE_ITEM_ADD = 0,
    LIST_REFRESH_TYPE_ITEM_REMOVE = 1,
    LIST_REFRESH_TYPE_ITEM_MODIFY = 2,
};

// How the headers of a grouped list behave: INDEXED headers fold and unfold their group when
// tapped, SECTION headers are fixed titles.
enum GroupedListViewStyle { GROUPED_LIST_VIEW_STYLE_INDEXED = 0, GROUPED_LIST_VIEW_STYLE_SECTION = 1 };

enum SearchBarMode { SEARCH_BAR_MODE_NORMAL = 0, SEARCH_BAR_MODE_INPUT = 1 };

enum IconListViewItemStatus { ICON_LIST_VIEW_ITEM_CHECKED = 0, ICON_LIST_VIEW_ITEM_UNCHECKED = 1, ICON_LIST_VIEW_ITEM_SELECTED = 2 };

enum IconListViewStyle { ICON_LIST_VIEW_STYLE_NORMAL = 0, ICON_LIST_VIEW_STYLE_MARK = 1 };

}  // namespace Ixa::Ui::Controls
