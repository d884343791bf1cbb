#include "support/AppUnderTest.h"

#include "support/LocalProsody.h"

#include "app/IMManager.h"
#include "app/ScreenStates.h"
#include "app/VeloIM.h"
#include "platform/DeviceLog.h"
#include "platform/ScreenProbe.h"
#include "platform/SettingInfo.h"
#include "screens/AppScreenFactory.h"
#include "xmpp/Connection.h"

#include <cstdlib>
#include <thread>

namespace {

AppScreenFactory applicationScreens;

// The server the application being launched talks to; null for none.
const AppUnderTest::Server* pointedServer = nullptr;

// VeloIM whose connection is pointed at the test's server once the manager has made it, which
// is before the first screen is shown and can start a sign-in.
class PointedVeloIM : public VeloIM {
public:
    static Ixa::App::Application* CreateInstance() { return new PointedVeloIM; }

    bool OnAppInitializing(Ixa::App::AppRegistry& registry) override
    {
        const bool initialized = VeloIM::OnAppInitializing(registry);
        GtalkRequestController* controller = IMManager::GetRequestController();
        if (pointedServer != nullptr && controller != nullptr && controller->GetConnection() != nullptr) {
            controller->GetConnection()->setServerAddress(IMString(pointedServer->host.c_str()), pointedServer->port);
        }
        return initialized;
    }
};

}  // namespace

AppUnderTest::Server AppUnderTest::ServerOf(const TestSupport::LocalProsody& prosody)
{
    Server server;
    server.domain = prosody.Domain();
    server.port = prosody.Port();
    server.caFile = prosody.CaFile();
    return server;
}

AppUnderTest::AppUnderTest(ScreenFactory* factory) : factory_(factory) { Launch(); }

AppUnderTest::AppUnderTest(const Server& server, ScreenFactory* factory) : factory_(factory), server_(server)
{
    SetEnvironment("VELOIM_HOST", server.host);
    SetEnvironment("VELOIM_DOMAIN", server.domain);
    SetEnvironment("VELOIM_PORT", std::to_string(server.port));
    SetEnvironment("VELOIM_CA_FILE", server.caFile);
    Launch();
}

AppUnderTest::~AppUnderTest()
{
    driver.Shutdown();
    ScreenStates::setScreenFactory(nullptr);
    Ixa::System::SettingInfo::ResetValues();
    while (!environment_.empty()) {
        environment_.pop_back();
    }
}

void AppUnderTest::Launch()
{
    Ixa::System::DeviceLog::Clear();
    Ixa::System::SettingInfo::ResetValues();
    ScreenStates::setScreenFactory(factory_ != nullptr ? factory_ : &applicationScreens);
    pointedServer = server_ ? &*server_ : nullptr;
    launched_ = Ixa::IsSucceeded(driver.Launch(&PointedVeloIM::CreateInstance));
    pointedServer = nullptr;
    driver.PumpUntilIdle();
}

bool AppUnderTest::Relaunch()
{
    driver.Shutdown();
    Launch();
    return launched_;
}

void AppUnderTest::SetEnvironment(const char* name, const std::string& value)
{
    environment_.push_back(std::make_unique<TestSupport::ScopedEnvironment>(name, value));
}

AppUnderTest::Screen AppUnderTest::Visible() const
{
    Screen screen;
    for (const Ixa::Ui::ScreenProbe::Entry& entry : Ixa::Ui::ScreenProbe::ListEntries()) {
        if (entry.kind == "Form") {
            screen.form = entry.text;
        } else if (entry.kind == "Title" && screen.title.empty()) {
            screen.title = entry.text;
        }
    }
    return screen;
}

bool AppUnderTest::PopupShows(const std::string& text) const
{
    bool inPopup = false;
    for (const Ixa::Ui::ScreenProbe::Entry& entry : Ixa::Ui::ScreenProbe::ListEntries()) {
        if (entry.kind == "Popup") {
            inPopup = true;
        } else if (entry.kind == "Form") {
            inPopup = false;
        } else if (inPopup && entry.text.find(text) != std::string::npos) {
            return true;
        }
    }
    return false;
}

bool AppUnderTest::PumpUntil(const std::function<bool()>& check, std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    driver.PumpAFrame();
    while (!check()) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        driver.PumpAFrame();
    }
    return true;
}

std::ostream& operator<<(std::ostream& out, const AppUnderTest::Screen& screen)
{
    return out << screen.form << " \"" << screen.title << "\"";
}
