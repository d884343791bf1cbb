// Drives the handset's screens in tests the way a user would: it finds controls by action id
// or text, taps them, types, taps list rows, their context items and checks, opens and closes
// the keypad, turns the handset, goes home and back, selects the notification, advances the
// virtual clock and pumps the user-interface thread until it is idle. It sees the screen only
// through the platform's Ixa API (Ui::ScreenProbe).
// Threading and ownership: user-interface (main) thread. While a driver exists the user-
// interface thread's timers run on the virtual clock.
#pragma once

#include "platform/Application.h"
#include "platform/ScreenProbe.h"

#include <optional>
#include <string>
#include <vector>

namespace Ixa::Ui::Controls {
class RowListBase;
}  // namespace Ixa::Ui::Controls

class ScreenDriver {
public:
    ScreenDriver();
    ~ScreenDriver();

    ScreenDriver(const ScreenDriver&) = delete;
    ScreenDriver& operator=(const ScreenDriver&) = delete;

    Ixa::result Launch(Ixa::App::ApplicationInstanceFactory factory, const std::vector<std::string>& arguments = {});
    // Ends the application (its forms and its OnAppTerminating) if it still runs.
    void Shutdown();

    std::optional<Ixa::Ui::ScreenProbe::Entry> FindByActionId(int actionId) const;
    std::optional<Ixa::Ui::ScreenProbe::Entry> FindByText(const std::string& text) const;
    std::optional<Ixa::Ui::ScreenProbe::Entry> FindRow(int row) const;
    bool TapAction(int actionId);
    bool TapText(const std::string& text);
    bool TapRow(int row);
    // Taps the centre of one element of the row.
    bool TapRowElement(int row, int elementId);
    // Where one element of the row is on screen (window coordinates), scrolling it into view
    // first; empty when the list or the row is not there.
    Ixa::Graphics::Rectangle RowElementOnScreen(int row, int elementId);
    // Long-presses the row (500 ms on the virtual clock) and taps its context button.
    bool TapContextItem(int row, int elementId);
    // The same for the grouped list on the screen; item -1 is the group's header.
    std::optional<Ixa::Ui::ScreenProbe::Entry> FindGroupedRow(int group, int item) const;
    bool TapGroupHeader(int group);
    bool TapGroupedItem(int group, int item);
    bool TapGroupedElement(int group, int item, int elementId);
    bool TapGroupedContextItem(int group, int item, int elementId);
    bool Type(const std::string& text);
    // Taps an icon of the icon grid on the screen, scrolling it into view first.
    bool TapIcon(int index);
    // Taps the first link found in the text box on the screen.
    bool TapTextBoxLink();
    // Touches the search bar's field (which starts a search) and types into it.
    bool TypeInSearchBar(const std::string& text);
    // Taps the search bar's cancel button.
    bool CancelSearch();
    // Taps the field with that text or guide-less position; the keypad opens over the form.
    bool OpenKeypad(const Ixa::Ui::ScreenProbe::Entry& field);
    bool CloseKeypad();
    // Touches the first field of that probe kind ("EditField", "EditArea") and types on the
    // keypad, which stays open; false without such a field.
    bool TypeWithKeypad(const std::string& kind, const std::string& text);
    // Whether the on-screen keypad is drawn over the window, whichever control it serves.
    static bool KeypadShows();
    void Rotate(bool landscape);
    void Home();
    bool SelectNotification();
    void AdvanceTime(int milliseconds);
    void PumpUntilIdle();
    // For a test that waits for the engine in real time: pumps, then lets the next frame come
    // on the virtual clock when a timer waits for it (one due within a frame), as frames keep
    // coming while a user waits. Timers further off stay where the test left them.
    void PumpAFrame();
    std::string Describe() const;
    bool SaveScreenshot(const std::string& path) const;
    // How many pixels of clearly coloured (saturated) light the screen shows inside `area`
    // (window coordinates): none where only white, grey and the theme's muted blues are drawn.
    static int CountColourPixels(const Ixa::Graphics::Rectangle& area);

private:
    // The first control of that probe kind on the screen.
    static Ixa::Ui::Control* FindControl(const std::string& kind);
    // Taps a point of a row (its centre without `inRow`), scrolling it into view first.
    bool TapListRow(Ixa::Ui::Controls::RowListBase& list, int row, const Ixa::Graphics::Point* inRow = nullptr);
    bool TapListElement(Ixa::Ui::Controls::RowListBase& list, int row, int elementId);
    bool TapListContext(Ixa::Ui::Controls::RowListBase& list, int row, int elementId);
};
