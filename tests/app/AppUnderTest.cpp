#include "AppUnderTest.h"

#include "app/ScreenStates.h"
#include "app/VeloIM.h"
#include "platform/DeviceLog.h"
#include "platform/ScreenProbe.h"
#include "platform/SettingInfo.h"
#include "screens/AppScreenFactory.h"

#include <ostream>

namespace {

AppScreenFactory applicationScreens;

}  // namespace

AppUnderTest::AppUnderTest(ScreenFactory* factory)
{
    Ixa::System::DeviceLog::Clear();
    Ixa::System::SettingInfo::ResetValues();
    ScreenStates::setScreenFactory(factory != nullptr ? factory : &applicationScreens);
    launched_ = Ixa::IsSucceeded(driver.Launch(&VeloIM::CreateInstance));
    driver.PumpUntilIdle();
}

bool AppUnderTest::Relaunch()
{
    driver.Shutdown();
    launched_ = Ixa::IsSucceeded(driver.Launch(&VeloIM::CreateInstance));
    driver.PumpUntilIdle();
    return launched_;
}

AppUnderTest::~AppUnderTest()
{
    driver.Shutdown();
    ScreenStates::setScreenFactory(nullptr);
    Ixa::System::SettingInfo::ResetValues();
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

std::ostream& operator<<(std::ostream& out, const AppUnderTest::Screen& screen)
{
    return out << screen.form << " \"" << screen.title << "\"";
}
