// A small application for the user-interface tests: it records its life-cycle calls and user
// events and shows one form with a header (a button 11), a footer (items 21 and 22 and the
// back button) and whatever controls a test adds.
#pragma once

#include "platform/Application.h"
#include "platform/Footer.h"
#include "platform/Form.h"
#include "platform/Header.h"
#include "platform/IActionEventListener.h"
#include "platform/IFormBackEventListener.h"

#include <string>
#include <vector>

class UiTestApp : public Ixa::App::Application,
                  public Ixa::Ui::IActionEventListener,
                  public Ixa::Ui::Controls::IFormBackEventListener {
public:
    static Ixa::App::Application* Create() { return new UiTestApp; }
    static UiTestApp& Get() { return *static_cast<UiTestApp*>(GetInstance()); }

    bool OnAppInitializing(Ixa::App::AppRegistry& registry) override;
    bool OnAppTerminating(Ixa::App::AppRegistry& registry, bool urgent) override;
    void OnForeground() override { calls.push_back("foreground"); }
    void OnBackground() override { calls.push_back("background"); }
    void OnUserEventReceivedN(int requestId, Ixa::Base::Collection::IList* args) override;
    void OnActionPerformed(const Ixa::Ui::Control& source, int actionId) override;
    void OnFormBackRequested(Ixa::Ui::Controls::Form& source) override;

    Ixa::Ui::Controls::Form* form = nullptr;
    std::vector<std::string> calls;
    std::vector<int> actions;
    std::vector<std::string> userEvents;
};
