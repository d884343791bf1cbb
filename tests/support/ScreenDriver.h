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
    // Long-presses the row (500 ms on the virtual clock) and taps its context button.
    bool TapContextItem(int row, int elementId);
    bool Type(const std::string& text);
    // Taps the field with that text or guide-less position; the keypad opens over the form.
    bool OpenKeypad(const Ixa::Ui::ScreenProbe::Entry& field);
    bool CloseKeypad();
    void Rotate(bool landscape);
    void Home();
    bool SelectNotification();
    void AdvanceTime(int milliseconds);
    void PumpUntilIdle();
    std::string Describe() const;
    bool SaveScreenshot(const std::string& path) const;
};
