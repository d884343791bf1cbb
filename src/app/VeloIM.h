// The platform application object: it hands the platform's life-cycle calls to IMManager and
// opens the chat of a tapped new-message notification. IxaMain is the module's entry.
// Threading: user-interface thread. Ownership: the platform owns the instance; the instance
// owns the contact of the last tapped notification, which the chat screen borrows until the
// next one.
#pragma once

#include "platform/Application.h"
#include "platform/IScreenEventListener.h"
#include "store/Contact.h"

#include <memory>

class VeloIM : public Ixa::App::Application, public Ixa::System::IScreenEventListener {
public:
    static constexpr int TERMINATE_REQUEST = 10001;

    static Ixa::App::Application* CreateInstance();

    bool OnAppInitializing(Ixa::App::AppRegistry& registry) override;
    bool OnAppTerminating(Ixa::App::AppRegistry& registry, bool urgentTermination) override;
    void OnForeground() override;
    void OnBackground() override;
    void OnLowMemory() override;
    void OnBatteryLevelChanged(Ixa::App::BatteryLevel level) override;
    void OnScreenOn() override;
    void OnScreenOff() override;
    void OnUserEventReceivedN(int requestId, Ixa::Base::Collection::IList* args) override;

private:
    // The other user's address from a notification's arguments; empty when they are not a
    // new-message notification's.
    static Ixa::Base::String notifiedUser(const Ixa::Base::Collection::IList* args);
    void openNotifiedChat(const Ixa::Base::String& user);

    std::unique_ptr<Contact> notifiedContact_;
};

// Runs the application with the program's arguments; answers the platform's result.
int IxaMain(int argc, char** argv);
