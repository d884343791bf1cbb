// What the screen shows, for screen tests and tools: the controls of the visible form and of
// the popups over it (popups first, topmost first), with their texts, action ids and where
// they are; a way to touch them exactly as a user would (a mouse press and release at their
// centre, sent through the window, so a popup covering a control takes the touch); and the
// event pump.
// Threading: user-interface thread only.
#pragma once

#include "platform/Color.h"
#include "platform/Control.h"
#include "platform/String.h"

#include <string>
#include <vector>

namespace Ixa::Ui {

namespace Controls {
class GroupedListView;
class IconListView;
class ListView;
class RowListBase;
}  // namespace Controls

class ScreenProbe {
public:
    struct Entry {
        std::string kind;  // "Button", "Header", "Footer", "Popup", "ListRow", "Keypad", ...
        std::string text;
        int actionId = -1;
        int secondActionId = -1;  // a check button's unchecked id
        bool enabled = true;
        bool selected = false;
        Graphics::Rectangle bounds;  // window coordinates
        Control* control = nullptr;
        int row = -1;    // list rows, grouped list items, icon indexes
        int group = -1;  // grouped list headers and items
    };

    // Entries in touch order: keypad keys, popups (topmost first), the current form, then the
    // application's notice in the status strip.
    static std::vector<Entry> ListEntries();
    // A readable picture of the screen: one line per entry.
    static std::string Describe();
    // Touches the window at a point (window coordinates); false when nothing is there.
    static bool TapAt(const Graphics::Point& point);
    static bool Tap(const Entry& entry);
    static bool PressAt(const Graphics::Point& point);
    static bool ReleaseAt(const Graphics::Point& point);
    static bool MoveTo(const Graphics::Point& point);
    // Types into the widget that has the keyboard focus, as the desktop keyboard would.
    static bool TypeText(const Base::String& text);
    // Runs the events already posted to the user-interface thread, repeatedly, until none is
    // left or `maxRounds` rounds have run.
    static void ProcessEvents(int maxRounds = 50);
    // The bounds of a control in window coordinates.
    static Graphics::Rectangle WindowBounds(const Control& control);
    // The colours the window shows inside `area` (window coordinates), row by row; the part of
    // the area outside the window is left out.
    static std::vector<Graphics::Color> ReadPixels(const Graphics::Rectangle& area);

private:
    static void AddForm(std::vector<Entry>& entries);
    static void AddStatusNotice(std::vector<Entry>& entries);
    static void AddControls(std::vector<Entry>& entries, const QWidget* root, bool popup);
    static void AddControl(std::vector<Entry>& entries, Control& control);
    static void AddListView(std::vector<Entry>& entries, Entry entry, Controls::ListView& list);
    static void AddIconListView(std::vector<Entry>& entries, Entry entry, Controls::IconListView& icons);
    static void AddGroupedListView(std::vector<Entry>& entries, Entry entry, Controls::GroupedListView& list);
    // The rows in view, each named by `nameRow` (which sets its kind, row and group).
    template <typename NameRow>
    static void AddRows(std::vector<Entry>& entries, Controls::RowListBase& list, NameRow nameRow);
};

}  // namespace Ixa::Ui
